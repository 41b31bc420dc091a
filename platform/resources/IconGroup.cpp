// Icon groups: the directory of an icon whose images are separate RT_ICON resources,
// put back together as the .ico file they came from.
#include "resources/IconGroup.h"

#include "resources/ByteReader.h"
#include "resources/ProgramModule.h"
#include "resources/ResourceTemplates.h"

namespace platform::res {
namespace {

constexpr uint16_t kIconType = 1;
constexpr size_t kDirHeaderSize = 6;
constexpr size_t kFileEntrySize = 16;

struct GroupEntry {
    const uint8_t* head = nullptr; // width, height, colours, reserved, planes, bit count: 8 bytes
    const ResEntry* image = nullptr;
};

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<uint8_t> AssembleIcoFile(std::span<const uint8_t> group,
                                     const std::function<const ResEntry*(uint16_t)>& iconById)
{
    ByteReader in(group.data(), group.size());
    uint16_t reserved = 0, type = 0, count = 0;
    if (!in.Read(&reserved) || !in.Read(&type) || !in.Read(&count) || reserved != 0 || type != kIconType || count == 0)
        return {};
    std::vector<GroupEntry> entries;
    for (uint16_t i = 0; i < count; ++i) {
        GroupEntry e;
        uint32_t bytesInRes = 0;
        uint16_t id = 0;
        if (!in.Bytes(8, &e.head) || !in.Read(&bytesInRes) || !in.Read(&id))
            return {};
        e.image = iconById(id);
        if (!e.image)
            return {};
        entries.push_back(e);
    }
    std::vector<uint8_t> ico;
    Put16(ico, 0);
    Put16(ico, kIconType);
    Put16(ico, count);
    // The images' own sizes, not the ones the directory claims.
    size_t offset = kDirHeaderSize + kFileEntrySize * count;
    for (const GroupEntry& e : entries) {
        ico.insert(ico.end(), e.head, e.head + 8);
        Put32(ico, e.image->size);
        Put32(ico, static_cast<uint32_t>(offset));
        offset += e.image->size;
    }
    for (const GroupEntry& e : entries)
        ico.insert(ico.end(), e.image->data, e.image->data + e.image->size);
    return ico;
}

std::vector<uint8_t> BuildIcoFile(LPCSTR name)
{
    const ResEntry* group = FindProgramEntry(RT_GROUP_ICON, name);
    if (!group)
        return {};
    return AssembleIcoFile({group->data, group->size},
                           [](uint16_t id) { return FindProgramEntry(RT_ICON, MAKEINTRESOURCE(id)); });
}

} // namespace platform::res
