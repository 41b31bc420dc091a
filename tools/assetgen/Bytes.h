// A growing byte buffer with the integer layouts that the file formats need.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

class Bytes {
public:
    std::vector<uint8_t> data;

    size_t size() const { return data.size(); }
    void u8(uint32_t v) { data.push_back(static_cast<uint8_t>(v)); }
    void u16le(uint32_t v) { u8(v), u8(v >> 8); }
    void u32le(uint32_t v) { u16le(v), u16le(v >> 16); }
    void u16be(uint32_t v) { u8(v >> 8), u8(v); }
    void u32be(uint32_t v) { u16be(v >> 16), u16be(v); }
    void text(const std::string& s) { data.insert(data.end(), s.begin(), s.end()); }
    void append(const Bytes& b) { data.insert(data.end(), b.data.begin(), b.data.end()); }
    void append(const std::vector<uint8_t>& b) { data.insert(data.end(), b.begin(), b.end()); }
    // Rewrites a little-endian 32-bit value already in the buffer.
    void patch32le(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
};

} // namespace assetgen
