// The sound bank: its device, its eighteen effects, its two messages and the
// start-up sound, on a real device (OpenAL's null backend).
#include "sound/DSound.h"
#include "support/PlainWindow.h"
#include "support/SoundBuffers.h"
#include "testing/DirectSoundSeams.h"
#include "testing/HiddenResources.h"
#include "testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
namespace seams = platform::testing;

namespace {

struct Effect {
    const char* name;
    SoundObject* DSound::*slot;
    int buffers;
};

// In load order.
const Effect kEffects[] = {
    {"Done1", &DSound::m_pDone1, 1}, {"Done2", &DSound::m_pDone2, 1}, {"Done3", &DSound::m_pDone3, 1},
    {"Oop", &DSound::m_pOop, 1},     {"Tsik", &DSound::m_pTsik, 1},   {"Chpok", &DSound::m_pChpok, 5},
    {"Brim", &DSound::m_pBrim, 1},   {"Menu", &DSound::m_pMenu, 3},   {"Bloop", &DSound::m_pBloop, 3},
    {"Fall1", &DSound::m_pFall1, 1}, {"Fall2", &DSound::m_pFall2, 1}, {"Fall3", &DSound::m_pFall3, 1},
    {"Fall4", &DSound::m_pFall4, 1}, {"Fall5", &DSound::m_pFall5, 1}, {"Fall6", &DSound::m_pFall6, 1},
    {"Fall7", &DSound::m_pFall7, 1}, {"Fall8", &DSound::m_pFall8, 1}, {"Glass", &DSound::m_pGlass, 1},
};

constexpr int kBankBuffers = 26; // 15 one-buffer effects, 5 + 3 + 3 for Chpok, Menu, Bloop

const char kNoCooperativeLevel[] = "Cann't set sound cooperative level";
const char kNoResources[] = "Cann't load sound resources";

// All twenty slots, in field order.
std::vector<SoundObject*> SlotsOf(const DSound& bank)
{
    return {bank.m_pSpare1, bank.m_pDone1, bank.m_pDone2,  bank.m_pDone3, bank.m_pOop,   bank.m_pTsik,  bank.m_pChpok,
            bank.m_pMenu,   bank.m_pBrim,  bank.m_pBloop,  bank.m_pFall1, bank.m_pFall2, bank.m_pFall3, bank.m_pFall4,
            bank.m_pFall5,  bank.m_pFall6, bank.m_pFall7,  bank.m_pFall8, bank.m_pSpare2, bank.m_pGlass};
}

bool AnyBufferPlays(const SoundObject* so)
{
    for (int i = 0; so && i < so->m_nBuffers; ++i)
        if (so->m_apBuffers[i] && (StatusOf(so->m_apBuffers[i]) & DSBSTATUS_PLAYING))
            return true;
    return false;
}

struct SoundBankTest : ::testing::Test {
    HWND hwnd = nullptr;
    int buffersBefore = 0;
    int devicesBefore = 0;

    void SetUp() override
    {
        seams::RecordMessageBoxes(IDOK);
        seams::ClearRecordedMessageBoxes();
        hwnd = MakePlainWindow();
        ASSERT_NE(hwnd, nullptr);
        buffersBefore = seams::LiveSoundBuffers();
        devicesBefore = seams::LiveDirectSoundDevices();
    }
    void TearDown() override
    {
        DestroyWindow(hwnd);
        seams::UnhideAllResources();
        seams::ResetDirectSoundSeams();
        seams::StopRecordingMessageBoxes();
        seams::ClearRecordedMessageBoxes();
    }

    // The texts of the message boxes shown so far, each checked to be an OK box.
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& box : seams::RecordedMessageBoxes()) {
            EXPECT_EQ(box.type & MB_TYPEMASK, static_cast<UINT>(MB_OK)) << box.text;
            texts.push_back(box.text);
        }
        return texts;
    }

    void ExpectNothingLeft()
    {
        EXPECT_EQ(seams::LiveSoundBuffers(), buffersBefore);
        EXPECT_EQ(seams::LiveDirectSoundDevices(), devicesBefore);
    }
};

void ExpectSilentAndEmpty(const DSound& bank)
{
    for (SoundObject* so : SlotsOf(bank)) {
        EXPECT_EQ(so, nullptr);
        EXPECT_FALSE(SoundObjectPlay(so, 0));
    }
}

TEST_F(SoundBankTest, WithoutADeviceTheBankIsSilentAndSaysNothing)
{
    seams::SetSoundDeviceAvailable(false);
    auto bank = std::make_unique<DSound>(hwnd);
    EXPECT_EQ(bank->m_pDirectSound, nullptr);
    EXPECT_FALSE(bank->m_bLoaded);
    ExpectSilentAndEmpty(*bank);
    bank.reset();
    EXPECT_TRUE(Messages().empty());
    ExpectNothingLeft();
}

TEST_F(SoundBankTest, ACooperativeLevelThatCannotBeSetReleasesTheDevice)
{
    // Refused by the device, and refused for a handle that is no longer a window.
    HWND gone = MakePlainWindow();
    DestroyWindow(gone);
    for (HWND target : {hwnd, gone}) {
        SCOPED_TRACE(target == gone ? "destroyed window" : "refused level");
        seams::ClearRecordedMessageBoxes();
        seams::FailSoundCooperativeLevel(target == gone ? DS_OK : DSERR_PRIOLEVELNEEDED);
        auto bank = std::make_unique<DSound>(target);
        EXPECT_EQ(Messages(), std::vector<std::string>{kNoCooperativeLevel});
        EXPECT_EQ(bank->m_pDirectSound, nullptr);
        EXPECT_FALSE(bank->m_bLoaded);
        ExpectSilentAndEmpty(*bank);
        EXPECT_EQ(seams::LiveDirectSoundDevices(), devicesBefore);
        bank.reset();
        EXPECT_EQ(Messages().size(), 1u);
        ExpectNothingLeft();
    }
}

TEST_F(SoundBankTest, LoadsEveryEffectWithItsBuffersAndReleasesThemAll)
{
    auto bank = std::make_unique<DSound>(hwnd);
    EXPECT_TRUE(Messages().empty());
    ASSERT_NE(bank->m_pDirectSound, nullptr);
    EXPECT_TRUE(bank->m_bLoaded);
    EXPECT_EQ(bank->m_pSpare1, nullptr);
    EXPECT_EQ(bank->m_pSpare2, nullptr);

    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.name);
        const SoundObject* so = (*bank).*e.slot;
        ASSERT_NE(so, nullptr);
        // Each slot holds its own resource's samples.
        BYTE* data = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(GetWaveResource(nullptr, e.name, nullptr, &data, &size));
        EXPECT_EQ(so->m_pData, data);
        EXPECT_EQ(so->m_nDataSize, size);
        EXPECT_EQ(so->m_nBuffers, e.buffers);
        EXPECT_EQ(so->m_nCurrent, 0);
        for (int i = 0; i < so->m_nBuffers; ++i)
            EXPECT_NE(so->m_apBuffers[i], nullptr) << "buffer " << i;
    }
    EXPECT_EQ(seams::LiveSoundBuffers(), buffersBefore + kBankBuffers);
    EXPECT_EQ(seams::LiveDirectSoundDevices(), devicesBefore + 1);

    bank.reset();
    EXPECT_TRUE(Messages().empty());
    ExpectNothingLeft();
}

TEST_F(SoundBankTest, TheStartUpSoundIsDone1Alone)
{
    DSound bank(hwnd);
    // "Done1" lasts over two seconds: it still sounds right after construction.
    EXPECT_TRUE(AnyBufferPlays(bank.m_pDone1));
    for (const Effect& e : kEffects) {
        if (e.slot == &DSound::m_pDone1)
            continue;
        EXPECT_FALSE(AnyBufferPlays(bank.*e.slot)) << e.name;
    }
}

TEST_F(SoundBankTest, WithEveryWaveMissingTheBankIsLoadedButSilent)
{
    for (const Effect& e : kEffects)
        seams::HideResource(e.name, "WAV");
    auto bank = std::make_unique<DSound>(hwnd);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNoResources});
    EXPECT_NE(bank->m_pDirectSound, nullptr);
    EXPECT_TRUE(bank->m_bLoaded);
    ExpectSilentAndEmpty(*bank);
    EXPECT_EQ(seams::LiveSoundBuffers(), buffersBefore);
    bank.reset();
    EXPECT_EQ(Messages().size(), 1u);
    ExpectNothingLeft();
}

TEST_F(SoundBankTest, WithoutDone1TheStartIsSilentAndTheOtherEffectsPlay)
{
    seams::HideResource("DONE1", "WAV");
    DSound bank(hwnd);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNoResources});
    EXPECT_TRUE(bank.m_bLoaded);
    EXPECT_EQ(bank.m_pDone1, nullptr);
    EXPECT_FALSE(SoundObjectPlay(bank.m_pDone1, 0));
    for (const Effect& e : kEffects) {
        if (e.slot == &DSound::m_pDone1)
            continue;
        SoundObject* so = bank.*e.slot;
        ASSERT_NE(so, nullptr) << e.name;
        EXPECT_FALSE(AnyBufferPlays(so)) << e.name;
        EXPECT_TRUE(SoundObjectPlay(so, 0)) << e.name;
    }
}

TEST_F(SoundBankTest, OnlyAMissingDone1IsReported)
{
    seams::HideResource("Glass", "WAV");
    seams::HideResource("Chpok", "WAV");
    DSound bank(hwnd);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(bank.m_bLoaded);
    EXPECT_EQ(bank.m_pGlass, nullptr);
    EXPECT_EQ(bank.m_pChpok, nullptr);
    EXPECT_NE(bank.m_pBrim, nullptr); // loading went on past the gap
    EXPECT_TRUE(AnyBufferPlays(bank.m_pDone1));
}

} // namespace
