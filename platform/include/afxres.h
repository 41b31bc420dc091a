/* The class library's resource identifiers (the resource script includes this). */
#ifndef PLATFORM_AFXRES_H
#define PLATFORM_AFXRES_H
#include "winres.h"

#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141

#endif
