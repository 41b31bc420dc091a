// The memory game: the start-up sequence and its one level of faces.
#pragma once
#include "game/AGame.h"

class GameMemory : public AGame {
public:
    explicit GameMemory(MemWin* pOwner);

    virtual void Init();
    virtual void MakeLevelNames();
};
