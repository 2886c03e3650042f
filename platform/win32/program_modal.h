// While a message box is open, none of the program's windows takes input:
// its handlers expect no other handler to run meanwhile but timer ticks.
// The box disables its owner itself; this disables the program's other
// windows for as long as it lives, and tells each of them the box's owner,
// so that a click on any of them brings the box up.
#pragma once

#include <windows.h>

#include <vector>

namespace kestrow::win32 {

class ProgramModal {
public:
    explicit ProgramModal(HWND owner);
    // Enables again exactly the windows it disabled that still exist, and
    // gives each window back the box owner it knew before (a box may open
    // while another is open).
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    struct Held {
        HWND window;
        HWND ownerBefore;
        bool disabled;
    };
    std::vector<Held> held_;
};

}  // namespace kestrow::win32
