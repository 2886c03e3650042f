// The timer window's fixed texts.
#pragma once

#include <string_view>

namespace kestrow::timer_texts {

inline constexpr std::string_view kCaption = "Kestrow";

// Mode indicator (caption of Label1) and the other sentence parts.
inline constexpr std::string_view kCountdownMode = "距离";
inline constexpr std::string_view kTimePointMode = "预定";
inline constexpr std::string_view kRemain = "还有";
inline constexpr std::string_view kAt = "将在";
inline constexpr std::string_view kDays = "天";
inline constexpr std::string_view kHours = "小时";
inline constexpr std::string_view kMinutes = "分钟";
inline constexpr std::string_view kSeconds = "秒";
inline constexpr std::string_view kDaysLater = "天后";
inline constexpr std::string_view kOClock = "点";
inline constexpr std::string_view kMinute = "分";

// Actions and run modes, compared character by character.
inline constexpr std::string_view kShutDown = "关机";
inline constexpr std::string_view kRestart = "重启";
inline constexpr std::string_view kHibernate = "休眠";
inline constexpr std::string_view kLogOff = "注销";
inline constexpr std::string_view kBackgroundMode = "后台模式(推荐)";
inline constexpr std::string_view kForegroundMode = "前台模式(无弹窗)";

// What screen readers call the two lists.
inline constexpr std::string_view kActionListName = "操作";
inline constexpr std::string_view kRunModeListName = "运行模式";

// Buttons.
inline constexpr std::string_view kToTimePoint = "定时刻";
inline constexpr std::string_view kToCountdown = "倒计时";
inline constexpr std::string_view kStart = "走起!";
inline constexpr std::string_view kStop = "停止!";
inline constexpr std::string_view kCancel = "取消!";
inline constexpr std::string_view kSchedule = "预定!";
inline constexpr std::string_view kSettings = "设置";
inline constexpr std::string_view kUnlock = "解锁";
inline constexpr std::string_view kLock = "锁定";

// Popup menu.
inline constexpr std::string_view kMenuCaption = "右键菜单";  // never shown: see MenuDefinition
inline constexpr std::string_view kHelpItem = "帮助";
inline constexpr std::string_view kAboutItem = "关于";

// Messages.
inline constexpr std::string_view kInvalidTime = "请输入正确的时间。";
inline constexpr std::string_view kPastTime = "时间不能为过去！";
inline constexpr std::string_view kLogOffCountdownOnly = "注销仅在倒计时模式下可用";
inline constexpr std::string_view kHibernateCountdownOnly = "休眠仅在倒计时模式下可用";
// Each followed by the command line, a line break and the system's words:
// why it could not be started, or what its exit code means.
inline constexpr std::string_view kCommandFailed = "无法运行命令：";
// Followed by the system's reason; the countdown has not started.
inline constexpr std::string_view kTimerFailed = "无法启动计时器：";
inline constexpr std::string_view kCommandRefused = "命令执行失败：";

}  // namespace kestrow::timer_texts
