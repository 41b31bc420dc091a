// Binary resource data for tests: little-endian fields, UTF-16 strings, whole .res images.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace testsupport {

class ByteWriter {
public:
    ByteWriter& U8(uint8_t v);
    ByteWriter& U16(uint16_t v);
    ByteWriter& U32(uint32_t v);
    ByteWriter& Str(const std::u16string& s); // zero-terminated
    ByteWriter& Ordinal(uint16_t id);         // 0xFFFF, id
    ByteWriter& Raw(const std::vector<uint8_t>& bytes);
    ByteWriter& Align4();

    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

struct ResRecord {
    std::variant<uint16_t, std::u16string> type, name;
    uint16_t language = 0x0409;
    std::vector<uint8_t> data;
};

// A .res image: the empty first entry, then the records, each padded to a DWORD.
std::vector<uint8_t> ResImage(const std::vector<ResRecord>& records);

// A copy of the program's resource, empty when it is missing.
std::vector<uint8_t> ProgramResource(LPCSTR type, LPCSTR name);

} // namespace testsupport
