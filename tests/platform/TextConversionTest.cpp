// MultiByteToWideChar (the narrow code page is UTF-8) and _getcwd.
#include <direct.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

TEST(MultiByteToWideChar, ConvertsUtf8WithItsTerminator)
{
    WCHAR wide[16];
    const char* text = "a\xC3\xBC\xE6\xAD\x8C\xF0\x9F\x8E\xB5"; // a, u umlaut, a CJK character, an emoji
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, NULL, 0), 6);
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide, 16), 6);
    EXPECT_EQ(std::u16string(wide), u"a\u00fc\u6b4c\U0001F3B5");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 1, wide, 16), 1); // no terminator asked for
}

TEST(MultiByteToWideChar, RefusesWhatItCannotDo)
{
    WCHAR wide[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "hello", -1, wide, 4), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    // A broken sequence: replaced, unless the caller asks for an error.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xC3(", 2, wide, 4), 2);
    EXPECT_EQ(wide[0], u'\uFFFD');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xC3(", 2, wide, 4), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(GetCwd, FillsTheBufferOrAllocatesOne)
{
    char expected[4096];
    ASSERT_NE(getcwd(expected, sizeof expected), nullptr);
    char buffer[4096];
    EXPECT_STREQ(_getcwd(buffer, sizeof buffer), expected);
    char* allocated = _getcwd(NULL, 0);
    ASSERT_NE(allocated, nullptr);
    EXPECT_STREQ(allocated, expected);
    std::free(allocated);
    errno = 0;
    EXPECT_EQ(_getcwd(buffer, 1), nullptr);
    EXPECT_EQ(errno, ERANGE);
}

} // namespace
