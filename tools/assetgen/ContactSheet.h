#pragma once
#include "Canvas.h"

#include <string>

namespace assetgen {

// Writes a PNG showing the face sheet, the back sheet, the board, and the board with
// cards on it at full and half size. False when the file cannot be written.
bool writeContactSheet(const std::string& path, const Canvas& faces, const Canvas& backs, const Canvas& board);

} // namespace assetgen
