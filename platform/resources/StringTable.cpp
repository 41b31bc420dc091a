// String tables: string id n lives in block n / 16 + 1, which holds sixteen counted
// UTF-16 strings.
#include "base/Fence.h"
#include "resources/ByteReader.h"
#include "resources/ProgramModule.h"
#include "resources/ResourceTemplates.h"

#include <cstring>

namespace platform::res {
namespace {

constexpr UINT kStringsPerBlock = 16;

std::optional<std::u16string> FindString(UINT id)
{
    if (id > 0xFFFF)
        return std::nullopt;
    const ResEntry* block = FindProgramEntry(RT_STRING, MAKEINTRESOURCE(id / kStringsPerBlock + 1));
    if (!block)
        return std::nullopt;
    ByteReader in(block->data, block->size);
    for (UINT i = 0; i < kStringsPerBlock; ++i) {
        uint16_t length = 0;
        const uint8_t* units = nullptr;
        if (!in.Read(&length) || !in.Bytes(size_t{length} * 2, &units))
            return std::nullopt;
        if (i == id % kStringsPerBlock) {
            std::u16string s(length, u'\0');
            for (uint16_t k = 0; k < length; ++k)
                s[k] = static_cast<char16_t>(units[2 * k] | (units[2 * k + 1] << 8));
            return s;
        }
    }
    return std::nullopt;
}

// The length of the longest prefix of `s` within `limit` bytes that does not cut a character.
size_t WholeCharacters(const std::string& s, size_t limit)
{
    if (s.size() <= limit)
        return s.size();
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace
} // namespace platform::res

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        using namespace platform::res;
        if (!lpBuffer || cchBufferMax <= 0)
            return 0;
        lpBuffer[0] = 0;
        if (!IsProgramModule(hInstance))
            return 0;
        const auto text = FindString(uID);
        if (!text)
            return 0;
        const std::string narrow = ToUtf8(*text);
        const size_t length = WholeCharacters(narrow, static_cast<size_t>(cchBufferMax) - 1);
        std::memcpy(lpBuffer, narrow.data(), length);
        lpBuffer[length] = 0;
        return static_cast<int>(length);
    });
}
