#include <gtest/gtest.h>

// Every suite runs on one thread, as the program does; the platform creates its
// Qt application lazily on first use.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
