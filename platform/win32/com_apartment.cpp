#include "platform/win32/com_apartment.h"

#include "platform/win32/newer_functions.h"

namespace kestrow::win32 {

ComApartment::~ComApartment()
{
    if (uninitialize_) uninitialize_();
}

HRESULT ComApartment::create(REFCLSID type, REFIID asked, void** object)
{
    *object = nullptr;
    if (!enter()) return CO_E_NOTINITIALIZED;
    return createInstance_(type, nullptr, CLSCTX_INPROC_SERVER, asked, object);
}

// The user-interface thread asks for a single-threaded apartment; if the
// thread already chose the multithreaded one, COM is usable all the same.
// ole32 is a system DLL on every Windows: the real lookup finds it even
// where a test hides the newer functions.
bool ComApartment::enter()
{
    if (tried_) return createInstance_ != nullptr;
    tried_ = true;
    using InitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto initialize = findFunction<InitializeExFn>(&findInSystem, L"ole32.dll", "CoInitializeEx");
    const auto uninitialize = findFunction<UninitializeFn>(&findInSystem, L"ole32.dll", "CoUninitialize");
    const auto createInstance = findFunction<CreateInstanceFn>(&findInSystem, L"ole32.dll", "CoCreateInstance");
    if (!initialize || !uninitialize || !createInstance) return false;
    const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (SUCCEEDED(result)) uninitialize_ = uninitialize;
    if (SUCCEEDED(result) || result == RPC_E_CHANGED_MODE) createInstance_ = createInstance;
    return createInstance_ != nullptr;
}

}  // namespace kestrow::win32
