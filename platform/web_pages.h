// The maker's pages the About and follow windows open, and how they open.
#pragma once

#include "platform/services.h"

#include <string_view>

namespace kestrow::pages {

// Every address is a forum or search page named after the program (Kestrow)
// or its maker (Vornic) on the service itself: what it shows is tied to those
// names, so no address can lead to a stranger's page by chance.

// About window, check for updates: the program's forum, its posts on updates (更新).
inline constexpr std::string_view kUpdate =
    "https://tieba.baidu.com/f/search/res?ie=utf-8&kw=kestrow&qw=%E6%9B%B4%E6%96%B0";
// About window, introduction video: the program's videos.
inline constexpr std::string_view kIntroVideo = "https://search.bilibili.com/video?keyword=Kestrow";
// About window, bug report: the program's forum, where a report is posted.
inline constexpr std::string_view kFeedback = "https://tieba.baidu.com/f?kw=kestrow";

// Follow window, one page per picture: where each of the maker's channels is found.
// The maker's user space among bilibili's uploaders.
inline constexpr std::string_view kBilibiliSpace = "https://search.bilibili.com/upuser?keyword=Vornic";
// Youku's video search for the maker's name, which finds the maker's channel.
inline constexpr std::string_view kYoukuChannel = "https://so.youku.com/search_video/q_Vornic";
// The maker's WeChat official account, in Sogou's search of WeChat accounts.
inline constexpr std::string_view kWeChatAccount = "https://weixin.sogou.com/weixin?type=1&query=Vornic";
// The maker's QQ group, which has no web page: the maker's forum, its posts on the group (QQ群).
inline constexpr std::string_view kQQGroup = "https://tieba.baidu.com/f/search/res?ie=utf-8&kw=vornic&qw=QQ%E7%BE%A4";
// Tudou's video search for the maker's name, which finds the maker's channel.
inline constexpr std::string_view kTudouChannel = "https://so.tudou.com/isearch/Vornic";
// The Baidu Tieba forum named after the maker's channel.
inline constexpr std::string_view kTiebaForum = "https://tieba.baidu.com/f?kw=vornic";

// Hands the address to the system file browser, which hands it to the
// default web browser. Its exit code says nothing about the page
// (explorer.exe commonly ends with 1 after handing an address over), so
// nobody waits to be told it. A browser that cannot be started at all is
// told in a message box, in front of the asking window, rather than lost.
void open(Services& services, const NativeWindow& asking, std::string_view address);

}  // namespace kestrow::pages
