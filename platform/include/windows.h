// The platform's umbrella header.
#pragma once
#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "libloaderapi.h"
#include "winuser.h"
#include "wingdi.h"
#include "winnls.h"
