// Icons and cursors behind HICON / HCURSOR: the platform's standard ones and icons loaded
// from the program's icon groups.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::win32 {

// The .ico file image of a loaded icon; nullptr for a standard icon or an unknown handle.
const std::vector<uint8_t>* IconFileImage(HICON icon);
// The IDC_ number of a standard cursor, else 0.
int StandardCursorId(HCURSOR cursor);

} // namespace platform::win32
