// One of the twelve cards: its face value, its state and the flip effect running on it.
#pragma once
#include "game/AThing.h"

class MemWin;

// What a card shows and which effect runs on it.
enum CardState {
    CARD_HIDDEN = 0,
    CARD_FACE_UP = 1,
    CARD_FACE_DOWN = 2,
    CARD_TURN_UP_VERTICAL = 3,
    CARD_TURN_UP_HORIZONTAL = 4,
    CARD_TURN_UP_VH = 5,
    CARD_TURN_UP_HV = 6,
    CARD_TURN_UP_SQUARE = 7,
    CARD_TURN_DOWN_VERTICAL = 8,
    CARD_TURN_DOWN_HORIZONTAL = 9,
    CARD_TURN_DOWN_VH = 10,
    CARD_TURN_DOWN_HV = 11,
    CARD_TURN_DOWN_SQUARE = 12,
    CARD_VANISH = 13,
    // 14 has no name: nothing sets it and no step runs for it.
    CARD_APPEAR = 15,
};

class Card : public AThing<MemWin*> {
public:
    explicit Card(MemWin* pOwner);
    virtual ~Card();

    virtual void Draw();
    virtual void OnMouseMove();
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();

    void SetFaceUp();
    void SetFaceDown();
    void StartTurnUp(int nStyle);
    static CardState RandomTurnUpState();
    static CardState RandomTurnDownState();

    // Flip effects: one step per frame.
    void Animate(float* pElapsed);

    void StepFaceUp();
    void StepFaceDown();
    void StepTurnUpVertical();
    void StepTurnUpHorizontal();
    void StepTurnUpVH();
    void StepTurnUpHV();
    void StepTurnUpSquare();
    void StepTurnDownVertical();
    void StepTurnDownHorizontal();
    void StepTurnDownVH();
    void StepTurnDownHV();
    void StepTurnDownSquare();
    void StepVanish();
    void StepAppear();

    void BackCloseV();
    void BackCloseH();
    void BackCloseSquare();
    void FaceCloseV();
    void FaceCloseH();
    void FaceCloseSquare();
    void BackOpenV();
    void BackOpenH();
    void BackOpenSquare();
    void FaceOpenV();
    void FaceOpenH();
    void FaceOpenSquare();
    void EdgeH();
    void EdgeV();

    int m_nValue;
    int m_nEdge;
    int m_nStripTop;
    int m_nStripBottom;
    int m_nState;
    bool m_bSeen;
    RECT m_rcSrc;
    RECT m_rcDst;
    int m_nShimmerTicks;
    bool m_bShimmer;
    float m_fTime;
    LPDIRECTDRAWSURFACE* m_ppBacks;
    LPDIRECTDRAWSURFACE* m_ppFaces;
};
