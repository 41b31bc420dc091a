// Test failures name the platform's result codes: "Which is: -2005532222" reads
// "Which is: -2005532222 (DDERR_SURFACELOST)". HRESULT is a plain 32-bit integer, as on
// the platform, so no PrintTo can single it out; the failure printer does it instead.
#pragma once
#include <string>

namespace testsupport {

// The message with the name of every failure code it holds after the number.
std::string NameResultCodes(const std::string& message);

// Has the failures that every test prints name their result codes.
void NameResultCodesInFailures();

} // namespace testsupport
