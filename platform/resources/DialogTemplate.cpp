// Binary dialog templates: DIALOG and DIALOGEX.
#include "resources/ByteReader.h"
#include "resources/ResFile.h"
#include "resources/ResourceTemplates.h"

#include <string>

namespace platform::res {
namespace {

constexpr uint32_t kSetFont = 0x40; // DS_SETFONT: a font block follows the caption
constexpr uint16_t kExVersion = 1;
constexpr uint16_t kExSignature = 0xFFFF;

std::u16string OrdinalText(uint16_t ordinal)
{
    std::string text(1, '#'); // built by appending: g++ 12 -O3 misreads "#" + to_string (-Wrestrict)
    text += std::to_string(ordinal);
    return FromUtf8(text);
}

// The predefined control classes, by their atoms.
std::u16string ControlClass(const ResId& id)
{
    static const char16_t* const kAtoms[] = {u"BUTTON", u"EDIT", u"STATIC", u"LISTBOX", u"SCROLLBAR", u"COMBOBOX"};
    if (!id.isOrdinal)
        return id.text;
    if (id.ordinal >= 0x80 && id.ordinal <= 0x85)
        return kAtoms[id.ordinal - 0x80];
    return OrdinalText(id.ordinal);
}

bool ReadText(ByteReader& in, std::u16string* out)
{
    ResId id;
    if (!ResId::Read(in, &id))
        return false;
    *out = id.isOrdinal ? OrdinalText(id.ordinal) : id.text;
    return true;
}

bool ReadItem(ByteReader& in, bool extended, DialogItem* item)
{
    if (!in.AlignTo4())
        return false;
    if (extended) {
        if (!in.Read(&item->helpId) || !in.Read(&item->exStyle) || !in.Read(&item->style))
            return false;
    } else if (!in.Read(&item->style) || !in.Read(&item->exStyle)) {
        return false;
    }
    if (!in.Read(&item->x) || !in.Read(&item->y) || !in.Read(&item->cx) || !in.Read(&item->cy))
        return false;
    if (extended) {
        if (!in.Read(&item->id))
            return false;
    } else {
        int16_t id = 0; // 0xFFFF is -1, as for static texts
        if (!in.Read(&id))
            return false;
        item->id = id;
    }
    ResId cls, text;
    if (!ResId::Read(in, &cls) || !ResId::Read(in, &text))
        return false;
    item->className = ControlClass(cls);
    item->textIsOrdinal = text.isOrdinal;
    item->textOrdinal = text.ordinal;
    item->text = text.isOrdinal ? OrdinalText(text.ordinal) : text.text;
    uint16_t extra = 0;
    const uint8_t* bytes = nullptr;
    if (!in.Read(&extra) || !in.Bytes(extra, &bytes))
        return false;
    item->creationData.assign(bytes, bytes + extra);
    return true;
}

} // namespace

bool ParseDialog(const uint8_t* data, size_t size, DialogTemplate* out)
{
    ByteReader in(data, size);
    DialogTemplate dlg;
    uint16_t version = 0, signature = 0;
    if (!in.Read(&version) || !in.Read(&signature))
        return false;
    dlg.extended = version == kExVersion && signature == kExSignature;
    if (dlg.extended) {
        if (!in.Read(&dlg.helpId) || !in.Read(&dlg.exStyle) || !in.Read(&dlg.style))
            return false;
    } else {
        dlg.style = static_cast<uint32_t>(version) | (static_cast<uint32_t>(signature) << 16);
        if (!in.Read(&dlg.exStyle))
            return false;
    }
    uint16_t count = 0;
    if (!in.Read(&count) || !in.Read(&dlg.x) || !in.Read(&dlg.y) || !in.Read(&dlg.cx) || !in.Read(&dlg.cy))
        return false;
    if (!ReadText(in, &dlg.menu) || !ReadText(in, &dlg.className) || !in.String(&dlg.caption))
        return false;
    if (dlg.style & kSetFont) {
        if (!in.Read(&dlg.pointSize))
            return false;
        if (dlg.extended && (!in.Read(&dlg.weight) || !in.Read(&dlg.italic) || !in.Read(&dlg.charset)))
            return false;
        if (!in.String(&dlg.font))
            return false;
    }
    for (uint16_t i = 0; i < count; ++i) {
        DialogItem item;
        if (!ReadItem(in, dlg.extended, &item))
            return false;
        dlg.items.push_back(std::move(item));
    }
    *out = std::move(dlg);
    return true;
}

} // namespace platform::res
