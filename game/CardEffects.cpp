// The flip effects: each frame a card advances its effect time, and the step of its
// state picks the builder that sets the sheet and the two rectangles Draw blits.
#include "game/Card.h"

#include "game/GameGlobals.h"

namespace {

typedef void (Card::*CardOp)();

// One turn: the builder of each phase (NULL: none runs) and the end action.
struct Turn {
    CardOp pClose;
    CardOp pFirstEdge;
    CardOp pSecondEdge;
    CardOp pOpen;
    CardOp pEnd;
};

void RunTurn(Card& card, const Turn& turn)
{
    const float t = card.m_fTime;
    CardOp pBuild;
    if (t <= 1.0f)
        pBuild = turn.pClose;
    else if (t < 1.25f)
        pBuild = turn.pFirstEdge;
    else if (t < 1.5f)
        pBuild = turn.pSecondEdge;
    else if (t <= 2.5f)
        pBuild = turn.pOpen;
    else {
        (card.*turn.pEnd)();
        g_nCardsFinished += 1;
        return;
    }
    if (pBuild)
        (card.*pBuild)();
}

// Which sides of the destination move: V the top and bottom, H the left and right.
enum { MOVE_V = 1, MOVE_H = 2, MOVE_SQUARE = MOVE_V | MOVE_H };

void SetBackSource(Card& card)
{
    card.m_ppSheet = card.m_ppBacks;
    card.m_rcSrc = RECT{0, card.m_nHeight, card.m_nWidth, 2 * card.m_nHeight};
}

void SetFaceSource(Card& card)
{
    const int nTop = card.m_nValue * card.m_nHeight;
    card.m_ppSheet = card.m_ppFaces;
    card.m_rcSrc = RECT{0, nTop, card.m_nWidth, nTop + card.m_nHeight};
}

// The destination with the moving sides at nNear and at nFarH (left/right) or nFarV
// (top/bottom) from the card's corner; the other sides at the card's own edges.
void SetDestination(Card& card, int nMove, int nNear, int nFarH, int nFarV)
{
    const int x = card.m_x;
    const int y = card.m_y;
    card.m_rcDst.left = x + ((nMove & MOVE_H) ? nNear : 0);
    card.m_rcDst.top = y + ((nMove & MOVE_V) ? nNear : 0);
    card.m_rcDst.right = x + ((nMove & MOVE_H) ? nFarH : card.m_nWidth);
    card.m_rcDst.bottom = y + ((nMove & MOVE_V) ? nFarV : card.m_nHeight);
}

// A side closing onto the middle band. The far side is truncated from the float
// difference, not taken as the size less the near side.
void SetClosing(Card& card, int nMove)
{
    const float a = (float)card.m_nStripTop * card.m_fTime;
    const int nNear = (int)a;
    const int nFarH = (int)((float)card.m_nWidth - a);
    const int nFarV = nMove == MOVE_SQUARE ? nFarH : (int)((float)card.m_nHeight - a);
    SetDestination(card, nMove, nNear, nFarH, nFarV);
}

// A side opening out of the middle band.
void SetOpening(Card& card, int nMove)
{
    const float u = card.m_fTime - 1.5f;
    const float b = u * (float)card.m_nStripTop;
    const int p = (int)((float)card.m_nStripTop - b);
    const int q = (int)((float)card.m_nStripBottom + b);
    SetDestination(card, nMove, p, q, q);
}

} // namespace

void Card::Animate(float* pElapsed)
{
    UpdateHover();
    m_fTime = m_fTime + (*pElapsed * g_fRotateSpeed);

    // The step of each state; the hidden card and the unnamed 14 have none.
    static const CardOp s_apSteps[16] = {
        NULL,
        &Card::StepFaceUp,
        &Card::StepFaceDown,
        &Card::StepTurnUpVertical,
        &Card::StepTurnUpHorizontal,
        &Card::StepTurnUpVH,
        &Card::StepTurnUpHV,
        &Card::StepTurnUpSquare,
        &Card::StepTurnDownVertical,
        &Card::StepTurnDownHorizontal,
        &Card::StepTurnDownVH,
        &Card::StepTurnDownHV,
        &Card::StepTurnDownSquare,
        &Card::StepVanish,
        NULL,
        &Card::StepAppear,
    };
    if (m_nState < 0 || m_nState >= 16)
        return;
    const CardOp pStep = s_apSteps[m_nState];
    if (pStep)
        (this->*pStep)();
}

void Card::StepFaceUp()
{
    // While faces are browsed under the mouse, OnMouseMove chooses the frame.
    if (HitTest() && g_nGameState == GS_BROWSE)
        return;
    m_ppSheet = m_ppFaces;
    m_nFrame = m_nValue;
}

void Card::StepFaceDown()
{
    if (!HitTest())
        return;
    if (!m_bShimmer) {
        m_nShimmerTicks += 1;
        if (m_nShimmerTicks > 150) {
            m_bShimmer = true;
            m_nShimmerTicks = 0;
        }
        if (!m_bShimmer)
            return;
    }
    // One cycle shared by all cards: whichever card shimmers next goes on from here.
    g_nShimmerCount += 1;
    const int c = g_nShimmerCount;
    if (c >= 41 && c <= 49) {
        m_nFrame = 0;
    } else if (c >= 51 && c <= 59) {
        m_nFrame = 1;
    } else if (c > 60) {
        m_nFrame = 2;
        g_nShimmerCount = 0;
    }
}

void Card::StepTurnUpVertical()
{
    RunTurn(*this, Turn{&Card::BackCloseH, &Card::EdgeV, &Card::EdgeV, &Card::FaceOpenH, &Card::SetFaceUp});
}

void Card::StepTurnUpHorizontal()
{
    RunTurn(*this, Turn{&Card::BackCloseV, &Card::EdgeH, &Card::EdgeH, &Card::FaceOpenV, &Card::SetFaceUp});
}

void Card::StepTurnUpVH()
{
    RunTurn(*this, Turn{&Card::BackCloseH, &Card::EdgeV, &Card::EdgeH, &Card::FaceOpenV, &Card::SetFaceUp});
}

void Card::StepTurnUpHV()
{
    RunTurn(*this, Turn{&Card::BackCloseV, &Card::EdgeH, &Card::EdgeV, &Card::FaceOpenH, &Card::SetFaceUp});
}

void Card::StepTurnUpSquare()
{
    // No builder in the middle: the smallest square stays until the face opens.
    RunTurn(*this, Turn{&Card::BackCloseSquare, NULL, NULL, &Card::FaceOpenSquare, &Card::SetFaceUp});
}

void Card::StepTurnDownVertical()
{
    RunTurn(*this, Turn{&Card::FaceCloseH, &Card::EdgeV, &Card::EdgeV, &Card::BackOpenH, &Card::SetFaceDown});
}

void Card::StepTurnDownHorizontal()
{
    RunTurn(*this, Turn{&Card::FaceCloseV, &Card::EdgeH, &Card::EdgeH, &Card::BackOpenV, &Card::SetFaceDown});
}

void Card::StepTurnDownVH()
{
    RunTurn(*this, Turn{&Card::FaceCloseH, &Card::EdgeV, &Card::EdgeH, &Card::BackOpenV, &Card::SetFaceDown});
}

void Card::StepTurnDownHV()
{
    RunTurn(*this, Turn{&Card::FaceCloseV, &Card::EdgeH, &Card::EdgeV, &Card::BackOpenH, &Card::SetFaceDown});
}

void Card::StepTurnDownSquare()
{
    RunTurn(*this, Turn{&Card::FaceCloseSquare, NULL, NULL, &Card::BackOpenSquare, &Card::SetFaceDown});
}

void Card::StepVanish()
{
    const float t = m_fTime;
    if (t <= 1.0f) {
        BackCloseH();
    } else if (t < 1.5f) {
        EdgeV();
    } else {
        // The sheet and rectangles stay: a hidden card is not drawn.
        m_nState = CARD_HIDDEN;
        g_nCardsFinished += 1;
        m_fTime = 0.0f;
    }
}

void Card::StepAppear()
{
    const float t = m_fTime;
    if (t <= 1.5f) {
        EdgeV();
    } else if (t <= 2.5f) {
        BackOpenH();
    } else {
        SetFaceDown();
        g_nCardsFinished += 1;
    }
}

void Card::BackCloseV()
{
    SetBackSource(*this);
    SetClosing(*this, MOVE_V);
}

void Card::BackCloseH()
{
    SetBackSource(*this);
    SetClosing(*this, MOVE_H);
}

void Card::BackCloseSquare()
{
    SetBackSource(*this);
    SetClosing(*this, MOVE_SQUARE);
}

void Card::FaceCloseV()
{
    SetFaceSource(*this);
    SetClosing(*this, MOVE_V);
}

void Card::FaceCloseH()
{
    SetFaceSource(*this);
    SetClosing(*this, MOVE_H);
}

void Card::FaceCloseSquare()
{
    SetFaceSource(*this);
    SetClosing(*this, MOVE_SQUARE);
}

void Card::BackOpenV()
{
    SetBackSource(*this);
    SetOpening(*this, MOVE_V);
}

void Card::BackOpenH()
{
    SetBackSource(*this);
    SetOpening(*this, MOVE_H);
}

void Card::BackOpenSquare()
{
    SetBackSource(*this);
    SetOpening(*this, MOVE_SQUARE);
}

void Card::FaceOpenV()
{
    SetFaceSource(*this);
    SetOpening(*this, MOVE_V);
}

void Card::FaceOpenH()
{
    SetFaceSource(*this);
    SetOpening(*this, MOVE_H);
}

void Card::FaceOpenSquare()
{
    SetFaceSource(*this);
    SetOpening(*this, MOVE_SQUARE);
}

void Card::EdgeH()
{
    const int nTop = 3 * m_nHeight;
    m_ppSheet = m_ppBacks;
    m_rcSrc = RECT{0, nTop, m_nWidth, nTop + m_nEdge};
    m_rcDst = RECT{m_x, m_y + m_nStripTop, m_x + m_nWidth, m_y + m_nStripBottom};
}

void Card::EdgeV()
{
    const int nTop = 3 * m_nHeight;
    m_ppSheet = m_ppBacks;
    m_rcSrc = RECT{0, nTop, m_nEdge, 4 * m_nHeight};
    m_rcDst = RECT{m_x + m_nStripTop, m_y, m_x + m_nStripBottom, m_y + m_nHeight};
}
