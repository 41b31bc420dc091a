// The rules of play: clicks, the 100 ms tick, the current pair, the hint and the level.
#include "game/AGame.h"

#include "game/Card.h"
#include "game/GameGlobals.h"
#include "game/GameSounds.h"
#include "game/MemWin.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {

// After this many ticks without a sign of the player, a face or a pair is glimpsed.
const int kIdleTicksBeforeFlash = 80;
const float kMismatchShownMs = 800.0f;

void StartFlash(Card* pCard)
{
    pCard->m_fTime = 0.0f;
    pCard->m_nState = CARD_TURN_DOWN_VERTICAL;
}

} // namespace

void AGame::OnLButtonDown()
{
    Card* pCard = CardUnderMouse();
    if (pCard == NULL) {
        PlayGameSound(m_pOwner, &DSound::m_pOop);
        return;
    }

    switch (g_nGameState) {
    case GS_ONE_UP:
        // Without a first card (the start-up state) this click chooses the first card, as
        // when none is up: a pair is never compared without it. Nor with the first card
        // twice: when the idle flash has turned the first card down, a click on it turns it
        // up again as the first card.
        if (m_pFirst == NULL || pCard == m_pFirst)
            break;
        if (pCard->m_nState != CARD_FACE_DOWN)
            return;
        m_pSecond = pCard;
        pCard->StartTurnUp(m_pOwner->m_nRotateStyle);
        g_nGameState = GS_TWO_UP;
        return;
    case GS_MISMATCH:
        TurnBackPair();
        [[fallthrough]];
    case GS_TWO_UP:
        if (!ComparePair())
            TurnBackPair();
        break;
    case GS_NONE_UP:
        break;
    default:
        return;
    }

    if (pCard->m_nState == CARD_FACE_DOWN) {
        m_pFirst = pCard;
        pCard->StartTurnUp(m_pOwner->m_nRotateStyle);
        g_nGameState = GS_ONE_UP;
        PlayGameSound(m_pOwner, &DSound::m_pTsik);
    }
}

bool AGame::ComparePair()
{
    if (m_pFirst->m_nValue != m_pSecond->m_nValue) {
        g_nGameState = GS_MISMATCH;
        return false;
    }
    g_nGameState = GS_NONE_UP;
    PlayGameSound(m_pOwner, &DSound::m_pBrim);
    return true;
}

void AGame::TurnBackPair()
{
    g_nGameState = GS_NONE_UP;
    m_pFirst->SetFaceDown();
    m_pSecond->SetFaceDown();
    if (!m_pFirst->m_bSeen && !m_pSecond->m_bSeen) {
        m_pFirst->m_bSeen = true;
        m_pSecond->m_bSeen = true;
    }
}

void AGame::ResetForPlay()
{
    for (int& bFree : g_abSlotFree)
        bFree = 0;
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        Card* p = m_listCards.GetNext(pos);
        p->m_bSeen = false;
        p->SetFaceDown();
    }
}

void AGame::OnTimer()
{
    g_nIdleTicks += 1;
    if (g_nIdleTicks > kIdleTicksBeforeFlash) {
        g_nIdleTicks = 0;
        if (IsNoneFaceUp()) {
            Card* pCard = CardUnderMouse();
            if (pCard == NULL) {
                pCard = GetCardAt(rand() % 12);
                Card* pPartner = FindPartner(pCard);
                if (pPartner)
                    StartFlash(pPartner);
            }
            StartFlash(pCard);
        }
    }

    switch (g_nGameState) {
    case GS_ONE_UP:
    case GS_NONE_UP:
        if (IsGameWon()) {
            g_nGameState = GS_GAME_OVER;
            if (g_bClockRunning) {
                m_pOwner->PlayWinSound();
                if (g_nElapsedMs < g_nRecordMs) {
                    g_nRecordMs = g_nElapsedMs;
                    CString sRecord;
                    sRecord.Format("%d sec %d ms", (int)(g_nRecordMs / 1000), (int)(g_nRecordMs % 1000));
                    m_pOwner->MessageBox(CString("You got it, dude!\n\nYour record is: ") + sRecord, g_pszCaption,
                                         MB_OK);
                }
            }
            g_bClockRunning = 0;
        }
        break;
    case GS_TWO_UP:
        if (m_pSecond->m_nState == CARD_FACE_UP) {
            g_dwPairShownAt = timeGetTime();
            ComparePair();
        }
        break;
    case GS_MISMATCH:
        // An unsigned difference stays right across the wrap of the millisecond counter.
        if ((float)(DWORD)(timeGetTime() - g_dwPairShownAt) > kMismatchShownMs)
            TurnBackPair();
        break;
    case GS_GAME_OVER:
        g_bWobble = !g_bWobble;
        SetLayout(g_bWobble == 1 ? 0 : 1);
        break;
    default:
        break;
    }
}

bool AGame::IsGameWon()
{
    // Exactly the left button alone holds the win back: a test of equality, not of the bit.
    if (g_nMouseFlags == MK_LBUTTON)
        return false;
    return IsNoneFaceDown();
}

void AGame::ShowHint()
{
    if (g_nGameState != GS_ONE_UP)
        return;
    m_pHintCard = m_pOwner->m_pGame->GetFirstPartner();
    if (m_pHintCard)
        m_pHintCard->SetFaceUp();
}

void AGame::OnLButtonUp()
{
    if (m_pHintCard) {
        m_pHintCard->SetFaceDown();
        m_pHintCard = NULL;
    }
}

void AGame::HideHint()
{
    if (g_nGameState != GS_ONE_UP)
        return;
    if (m_pHintCard)
        m_pHintCard->SetFaceDown();
}

void AGame::ChangeLevel()
{
    if (g_nGameState == GS_DEALING)
        return;
    SetLayout(0);
    if (g_nMouseFlags == MK_SHIFT)
        PrevLevel();
    else
        NextLevel();
    if (g_nGameState == GS_NONE_UP || g_nGameState == GS_ONE_UP) {
        g_nGameState = GS_LEVEL_CHANGED;
        SetDealMode(DEAL_LEVEL_CHANGED);
    } else {
        g_nGameState = GS_BROWSE;
    }
}
