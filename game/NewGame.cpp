// A new game: the deal, the shuffle, the board layout and the title-bar clock.
#include "game/AGame.h"

#include "frame/BitmapSurface.h"
#include "game/Card.h"
#include "game/GameGlobals.h"
#include "game/GameSounds.h"
#include "game/MemWin.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {

const DWORD kNoRecordMs = 100000;

int DealModeOfStyle(int nStyle)
{
    switch (nStyle) {
    case ROTATE_HORIZONTAL:
        return DEAL_HORIZONTAL;
    case ROTATE_SQUARE:
    case ROTATE_IMMEDIATE: // an immediate turn has no turn-down of its own
        return DEAL_SQUARE;
    case ROTATE_VH:
        return DEAL_VH;
    case ROTATE_HV:
        return DEAL_HV;
    case ROTATE_RANDOM:
        return DEAL_RANDOM;
    default: // ROTATE_VERTICAL; a deal always runs
        return DEAL_VERTICAL;
    }
}

int TurnDownStateOfMode(int nMode)
{
    switch (nMode) {
    case DEAL_HORIZONTAL:
        return CARD_TURN_DOWN_HORIZONTAL;
    case DEAL_SQUARE:
        return CARD_TURN_DOWN_SQUARE;
    case DEAL_VH:
        return CARD_TURN_DOWN_VH;
    case DEAL_HV:
        return CARD_TURN_DOWN_HV;
    case DEAL_RANDOM:
        return Card::RandomTurnDownState();
    default:
        return CARD_TURN_DOWN_VERTICAL;
    }
}

void SetAllCards(CList<Card*, Card*>& list, int nState)
{
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        Card* p = list.GetNext(pos);
        p->m_fTime = 0.0f;
        p->m_nState = nState;
    }
}

} // namespace

void AGame::Start()
{
    if (g_nGameState == GS_DEALING || g_nGameState == GS_LEVEL_CHANGED)
        return;
    SetLayout(0);
    g_nGameState = GS_DEALING;
    g_nCardsFinished = 0;
    SetDealMode(DealModeOfStyle(m_pOwner->m_nRotateStyle));
    // A game in progress is abandoned without a result, and with it its hint: the button
    // going up in the deal would otherwise turn the hint card down in the middle of its
    // dealt effect, whose end the deal then waits for in vain.
    m_pHintCard = NULL;
    g_bClockRunning = 0;
    g_nElapsedMs = 0;
    m_pOwner->SetWindowText(CString(g_pszCaption) + " 0");
}

void AGame::Update(float* pElapsed)
{
    LayoutCards(pElapsed);

    if (m_nDealMode >= DEAL_VERTICAL && m_nDealMode <= DEAL_RANDOM) {
        if (!DealStep(TurnDownStateOfMode(m_nDealMode), pElapsed))
            DealFinished();
    }

    if (g_bClockRunning) {
        // An unsigned difference stays right across the wrap of the millisecond counter.
        g_nElapsedMs = timeGetTime() - g_dwGameStart;
        int nSeconds = (int)(g_nElapsedMs / 1000);
        int nTenths = (int)((g_nElapsedMs / 100) % 10);
        CString sClock;
        if (g_nRecordMs == kNoRecordMs)
            sClock.Format(" %d.%d", nSeconds, nTenths);
        else
            sClock.Format(" %d.%d Record is: %d.%d", nSeconds, nTenths, (int)(g_nRecordMs / 1000),
                          (int)((g_nRecordMs / 100) % 10));
        m_pOwner->SetWindowText(CString(g_pszCaption) + sClock);
    }
}

void AGame::LayoutCards(float* pElapsed)
{
    int k = 0;
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        Card* p = m_listCards.GetNext(pos);
        p->SetPos((k % 4) * g_nPitchX + g_nOriginX, (k / 4) * g_nPitchY + g_nOriginY);
        p->Animate(pElapsed);
        ++k;
    }
}

bool AGame::DealStep(int nState, float* pElapsed)
{
    // Single precision, stored at once: a sum equal to the delay does not tick.
    g_fDealAccum = g_fDealAccum + *pElapsed;
    if (!(g_fDealAccum > (float)g_nWaveDelay * 0.01f))
        return true;
    g_fDealAccum = 0.0f;

    if (g_nNextDealCard < 12) {
        Card* pCard = m_apCards[g_nNextDealCard];
        pCard->m_fTime = 0.0f;
        pCard->m_nState = nState;
        g_nNextDealCard += 1;
        return true;
    }
    if (g_nCardsFinished < 12)
        return true;
    g_nNextDealCard = 0;
    m_nDealMode = DEAL_NONE; // the cards are not touched
    return false;
}

void AGame::DealFinished()
{
    PlayGameSound(m_pOwner, &DSound::m_pGlass);
    m_pOwner->PlayStartSound();
    g_nGameState = GS_NONE_UP;
    g_bClockRunning = 1;
    g_dwGameStart = timeGetTime();
    // The new values are drawn while every card is about to be face down.
    Shuffle();
    ResetForPlay();
}

void AGame::Shuffle()
{
    FillFreeFlags();
    // The free flags stay taken between the passes: the second pass places each partner.
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (int nValue = 0; nValue < 6; ++nValue) {
            int i;
            do {
                i = rand() % 12;
            } while (g_abSlotFree[i] == 0);
            g_anSlotValue[i] = nValue;
            g_abSlotFree[i] = 0;
        }
    }
    FillFreeFlags();

    int k = 0;
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        Card* p = m_listCards.GetNext(pos);
        if (k < 12)
            p->m_nValue = g_anSlotValue[k];
        ++k;
    }
}

void AGame::FillFreeFlags()
{
    for (int& bFree : g_abSlotFree)
        bFree = 1;
    // Written directly: the card's sheet and frame stay as they are.
    SetAllCards(m_listCards, CARD_FACE_UP);
}

void AGame::SetDealMode(int nMode)
{
    m_nDealMode = nMode;
    int nState;
    switch (nMode) {
    case DEAL_NONE:
        nState = CARD_HIDDEN;
        break;
    case DEAL_COVER_ALL:
        nState = CARD_TURN_DOWN_VERTICAL;
        break;
    case DEAL_REVEAL:
        nState = CARD_TURN_UP_VERTICAL;
        break;
    case DEAL_VANISH:
        nState = CARD_VANISH;
        break;
    case DEAL_APPEAR:
        nState = CARD_APPEAR;
        break;
    default: // the deals and the level change only store the mode
        return;
    }
    g_nCardsFinished = 0;
    SetAllCards(m_listCards, nState);
}

void AGame::SetLayout(int nLayout)
{
    if (nLayout == 0) {
        g_nOriginX = g_nBaseOriginX;
        g_nOriginY = g_nBaseOriginY;
        g_nPitchX = g_nPitchY = 131;
    } else if (nLayout == 1) {
        g_nOriginX = g_nBaseOriginX + 2;
        g_nOriginY = g_nBaseOriginY + 2;
        g_nPitchX = g_nPitchY = 130;
    }
}

void AGame::NextLevel()
{
    m_nLevel += 1;
    if (m_nLevel >= m_nLevels)
        m_nLevel = 0;
    ReloadBitmapSurface(m_pOwner->m_pFacesSurface, GetLevelName(), NULL);
}

void AGame::PrevLevel()
{
    m_nLevel -= 1;
    if (m_nLevel < 0)
        m_nLevel = m_nLevels - 1;
    ReloadBitmapSurface(m_pOwner->m_pFacesSurface, GetLevelName(), NULL);
}
