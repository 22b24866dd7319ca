// The system's lead bytes, as the rule text uses them: two-byte characters
// under code page 932, none under 1252.
#include <windows.h>
#include <gtest/gtest.h>

#include "rules/CodePage.h"
#include "rules/RegistWindowsText.h"

namespace {

TEST(AnsiLeadByte, FollowsTheSystemCodePage) {
    const UINT codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252) << codePage;
    for (int byte = 0; byte < 256; ++byte) {
        const bool shiftJisLead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        const bool lead = IsAnsiLeadByte(static_cast<unsigned char>(byte));
        if (codePage == 932) {
            EXPECT_EQ(lead, shiftJisLead) << byte;
        } else {
            EXPECT_FALSE(lead) << byte;
        }
    }
}

// 0x81 is a lead byte under 932: it takes the comma behind it.
TEST(AnsiLeadByte, DecidesWhereTrailBytesBelong) {
    const bool shiftJis = GetACP() == 932;
    const auto rules = ReadRegistWindows("a\x81,b.exe,70,0,0,0\r\n", IsAnsiLeadByte);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].FileName, shiftJis ? "a\x81,b.exe" : "a\x81");
}

}  // namespace
