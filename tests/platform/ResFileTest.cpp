// Reading .res images: entries, lookup, and data that is truncated or lies about itself.
#include "resources/ResFile.h"
#include "support/ResBytes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::res::ResFile;
using platform::res::ResId;
using testsupport::ResImage;
using testsupport::ResRecord;

// Parses a copy in an exactly sized block, so that ASan catches any read past its end.
// The result points into the block, which lives until the next call.
std::optional<ResFile> ParseCopy(const std::vector<uint8_t>& bytes, size_t length)
{
    static std::unique_ptr<uint8_t[]> block;
    block = std::make_unique<uint8_t[]>(length);
    std::copy_n(bytes.begin(), length, block.get());
    return ResFile::Parse({block.get(), length});
}

const std::vector<ResRecord> kRecords{{u"WAV", u"DONE1", 0x0409, {'R', 'I', 'F', 'F', 1}},
                                      {uint16_t{2}, u"LEVEL0", 0x0409, {1, 2, 3, 4, 5, 6, 7, 8}},
                                      {u"MYRT_PALETTE", u"IDR_PALETTE", 0x0409, {9, 9}},
                                      {uint16_t{4}, uint16_t{102}, 0x0409, {7}}};

const platform::res::ResEntry* Find(const ResFile& file, LPCSTR type, LPCSTR name)
{
    return file.Find(*ResId::FromName(type), *ResId::FromName(name));
}

TEST(ResFileTest, FindsByIdOrByNameIgnoringCase)
{
    const auto bytes = ResImage(kRecords);
    const auto file = ResFile::Parse(bytes);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Entries().size(), 4u);
    const auto* wav = Find(*file, "wav", "Done1");
    ASSERT_EQ(wav, &file->Entries()[0]);
    EXPECT_EQ(std::vector<uint8_t>(wav->data, wav->data + wav->size), kRecords[0].data);
    EXPECT_EQ(wav->language, 0x0409);
    EXPECT_EQ(Find(*file, RT_BITMAP, "level0"), &file->Entries()[1]);
    EXPECT_EQ(Find(*file, "#2", "LEVEL0"), &file->Entries()[1]);
    EXPECT_EQ(Find(*file, "MyRt_Palette", "IDR_PALETTE"), &file->Entries()[2]);
    EXPECT_EQ(Find(*file, RT_MENU, "#102"), &file->Entries()[3]);
    EXPECT_EQ(Find(*file, RT_MENU, MAKEINTRESOURCE(102)), &file->Entries()[3]);
    EXPECT_EQ(Find(*file, "WAV", "DONE"), nullptr);
    EXPECT_EQ(Find(*file, RT_MENU, "102"), nullptr) << "a string, not an id";
    EXPECT_EQ(Find(*file, RT_RCDATA, "LEVEL0"), nullptr);
    EXPECT_FALSE(ResId::FromName(nullptr));
}

TEST(ResFileTest, PrefersUsEnglishThenTheFirstLanguage)
{
    const auto bytes = ResImage({{u"WAV", u"OOP", 0x0407, {1}}, {u"WAV", u"OOP", 0x0409, {2}},
                                 {u"WAV", u"TSIK", 0x040C, {3}}, {u"WAV", u"TSIK", 0x0407, {4}}});
    const auto file = ResFile::Parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(Find(*file, "WAV", "Oop")->data[0], 2);
    EXPECT_EQ(Find(*file, "WAV", "Tsik")->data[0], 3);
}

TEST(ResFileTest, EveryTruncationIsAnErrorExceptAtEntryBoundaries)
{
    std::vector<size_t> boundaries;
    for (size_t k = 0; k <= kRecords.size(); ++k)
        boundaries.push_back(ResImage({kRecords.begin(), kRecords.begin() + static_cast<long>(k)}).size());
    const auto bytes = ResImage(kRecords);
    for (size_t length = 0; length <= bytes.size(); ++length) {
        const auto file = ParseCopy(bytes, length);
        const auto boundary = std::find(boundaries.begin(), boundaries.end(), length);
        ASSERT_EQ(file.has_value(), boundary != boundaries.end()) << length;
        if (file) {
            EXPECT_EQ(file->Entries().size(), static_cast<size_t>(boundary - boundaries.begin()));
        }
    }
}

TEST(ResFileTest, SizesThatLieAreErrors)
{
    const auto good = ResImage(kRecords);
    auto withU32 = [&good](size_t at, uint32_t v) {
        auto bytes = good;
        for (size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
        return bytes;
    };
    const size_t first = 32; // the first real entry, after the empty one; its header is 44 bytes
    for (uint32_t headerSize : {0u, 8u, 40u, 48u, 0xFFFFFFFCu})
        EXPECT_FALSE(ParseCopy(withU32(first + 4, headerSize), good.size())) << headerSize;
    for (uint32_t dataSize : {static_cast<uint32_t>(good.size()), 0x7FFFFFFFu, 0xFFFFFFFFu})
        EXPECT_FALSE(ParseCopy(withU32(first, dataSize), good.size())) << dataSize;
    EXPECT_FALSE(ParseCopy(withU32(0, 4), good.size())) << "the empty first entry claims data";
}

TEST(ResFileTest, CorruptedBytesNeverReadOutside)
{
    const auto good = ResImage(kRecords);
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
            auto bytes = good;
            bytes[at] = value;
            ParseCopy(bytes, bytes.size()); // any result, but no read outside (ASan)
        }
    }
    // A name without its terminator runs to the end of the data.
    testsupport::ByteWriter w;
    w.Raw(ResImage({})).U32(0).U32(64).Str(u"WAV");
    while (w.Size() < 80)
        w.U16(u'A');
    EXPECT_FALSE(ParseCopy(w.Bytes(), w.Size()));
}

} // namespace
