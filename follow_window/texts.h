// The follow window's fixed texts.
#pragma once

#include <string_view>

namespace kestrow::follow_texts {

// The window's caption, also its heading Label1.
inline constexpr std::string_view kCaption = "关注我们";
inline constexpr std::string_view kSubtitle = "点击即可访问";
inline constexpr std::string_view kCloseHint = "点击空白处关闭";
inline constexpr std::string_view kWeChatTip = "手机微信扫一扫";
inline constexpr std::string_view kQQTip = "手机QQ扫一扫";

}  // namespace kestrow::follow_texts
