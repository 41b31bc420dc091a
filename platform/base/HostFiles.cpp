#include "base/HostFiles.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string HostPath(std::string_view windowsPath)
{
    std::string path(windowsPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileRead ReadRegularFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* bytes)
{
    // Opening without blocking: a FIFO with no writer would otherwise hold the caller forever.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    FileRead result = FileRead::Ok;
    struct stat st;
    if (fstat(fd, &st) != 0)
        result = FileRead::Failed;
    else if (!S_ISREG(st.st_mode))
        result = FileRead::NotAFile;
    else if (static_cast<uint64_t>(st.st_size) > maxBytes)
        result = FileRead::TooLarge;
    if (result == FileRead::Ok) {
        bytes->resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        // A file that shrank while being read is read as far as it goes.
        bytes->resize(done);
        if (done == 0 && st.st_size > 0)
            result = FileRead::Failed;
    }
    close(fd);
    return result;
}

} // namespace platform
