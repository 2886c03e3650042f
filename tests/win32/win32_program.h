// The program on the real Win32 desktop, commands recorded: where the
// adapter tests of its windows start. The About and follow windows are
// loaded through the program's slots; ShownProgram shows the timer window
// first, as kestrow.exe does.
#pragma once

#include "app/program.h"
#include "tests/win32/test_support.h"

#include <string>

namespace kestrow::win32::testing {

struct Win32Program {
    Win32Services platform;
    Program program{platform.services};
    const std::vector<std::string>& commands = platform.commands.commands;
    // Until every program started has ended, and the activation its
    // console window took is back.
    void waitForCommands() { platform.commands.waitForEnds(); }

    static HWND hwndOf(Form& form) { return testing::hwndOf(form.window()); }
    static HWND control(Form& form, const std::string& name) { return native(form.window()).controlHandle(name); }
};

struct ShownProgram : Win32Program {
    ShownProgram()
    {
        program.start();
        pumpUntilInputHandled();
    }

    TimerWindow& window() { return program.timerWindow(); }
    HWND control(const std::string& name) { return Win32Program::control(window(), name); }
    // The timer window's control that is or holds this window (a combo box
    // holds its edit), or "?".
    std::string nameOf(HWND hwnd)
    {
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Command1", "Command2", "Command3", "Command4",
                                 "Command5", "Command6", "Command7", "Combo1", "Combo2"}) {
            if (hwnd && (control(name) == hwnd || IsChild(control(name), hwnd))) return name;
        }
        return "?";
    }
    std::string focused() { return nameOf(GetFocus()); }
};

}  // namespace kestrow::win32::testing
