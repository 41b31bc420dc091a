#include "resources/ResFile.h"

#include "resources/ByteReader.h"
#include "resources/ResourceTemplates.h"

namespace platform::res {
namespace {

constexpr uint16_t kOrdinalMark = 0xFFFF;
constexpr uint32_t kEmptyEntryHeaderSize = 32;

char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameTextIgnoringCase(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

std::optional<uint16_t> ParseDecimalId(const char* digits)
{
    if (!*digits)
        return std::nullopt;
    uint32_t value = 0;
    for (const char* p = digits; *p; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(*p - '0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

// One entry at the reader's position; the reader ends after its data and padding.
bool ReadEntry(ByteReader& in, ResEntry* out)
{
    const size_t start = in.Offset();
    uint32_t dataSize = 0, headerSize = 0;
    if (!in.Read(&dataSize) || !in.Read(&headerSize))
        return false;
    if (!ResId::Read(in, &out->type) || !ResId::Read(in, &out->name) || !in.AlignTo4())
        return false;
    if (!in.Read(&out->dataVersion) || !in.Read(&out->memoryFlags) || !in.Read(&out->language) ||
        !in.Read(&out->version) || !in.Read(&out->characteristics))
        return false;
    // The header must say exactly where its own fields end; a header size that lies
    // would put the data somewhere else.
    if (in.Offset() - start != headerSize)
        return false;
    out->size = dataSize;
    return in.Bytes(dataSize, &out->data) && in.AlignTo4();
}

} // namespace

std::optional<ResId> ResId::FromName(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        if (!name)
            return std::nullopt;
        return Ordinal(static_cast<uint16_t>(reinterpret_cast<uintptr_t>(name)));
    }
    if (name[0] == '#')
        if (auto id = ParseDecimalId(name + 1))
            return Ordinal(*id);
    return Text(FromUtf8(name));
}

bool ResId::Matches(const ResId& other) const
{
    if (isOrdinal || other.isOrdinal)
        return isOrdinal == other.isOrdinal && ordinal == other.ordinal;
    return SameTextIgnoringCase(text, other.text);
}

bool ResId::Read(ByteReader& in, ResId* out)
{
    uint16_t first = 0;
    if (!in.Read(&first))
        return false;
    if (first == kOrdinalMark) {
        *out = Ordinal(0);
        return in.Read(&out->ordinal);
    }
    *out = Text({});
    if (first == 0)
        return true;
    std::u16string rest;
    if (!in.String(&rest))
        return false;
    out->text = static_cast<char16_t>(first) + rest;
    return true;
}

std::optional<ResFile> ResFile::Parse(std::span<const uint8_t> bytes)
{
    ByteReader in(bytes.data(), bytes.size());
    ResEntry empty;
    if (!ReadEntry(in, &empty) || in.Offset() != kEmptyEntryHeaderSize || empty.size != 0 ||
        !empty.type.isOrdinal || empty.type.ordinal != 0)
        return std::nullopt;
    ResFile file;
    while (in.Remaining() > 0) {
        ResEntry entry;
        if (!ReadEntry(in, &entry))
            return std::nullopt;
        file.entries_.push_back(std::move(entry));
    }
    return file;
}

const ResEntry* ResFile::Find(const ResId& type, const ResId& name) const
{
    const ResEntry* first = nullptr;
    for (const ResEntry& e : entries_) {
        if (!e.type.Matches(type) || !e.name.Matches(name))
            continue;
        if (e.language == kPreferredLanguage)
            return &e;
        if (!first)
            first = &e;
    }
    return first;
}

} // namespace platform::res
