// Sound effects on records assembled from real buffers (OpenAL's null backend), and
// the failure paths on a scripted buffer.
#include "sound/SoundObject.h"
#include "support/SoundBuffers.h"
#include "support/WaveImages.h"
#include "testing/DirectSoundSeams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace test_support;

namespace {

// Records as SoundObjectCreate lays them out: the first buffer filled with the
// samples, the others its duplicates.
struct SoundObjectTest : ::testing::Test {
    IDirectSound* ds = nullptr;
    // 8-bit mono at the lowest rate, 100 bytes a second: a play position moves slowly.
    Bytes samples = Ramp(20000);

    void SetUp() override { ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK); }
    void TearDown() override
    {
        ds->Release();
        platform::testing::ResetDirectSoundSeams();
    }

    SoundObject* Record(int buffers, Bytes* data = nullptr, DWORD rate = DSBFREQUENCY_MIN)
    {
        if (!data)
            data = &samples;
        auto* so = static_cast<SoundObject*>(LocalAlloc(LPTR, SOUNDOBJECT_SIZE(buffers)));
        so->m_pData = data->data();
        so->m_nDataSize = static_cast<DWORD>(data->size());
        so->m_nBuffers = buffers;
        so->m_apBuffers[0] = MakeBuffer(ds, 1, 8, rate, so->m_nDataSize);
        EXPECT_TRUE(FillSoundBuffer(so->m_apBuffers[0], so->m_pData, so->m_nDataSize));
        for (int i = 1; i < buffers; ++i)
            EXPECT_EQ(ds->DuplicateSoundBuffer(so->m_apBuffers[0], &so->m_apBuffers[i]), DS_OK);
        return so;
    }
};

bool HoldsSamples(IDirectSoundBuffer* b, const Bytes& expected)
{
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (FAILED(b->Lock(0, static_cast<DWORD>(expected.size()), &p1, &n1, &p2, &n2, 0)))
        return false;
    bool same = n1 == expected.size() && std::memcmp(p1, expected.data(), n1) == 0;
    b->Unlock(p1, n1, p2, n2);
    return same;
}

TEST_F(SoundObjectTest, FillSoundBufferCopiesTheSamples)
{
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, 8000, 1000);
    ASSERT_NE(b, nullptr);
    Bytes data = Ramp(1000);
    EXPECT_FALSE(FillSoundBuffer(nullptr, data.data(), 1000));
    EXPECT_FALSE(FillSoundBuffer(b, nullptr, 1000));
    EXPECT_FALSE(FillSoundBuffer(b, data.data(), 0)); // an empty "data" chunk makes no sound
    EXPECT_FALSE(FillSoundBuffer(b, data.data(), 1001));
    EXPECT_TRUE(FillSoundBuffer(b, data.data(), 1000));
    EXPECT_TRUE(HoldsSamples(b, data));

    platform::testing::MarkSoundBufferLost(b);
    EXPECT_FALSE(FillSoundBuffer(b, data.data(), 1000));
    b->Release();
}

TEST_F(SoundObjectTest, NullRecordsAndMissingResources)
{
    SoundObjectDestroy(nullptr);
    EXPECT_FALSE(SoundObjectPlay(nullptr, 0));
    EXPECT_EQ(SoundObjectGetFreeBuffer(nullptr), nullptr);

    WAVEFORMATEX* f = nullptr;
    EXPECT_FALSE(GetWaveResource(nullptr, "NoSuchSound", &f, nullptr, nullptr));
    EXPECT_EQ(LoadSoundBuffer(ds, "NoSuchSound", nullptr), nullptr);
    EXPECT_EQ(SoundObjectCreate(ds, "NoSuchSound", 3, nullptr), nullptr);

    // A record whose first buffer could not be made never plays.
    auto* so = static_cast<SoundObject*>(LocalAlloc(LPTR, SOUNDOBJECT_SIZE(1)));
    so->m_nBuffers = 1;
    EXPECT_FALSE(SoundObjectPlay(so, 0));
    SoundObjectDestroy(so);
}

TEST_F(SoundObjectTest, DestroyReleasesEveryBuffer)
{
    SoundObject* so = Record(3);
    std::vector<IDirectSoundBuffer*> held(so->m_apBuffers, so->m_apBuffers + 3);
    for (auto* b : held)
        b->AddRef();
    SoundObjectDestroy(so);
    for (auto* b : held)
        EXPECT_EQ(b->Release(), 0u);
}

TEST_F(SoundObjectTest, AOneBufferEffectThatStillPlaysIsNotRestarted)
{
    SoundObject* so = Record(1);
    IDirectSoundBuffer* b = so->m_apBuffers[0];
    ASSERT_TRUE(SoundObjectPlay(so, 0));
    EXPECT_EQ(StatusOf(b), DWORD(DSBSTATUS_PLAYING));
    ASSERT_EQ(b->SetCurrentPosition(15000), DS_OK);

    EXPECT_FALSE(SoundObjectPlay(so, 0));
    EXPECT_EQ(StatusOf(b), DWORD(DSBSTATUS_PLAYING));
    EXPECT_GE(PlayPositionOf(b), 15000u);
    EXPECT_EQ(so->m_nCurrent, 0);
    SoundObjectDestroy(so);
}

TEST_F(SoundObjectTest, TheSixthPlayOfFiveBuffersRestartsTheOneAfterTheCurrent)
{
    SoundObject* so = Record(5);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(SoundObjectPlay(so, 0)) << "play " << i + 1;
        EXPECT_EQ(so->m_nCurrent, i);
        EXPECT_EQ(StatusOf(so->m_apBuffers[i]), DWORD(DSBSTATUS_PLAYING));
    }
    ASSERT_EQ(so->m_apBuffers[0]->SetCurrentPosition(15000), DS_OK);

    ASSERT_TRUE(SoundObjectPlay(so, 0));
    EXPECT_EQ(so->m_nCurrent, 0);
    EXPECT_EQ(StatusOf(so->m_apBuffers[0]), DWORD(DSBSTATUS_PLAYING));
    EXPECT_LT(PlayPositionOf(so->m_apBuffers[0]), 15000u); // rewound, played from the start
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(StatusOf(so->m_apBuffers[i]), DWORD(DSBSTATUS_PLAYING)) << "buffer " << i;
    SoundObjectDestroy(so);
}

TEST_F(SoundObjectTest, ABufferThatFinishedIsUsedAgainWithoutMovingOn)
{
    Bytes blip = Ramp(80); // 10 ms at 8000 Hz
    SoundObject* so = Record(3, &blip, 8000);
    ASSERT_TRUE(SoundObjectPlay(so, 0));
    ASSERT_TRUE(WaitUntilStopped(so->m_apBuffers[0]));
    ASSERT_TRUE(SoundObjectPlay(so, 0));
    EXPECT_EQ(so->m_nCurrent, 0);
    EXPECT_EQ(StatusOf(so->m_apBuffers[1]), 0u);
    SoundObjectDestroy(so);
}

TEST_F(SoundObjectTest, OnlyAOneBufferEffectLoops)
{
    SoundObject* three = Record(3);
    EXPECT_FALSE(SoundObjectPlay(three, DSBPLAY_LOOPING));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(StatusOf(three->m_apBuffers[i]), 0u);
    SoundObjectDestroy(three);

    SoundObject* one = Record(1);
    EXPECT_TRUE(SoundObjectPlay(one, DSBPLAY_LOOPING));
    EXPECT_EQ(StatusOf(one->m_apBuffers[0]), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    SoundObjectDestroy(one);
}

TEST_F(SoundObjectTest, ALostBufferIsRestoredAndRefilledBeforeItPlays)
{
    SoundObject* so = Record(2);
    ASSERT_TRUE(platform::testing::MarkSoundBufferLost(so->m_apBuffers[0]));
    ASSERT_TRUE(SoundObjectPlay(so, 0));
    EXPECT_EQ(StatusOf(so->m_apBuffers[0]), DWORD(DSBSTATUS_PLAYING));
    EXPECT_TRUE(HoldsSamples(so->m_apBuffers[1], samples)); // the shared memory holds them again
    SoundObjectDestroy(so);
}

// A buffer that answers as a test scripts it and records the calls it gets.
struct ScriptedBuffer : IDirectSoundBuffer {
    HRESULT statusResult = DS_OK;
    DWORD status = 0;
    HRESULT restoreResult = DS_OK;
    std::vector<std::string> calls;

    STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetCaps(LPDSBCAPS) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentPosition(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetVolume(LPLONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetPan(LPLONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetFrequency(LPDWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetStatus(LPDWORD s) override
    {
        calls.push_back("GetStatus");
        if (SUCCEEDED(statusResult))
            *s = status;
        return statusResult;
    }
    STDMETHODIMP Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    STDMETHODIMP Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override
    {
        calls.push_back("Lock");
        return DSERR_BUFFERLOST;
    }
    STDMETHODIMP Play(DWORD, DWORD, DWORD) override
    {
        calls.push_back("Play");
        return DS_OK;
    }
    STDMETHODIMP SetCurrentPosition(DWORD) override
    {
        calls.push_back("SetCurrentPosition");
        return DS_OK;
    }
    STDMETHODIMP SetFormat(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
    STDMETHODIMP SetVolume(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP SetPan(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP SetFrequency(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stop() override
    {
        calls.push_back("Stop");
        return DS_OK;
    }
    STDMETHODIMP Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    STDMETHODIMP Restore() override
    {
        calls.push_back("Restore");
        return restoreResult;
    }
};

using Calls = std::vector<std::string>;

struct ScriptedRecord {
    ScriptedBuffer buffers[2];
    BYTE data[4] = {1, 2, 3, 4};
    SoundObject* so = static_cast<SoundObject*>(LocalAlloc(LPTR, SOUNDOBJECT_SIZE(2)));
    ScriptedRecord()
    {
        so->m_pData = data;
        so->m_nDataSize = sizeof(data);
        so->m_nBuffers = 2;
        so->m_apBuffers[0] = &buffers[0];
        so->m_apBuffers[1] = &buffers[1];
    }
    ~ScriptedRecord() { LocalFree(so); }
};

TEST(SoundObjectFailures, AStatusThatCannotBeReadCountsAsIdle)
{
    ScriptedRecord r;
    r.buffers[0].statusResult = DSERR_GENERIC;
    r.buffers[0].status = DSBSTATUS_PLAYING | DSBSTATUS_BUFFERLOST;
    EXPECT_TRUE(SoundObjectPlay(r.so, 0));
    EXPECT_EQ(r.buffers[0].calls, (Calls{"GetStatus", "Play"}));
    EXPECT_EQ(r.so->m_nCurrent, 0);
}

TEST(SoundObjectFailures, TheNextBufferIsTakenAsItIsWhenItsStatusCannotBeRead)
{
    ScriptedRecord r;
    r.buffers[0].status = DSBSTATUS_PLAYING;
    r.buffers[1].statusResult = DSERR_GENERIC;
    EXPECT_TRUE(SoundObjectPlay(r.so, 0));
    EXPECT_EQ(r.so->m_nCurrent, 1);
    EXPECT_EQ(r.buffers[0].calls, (Calls{"GetStatus"}));
    EXPECT_EQ(r.buffers[1].calls, (Calls{"GetStatus", "Play"}));
}

TEST(SoundObjectFailures, ALostBufferThatCannotBeRestoredOrRefilledIsTriedAgainNextTime)
{
    ScriptedRecord r;
    r.buffers[0].status = DSBSTATUS_BUFFERLOST;
    r.buffers[0].restoreResult = DSERR_BUFFERLOST;
    EXPECT_FALSE(SoundObjectPlay(r.so, 0));
    EXPECT_EQ(r.buffers[0].calls, (Calls{"GetStatus", "Restore"}));

    // Restored, but its memory still cannot be locked for the refill.
    r.buffers[0].calls.clear();
    r.buffers[0].restoreResult = DS_OK;
    EXPECT_FALSE(SoundObjectPlay(r.so, 0));
    EXPECT_EQ(r.buffers[0].calls, (Calls{"GetStatus", "Restore", "Lock"}));
    EXPECT_EQ(r.so->m_apBuffers[0], &r.buffers[0]);
    EXPECT_EQ(r.so->m_nCurrent, 0);
}

} // namespace
