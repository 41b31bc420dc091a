#include "support/ResultNames.h"
#include "testing/WindowSystem.h"

#include <gtest/gtest.h>

// Every suite runs on one thread, as the program does, with the window system opened first
// as the program's start-up opens it (tests that need no windows run without a display too).
int main(int argc, char** argv)
{
    platform::testing::StartWindowSystem();
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::NameResultCodesInFailures();
    return RUN_ALL_TESTS();
}
