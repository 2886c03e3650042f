#include "platform/win32/failure.h"

#include "platform/services.h"
#include "platform/win32/text.h"

#include <exception>
#include <string>

namespace kestrow::win32 {

void reportUnhandledFailure() noexcept
{
    try {
        std::string what = "未知错误";
        try {
            throw;
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        const std::wstring text = widen("程序运行出错，即将退出：\r\n" + what);
        const std::wstring title = widen(kApplicationTitle);
        MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // Nothing more can be said when even the report fails.
    }
    PostQuitMessage(1);
}

}  // namespace kestrow::win32
