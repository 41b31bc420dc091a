// This test binary run again for one test, in a process of its own: for what a process
// reads once (OpenAL's configuration) or writes where a test cannot catch it in-process
// (the terminal).
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport {

struct ChildRun {
    int exitCode = -1; // -1 when it did not run or did not exit
    std::string errors; // what it wrote on stderr
};

// Runs the tests matching `filter` with the environment of this process, less the variables
// that start with one of `drop`, plus `add` ("NAME=value").
ChildRun RunThisBinary(const std::string& filter, const std::vector<std::string>& drop,
                       const std::vector<std::string>& add);

// Registers Test (a test class with its own TestBody) as suite.name, in the child only: the
// process started with `variable` set.
template <class Test>
bool RegisterChildTest(const char* variable, const char* suite, const char* name)
{
    if (!std::getenv(variable))
        return false;
    ::testing::RegisterTest(suite, name, nullptr, nullptr, __FILE__, __LINE__, []() -> ::testing::Test* { return new Test; });
    return true;
}

} // namespace testsupport
