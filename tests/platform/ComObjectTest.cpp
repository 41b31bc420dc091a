// The COM objects' shared base: one count per object over all its interfaces, kept
// exactly when several threads take and drop references at once.
#include "testing/DirectDrawSeams.h"

#include <ddraw.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(ComObject, InterfacesOfOneObjectShareItsCount)
{
    const int before = platform::testing::LiveDirectDrawObjects().directDraws;
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    IDirectDraw2* dd2 = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw2, (void**)&dd2), S_OK);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(dd2->QueryInterface(IID_IUnknown, (void**)&unknown), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(dd));
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(dd->QueryInterface(IID_IDirectDrawSurface, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    EXPECT_EQ(dd->Release(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().directDraws, before + 1);
    EXPECT_EQ(dd2->Release(), 0u);
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().directDraws, before);
}

TEST(ComObject, ReferencesTakenOnManyThreadsAreAllCounted)
{
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    const int before = platform::testing::LiveDirectDrawObjects().clippers;

    constexpr int kThreads = 4, kRounds = 200000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([clipper] {
            for (int i = 0; i < kRounds; ++i)
                clipper->AddRef();
            for (int i = 0; i < kRounds; ++i)
                clipper->Release();
        });
    for (std::thread& t : threads)
        t.join();

    EXPECT_EQ(clipper->AddRef(), 2u) << "references lost or gained between threads";
    EXPECT_EQ(clipper->Release(), 1u);
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().clippers, before);
    EXPECT_EQ(clipper->Release(), 0u);
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().clippers, before - 1);
    dd->Release();
}

} // namespace
