// The game model: the twelve cards, the rules of play, the deal and the clock.
#pragma once
#include <afxtempl.h>

class Card;
class MemWin;

// Whether a deal runs and which turn-down effect it gives the cards.
enum DealMode {
    DEAL_NONE = 0,
    DEAL_VERTICAL = 1,
    DEAL_HORIZONTAL = 2,
    DEAL_SQUARE = 3,
    DEAL_VH = 4,
    DEAL_HV = 5,
    DEAL_RANDOM = 6,
    DEAL_COVER_ALL = 7,
    DEAL_LEVEL_CHANGED = 8,
    DEAL_REVEAL = 9,
    DEAL_VANISH = 10,
    DEAL_APPEAR = 11,
};

class AGame {
public:
    explicit AGame(MemWin* pOwner);
    virtual ~AGame();

    virtual void Init() = 0;
    virtual void HideHint();
    virtual void ShowHint();
    virtual void Start();
    virtual void ChangeLevel();
    virtual void ResetLayout();
    virtual void AfterInit();
    virtual int GameHookA(int nArg);
    virtual int GameHookB(int nArg1, int nArg2);
    virtual Card* FindPartner(Card* pCard);
    virtual void OnLButtonDown();
    virtual void OnLButtonUp();
    virtual void GameHookC();
    virtual void GameHookD();
    virtual void OnMouseMove();
    virtual void GameHookE(int nArg);
    virtual void GameHookF(int nArg);
    virtual void OnTimer();
    virtual void Update(float* pElapsed);
    virtual void Draw();
    virtual void Shuffle();
    virtual bool ComparePair();
    virtual void MakeLevelNames() = 0;

    bool IsGameWon();
    Card* GetFirstPartner();
    Card* GetCardAt(int nIndex);
    Card* CardUnderMouse();
    char* GetLevelName();
    void ResetForPlay();
    void TurnBackPair();
    bool IsNoneFaceUp();
    bool IsNoneFaceDown();

    // The new-game cycle.
    void DealFinished();
    bool DealStep(int nState, float* pElapsed);
    static void SetLayout(int nLayout);
    void NextLevel();
    void PrevLevel();
    void SetDealMode(int nMode);
    void FillFreeFlags();
    void LayoutCards(float* pElapsed);

    MemWin* m_pOwner;
    CList<Card*, Card*> m_listCards;
    Card* m_apCards[12];
    Card* m_pFirst;
    Card* m_pSecond;
    int m_nDealMode;
    int m_nLevels;
    int m_nLevel;
    char* m_apszLevelNames[30];
    Card* m_pHintCard;
};
