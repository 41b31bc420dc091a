#pragma once
#include "WaveFile.h"

#include <vector>

namespace assetgen {

// The samples of one sound effect of the table, -1 to 1, exactly sampleCount(layout) of them.
std::vector<double> synthesise(const WaveLayout& layout);

} // namespace assetgen
