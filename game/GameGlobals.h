// The state of play and the values the game's parts share.
#pragma once
#include <windows.h>

enum GameState {
    GS_ONE_UP = 0,        // first card of a pair up; waiting for the second
    GS_TWO_UP = 1,        // the second card is turning up
    GS_DEALING = 2,       // cards turn face down one by one
    GS_NONE_UP = 3,       // waiting for the first card of a pair
    GS_LEVEL_CHANGED = 4, // faces changed in the middle of play
    GS_BROWSE = 5,        // a hovered face-up card cycles through the faces
    GS_MISMATCH = 6,      // a pair of different values is shown
    GS_GAME_OVER = 7,     // no card is face down; the board wobbles
};

extern int g_nBaseOriginX;
extern int g_nBaseOriginY;
extern int g_nOriginX;
extern int g_nOriginY;
extern int g_nPitchX;
extern int g_nPitchY;
extern DWORD g_nRecordMs;
extern const char* g_pszCaption;
extern int g_anSlotValue[12];
extern int g_abSlotFree[12];
extern int g_nWaveDelay;
extern int g_bWobble;
extern float g_fRotateSpeed;
extern BYTE g_bClockRunning;
extern DWORD g_dwGameStart;
extern DWORD g_nElapsedMs;
extern int g_nCardsFinished;
extern int g_nNextDealCard;
extern float g_fDealAccum;
extern DWORD g_dwPairShownAt;
extern int g_nGameState;
extern int g_nIdleTicks;
extern int g_nShimmerCount;
extern int g_nFaceCycleCount;
