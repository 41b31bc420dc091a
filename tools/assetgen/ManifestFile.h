#pragma once
#include "Bytes.h"

namespace assetgen {

// The application manifest: run as the invoking user, aware of the display's DPI.
Bytes manifestFile();

} // namespace assetgen
