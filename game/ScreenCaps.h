// The screen's width, height and depth, as the main window records and compares them.
#pragma once

// Reads HORZRES, VERTRES and BITSPIXEL on a device context of the whole screen.
void ReadScreenCaps(int* pnHorzRes, int* pnVertRes, int* pnBitsPixel);
