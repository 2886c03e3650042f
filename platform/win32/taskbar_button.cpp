#include "platform/win32/taskbar_button.h"

#include <cmath>

namespace kestrow::win32 {

namespace {

constexpr ULONGLONG kWhole = 10000;  // steps of the bar

}  // namespace

ITaskbarList3* createTaskbarList(ComApartment& com)
{
    ITaskbarList3* list = nullptr;
    if (FAILED(com.create(CLSID_TaskbarList, IID_PPV_ARGS(&list)))) {
        return nullptr;
    }
    if (FAILED(list->HrInit())) {
        list->Release();
        return nullptr;
    }
    return list;
}

UINT taskbarButtonCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

// Explorer runs with less rights than an elevated program, whose windows
// would not hear from it otherwise.
TaskbarButton::TaskbarButton(HWND window, const TaskbarListFactory& make) : window_(window), make_(make)
{
    if (window_ && taskbarButtonCreatedMessage()) {
        ChangeWindowMessageFilterEx(window_, taskbarButtonCreatedMessage(), MSGFLT_ALLOW, nullptr);
    }
}

void TaskbarButton::show(const CountdownProgress& progress)
{
    if (progress == shown_) return;
    shown_ = progress;
    if (!made_ && progress.state != CountdownProgress::State::None) {
        made_ = true;
        if (make_) list_.Attach(make_());
    }
    apply();
}

void TaskbarButton::apply()
{
    if (!list_ || !IsWindow(window_)) return;
    switch (shown_.state) {
    case CountdownProgress::State::None: list_->SetProgressState(window_, TBPF_NOPROGRESS); break;
    case CountdownProgress::State::Running:
        list_->SetProgressState(window_, TBPF_NORMAL);
        list_->SetProgressValue(window_, static_cast<ULONGLONG>(std::llround(shown_.shareLeft * kWhole)), kWhole);
        break;
    case CountdownProgress::State::Refused:
        // A full red bar: the action the user counts on did not happen.
        list_->SetProgressState(window_, TBPF_ERROR);
        list_->SetProgressValue(window_, kWhole, kWhole);
        break;
    }
}

}  // namespace kestrow::win32
