// The tests' window toolkit: the real one, with the tests' say over waiting (a hook, or
// the manual clock moving on to the next timer), the screen's mode, and the bell, which
// is counted. Put in place with the real one (WindowSystem.h).
#pragma once
#include "win32/Backend.h"

#include <functional>
#include <optional>

namespace platform::testing {

class TestApplication final : public backend::Application {
public:
    explicit TestApplication(backend::Application& real) : m_real(real) {}

    bool Open(const char* programName, const char* noDisplayLine) override
    {
        return m_real.Open(programName, noDisplayLine);
    }
    void Close() override { m_real.Close(); }
    bool IsOpen() override { return m_real.IsOpen(); }
    void Pump() override { m_real.Pump(); }
    void Wait(uint64_t timeoutNs) override;
    DisplayMode Screen() override { return screen ? *screen : m_real.Screen(); }
    POINT CursorPos() override { return m_real.CursorPos(); }
    void Beep() override
    {
        ++beeps;
        m_real.Beep();
    }

    std::function<void()> waitHook;
    std::optional<DisplayMode> screen;
    int beeps = 0;

private:
    backend::Application& m_real;
};

TestApplication& TheTestApplication();

} // namespace platform::testing
