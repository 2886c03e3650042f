// COM on this thread for as long as the object lives. The thread is the
// user-interface thread, so it asks for a single-threaded apartment; if the
// thread already chose the multithreaded one, COM is usable all the same.
// Entering again where COM is in use only counts up.
#pragma once

#include <objbase.h>

namespace kestrow::win32 {

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

}  // namespace kestrow::win32
