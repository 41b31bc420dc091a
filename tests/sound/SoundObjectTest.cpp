// Sound effects on records assembled from real buffers (OpenAL's null backend).
#include "sound/SoundObject.h"
#include "support/SoundBuffers.h"
#include "support/WaveImages.h"
#include "testing/DirectSoundSeams.h"

#include <gtest/gtest.h>

using namespace testsupport;

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
    EXPECT_TRUE(HoldsSamples(b, data.data(), 1000));

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
    // The shared memory holds them again.
    EXPECT_TRUE(HoldsSamples(so->m_apBuffers[1], samples.data(), static_cast<DWORD>(samples.size())));
    SoundObjectDestroy(so);
}

} // namespace
