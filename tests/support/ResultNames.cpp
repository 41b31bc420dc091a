#include "support/ResultNames.h"

#include <ddraw.h>
#include <dmerror.h>
#include <dmusici.h>
#include <dsound.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include <winerror.h>

#include <map>
#include <memory>
#include <regex>

namespace testsupport {
namespace {

// Every failure code the platform's headers define (generated from them by the build).
const std::map<HRESULT, std::string>& Names()
{
    static const std::map<HRESULT, std::string> names = [] {
        std::map<HRESULT, std::string> m;
        const auto add = [&m](HRESULT code, const char* name) {
            if (code >= 0)
                return;
            std::string& entry = m[code];
            entry += entry.empty() ? name : std::string(" / ") + name;
        };
#define RESULT_CODE(name) add(name, #name);
#include "ResultCodes.inc"
#undef RESULT_CODE
        return m;
    }();
    return names;
}

// The default printer, shown messages with the codes named.
class NamingPrinter final : public ::testing::TestEventListener {
public:
    explicit NamingPrinter(::testing::TestEventListener* inner) : m_inner(inner) {}

    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        const std::string message = NameResultCodes(result.message());
        m_inner->OnTestPartResult(
            ::testing::TestPartResult(result.type(), result.file_name(), result.line_number(), message.c_str()));
    }
    void OnTestProgramStart(const ::testing::UnitTest& u) override { m_inner->OnTestProgramStart(u); }
    void OnTestIterationStart(const ::testing::UnitTest& u, int i) override { m_inner->OnTestIterationStart(u, i); }
    void OnEnvironmentsSetUpStart(const ::testing::UnitTest& u) override { m_inner->OnEnvironmentsSetUpStart(u); }
    void OnEnvironmentsSetUpEnd(const ::testing::UnitTest& u) override { m_inner->OnEnvironmentsSetUpEnd(u); }
    void OnTestSuiteStart(const ::testing::TestSuite& s) override { m_inner->OnTestSuiteStart(s); }
    void OnTestStart(const ::testing::TestInfo& t) override { m_inner->OnTestStart(t); }
    void OnTestEnd(const ::testing::TestInfo& t) override { m_inner->OnTestEnd(t); }
    void OnTestSuiteEnd(const ::testing::TestSuite& s) override { m_inner->OnTestSuiteEnd(s); }
    void OnEnvironmentsTearDownStart(const ::testing::UnitTest& u) override { m_inner->OnEnvironmentsTearDownStart(u); }
    void OnEnvironmentsTearDownEnd(const ::testing::UnitTest& u) override { m_inner->OnEnvironmentsTearDownEnd(u); }
    void OnTestIterationEnd(const ::testing::UnitTest& u, int i) override { m_inner->OnTestIterationEnd(u, i); }
    void OnTestProgramEnd(const ::testing::UnitTest& u) override { m_inner->OnTestProgramEnd(u); }

private:
    std::unique_ptr<::testing::TestEventListener> m_inner;
};

} // namespace

std::string NameResultCodes(const std::string& message)
{
    // Failure codes are negative: a minus and at least nine digits, standing alone.
    static const std::regex number(R"((^|[^0-9A-Za-z_])(-[0-9]{9,10})(?![0-9]))");
    std::string out;
    auto from = message.cbegin();
    for (std::sregex_iterator it(message.begin(), message.end(), number), end; it != end; ++it) {
        const auto& m = *it;
        out.append(from, m[2].second);
        from = m[2].second;
        const auto name = Names().find(static_cast<HRESULT>(std::stoll(m[2].str())));
        if (name != Names().end())
            out += " (" + name->second + ")";
    }
    out.append(from, message.cend());
    return out;
}

void NameResultCodesInFailures()
{
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    if (::testing::TestEventListener* printer = listeners.Release(listeners.default_result_printer()))
        listeners.Append(new NamingPrinter(printer));
}

} // namespace testsupport
