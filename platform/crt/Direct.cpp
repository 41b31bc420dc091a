// Directory services of the C runtime.
#include <direct.h>

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <unistd.h>

char* _getcwd(char* buffer, int maxlen)
{
    if (buffer) {
        if (maxlen <= 0) {
            errno = EINVAL;
            return nullptr;
        }
        return getcwd(buffer, static_cast<size_t>(maxlen));
    }
    // No buffer: the runtime allocates one of at least maxlen bytes, freed with free().
    char* path = getcwd(nullptr, 0);
    if (!path)
        return nullptr;
    const size_t need = std::strlen(path) + 1;
    if (maxlen > 0 && static_cast<size_t>(maxlen) > need) {
        char* bigger = static_cast<char*>(std::realloc(path, static_cast<size_t>(maxlen)));
        if (!bigger) {
            std::free(path);
            errno = ENOMEM;
            return nullptr;
        }
        path = bigger;
    }
    return path;
}
