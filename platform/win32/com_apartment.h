// COM on the user-interface thread, entered when something first needs it
// (the taskbar list, the picture decoder) and left when the object goes.
// ole32.dll, and combase and rpcrt4 under it, is not imported: it is loaded
// at that first need, by its full path in the system folder, so a start
// that only shows the timer window never pays for loading it.
#pragma once

#include <objbase.h>

namespace kestrow::win32 {

class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // An in-process object of the class (CoCreateInstance), COM entered
    // first if it is not yet. Fails if COM cannot be had.
    HRESULT create(REFCLSID type, REFIID asked, void** object);

private:
    bool enter();

    using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using UninitializeFn = void(WINAPI*)();
    CreateInstanceFn createInstance_ = nullptr;  // set once COM is usable
    UninitializeFn uninitialize_ = nullptr;      // set once this object entered COM
    bool tried_ = false;
};

}  // namespace kestrow::win32
