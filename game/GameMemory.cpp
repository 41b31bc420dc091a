// The memory game: its start-up sequence and its one level of faces.
#include "game/GameMemory.h"

#include "game/GameGlobals.h"
#include "game/MemWin.h"

#include <cstdlib>
#include <cstring>

GameMemory::GameMemory(MemWin* pOwner)
    : AGame(pOwner)
{
}

void GameMemory::Init()
{
    MakeLevelNames();
    Shuffle();
    m_pOwner->SetWindowText(g_pszCaption);
    ResetLayout();
    AfterInit();
    // Every card turns up from its back to its new face; the game state stays at its start value.
    SetDealMode(DEAL_REVEAL);
}

void GameMemory::MakeLevelNames()
{
    m_nLevel = 0;
    m_nLevels = 1;
    for (int i = 0; i < m_nLevels; ++i) {
        char szName[5 + 12] = "LEVEL";
        _itoa(i, szName + 5, 10);
        // Each name lives in a block of its own, as long as the bitmap names it serves.
        char* pszBlock = (char*)malloc(9);
        if (pszBlock) {
            strncpy(pszBlock, szName, 8);
            pszBlock[8] = '\0';
        }
        m_apszLevelNames[i] = pszBlock;
    }
}
