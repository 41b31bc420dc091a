#include "support/ResultNames.h"

#include <gtest/gtest.h>

// Every suite runs on one thread, as the program does; the platform creates its
// Qt application lazily on first use.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::NameResultCodesInFailures();
    return RUN_ALL_TESTS();
}
