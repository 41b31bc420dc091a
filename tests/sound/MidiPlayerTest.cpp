// The MIDI player: loading from the current directory, failures, shutdown and playing.
#include "support/MusicFiles.h"

#include "sound/MidiPlayer.h"
#include "testing/ComTesting.h"
#include "testing/MusicTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace testsupport;
namespace pt = platform::testing;

namespace {

class MidiPlayerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        const pt::LiveMusicObjects live = pt::GetLiveMusicObjects();
        EXPECT_EQ(live.loaders, 0);
        EXPECT_EQ(live.performances, 0);
        EXPECT_EQ(live.segments, 0);
        EXPECT_EQ(pt::GetComCalls().depth, 0);
    }

    // Inits a player for the name in the current directory and deletes it again.
    HRESULT InitResult(const WCHAR* name)
    {
        MidiPlayer player(name);
        return player.Init();
    }

    MusicSeams m_seams;
    TempDir m_dir;
};

TEST_F(MidiPlayerTest, NullNameLoadsVelmarFromTheCurrentDirectory)
{
    m_dir.Write("velmar_1.mid", TwoNoteSong());
    CurrentDirectory cwd(m_dir.Path());
    MidiPlayer player(NULL);
    EXPECT_EQ(player.m_pLoader, nullptr);
    ASSERT_EQ(player.Init(), S_OK);
    EXPECT_NE(player.m_pLoader, nullptr);
    EXPECT_NE(player.m_pPerformance, nullptr);
    EXPECT_NE(player.m_pSegment, nullptr);
    EXPECT_EQ(player.m_pszFile, nullptr);
}

TEST_F(MidiPlayerTest, TheCurrentDirectoryAtInitIsSearched)
{
    TempDir other;
    other.Write("MUSIC/MusicBox_02_Tesk_CdurCoda.mid", TwoNoteSong());
    const WCHAR* name = u"MUSIC\\MusicBox_02_Tesk_CdurCoda.mid";
    MidiPlayer player(name);
    {
        CurrentDirectory cwd(m_dir.Path());
        EXPECT_LT(InitResult(name), 0);
    }
    CurrentDirectory cwd(other.Path());
    EXPECT_EQ(player.Init(), S_OK);
    EXPECT_NE(player.m_pSegment, nullptr);
}

TEST_F(MidiPlayerTest, AMissingFileMakesInitNegative)
{
    CurrentDirectory cwd(m_dir.Path());
    MidiPlayer player(u"missing.mid");
    EXPECT_EQ(player.Init(), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(player.m_pSegment, nullptr);
    EXPECT_NE(player.m_pPerformance, nullptr);
}

TEST_F(MidiPlayerTest, DeletingAFailedPlayerReleasesWhatWasMadeAndUninitialisesOnce)
{
    CurrentDirectory cwd(m_dir.Path());
    auto player = std::make_unique<MidiPlayer>(u"missing.mid");
    EXPECT_LT(player->Init(), 0);
    EXPECT_EQ(pt::GetLiveMusicObjects().loaders, 1);
    EXPECT_EQ(pt::GetLiveMusicObjects().performances, 1);
    player.reset();
    EXPECT_EQ(pt::GetComCalls().initialize, 1);
    EXPECT_EQ(pt::GetComCalls().uninitialize, 1);
}

TEST_F(MidiPlayerTest, AMissingLoaderOrPerformanceStopsInitWithItsFailure)
{
    m_dir.Write("velmar_1.mid", TwoNoteSong());
    CurrentDirectory cwd(m_dir.Path());
    pt::FailCoCreateInstance(CLSID_DirectMusicPerformance, REGDB_E_CLASSNOTREG);
    auto player = std::make_unique<MidiPlayer>(nullptr);
    EXPECT_EQ(player->Init(), REGDB_E_CLASSNOTREG);
    EXPECT_NE(player->m_pLoader, nullptr);
    EXPECT_EQ(player->m_pSegment, nullptr);
    player.reset();

    pt::FailCoCreateInstance(CLSID_DirectMusicLoader, E_OUTOFMEMORY);
    player = std::make_unique<MidiPlayer>(nullptr);
    EXPECT_EQ(player->Init(), E_OUTOFMEMORY);
    EXPECT_EQ(player->m_pPerformance, nullptr); // not made: it could play nothing
    player.reset();
    EXPECT_EQ(pt::GetComCalls().initialize, 2);
    EXPECT_EQ(pt::GetComCalls().uninitialize, 2);
}

TEST_F(MidiPlayerTest, AnUnreadableCurrentDirectoryFails)
{
    // Deeper than the 260 characters the player reads.
    std::filesystem::path deep = m_dir.Path();
    while (deep.string().size() <= 300)
        deep /= std::string(40, 'd');
    std::filesystem::create_directories(deep);
    CurrentDirectory cwd(deep.string());
    EXPECT_EQ(InitResult(nullptr), E_FAIL);
}

TEST_F(MidiPlayerTest, ANameLongerThanTheDescriptorHoldsIsRefused)
{
    CurrentDirectory cwd(m_dir.Path());
    const std::u16string longName(DMUS_MAX_FILENAME, u'a');
    EXPECT_EQ(InitResult(longName.c_str()), E_INVALIDARG);
    const std::u16string longest(DMUS_MAX_FILENAME - 1, u'a');
    EXPECT_EQ(InitResult(longest.c_str()), DMUS_E_LOADER_FAILEDOPEN);
}

TEST_F(MidiPlayerTest, PlayMidiTestRendersTheSegmentsNotes)
{
    m_dir.Write("velmar_1.mid", TwoNoteSong());
    CurrentDirectory cwd(m_dir.Path());
    MidiPlayer player(NULL);
    ASSERT_EQ(player.Init(), S_OK);
    EXPECT_LE(Peak(pt::RenderCapturedMusic(4410)), kSilent) << "sound before the segment plays";
    ASSERT_EQ(player.m_pPerformance->PlaySegment(player.m_pSegment, DMUS_SEGF_BEAT, 0, NULL), S_OK);
    EXPECT_GT(Peak(pt::RenderCapturedMusic(44100)), kHeard);
}

TEST_F(MidiPlayerTest, TheShippedMusicPlays)
{
    // The program's MIDI folder is copied beside the build, where the tests run.
    const WCHAR* name = u"MUSIC\\MusicBox_02_Tesk_CdurCoda.mid";
    if (!std::filesystem::exists("MUSIC/MusicBox_02_Tesk_CdurCoda.mid"))
        GTEST_SKIP() << "no shipped music in " << std::filesystem::current_path();
    MidiPlayer player(name);
    ASSERT_EQ(player.Init(), S_OK);
    ASSERT_EQ(player.m_pPerformance->PlaySegment(player.m_pSegment, DMUS_SEGF_BEAT, 0, NULL), S_OK);
    EXPECT_GT(Peak(pt::RenderCapturedMusic(44100 * 4)), kHeard);
}

} // namespace
