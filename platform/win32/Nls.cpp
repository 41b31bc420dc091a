// Narrow to wide string conversion; the narrow code page is UTF-8.
#include "base/Fence.h"
#include <windows.h>

#include "base/Unicode.h"

#include <algorithm>
#include <cstring>

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen, LPWSTR dst, int dstLen)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        const bool knownPage = codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
        if (!knownPage || !src || srcLen == 0 || srcLen < -1 || dstLen < 0 || (dstLen > 0 && !dst)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (flags & ~DWORD(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        // Length -1: the terminator is converted too.
        const size_t len = srcLen == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
        std::u16string wide;
        if (!platform::Utf8ToUtf16(std::string_view(src, len), wide, (flags & MB_ERR_INVALID_CHARS) != 0)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        const int needed = static_cast<int>(std::min<size_t>(wide.size(), 0x7FFFFFFF));
        if (dstLen == 0)
            return needed;
        if (needed > dstLen) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::copy(wide.begin(), wide.end(), dst);
        return needed;
    });
}
