// MessageBeep: the desktop's bell.
#include "win32/Backend.h"

#include <windows.h>

BOOL MessageBeep(UINT)
{
    platform::backend::App().Beep();
    return TRUE;
}
