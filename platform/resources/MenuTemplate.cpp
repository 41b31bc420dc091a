// Binary menu templates: MENU (version 0) and MENUEX (version 1).
#include "resources/ByteReader.h"
#include "resources/ResourceTemplates.h"

namespace platform::res {
namespace {

constexpr uint16_t kPopup = 0x10;
constexpr uint16_t kEnd = 0x80;
constexpr uint16_t kSeparator = 0x800;
constexpr uint16_t kExPopupInfo = 0x01;
constexpr uint32_t kExHilite = 0x80; // a state bit with the same value as kEnd
// Deeper nesting than any real menu: a template that claims more is malformed.
constexpr int kMaxDepth = 16;

bool ReadItems(ByteReader& in, bool extended, int depth, std::vector<MenuItem>* out);

bool ReadItem(ByteReader& in, MenuItem* item, bool* last)
{
    if (!in.Read(&item->flags))
        return false;
    item->popup = item->flags & kPopup;
    if (!item->popup && !in.Read(&item->id))
        return false;
    if (!in.String(&item->text))
        return false;
    // MENUITEM SEPARATOR is stored as an empty item with id 0.
    item->separator = (item->flags & kSeparator) ||
                      (!item->popup && item->id == 0 && item->text.empty() && (item->flags & ~kEnd) == 0);
    *last = item->flags & kEnd;
    return true;
}

bool ReadItemEx(ByteReader& in, MenuItem* item, bool* last)
{
    uint32_t type = 0, state = 0, id = 0;
    uint16_t resInfo = 0;
    // Items and a popup's help id start on DWORD boundaries; the last item needs no padding.
    if (!in.AlignTo4() || !in.Read(&type) || !in.Read(&state) || !in.Read(&id) || !in.Read(&resInfo) ||
        !in.String(&item->text))
        return false;
    item->popup = resInfo & kExPopupInfo;
    if (item->popup) {
        uint32_t helpId = 0;
        if (!in.AlignTo4() || !in.Read(&helpId))
            return false;
    }
    item->id = item->popup ? 0 : static_cast<uint16_t>(id);
    item->flags = static_cast<uint16_t>((type | (state & ~kExHilite)) & 0xFFFF) | (item->popup ? kPopup : 0) |
                  (resInfo & kEnd ? kEnd : 0);
    item->separator = type & kSeparator;
    *last = resInfo & kEnd;
    return true;
}

bool ReadItems(ByteReader& in, bool extended, int depth, std::vector<MenuItem>* out)
{
    if (depth > kMaxDepth)
        return false;
    for (bool last = false; !last;) {
        MenuItem item;
        if (!(extended ? ReadItemEx(in, &item, &last) : ReadItem(in, &item, &last)))
            return false;
        if (item.popup && !ReadItems(in, extended, depth + 1, &item.children))
            return false;
        out->push_back(std::move(item));
    }
    return true;
}

} // namespace

bool ParseMenu(const uint8_t* data, size_t size, MenuTemplate* out)
{
    ByteReader in(data, size);
    uint16_t version = 0, offset = 0;
    if (!in.Read(&version) || !in.Read(&offset) || version > 1 || !in.Skip(offset))
        return false;
    MenuTemplate menu;
    if (!ReadItems(in, version == 1, 0, &menu.items))
        return false;
    *out = std::move(menu);
    return true;
}

} // namespace platform::res
