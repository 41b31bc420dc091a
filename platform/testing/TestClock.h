// The tests' clock: real time by default, or driven by hand; it can lose the performance
// counter and fail vertical-blank waits. Installed on first use.
#pragma once
#include "win32/Clock.h"

namespace platform::testing {

class TestClock final : public clock::Clock {
public:
    explicit TestClock(clock::Clock& real) : m_real(real) {}

    uint64_t NowNs() override { return m_manual ? m_manualNs : m_real.NowNs(); }
    void SleepNs(uint64_t ns) override
    {
        if (m_manual)
            m_manualNs += ns; // nothing else moves a manual clock
        else
            m_real.SleepNs(ns);
    }
    bool HasPerformanceCounter() override { return m_counter; }
    HRESULT WaitForVerticalBlank(int refreshHz) override
    {
        if (m_vblankError != S_OK)
            return m_vblankError;
        SleepNs(clock::NsToNextRefresh(NowNs(), refreshHz));
        return S_OK;
    }

    bool manual() const { return m_manual; }
    void SetManual(bool on, uint64_t startNs)
    {
        m_manual = on;
        m_manualNs = startNs;
    }
    void Advance(uint64_t ns) { m_manualNs += ns; }
    void SetCounter(bool available) { m_counter = available; }
    void SetVerticalBlankError(HRESULT error) { m_vblankError = error; }

private:
    clock::Clock& m_real;
    bool m_manual = false;
    uint64_t m_manualNs = 0;
    bool m_counter = true;
    HRESULT m_vblankError = S_OK;
};

TestClock& TheTestClock();

} // namespace platform::testing
