#include "game/ScreenCaps.h"

#include <windows.h>

void ReadScreenCaps(int* pnHorzRes, int* pnVertRes, int* pnBitsPixel)
{
    HDC hdcScreen = ::GetDC(NULL);
    *pnHorzRes = GetDeviceCaps(hdcScreen, HORZRES);
    *pnVertRes = GetDeviceCaps(hdcScreen, VERTRES);
    *pnBitsPixel = GetDeviceCaps(hdcScreen, BITSPIXEL);
    ::ReleaseDC(NULL, hdcScreen);
}
