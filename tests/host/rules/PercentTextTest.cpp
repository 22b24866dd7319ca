// The percent-encoded form in which the rule list keeps the UTF-8 bytes of a
// path its code page cannot write.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "rules/PercentText.h"

namespace {

TEST(PercentText, KeepsPrintableAsciiAndEncodesEveryOtherByte) {
    EXPECT_EQ(PercentEncode("C:\\a,b\"c.exe"), "C:\\a,b\"c.exe");
    EXPECT_EQ(PercentEncode("a b%\r\n\x7F"), "a%20b%25%0D%0A%7F");
    EXPECT_EQ(PercentEncode("\xED\x95\x9C"), "%ED%95%9C");
    EXPECT_EQ(PercentEncode(std::string("\0", 1)), "%00");
}

TEST(PercentText, EveryByteReadsBackAndTheTextStaysPrintableAscii) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
    const std::string text = PercentEncode(bytes);
    for (char ch : text) EXPECT_TRUE(ch > ' ' && ch <= '~') << static_cast<int>(ch);
    EXPECT_EQ(PercentDecode(text), bytes);
}

TEST(PercentText, DecodesBothLetterCasesAndRefusesBrokenEscapes) {
    EXPECT_EQ(PercentDecode("%ed%95%9c"), std::string("\xED\x95\x9C"));
    EXPECT_EQ(PercentDecode(""), std::string());
    for (const char* broken : {"%", "%4", "a%zz", "%g0", "%%41", "x%"})
        EXPECT_EQ(PercentDecode(broken), std::nullopt) << broken;
}

}  // namespace
