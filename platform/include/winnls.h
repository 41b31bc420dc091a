// Code pages and string conversion.
#pragma once
#include "windef.h"
