// COM start-up and in-process activation of the classes this platform offers.
#include <objbase.h>

#include "dmusic/Loader.h"
#include "dmusic/Performance.h"
#include "testing/ComTesting.h"

#include <mutex>
#include <vector>

namespace {

struct ComClass {
    const CLSID* clsid;
    HRESULT (*create)(REFIID riid, void** ppv);
};

const ComClass kClasses[] = {
    {&CLSID_DirectMusicLoader, platform::CreateDirectMusicLoader},
    {&CLSID_DirectMusicPerformance, platform::CreateDirectMusicPerformance},
};

thread_local platform::testing::ComCalls t_calls;

struct Failure {
    CLSID clsid;
    HRESULT hr;
};
std::mutex g_failuresMutex;
std::vector<Failure> g_failures;

HRESULT ForcedFailure(REFCLSID clsid)
{
    std::lock_guard lock(g_failuresMutex);
    for (const Failure& f : g_failures)
        if (f.clsid == clsid)
            return f.hr;
    return S_OK;
}

} // namespace

HRESULT CoInitialize(LPVOID pvReserved)
{
    if (pvReserved)
        return E_INVALIDARG;
    ++t_calls.initialize;
    return ++t_calls.depth == 1 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    ++t_calls.uninitialize;
    if (t_calls.depth > 0)
        --t_calls.depth;
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (t_calls.depth == 0)
        return CO_E_NOTINITIALIZED;
    if (const HRESULT forced = ForcedFailure(rclsid); FAILED(forced))
        return forced;
    for (const ComClass& c : kClasses) {
        if (*c.clsid != rclsid)
            continue;
        // Every class here is an in-process server.
        if (!(dwClsContext & CLSCTX_INPROC_SERVER))
            return REGDB_E_CLASSNOTREG;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        return c.create(riid, ppv);
    }
    return REGDB_E_CLASSNOTREG;
}

namespace platform::testing {

ComCalls GetComCalls() { return t_calls; }

void ResetComCalls()
{
    t_calls.initialize = 0;
    t_calls.uninitialize = 0;
}

void FailCoCreateInstance(REFCLSID clsid, HRESULT hr)
{
    std::lock_guard lock(g_failuresMutex);
    g_failures.push_back({clsid, hr});
}

void ClearComFailures()
{
    std::lock_guard lock(g_failuresMutex);
    g_failures.clear();
}

} // namespace platform::testing
