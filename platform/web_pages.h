// The maker's pages the About and follow windows open, and how they open.
#pragma once

#include "platform/services.h"

#include <string>
#include <string_view>

namespace kestrow::pages {

inline constexpr std::string_view kUpdate = "https://tieba.baidu.com/p/5187342301";
inline constexpr std::string_view kIntroVideo = "https://www.bilibili.com/video/av12873521";
inline constexpr std::string_view kFeedback = "https://tieba.baidu.com/p/5187342378";

inline constexpr std::string_view kBilibiliSpace = "https://space.bilibili.com/38125104";
inline constexpr std::string_view kYoukuChannel = "https://i.youku.com/i/UMzA1NTcxNDk2OA==";
inline constexpr std::string_view kWeChatAccount = "https://t.cn/RaKz9Wd";
inline constexpr std::string_view kQQGroup = "https://url.cn/5Vq3Kxm";
inline constexpr std::string_view kTudouChannel = "https://id.tudou.com/i/UMzA1NTcxNDk2OA==";
inline constexpr std::string_view kTiebaForum = "https://tieba.baidu.com/f?kw=vornic";

// The system file browser hands the address to the default web browser.
// Its exit code says nothing about the page (explorer.exe commonly ends with
// 1 after handing an address over), so nobody waits to be told it.
inline CommandStart open(CommandRunner& commands, std::string_view address)
{
    return commands.run(openPageCommand(address));
}

}  // namespace kestrow::pages
