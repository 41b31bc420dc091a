#include "game/Card.h"

#include "game/GameGlobals.h"
#include "game/MemWin.h"

#include <cstdlib>

Card::Card(MemWin* pOwner)
    : AThing<MemWin*>(pOwner)
    , m_nValue(0)
    , m_nEdge(8)
    , m_nStripTop(60)
    , m_nStripBottom(68)
    , m_nState(CARD_FACE_DOWN)
    , m_bSeen(false)
    , m_rcSrc() // empty: a blit before any effect set them draws nothing
    , m_rcDst()
    , m_nShimmerTicks(0)
    , m_bShimmer(false)
    , m_fTime(0.0f)
    , m_ppBacks(&pOwner->m_pBacksSurface)
    , m_ppFaces(&pOwner->m_pFacesSurface)
{
    m_nWidth = 128;
    m_nHeight = 128;
    m_nFrame = 0;
    m_ppSheet = m_ppFaces;
    m_bClip = false;
}

Card::~Card()
{
}

void Card::Draw()
{
    switch (m_nState) {
    case CARD_HIDDEN:
        break;
    case CARD_FACE_UP:
    case CARD_FACE_DOWN:
        AThing<MemWin*>::Draw();
        break;
    default:
        // An effect: the step of this frame chose the sheet and both rectangles.
        m_pOwner->m_pBackBuffer->Blt(&m_rcDst, *m_ppSheet, &m_rcSrc, DDBLT_WAIT, NULL);
        break;
    }
}

void Card::OnMouseMove()
{
    if (!HitTest() || m_nState != CARD_FACE_UP || g_nGameState != GS_BROWSE)
        return;
    g_nFaceCycleCount += 1;
    if (g_nFaceCycleCount > 5) {
        m_nFrame = (m_nFrame + 1) % 6;
        g_nFaceCycleCount = 0;
    }
}

void Card::OnMouseEnter()
{
    if (m_nState != CARD_FACE_DOWN)
        return;
    m_nShimmerTicks = 0;
    m_bShimmer = false;
    g_nIdleTicks = 0;
    m_ppSheet = m_ppBacks;
    m_nFrame = 1;
}

void Card::OnMouseLeave()
{
    if (m_nState == CARD_FACE_DOWN)
        SetFaceDown();
}

void Card::SetFaceUp()
{
    m_ppSheet = m_ppFaces;
    m_nFrame = m_nValue;
    m_nState = CARD_FACE_UP;
    m_fTime = 0.0f;
}

void Card::SetFaceDown()
{
    m_ppSheet = m_ppBacks;
    m_nFrame = 0;
    m_nState = CARD_FACE_DOWN;
    m_fTime = 0.0f;
}

void Card::StartTurnUp(int nStyle)
{
    switch (nStyle) {
    case ROTATE_VERTICAL:
        m_nState = CARD_TURN_UP_VERTICAL;
        break;
    case ROTATE_HORIZONTAL:
        m_nState = CARD_TURN_UP_HORIZONTAL;
        break;
    case ROTATE_SQUARE:
        m_nState = CARD_TURN_UP_SQUARE;
        break;
    case ROTATE_VH:
        m_nState = CARD_TURN_UP_VH;
        break;
    case ROTATE_HV:
        m_nState = CARD_TURN_UP_HV;
        break;
    case ROTATE_RANDOM:
        m_nState = RandomTurnUpState();
        break;
    default:
        // "Immediate", and any style it does not know: the next step shows the face.
        m_nState = CARD_FACE_UP;
        break;
    }
    m_fTime = 0.0f;
}

CardState Card::RandomTurnUpState()
{
    return static_cast<CardState>(rand() % 5 + CARD_TURN_UP_VERTICAL);
}

CardState Card::RandomTurnDownState()
{
    return static_cast<CardState>(rand() % 5 + CARD_TURN_DOWN_VERTICAL);
}
