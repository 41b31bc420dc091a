// Menu, dialog and icon group templates of other kinds than the program's, and malformed ones.
#include "resources/IconGroup.h"
#include "resources/ResourceTemplates.h"
#include "support/ResBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::res;
using testsupport::ByteWriter;

TEST(ResourceTemplatesTest, ExtendedMenuIsRead)
{
    ByteWriter w;
    w.U16(1).U16(4).U32(0);                                                 // header, help id
    w.U32(0).U32(0).U32(0).U16(0x01).Str(u"&File").Align4().U32(0);         // popup
    w.U32(0).U32(0x8).U32(100).U16(0).Str(u"&Open").Align4();               // checked
    w.U32(0x800).U32(0).U32(0).U16(0).Str(u"").Align4();                    // separator
    w.U32(0).U32(0x3).U32(0x10065).U16(0x80).Str(u"&Quit").Align4();        // greyed, last
    w.U32(0).U32(0).U32(200).U16(0x80).Str(u"&Go");                         // on the bar, last
    MenuTemplate menu;
    ASSERT_TRUE(ParseMenu(w.Bytes().data(), w.Size(), &menu));
    ASSERT_EQ(menu.items.size(), 2u);
    const auto& items = menu.items[0].children;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, u"&Open");
    EXPECT_EQ(items[0].flags & 0x8, 0x8);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].id, 0x65) << "ids are 16-bit";
    EXPECT_EQ(items[2].flags & 0x3, 0x3);
    EXPECT_EQ(menu.items[1].id, 200);
    EXPECT_FALSE(menu.items[1].popup);
}

TEST(ResourceTemplatesTest, MalformedMenusAreRejected)
{
    ByteWriter unknownVersion, offsetPastEnd, noLastItem, deep;
    unknownVersion.U16(2).U16(0).U16(0x80).U16(1).Str(u"x");
    offsetPastEnd.U16(0).U16(0x100).U16(0x80).U16(1).Str(u"x");
    noLastItem.U16(0).U16(0).U16(0).U16(1).Str(u"a").U16(0).U16(2).Str(u"b");
    // Popups nested deeper than a menu could use are refused, not recursed into.
    deep.U16(0).U16(0);
    for (int i = 0; i < 1000; ++i)
        deep.U16(0x10 | 0x80).Str(u"p");
    deep.U16(0x80).U16(1).Str(u"x");
    MenuTemplate menu;
    for (ByteWriter* w : {&unknownVersion, &offsetPastEnd, &noLastItem, &deep})
        EXPECT_FALSE(ParseMenu(w->Bytes().data(), w->Size(), &menu));
}

// A plain DIALOG with a static text (atom class, ordinal text, creation data) and a combo box.
ByteWriter PlainDialog(uint32_t style, uint16_t count)
{
    ByteWriter w;
    w.U32(style).U32(0x200).U16(count).U16(1).U16(2).U16(30).U16(40).Ordinal(7).Str(u"MyClass").Str(u"Title");
    if (style & 0x40)
        w.U16(9).Str(u"Tahoma");
    w.Align4().U32(0x50000003).U32(0).U16(5).U16(6).U16(7).U16(8).U16(0xFFFF).Ordinal(0x82).Ordinal(101);
    w.U16(3).U8(0xA).U8(0xB).U8(0xC);
    w.Align4().U32(0x50010000).U32(0).U16(1).U16(1).U16(1).U16(1).U16(42).Ordinal(0x85).Str(u"Pick").U16(0);
    return w;
}

TEST(ResourceTemplatesTest, PlainDialogIsRead)
{
    auto w = PlainDialog(0x80C00040, 2);
    DialogTemplate dlg;
    ASSERT_TRUE(ParseDialog(w.Bytes().data(), w.Size(), &dlg));
    EXPECT_FALSE(dlg.extended);
    EXPECT_EQ(dlg.exStyle, 0x200u);
    EXPECT_EQ(dlg.menu, u"#7");
    EXPECT_EQ(dlg.className, u"MyClass");
    EXPECT_EQ(dlg.pointSize, 9);
    EXPECT_EQ(dlg.font, u"Tahoma");
    ASSERT_EQ(dlg.items.size(), 2u);
    EXPECT_EQ(dlg.items[0].id, -1);
    EXPECT_EQ(dlg.items[0].className, u"STATIC");
    EXPECT_TRUE(dlg.items[0].textIsOrdinal);
    EXPECT_EQ(dlg.items[0].textOrdinal, 101);
    EXPECT_EQ(dlg.items[0].creationData, (std::vector<uint8_t>{0xA, 0xB, 0xC}));
    EXPECT_EQ(dlg.items[1].className, u"COMBOBOX");
    EXPECT_EQ(dlg.items[1].text, u"Pick");

    auto noFont = PlainDialog(0x80C00000, 2); // without DS_SETFONT there is no font block
    ASSERT_TRUE(ParseDialog(noFont.Bytes().data(), noFont.Size(), &dlg));
    EXPECT_TRUE(dlg.font.empty());
    EXPECT_EQ(dlg.items[1].text, u"Pick");
}

TEST(ResourceTemplatesTest, MalformedDialogsAreRejected)
{
    auto tooMany = PlainDialog(0x80C00040, 3);
    auto creationTooLong = PlainDialog(0x80C00040, 2);
    creationTooLong.Bytes()[creationTooLong.Size() - 2] = 0x40; // the last item's creation data size
    DialogTemplate dlg;
    EXPECT_FALSE(ParseDialog(tooMany.Bytes().data(), tooMany.Size(), &dlg));
    EXPECT_FALSE(ParseDialog(creationTooLong.Bytes().data(), creationTooLong.Size(), &dlg));
}

TEST(ResourceTemplatesTest, IconGroupBecomesAnIcoFile)
{
    const std::vector<uint8_t> small(40, 0x11), large(104, 0x22);
    const ResEntry icons[] = {{ResId::Ordinal(3), ResId::Ordinal(1), 0x409, 0, 0, 0, 0, small.data(), 40},
                              {ResId::Ordinal(3), ResId::Ordinal(2), 0x409, 0, 0, 0, 0, large.data(), 104}};
    auto byId = [&](uint16_t id) { return id == 1 || id == 2 ? &icons[id - 1] : nullptr; };
    ByteWriter group, expected;
    group.U16(0).U16(1).U16(2);
    group.U8(16).U8(16).U8(0).U8(0).U16(1).U16(32).U32(999).U16(1); // a wrong size in the group
    group.U8(32).U8(32).U8(0).U8(0).U16(1).U16(32).U32(104).U16(2);
    expected.U16(0).U16(1).U16(2);
    expected.U8(16).U8(16).U8(0).U8(0).U16(1).U16(32).U32(40).U32(6 + 32);
    expected.U8(32).U8(32).U8(0).U8(0).U16(1).U16(32).U32(104).U32(6 + 32 + 40).Raw(small).Raw(large);
    EXPECT_EQ(AssembleIcoFile(group.Bytes(), byId), expected.Bytes());

    for (size_t length = 0; length < group.Size(); ++length)
        EXPECT_TRUE(AssembleIcoFile({group.Bytes().data(), length}, byId).empty()) << length;
    auto missingImage = group, cursors = group;
    missingImage.Bytes()[group.Size() - 2] = 9;
    cursors.Bytes()[2] = 2;
    EXPECT_TRUE(AssembleIcoFile(missingImage.Bytes(), byId).empty());
    EXPECT_TRUE(AssembleIcoFile(cursors.Bytes(), byId).empty());
}

TEST(ResourceTemplatesTest, TextConvertsBetweenUtf16AndUtf8)
{
    EXPECT_EQ(ToUtf8(u"Options \u00e9\u20ac\U0001F0A1"), "Options \u00e9\u20ac\U0001F0A1");
    EXPECT_EQ(FromUtf8("Options \u00e9\u20ac\U0001F0A1"), u"Options \u00e9\u20ac\U0001F0A1");
    EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\uFFFDb");
    // A cut-off sequence is one replacement, as the platform's converter gives.
    EXPECT_EQ(FromUtf8("a\xC0\x80" "b\xE2\x82"), u"a\uFFFD\uFFFDb\uFFFD");
    EXPECT_EQ(FromUtf8("\xF5\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

} // namespace
