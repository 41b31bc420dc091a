// UTF-8 and UTF-16, the narrow and the wide strings of the platform.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Decodes UTF-8 into UTF-16. Strict: false on the first invalid sequence. Lenient: each invalid
// sequence becomes U+FFFD, as the platform's converter does.
bool Utf8ToUtf16(std::string_view in, std::u16string& out, bool strict);

// Encodes UTF-16 as UTF-8. Strict: false on an unpaired surrogate. Lenient: it becomes U+FFFD.
bool Utf16ToUtf8(std::u16string_view in, std::string& out, bool strict = true);

} // namespace platform
