// The About window's fixed texts.
#pragma once

#include <string_view>

namespace kestrow::about_texts {

inline constexpr std::string_view kCaption = "关于";
inline constexpr std::string_view kTitle = "关于";
inline constexpr std::string_view kToolbox = "Vornic工具箱";
// Label6's design-time caption; the start-up replaces it with the version.
inline constexpr std::string_view kVersionPlaceholder = "版本号";
inline constexpr std::string_view kDevelopmentTool = "使用C++与Win32开发";
inline constexpr std::string_view kExperimental = "实验性应用程序";
inline constexpr std::string_view kRights = "© Vornic 保留所有权利";
inline constexpr std::string_view kOk = "好";

// Link labels; the popup menu repeats them word for word.
inline constexpr std::string_view kChangeLog = "更新日志";
inline constexpr std::string_view kIntroVideo = "介绍视频";
inline constexpr std::string_view kCheckUpdate = "检查更新";
inline constexpr std::string_view kFollow = "关注我们";
inline constexpr std::string_view kBugReport = "BUG反馈";
inline constexpr std::string_view kMenuCaption = "右键菜单";  // never shown: see MenuDefinition

// Questions end with the full-width question mark.
inline constexpr std::string_view kQuestionTitle = "提示";
inline constexpr std::string_view kAskUpdate = "检查更新？";
inline constexpr std::string_view kAskVideo = "观看介绍视频？";

// Change log: heading, empty line, version text, stores line, each + CR LF.
inline constexpr std::string_view kChangeLogHeading = "*****更新日志*****";
inline constexpr std::string_view kInStores = "已在各大应用商店上架";

}  // namespace kestrow::about_texts
