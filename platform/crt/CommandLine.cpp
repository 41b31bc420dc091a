// The runtime library's view of the command line, and its multibyte comparison.
#include <mbstring.h>
#include <windows.h>

int __argc = 0;
char** __argv = nullptr;

// The program's code page is single-byte: bytes compare with ASCII letters folded.
int _mbsicmp(const unsigned char* a, const unsigned char* b)
{
    if (!a || !b)
        return 0x7FFFFFFF; // _NLSCMPERROR
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c; };
    for (;; ++a, ++b) {
        unsigned char ca = fold(*a), cb = fold(*b);
        if (ca != cb || !ca)
            return ca < cb ? -1 : ca > cb ? 1 : 0;
    }
}
