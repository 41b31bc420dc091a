// Sound objects made from the program's own WAV resources, on a real device
// (OpenAL's null backend) that can be told to fail duplicates and creations.
#include "sound/SoundObject.h"
#include "support/FaultyDirectSound.h"
#include "support/SoundBuffers.h"
#include "testing/DirectSoundSeams.h"
#include "testing/HiddenResources.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testsupport;

namespace {

struct BankSound {
    const char* name; // as the sound bank asks for it; stored in upper case
    WORD bits;
    DWORD rate;
    DWORD dataBytes;
};

// Every one mono PCM, "fmt " first.
const BankSound kBankSounds[] = {
    {"Done1", 8, 22050, 46988}, {"Done2", 8, 22050, 57344}, {"Done3", 8, 11025, 9520},
    {"Oop", 8, 22050, 22528},   {"Tsik", 16, 22050, 594},   {"Chpok", 8, 11025, 2386},
    {"Brim", 8, 22050, 26304},  {"Menu", 8, 22050, 3020},   {"Bloop", 8, 11025, 2152},
    {"Fall1", 8, 8000, 8921},   {"Fall2", 8, 11025, 4780},  {"Fall3", 8, 11025, 9110},
    {"Fall4", 8, 11025, 11748}, {"Fall5", 8, 11025, 11630}, {"Fall6", 8, 11025, 13934},
    {"Fall7", 8, 11025, 7769},  {"Fall8", 8, 11025, 7235},  {"Glass", 8, 11025, 12886},
};

struct Samples {
    BYTE* data = nullptr;
    DWORD size = 0;
};

Samples SamplesOf(const char* name)
{
    Samples s;
    EXPECT_TRUE(GetWaveResource(nullptr, name, nullptr, &s.data, &s.size)) << name;
    return s;
}

struct SoundResourceTest : ::testing::Test {
    std::unique_ptr<FaultyDirectSound> device;

    void SetUp() override
    {
        IDirectSound* real = nullptr;
        ASSERT_EQ(DirectSoundCreate(nullptr, &real, nullptr), DS_OK);
        device = std::make_unique<FaultyDirectSound>(real);
        real->Release();
    }

    void TearDown() override
    {
        EXPECT_TRUE(device->AllBuffersReleased());
        device.reset();
        platform::testing::UnhideAllResources();
        platform::testing::ResetDirectSoundSeams();
    }
};

TEST_F(SoundResourceTest, EveryBankSoundLoadsWithItsOwnFormatAndSamples)
{
    for (const BankSound& sound : kBankSounds) {
        SCOPED_TRACE(sound.name);
        HRSRC info = FindResourceA(nullptr, sound.name, "WAV");
        ASSERT_NE(info, nullptr);
        auto* image = static_cast<BYTE*>(LockResource(LoadResource(nullptr, info)));
        const DWORD imageSize = SizeofResource(nullptr, info);

        WAVEFORMATEX* format = nullptr;
        BYTE* data = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(GetWaveResource(nullptr, sound.name, &format, &data, &size));
        EXPECT_EQ(reinterpret_cast<BYTE*>(format), image + 20); // the "fmt " body, used in place
        EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(format->nChannels, 1);
        EXPECT_EQ(format->nSamplesPerSec, sound.rate);
        EXPECT_EQ(format->wBitsPerSample, sound.bits);
        EXPECT_EQ(format->nBlockAlign, sound.bits / 8);
        EXPECT_EQ(size, sound.dataBytes);
        EXPECT_GE(data, image + 44); // behind the "fmt " chunk at least
        EXPECT_LE(data + size, image + imageSize);

        IDirectSoundBuffer* buffer = LoadSoundBuffer(device.get(), sound.name, nullptr);
        ASSERT_NE(buffer, nullptr);
        WAVEFORMATEX made{};
        ASSERT_EQ(buffer->GetFormat(&made, sizeof(made), nullptr), DS_OK);
        EXPECT_EQ(made.nSamplesPerSec, sound.rate);
        EXPECT_EQ(made.wBitsPerSample, sound.bits);
        DSBCAPS caps{};
        caps.dwSize = sizeof(caps);
        ASSERT_EQ(buffer->GetCaps(&caps), DS_OK);
        EXPECT_EQ(caps.dwBufferBytes, sound.dataBytes);
        const DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        EXPECT_EQ(caps.dwFlags & flags, flags);
        EXPECT_TRUE(HoldsSamples(buffer, data, size));
        buffer->Release();
    }
}

TEST_F(SoundResourceTest, ACountOfZeroOrBelowMakesOneBuffer)
{
    const Samples oop = SamplesOf("Oop");
    for (int count : {0, -1}) {
        SCOPED_TRACE(count);
        SoundObject* so = SoundObjectCreate(device.get(), "Oop", count, nullptr);
        ASSERT_NE(so, nullptr);
        EXPECT_EQ(so->m_nBuffers, 1);
        EXPECT_EQ(so->m_nCurrent, 0);
        EXPECT_EQ(so->m_pData, oop.data);
        EXPECT_EQ(so->m_nDataSize, oop.size);
        EXPECT_NE(so->m_apBuffers[0], nullptr);
        EXPECT_TRUE(SoundObjectPlay(so, 0));
        SoundObjectDestroy(so);
    }
    EXPECT_EQ(device->creates, 2);
    EXPECT_EQ(device->duplicates, 0);
}

TEST_F(SoundResourceTest, FiveBuffersAreDuplicatesOfTheFirst)
{
    const Samples chpok = SamplesOf("Chpok");
    SoundObject* so = SoundObjectCreate(device.get(), "Chpok", 5, nullptr);
    ASSERT_NE(so, nullptr);
    ASSERT_EQ(so->m_nBuffers, 5);
    EXPECT_EQ(device->creates, 1);
    EXPECT_EQ(device->duplicates, 4);
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(so->m_apBuffers[i], nullptr);
        EXPECT_TRUE(HoldsSamples(so->m_apBuffers[i], chpok.data, chpok.size)) << "buffer " << i;
    }
    // One sample memory: what is written through the first shows in every other.
    ASSERT_TRUE(PokeSample(so->m_apBuffers[0], 0, static_cast<BYTE>(~chpok.data[0])));
    for (int i = 1; i < 5; ++i)
        EXPECT_FALSE(HoldsSamples(so->m_apBuffers[i], chpok.data, chpok.size)) << "buffer " << i;
    SoundObjectDestroy(so);
}

TEST_F(SoundResourceTest, AHiddenResourceMakesNothing)
{
    platform::testing::HideResource("CHPOK", "WAV");
    DWORD size = 0;
    EXPECT_FALSE(GetWaveResource(nullptr, "Chpok", nullptr, nullptr, &size));
    EXPECT_EQ(LoadSoundBuffer(device.get(), "Chpok", nullptr), nullptr);
    EXPECT_EQ(SoundObjectCreate(device.get(), "Chpok", 5, nullptr), nullptr);
    EXPECT_EQ(device->creates, 0);
    EXPECT_EQ(device->duplicates, 0);
    // The others are still there.
    EXPECT_TRUE(GetWaveResource(nullptr, "Glass", nullptr, nullptr, &size));
}

TEST_F(SoundResourceTest, AFailedDuplicateFallsBackToAFreshLoad)
{
    device->failDuplicates = true;
    const Samples menu = SamplesOf("Menu");
    SoundObject* so = SoundObjectCreate(device.get(), "Menu", 3, nullptr);
    ASSERT_NE(so, nullptr);
    EXPECT_EQ(device->creates, 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(so->m_apBuffers[i], nullptr);
        EXPECT_TRUE(HoldsSamples(so->m_apBuffers[i], menu.data, menu.size)) << "buffer " << i;
    }
    // Each fresh buffer has samples of its own.
    ASSERT_TRUE(PokeSample(so->m_apBuffers[0], 0, static_cast<BYTE>(~menu.data[0])));
    EXPECT_TRUE(HoldsSamples(so->m_apBuffers[1], menu.data, menu.size));
    SoundObjectDestroy(so);
}

TEST_F(SoundResourceTest, WhenTheFreshLoadFailsTooTheRecordIsReleased)
{
    device->failDuplicates = true;
    device->createsBeforeFailing = 2;
    EXPECT_EQ(SoundObjectCreate(device.get(), "Bloop", 3, nullptr), nullptr);
    EXPECT_EQ(device->creates, 2); // both released again: checked on tear-down
}

TEST_F(SoundResourceTest, AMissingFirstBufferFailsOnlyARecordThatNeedsMore)
{
    device->createsBeforeFailing = 0;
    SoundObject* one = SoundObjectCreate(device.get(), "Glass", 1, nullptr);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->m_apBuffers[0], nullptr);
    EXPECT_FALSE(SoundObjectPlay(one, 0));
    SoundObjectDestroy(one);

    // Nothing to duplicate, and the fresh load fails as well.
    EXPECT_EQ(SoundObjectCreate(device.get(), "Menu", 3, nullptr), nullptr);
}

} // namespace
