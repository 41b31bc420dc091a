// Reading the committed resource files byte by byte, independently of the generator.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assets {

inline std::filesystem::path resDir()
{
    const char* src = std::getenv("MEMORY_SOURCE_DIR");
    return std::filesystem::path(src ? src : ".") / "res";
}

inline std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> readRes(const std::string& relative) { return readFile(resDir() / relative); }

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }
inline uint32_t be16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) << 8 | b.at(at + 1); }
inline uint32_t be32(const std::vector<uint8_t>& b, size_t at) { return be16(b, at) << 16 | be16(b, at + 2); }
inline std::string tag(const std::vector<uint8_t>& b, size_t at, size_t n = 4)
{
    if (at + n > b.size()) return {};
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

} // namespace assets
