// A compiled resource file (.res) as the resource compiler writes it: a 32-byte empty
// entry, then one entry per resource, each a header (data size, header size, type,
// name, language...) followed by the data, all DWORD-aligned.
#pragma once
#include <windef.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::res {

class ByteReader;

// A resource type or name: an integer id or a string.
struct ResId {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;

    static ResId Ordinal(uint16_t id) { return ResId{true, id, {}}; }
    static ResId Text(std::u16string s) { return ResId{false, 0, std::move(s)}; }

    // From a name as the API takes it: MAKEINTRESOURCE(id), "#123" for id 123, or a
    // string (UTF-8). Null when there is no name (a null pointer).
    static std::optional<ResId> FromName(LPCSTR name);

    // Ids equal, or strings equal ignoring case.
    bool Matches(const ResId& other) const;

    // An id or a string in the dialog and .res form: 0xFFFF then the id, or a
    // zero-terminated UTF-16 string.
    static bool Read(ByteReader& in, ResId* out);
};

struct ResEntry {
    ResId type;
    ResId name;
    uint16_t language = 0;
    uint16_t memoryFlags = 0;
    uint32_t dataVersion = 0;
    uint32_t version = 0;
    uint32_t characteristics = 0;
    const uint8_t* data = nullptr; // points into the parsed bytes
    uint32_t size = 0;
};

class ResFile {
public:
    static constexpr uint16_t kPreferredLanguage = 0x0409; // US English

    // The entries of a .res image, or nothing when any entry is truncated or malformed.
    // The entries point into `bytes`, which must outlive the result.
    static std::optional<ResFile> Parse(std::span<const uint8_t> bytes);

    const std::vector<ResEntry>& Entries() const { return entries_; }

    // The resource of that type and name in US English, else in its first language;
    // null when there is none.
    const ResEntry* Find(const ResId& type, const ResId& name) const;

private:
    std::vector<ResEntry> entries_;
};

} // namespace platform::res
