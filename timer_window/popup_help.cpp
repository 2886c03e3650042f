// The right-button popup menu of the timer window: help text and About.
#include "timer_window/texts.h"
#include "timer_window/timer_window.h"

#include <string_view>

namespace kestrow {

namespace {

// Nine lines each, joined by CR LF with none after the last.
constexpr std::string_view kTimePointHelp =
    "*****帮助*****\r\n"
    "\r\n"
    "输入要预定关机的时间后\r\n"
    "按下“预定”即可开始定时关机\r\n"
    "下拉“关机”菜单有多种操作可选\r\n"
    "“休眠”和“注销”仅在倒计时模式下可用\r\n"
    "\r\n"
    "如需取消定时请点击“设置”\r\n"
    "点击“解锁”三次即可解锁“取消”按钮";

constexpr std::string_view kCountdownHelp =
    "*****帮助*****\r\n"
    "\r\n"
    "输入要预定关机的时间后\r\n"
    "按下“走起”即可开始倒计时关机\r\n"
    "下拉“关机”菜单有多种操作可选\r\n"
    "“休眠”和“注销”仅在前台模式下可用\r\n"
    "\r\n"
    "如需切换倒计时模式或停止计时请点击“设置”\r\n"
    "点击“解锁”三次即可解锁“停止”按钮";

}  // namespace

void TimerWindow::Form_MouseDown(int button)
{
    if (button & mouse::right) window().popupMenu(*menu);
}

void TimerWindow::help_Click()
{
    showMessage(Label1->caption() == timer_texts::kTimePointMode ? kTimePointHelp : kCountdownHelp);
}

void TimerWindow::about_Click()
{
    if (showAbout_) showAbout_();
}

}  // namespace kestrow
