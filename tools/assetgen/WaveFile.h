// The program's WAV resources: their formats and chunk layouts, and the writer that
// lays a sound out exactly so.
#pragma once
#include "Bytes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace assetgen {

struct WaveLayout {
    const char* name;    // resource and file name
    const char* title;   // the text of its "DISP" and "LIST" chunks
    const char* comment; // a second line for the second "DISP" and the "LIST"
    int bits;            // 8 (unsigned samples) or 16 (signed)
    int rate;            // samples per second
    int fmtBytes;        // body size of "fmt ": 16, or 18 with a zero extra-size field
    const char* chunks;  // chunk ids in file order, blank-separated
    uint32_t dataBytes;  // size of the "data" body
};

extern const std::array<WaveLayout, 18> kWaveTable;

inline size_t sampleCount(const WaveLayout& s) { return s.dataBytes / (s.bits / 8); }

// A RIFF WAVE image of the samples (-1 to 1, sampleCount(layout) of them): mono PCM with
// its chunks in order, odd bodies followed by a pad byte.
Bytes waveFile(const WaveLayout& layout, const std::vector<double>& samples);

} // namespace assetgen
