// The game's sound effects: played from the window's sound bank only while its
// sound switch is on and it holds a bank.
#pragma once
#include "sound/DSound.h"

class MemWin;

void PlayGameSound(MemWin* pOwner, SoundObject* DSound::*pEffect);
