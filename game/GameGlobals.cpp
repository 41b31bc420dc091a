#include "game/GameGlobals.h"

// g_nOriginX and g_nOriginY are defined beside the application object, whose
// translation unit fixes the order of the start-up copies.
int g_nBaseOriginX = 8;
int g_nBaseOriginY = 5;
int g_nPitchX = 131;
int g_nPitchY = 131;
DWORD g_nRecordMs = 100000; // 100000: no best time yet
const char* g_pszCaption = "Valdmark Software, KV Memory: ";
int g_anSlotValue[12] = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5};
int g_abSlotFree[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
int g_nWaveDelay = 4;
int g_bWobble = 1;
float g_fRotateSpeed = 8.0f;
BYTE g_bClockRunning = 0;
DWORD g_dwGameStart = 0;
DWORD g_nElapsedMs = 0;
int g_nCardsFinished = 0;
int g_nNextDealCard = 0;
float g_fDealAccum = 0.0f;
DWORD g_dwPairShownAt = 0;
int g_nGameState = GS_ONE_UP;
int g_nIdleTicks = 0;
int g_nShimmerCount = 0;
int g_nFaceCycleCount = 0;
