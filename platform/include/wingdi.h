// GDI: bitmaps, device contexts and display capabilities.
#pragma once
#include "windef.h"
