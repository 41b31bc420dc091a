// The main window's commands as the menu gives them: the sound switch and its check mark,
// the default size, the MIDI test and the start of a game.
#include "GameTestSupport.h"

#include "game/GameGlobals.h"
#include "sound/MidiPlayer.h"
#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "testing/MusicTesting.h"
#include "testing/WindowProbe.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

using gametest::Choose;
using platform::testing::RecordedMessageBoxes;

using CommandsTest = gametest::GameWindowTest;

bool SoundItemChecked(MemWin* pWin)
{
    return platform::testing::MenuBarItem(pWin->m_hWnd, ID_GAME_SOUND).checked &&
           (pWin->GetMenu()->GetMenuState(ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(CommandsTest, SoundTurnsTheSwitchOnWithACheckMarkAndOffAgain)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    ASSERT_EQ(pWin->m_bSoundOn, 0);
    ASSERT_FALSE(SoundItemChecked(pWin));

    Choose(pWin, ID_GAME_SOUND);
    EXPECT_EQ(pWin->m_bSoundOn, 1);
    EXPECT_TRUE(SoundItemChecked(pWin));

    Choose(pWin, ID_GAME_SOUND);
    EXPECT_EQ(pWin->m_bSoundOn, 0);
    EXPECT_FALSE(SoundItemChecked(pWin));

    // Any other value counts as on: the next choice turns it off.
    pWin->m_bSoundOn = 5;
    Choose(pWin, ID_GAME_SOUND);
    EXPECT_EQ(pWin->m_bSoundOn, 0);
    EXPECT_FALSE(SoundItemChecked(pWin));
}

TEST_F(CommandsTest, StartResetsTheIdleCounter)
{
    // The clock stands still: the window's 100 ms timer cannot come due between the start
    // and the check, however slowly a loaded machine runs the test.
    struct StillClock {
        StillClock() { platform::testing::UseManualClock(true); }
        ~StillClock() { platform::testing::UseManualClock(false); }
    } still;
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    g_nIdleTicks = 57;

    Choose(pWin, ID_GAME_START);

    EXPECT_EQ(g_nIdleTicks, 0);
}

TEST_F(CommandsTest, DefaultSizeRestoresAMaximisedWindowToTheRecordedSizeWhereItWas)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    const CRect recorded(pWin->m_rcDefaultWindow);
    pWin->SetWindowPos(NULL, 0, 0, recorded.Width() + 150, recorded.Height() + 90, SWP_NOMOVE | SWP_NOZORDER);
    CRect before;
    pWin->GetWindowRect(&before);
    ASSERT_EQ(before.Width(), recorded.Width() + 150);
    pWin->ShowWindow(SW_SHOWMAXIMIZED);
    platform::testing::DispatchPendingMessages();
    ASSERT_TRUE(pWin->IsZoomed());

    Choose(pWin, ID_GAME_DEFAULT_SIZE);

    EXPECT_FALSE(pWin->IsZoomed());
    CRect after;
    pWin->GetWindowRect(&after);
    EXPECT_EQ(after.Width(), recorded.Width());
    EXPECT_EQ(after.Height(), recorded.Height());
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    CRect client;
    pWin->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 544);
    EXPECT_EQ(client.Height(), 404);
    EXPECT_EQ(GetActiveWindow(), pWin->m_hWnd);
}

TEST_F(CommandsTest, PlayMidiTestPlaysTheSegmentOfAPlayerAndNothingWithoutOne)
{
    namespace pt = platform::testing;
    if (!std::filesystem::exists("MUSIC/MusicBox_02_Tesk_CdurCoda.mid"))
        GTEST_SKIP() << "no shipped music in " << std::filesystem::current_path();
    pt::SetMusicOutputMode(pt::MusicOutputMode::Capture);
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    ASSERT_EQ(pWin->m_pMidiPlayer, nullptr);
    Choose(pWin, ID_GAME_PLAY_MIDI);
    EXPECT_TRUE(pt::RenderCapturedMusic(4410).empty()) << "no player, no port";

    pWin->m_pMidiPlayer = new MidiPlayer(u"MUSIC\\MusicBox_02_Tesk_CdurCoda.mid");
    ASSERT_EQ(pWin->m_pMidiPlayer->Init(), S_OK);
    std::vector<int16_t> before = pt::RenderCapturedMusic(4410);
    Choose(pWin, ID_GAME_PLAY_MIDI);
    std::vector<int16_t> after = pt::RenderCapturedMusic(44100 * 3);
    pt::SetMusicOutputMode(pt::MusicOutputMode::Device);

    auto peak = [](const std::vector<int16_t>& samples) {
        int p = 0;
        for (int16_t s : samples)
            p = std::max(p, std::abs(int(s)));
        return p;
    };
    EXPECT_LE(peak(before), 2) << "music before the command";
    EXPECT_GT(peak(after), 300) << "the segment was not played";
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

} // namespace
