// The DirectSound stand-in on the real output (OpenAL's null backend, which plays in real time).
#include "support/PlainWindow.h"
#include "support/SoundBuffers.h"
#include "testing/DirectSoundSeams.h"

#include <gtest/gtest.h>
#include <dsound.h>

#include <chrono>
#include <cstring>
#include <thread>

using namespace testsupport;

namespace {

struct DirectSoundTest : ::testing::Test {
    IDirectSound* ds = nullptr;

    void SetUp() override { ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK); }
    void TearDown() override
    {
        if (ds)
            ds->Release();
        platform::testing::ResetDirectSoundSeams();
    }
    // 8-bit mono at the lowest rate: 100 bytes a second, so a play position moves slowly.
    IDirectSoundBuffer* Slow(DWORD bytes = 10000) { return MakeBuffer(ds, 1, 8, DSBFREQUENCY_MIN, bytes); }
};

TEST(DirectSoundCreate, FailsWithoutADevice)
{
    IDirectSound* ds = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);

    platform::testing::SetSoundDeviceAvailable(false);
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);
    platform::testing::ResetDirectSoundSeams();

    const GUID other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectSoundCreate(&other, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);
}

TEST_F(DirectSoundTest, CooperativeLevelNeedsAWindowAndAKnownLevel)
{
    EXPECT_EQ(ds->SetCooperativeLevel(reinterpret_cast<HWND>(0x1234), DSSCL_NORMAL), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_INVALIDPARAM);
    HWND gone = MakePlainWindow();
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(ds->SetCooperativeLevel(gone, DSSCL_NORMAL), DSERR_INVALIDPARAM);

    HWND window = MakePlainWindow();
    ASSERT_NE(window, nullptr);
    for (DWORD level : {DSSCL_NORMAL, DSSCL_PRIORITY, DSSCL_EXCLUSIVE, DSSCL_WRITEPRIMARY})
        EXPECT_EQ(ds->SetCooperativeLevel(window, level), DS_OK) << level;
    EXPECT_EQ(ds->SetCooperativeLevel(window, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(window, DSSCL_WRITEPRIMARY + 1), DSERR_INVALIDPARAM);

    // The device's refusal comes after the checks of the call itself.
    platform::testing::FailSoundCooperativeLevel(DSERR_ALLOCATED);
    EXPECT_EQ(ds->SetCooperativeLevel(window, DSSCL_NORMAL), DSERR_ALLOCATED);
    EXPECT_EQ(ds->SetCooperativeLevel(gone, DSSCL_NORMAL), DSERR_INVALIDPARAM);
    DestroyWindow(window);
}

TEST_F(DirectSoundTest, CreatesBuffersOfEveryPcmShape)
{
    for (int channels : {1, 2}) {
        for (int bits : {8, 16}) {
            IDirectSoundBuffer* b = MakeBuffer(ds, channels, bits, 11025, 400);
            ASSERT_NE(b, nullptr) << channels << "x" << bits;
            WAVEFORMATEX f{};
            ASSERT_EQ(b->GetFormat(&f, sizeof(f), nullptr), DS_OK);
            EXPECT_EQ(f.nChannels, channels);
            EXPECT_EQ(f.wBitsPerSample, bits);
            EXPECT_EQ(f.nSamplesPerSec, 11025u);
            b->Release();
        }
    }
}

TEST_F(DirectSoundTest, RefusesABadDescription)
{
    struct Case {
        const char* what;
        void (*spoil)(DSBUFFERDESC&, WAVEFORMATEX&);
    };
    const Case cases[] = {
        {"size of the old structure", [](DSBUFFERDESC& d, WAVEFORMATEX&) { d.dwSize = offsetof(DSBUFFERDESC, guid3DAlgorithm); }},
        {"unknown flag", [](DSBUFFERDESC& d, WAVEFORMATEX&) { d.dwFlags |= 0x80000000u; }},
        {"no format", [](DSBUFFERDESC& d, WAVEFORMATEX&) { d.lpwfxFormat = nullptr; }},
        {"not PCM", [](DSBUFFERDESC&, WAVEFORMATEX& f) { f.wFormatTag = 2; }},
        {"three channels", [](DSBUFFERDESC&, WAVEFORMATEX& f) { f.nChannels = 3; f.nBlockAlign = 6; }},
        {"24 bits", [](DSBUFFERDESC&, WAVEFORMATEX& f) { f.wBitsPerSample = 24; f.nBlockAlign = 3; }},
        {"rate too high", [](DSBUFFERDESC&, WAVEFORMATEX& f) { f.nSamplesPerSec = DSBFREQUENCY_MAX + 1; }},
        {"block alignment", [](DSBUFFERDESC&, WAVEFORMATEX& f) { f.nBlockAlign = 1; }},
        {"no bytes", [](DSBUFFERDESC& d, WAVEFORMATEX&) { d.dwBufferBytes = 0; }},
        {"half a block", [](DSBUFFERDESC& d, WAVEFORMATEX&) { d.dwBufferBytes = 401; }},
    };
    for (const Case& c : cases) {
        WAVEFORMATEX f = PcmFormat(1, 16, 22050);
        DSBUFFERDESC d = BufferDesc(&f, 400);
        c.spoil(d, f);
        IDirectSoundBuffer* b = reinterpret_cast<IDirectSoundBuffer*>(1);
        EXPECT_EQ(ds->CreateSoundBuffer(&d, &b, nullptr), DSERR_INVALIDPARAM) << c.what;
        EXPECT_EQ(b, nullptr) << c.what;
    }
    IDirectSoundBuffer* b = nullptr;
    EXPECT_EQ(ds->CreateSoundBuffer(nullptr, &b, nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, LockGivesTwoPartsWhenItWrapsPastTheEnd)
{
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, 8000, 100);
    ASSERT_NE(b, nullptr);
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;

    ASSERT_EQ(b->Lock(0, 100, &p1, &n1, &p2, &n2, 0), DS_OK);
    BYTE* base = static_cast<BYTE*>(p1);
    EXPECT_EQ(n1, 100u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(n2, 0u);
    for (int i = 0; i < 100; ++i)
        base[i] = static_cast<BYTE>(i);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);

    ASSERT_EQ(b->Lock(80, 50, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(p1, base + 80);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(p2, base);
    EXPECT_EQ(n2, 30u);
    EXPECT_EQ(static_cast<BYTE*>(p1)[0], 80); // what was written stays
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);

    ASSERT_EQ(b->Lock(30, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n1 + n2, 100u);
    EXPECT_EQ(p1, base + 30);
    b->Unlock(p1, n1, p2, n2);

    EXPECT_EQ(b->Lock(100, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 101, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(90, 20, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);

    BYTE elsewhere[4];
    EXPECT_EQ(b->Unlock(elsewhere, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Unlock(base + 90, 20, nullptr, 0), DSERR_INVALIDPARAM);
    b->Release();
}

TEST_F(DirectSoundTest, StopKeepsThePositionAndPlayGoesOnFromIt)
{
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, 8000, 80000);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    ASSERT_TRUE(WaitUntilMoved(b));
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(StatusOf(b), 0u);
    const DWORD stopped = PlayPositionOf(b);
    EXPECT_GT(stopped, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(PlayPositionOf(b), stopped);

    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_GE(PlayPositionOf(b), stopped);
    b->Release();
}

TEST_F(DirectSoundTest, ABufferThatPlayedToItsEndStopsAtTheStart)
{
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, 8000, 80); // 10 ms
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->SetCurrentPosition(40), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    ASSERT_TRUE(WaitUntilStopped(b));
    EXPECT_EQ(StatusOf(b), 0u);
    EXPECT_EQ(PlayPositionOf(b), 0u);
    b->Release();
}

TEST_F(DirectSoundTest, ALoopingBufferGoesOnPastItsEnd)
{
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, 8000, 80); // 10 ms
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(StatusOf(b), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    b->Release();
}

TEST_F(DirectSoundTest, DuplicatesShareTheMemoryButPlayOnTheirOwn)
{
    IDirectSoundBuffer* original = Slow(400);
    ASSERT_NE(original, nullptr);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(original, &copy), DS_OK);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, original);

    void *p1 = nullptr, *q1 = nullptr;
    DWORD n1 = 0, m1 = 0;
    ASSERT_EQ(original->Lock(0, 400, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    std::memset(p1, 0x33, n1);
    original->Unlock(p1, n1, nullptr, 0);
    ASSERT_EQ(copy->Lock(0, 400, &q1, &m1, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(q1, p1);
    EXPECT_EQ(static_cast<BYTE*>(q1)[399], 0x33);
    copy->Unlock(q1, m1, nullptr, 0);

    ASSERT_EQ(original->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(StatusOf(copy), 0u);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    original->Stop();
    EXPECT_EQ(StatusOf(copy), DWORD(DSBSTATUS_PLAYING));

    // The memory lives as long as any buffer on it.
    original->Release();
    ASSERT_EQ(copy->Lock(0, 400, &q1, &m1, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(static_cast<BYTE*>(q1)[0], 0x33);
    copy->Unlock(q1, m1, nullptr, 0);
    copy->Release();

    IDirectSoundBuffer* none = reinterpret_cast<IDirectSoundBuffer*>(1);
    EXPECT_EQ(ds->DuplicateSoundBuffer(nullptr, &none), DSERR_INVALIDPARAM);
    EXPECT_EQ(none, nullptr);
}

TEST_F(DirectSoundTest, ALostBufferStopsAndRefusesUntilRestored)
{
    IDirectSoundBuffer* b = Slow(400);
    ASSERT_NE(b, nullptr);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(b, &copy), DS_OK);
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_EQ(b->Lock(0, 400, &p, &n, nullptr, nullptr, 0), DS_OK);
    std::memset(p, 0x11, n);
    b->Unlock(p, n, nullptr, 0);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);

    ASSERT_TRUE(platform::testing::MarkSoundBufferLost(b));
    EXPECT_EQ(StatusOf(b), DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_EQ(StatusOf(copy), DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Lock(0, 400, &p, &n, nullptr, nullptr, 0), DSERR_BUFFERLOST);

    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(StatusOf(b), 0u);
    EXPECT_EQ(StatusOf(copy), 0u);
    // The memory came back without its samples.
    ASSERT_EQ(copy->Lock(0, 400, &p, &n, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(static_cast<BYTE*>(p)[0], 0x80);
    copy->Unlock(p, n, nullptr, 0);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    copy->Release();
    b->Release();
}

TEST_F(DirectSoundTest, BuffersOutliveTheDeviceObject)
{
    IDirectSoundBuffer* b = Slow(400);
    ASSERT_NE(b, nullptr);
    ds->Release();
    ds = nullptr;
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(StatusOf(b), DWORD(DSBSTATUS_PLAYING));
    b->Release();
}

} // namespace
