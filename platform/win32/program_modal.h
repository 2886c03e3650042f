// While a message box is open, none of the program's windows takes input:
// its handlers expect no other handler to run meanwhile but timer ticks.
// The box disables its owner itself; this disables the program's other
// windows for as long as it lives.
#pragma once

#include <windows.h>

#include <vector>

namespace kestrow::win32 {

class ProgramModal {
public:
    explicit ProgramModal(HWND owner);
    // Enables again exactly the windows it disabled that still exist.
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    std::vector<HWND> disabled_;
};

}  // namespace kestrow::win32
