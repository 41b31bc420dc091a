// The game model: the twelve cards and the rules of play.
#pragma once
#include <windows.h>

class MemWin;
class Card;

class AGame {
public:
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
    virtual void Update(float* pdt);
    virtual void Draw();
    virtual void Shuffle();
    virtual bool ComparePair();
    virtual void MakeLevelNames() = 0;
};
