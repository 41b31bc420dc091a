// Failure messages name the result codes they print.
#include "support/ResultNames.h"

#include <ddraw.h>
#include <dsound.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::NameResultCodes;

TEST(ResultNames, FailureCodesInAMessageAreNamed)
{
    const std::string lost = std::to_string(DDERR_SURFACELOST);
    EXPECT_EQ(NameResultCodes("  hr\n    Which is: " + lost + "\n  DD_OK\n    Which is: 0"),
              "  hr\n    Which is: " + lost + " (DDERR_SURFACELOST)\n  DD_OK\n    Which is: 0");
    // One value, several names.
    const std::string named = NameResultCodes("actual: " + std::to_string(DSERR_OUTOFMEMORY) + " vs 0");
    EXPECT_NE(named.find("E_OUTOFMEMORY"), std::string::npos) << named;
    EXPECT_NE(named.find("DSERR_OUTOFMEMORY"), std::string::npos) << named;
}

TEST(ResultNames, OtherNumbersAreLeftAsTheyAre)
{
    for (const std::string& text : {std::string("Which is: -2005532223"), std::string("Which is: 2005532222"),
                                    "Which is: 1" + std::to_string(DDERR_SURFACELOST).substr(1),
                                    "x" + std::to_string(DDERR_SURFACELOST) + "5", std::string("no numbers")})
        EXPECT_EQ(NameResultCodes(text), text);
}

} // namespace
