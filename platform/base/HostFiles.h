// Files of the host as the platform's calls read them: Windows paths, and whole files
// read with care for what a path may name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A Windows path as the host names it: a backslash is a separator.
std::string HostPath(std::string_view windowsPath);

enum class FileRead {
    Ok,
    Missing,
    NotAFile, // a directory, a FIFO, a device: nothing to read whole
    TooLarge, // over the caller's limit: refused before reading
    Failed,
};

// Reads a regular file whole. Anything else is refused without waiting on it (a FIFO
// with no writer), and a file over maxBytes without reading it.
FileRead ReadRegularFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* bytes);

} // namespace platform
