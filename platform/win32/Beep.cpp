// MessageBeep: the desktop's bell.
#include "base/Fence.h"
#include "win32/Backend.h"

#include <windows.h>

BOOL MessageBeep(UINT)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        platform::backend::App().Beep();
        return TRUE;
    });
}
