// Icon groups put back together as .ico files.
#pragma once
#include "resources/ResFile.h"

#include <functional>
#include <span>
#include <vector>

namespace platform::res {

// The .ico image of an icon group (GRPICONDIR) whose images `iconById` finds; empty
// when the group is malformed or an image is missing.
std::vector<uint8_t> AssembleIcoFile(std::span<const uint8_t> group,
                                     const std::function<const ResEntry*(uint16_t)>& iconById);

} // namespace platform::res
