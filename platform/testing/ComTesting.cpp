#include "testing/ComTesting.h"

#include "dmusic/ComRuntime.h"
#include "testing/InstallOnce.h"

#include <vector>

namespace platform::testing {
namespace {

// The platform's runtime, counting start-ups and failing the creations a test chose.
class TestRuntime final : public com::Runtime {
public:
    explicit TestRuntime(com::Runtime& real) : m_real(real) {}

    HRESULT Initialize() override
    {
        ++initialize;
        return m_real.Initialize();
    }
    void Uninitialize() override
    {
        ++uninitialize;
        m_real.Uninitialize();
    }
    int Depth() override { return m_real.Depth(); }
    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) override
    {
        for (const Failure& f : failures)
            if (f.clsid == clsid)
                return f.hr;
        return m_real.CreateInstance(clsid, outer, context, riid, ppv);
    }

    struct Failure {
        CLSID clsid;
        HRESULT hr;
    };
    std::vector<Failure> failures;
    int initialize = 0;
    int uninitialize = 0;

private:
    com::Runtime& m_real;
};

TestRuntime& runtime() { return InstallOnce<TestRuntime>(com::CurrentRuntime, com::InstallRuntime); }

// From the start, so that every CoInitialize is counted.
[[maybe_unused]] const bool g_installed = (runtime(), true);

} // namespace

ComCalls GetComCalls() { return {runtime().initialize, runtime().uninitialize, runtime().Depth()}; }

void ResetComCalls()
{
    runtime().initialize = 0;
    runtime().uninitialize = 0;
}

void FailCoCreateInstance(REFCLSID clsid, HRESULT hr) { runtime().failures.push_back({clsid, hr}); }

void ClearComFailures() { runtime().failures.clear(); }

} // namespace platform::testing
