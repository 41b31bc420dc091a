#include "support/ResBytes.h"

#include "resources/ResourceTemplates.h"

namespace testsupport {

ByteWriter& ByteWriter::U8(uint8_t v)
{
    bytes_.push_back(v);
    return *this;
}

ByteWriter& ByteWriter::U16(uint16_t v) { return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8)); }

ByteWriter& ByteWriter::U32(uint32_t v) { return U16(static_cast<uint16_t>(v)).U16(static_cast<uint16_t>(v >> 16)); }

ByteWriter& ByteWriter::Str(const std::u16string& s)
{
    for (char16_t c : s)
        U16(c);
    return U16(0);
}

ByteWriter& ByteWriter::Ordinal(uint16_t id) { return U16(0xFFFF).U16(id); }

ByteWriter& ByteWriter::Raw(const std::vector<uint8_t>& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter& ByteWriter::Align4()
{
    while (bytes_.size() % 4)
        bytes_.push_back(0);
    return *this;
}

std::vector<uint8_t> ResImage(const std::vector<ResRecord>& records)
{
    ByteWriter out;
    auto entry = [&out](const ResRecord& r) {
        ByteWriter names;
        for (const auto* name : {&r.type, &r.name})
            std::holds_alternative<uint16_t>(*name) ? names.Ordinal(std::get<uint16_t>(*name))
                                                    : names.Str(std::get<std::u16string>(*name));
        names.Align4();
        out.U32(static_cast<uint32_t>(r.data.size())).U32(static_cast<uint32_t>(8 + names.Size() + 16));
        out.Raw(names.Bytes()).U32(0).U16(0x1030).U16(r.language).U32(0).U32(0).Raw(r.data).Align4();
    };
    entry(ResRecord{uint16_t{0}, uint16_t{0}, 0, {}});
    for (const ResRecord& r : records)
        entry(r);
    return out.Bytes();
}

std::vector<uint8_t> ProgramResource(LPCSTR type, LPCSTR name)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!platform::res::FindProgramResource(type, name, &data, &size))
        return {};
    return {data, data + size};
}

} // namespace testsupport
