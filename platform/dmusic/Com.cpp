// COM start-up and in-process activation of the classes this platform offers.
#include "dmusic/ComRuntime.h"

#include "base/Seam.h"
#include "dmusic/Loader.h"
#include "dmusic/Performance.h"

namespace platform::com {
namespace {

struct ComClass {
    const CLSID* clsid;
    HRESULT (*create)(REFIID riid, void** ppv);
};

const ComClass kClasses[] = {
    {&CLSID_DirectMusicLoader, CreateDirectMusicLoader},
    {&CLSID_DirectMusicPerformance, CreateDirectMusicPerformance},
};

class OwnRuntime final : public Runtime {
public:
    HRESULT Initialize() override { return ++t_depth == 1 ? S_OK : S_FALSE; }
    void Uninitialize() override
    {
        if (t_depth > 0)
            --t_depth;
    }
    int Depth() override { return t_depth; }
    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) override
    {
        for (const ComClass& c : kClasses) {
            if (*c.clsid != clsid)
                continue;
            // Every class here is an in-process server.
            if (!(context & CLSCTX_INPROC_SERVER))
                return REGDB_E_CLASSNOTREG;
            if (outer)
                return CLASS_E_NOAGGREGATION;
            return c.create(riid, ppv);
        }
        return REGDB_E_CLASSNOTREG;
    }

private:
    static inline thread_local int t_depth = 0;
};

} // namespace

Runtime& CurrentRuntime() { return Seam<Runtime, OwnRuntime>::Current(); }

void InstallRuntime(Runtime* runtime) { Seam<Runtime, OwnRuntime>::Install(runtime); }

} // namespace platform::com

using platform::com::CurrentRuntime;

HRESULT CoInitialize(LPVOID pvReserved)
{
    if (pvReserved)
        return E_INVALIDARG;
    return CurrentRuntime().Initialize();
}

void CoUninitialize() { CurrentRuntime().Uninitialize(); }

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (CurrentRuntime().Depth() == 0)
        return CO_E_NOTINITIALIZED;
    return CurrentRuntime().CreateInstance(rclsid, pUnkOuter, dwClsContext, riid, ppv);
}
