// The rule the game's windows share in their default window procedure: a monitor
// power request is answered here and never reaches the platform's default handling.
#pragma once
#include <windows.h>

inline bool IsMonitorPowerRequest(UINT message, WPARAM wParam)
{
    return message == WM_SYSCOMMAND && LOWORD(wParam) == SC_MONITORPOWER;
}
