// Plays random games through the game model on the real main window, made in-process
// as the program makes it, and checks the model's invariants after every event: random
// frame times, clock steps, ticks, mouse moves and clicks, hints, starts in the middle of
// deals and of play, rotate styles, speeds, delays and the sound switch.
//
//   game_soak [games] [seed]     prints: games, events, seconds; exits 1 at the first broken invariant
#include "frame/DirectDrawWin.h"
#include "game/AGame.h"
#include "game/Card.h"
#include "game/GameGlobals.h"
#include "game/MemApp.h"
#include "game/MemWin.h"
#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/WindowSystem.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

extern MemApp theApp;

namespace {

struct Soak {
    MemWin* win = nullptr;
    AGame* game = nullptr;
    std::mt19937 rng;
    long long events = 0;
    int games = 0;
    int eventsInDeal = 0;
    bool started = false; // a Start has been accepted: the start-up game is over
    DWORD record = 100000;
    size_t boxes = 0;
    std::string what; // the last event, for the report of a broken invariant

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool Chance(int percent) { return Pick(100) < percent; }

    [[noreturn]] void Fail(const std::string& why)
    {
        std::fprintf(stderr, "game soak: %s\n  after event %lld (%s) of game %d\n", why.c_str(), events, what.c_str(),
                     games + 1);
        std::fprintf(stderr, "  state %d, deal mode %d, next deal card %d, cards finished %d, title \"%s\"\n  cards",
                     g_nGameState, game->m_nDealMode, g_nNextDealCard, g_nCardsFinished, Title().c_str());
        for (Card* card : game->m_apCards)
            std::fprintf(stderr, " %d", card->m_nState);
        std::fputc('\n', stderr);
        std::exit(1);
    }
    void Expect(bool holds, const std::string& why)
    {
        if (!holds)
            Fail(why);
    }

    std::string Title()
    {
        char text[256] = "";
        GetWindowTextA(win->m_hWnd, text, sizeof(text));
        return text;
    }

    // --- events ---

    void PointAt(int x, int y)
    {
        static const UINT flags[] = {0, MK_LBUTTON, MK_LBUTTON, MK_LBUTTON | MK_SHIFT, MK_RBUTTON, MK_SHIFT};
        g_nMouseFlags = flags[Pick(6)];
        g_nMouseX = x;
        g_nMouseY = y;
        game->OnMouseMove();
    }
    // Mostly a face-down card, so that games end; else anywhere on the board.
    void PointSomewhere()
    {
        int k = Pick(12);
        for (int tries = 0; tries < 12 && Chance(90) && game->m_apCards[k]->m_nState != CARD_FACE_DOWN; ++tries)
            k = Pick(12);
        if (Chance(85))
            PointAt((k % 4) * g_nPitchX + g_nOriginX + 1 + Pick(126), (k / 4) * g_nPitchY + g_nOriginY + 1 + Pick(126));
        else
            PointAt(Pick(544), Pick(404));
    }
    void Frame()
    {
        if (Chance(5)) {
            what = "window frame";
            win->DrawFrame(); // the real frame: the vertical blank and the frame timer on the manual clock
            return;
        }
        float dt = Chance(3) ? (float)Pick(3000) / 1000.0f : (float)(1 + Pick(60)) / 1000.0f;
        what = "frame of " + std::to_string(dt) + " s";
        game->Update(&dt);
        game->Draw();
    }

    void Event()
    {
        int dice = Pick(1000);
        if (dice < 450) {
            Frame();
        } else if (dice < 600) {
            what = "clock step";
            platform::testing::AdvanceClock(Pick(300));
        } else if (dice < 750) {
            // Now and then the player rests long enough for the idle flash.
            int ticks = Chance(2) ? 20 + Pick(70) : 1;
            what = std::to_string(ticks) + " ticks";
            for (int i = 0; i < ticks; ++i)
                game->OnTimer();
        } else if (dice < 850) {
            what = "mouse move";
            PointSomewhere();
        } else if (dice < 960) {
            what = "click";
            PointSomewhere();
            game->OnLButtonDown();
            if (Chance(80))
                game->OnLButtonUp();
        } else if (dice < 970) {
            what = "hint";
            game->ShowHint();
        } else if (dice < 975) {
            what = "button up";
            game->OnLButtonUp();
        } else if (dice < 985) {
            what = "sound switch";
            win->m_bSoundOn = !win->m_bSoundOn;
        } else if (dice < 992) {
            what = "options";
            win->m_nRotateStyle = Pick(7);
            g_fRotateSpeed = (float)(1 + Pick(20));
            g_nWaveDelay = 1 + Pick(20);
        } else {
            what = "start";
            // In the middle of a deal it is refused; in play it abandons the game.
            if (g_nGameState == GS_DEALING || Chance(20))
                StartGame();
        }
    }

    void StartGame()
    {
        bool refused = g_nGameState == GS_DEALING;
        game->Start();
        Expect(g_nGameState == GS_DEALING, "Start did not deal");
        if (!refused) {
            started = true;
            eventsInDeal = 0;
            Expect(g_nOriginX == 8 && g_nOriginY == 5 && g_nPitchX == 131, "Start left the shifted layout");
        }
    }

    // --- invariants ---

    bool IsCard(Card* p)
    {
        for (Card* card : game->m_apCards)
            if (card == p)
                return true;
        return false;
    }

    std::string ExpectedClock()
    {
        char text[64];
        unsigned s = g_nElapsedMs / 1000, t = (g_nElapsedMs / 100) % 10;
        if (g_nRecordMs == 100000)
            std::snprintf(text, sizeof(text), " %u.%u", s, t);
        else
            std::snprintf(text, sizeof(text), " %u.%u Record is: %u.%u", s, t, g_nRecordMs / 1000,
                          (g_nRecordMs / 100) % 10);
        return text;
    }

    void Check()
    {
        int counts[6] = {};
        for (Card* card : game->m_apCards) {
            Expect(card->m_nValue >= 0 && card->m_nValue < 6, "a value outside 0 to 5");
            ++counts[card->m_nValue];
            Expect(card->m_nState >= CARD_FACE_UP && card->m_nState <= CARD_TURN_DOWN_SQUARE,
                   "a card state outside play: " + std::to_string(card->m_nState));
        }
        for (int v = 0; v < 6; ++v)
            Expect(counts[v] == 2, "value " + std::to_string(v) + " is not held by two cards");
        int k = 0;
        POSITION pos = game->m_listCards.GetHeadPosition();
        while (pos)
            Expect(game->m_listCards.GetNext(pos) == game->m_apCards[k++], "the list and the array differ");
        Expect(k == 12, "not twelve cards in the list");

        const int state = g_nGameState;
        Expect(state == GS_ONE_UP || state == GS_TWO_UP || state == GS_DEALING || state == GS_NONE_UP ||
                   state == GS_MISMATCH || state == GS_GAME_OVER,
               "game state " + std::to_string(state));
        const int mode = game->m_nDealMode;
        Expect((state == GS_DEALING) == (mode >= DEAL_VERTICAL && mode <= DEAL_RANDOM), "deal mode against state");
        Expect(mode == DEAL_NONE || (mode >= DEAL_VERTICAL && mode <= DEAL_RANDOM) || (!started && mode == DEAL_REVEAL),
               "deal mode " + std::to_string(mode));
        Expect(g_nNextDealCard >= 0 && g_nNextDealCard <= 12, "next deal card out of range");
        Expect(state == GS_DEALING || g_nNextDealCard == 0, "a deal card left over after the deal");
        Expect(g_fDealAccum >= 0.0f && g_fDealAccum <= 20.0f * 0.01f, "deal time beyond the longest delay");
        Expect(g_nIdleTicks >= 0 && g_nIdleTicks <= 80, "idle ticks out of range");
        Expect(g_nShimmerCount >= 0 && g_nShimmerCount <= 60, "shimmer count out of range");
        Expect(g_nCardsFinished >= 0, "negative finished count");
        Expect(g_bWobble == 0 || g_bWobble == 1, "wobble flag");
        bool normal = g_nOriginX == 8 && g_nOriginY == 5 && g_nPitchX == 131 && g_nPitchY == 131;
        bool shifted = g_nOriginX == 10 && g_nOriginY == 7 && g_nPitchX == 130 && g_nPitchY == 130;
        Expect(normal || (shifted && state == GS_GAME_OVER), "layout");

        for (Card* p : {game->m_pFirst, game->m_pSecond, game->m_pHintCard})
            Expect(p == nullptr || IsCard(p), "a pair or hint pointer that is not a card");
        if (state == GS_TWO_UP || state == GS_MISMATCH)
            Expect(game->m_pFirst && game->m_pSecond && game->m_pFirst != game->m_pSecond,
                   "a pair without two cards");
        if (state == GS_MISMATCH)
            Expect(game->m_pFirst->m_nValue != game->m_pSecond->m_nValue, "a mismatch of equal values");

        const bool playing = state == GS_ONE_UP || state == GS_TWO_UP || state == GS_NONE_UP || state == GS_MISMATCH;
        Expect(g_bClockRunning == (started && playing), "clock against state");
        Expect(g_nRecordMs <= record, "the best time grew");
        record = g_nRecordMs;

        const std::string caption = g_pszCaption;
        const std::string title = Title();
        Expect(title.compare(0, caption.size(), caption) == 0, "title without the caption");
        const std::string clock = title.substr(caption.size());
        if (!started)
            Expect(clock.empty(), "a clock before the first game");
        else if (state == GS_DEALING)
            Expect(clock == " 0", "dealing title \"" + clock + "\"");
        else if (g_bClockRunning)
            Expect(clock == ExpectedClock(), "clock \"" + clock + "\" for " + std::to_string(g_nElapsedMs) + " ms");

        const auto& shown = platform::testing::RecordedMessageBoxes();
        if (shown.size() != boxes) {
            Expect(shown.size() == boxes + 1, "more than one box at once");
            char text[96];
            std::snprintf(text, sizeof(text), "You got it, dude!\n\nYour record is: %u sec %u ms", g_nRecordMs / 1000,
                          g_nRecordMs % 1000);
            Expect(shown.back().text == text && shown.back().caption == caption, "record box \"" + shown.back().text + "\"");
            boxes = shown.size();
        }
    }

    void PlayOneGame()
    {
        StartGame();
        for (;;) {
            int before = g_nGameState;
            Event();
            ++events;
            Check();
            if (g_nGameState == GS_DEALING && ++eventsInDeal > 200000)
                Fail("a deal that does not end");
            if (before != GS_GAME_OVER && g_nGameState == GS_GAME_OVER)
                return;
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 100;
    const unsigned seed = argc > 2 ? (unsigned)std::strtoul(argv[2], nullptr, 10) : 1;
    static char programName[] = "game_soak";
    static char* programArgs[] = {programName, nullptr};
    __argc = 1;
    __argv = programArgs;

    if (!platform::testing::StartWindowSystem()) {
        std::fputs("game soak: no display\n", stderr);
        return 2;
    }
    platform::testing::RecordMessageBoxes(IDOK);
    // Near the wrap of the millisecond counter, which the first games cross.
    platform::testing::UseManualClock(true, (1ull << 32) - 20000);
    if (!theApp.InitInstance()) {
        std::fputs("game soak: the main window was not made\n", stderr);
        return 2;
    }
    Soak soak;
    soak.win = dynamic_cast<MemWin*>(theApp.m_pMainWnd);
    soak.game = soak.win ? soak.win->m_pGame : nullptr;
    if (!soak.game) {
        std::fputs("game soak: no game model\n", stderr);
        return 2;
    }
    soak.rng.seed(seed);
    srand(seed);

    const auto begin = std::chrono::steady_clock::now();
    soak.Check();
    for (; soak.games < games; ++soak.games)
        soak.PlayOneGame();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("game soak: %d games, %lld events, %.1f s (seed %u)\n", soak.games, soak.events, seconds, seed);

    theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pDirectDrawWin = NULL;
    return 0;
}
