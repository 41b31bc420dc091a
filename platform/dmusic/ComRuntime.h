// The COM runtime behind CoInitialize and CoCreateInstance: the thread's initialisation
// and the in-process classes this platform offers.
#pragma once
#include <objbase.h>

namespace platform::com {

class Runtime {
public:
    virtual ~Runtime() = default;
    // CoInitialize on this thread: S_OK the first time, S_FALSE when already initialised.
    virtual HRESULT Initialize() = 0;
    // Balances one Initialize on this thread.
    virtual void Uninitialize() = 0;
    // How many Initialize calls on this thread are not yet balanced.
    virtual int Depth() = 0;
    // A new object of the class, as the interface asked for (*ppv is already null).
    virtual HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) = 0;
};

// The runtime in use; nullptr goes back to the platform's own.
Runtime& CurrentRuntime();
void InstallRuntime(Runtime* runtime);

} // namespace platform::com
