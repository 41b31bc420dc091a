// The resource reader's text: UTF-16 in the .res, UTF-8 as the narrow code page.
#include "resources/ResourceTemplates.h"
#include "base/Unicode.h"

namespace platform::res {

std::string ToUtf8(const std::u16string& s)
{
    std::string out;
    Utf16ToUtf8(s, out, false);
    return out;
}

std::u16string FromUtf8(std::string_view s)
{
    std::u16string out;
    Utf8ToUtf16(s, out, false);
    return out;
}

} // namespace platform::res
