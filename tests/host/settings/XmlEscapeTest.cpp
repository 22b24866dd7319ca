#include <gtest/gtest.h>

#include <string>

#include "settings/XmlEscape.h"

namespace {

struct Case {
    std::string input;
    std::string expected;
};

TEST(XmlEscapeTest, EscapesMarkupAndHighBytesOnly) {
    const Case cases[] = {
        {"\"&'<>", "&quot;&amp;&apos;&lt;&gt;"},
        {"\x82\xA0", "&#x82;&#xA0;"},
        {"\x80\xFF\x7F", "&#x80;&#xFF;\x7F"},
        {"\x90\xDD\x92\xE8", "&#x90;&#xDD;&#x92;&#xE8;"},  // two Shift-JIS characters
        {"\x83\x5C", "&#x83;\\"},                          // a trail byte below 0x80 stays
        {"a\r\nb\tc  d", "a\r\nb\tc  d"},
        {std::string("\0x", 2), std::string("\0x", 2)},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(XmlEscape(c.input), c.expected) << c.input;
}

TEST(XmlEscapeTest, DecodesReferencesAsSpecifiedAndLeavesTheRestLiteral) {
    const Case cases[] = {
        {"&amp;&lt;&gt;&apos;&quot;", "&<>'\""},
        {"&AMP;&Lt;&gT;&APOS;&Quot;", "&<>'\""},
        {"&#65;&#x41;&#X41;&#x0041;", "AAAA"},
        {"&#x82;&#xa0;", "\x82\xA0"},
        {"&#321;", "A"},                       // only the low eight bits count
        {"&#x100000041;", "A"},                // however large the number
        {"&#256;", std::string("\0", 1)},      // positive, so it is a reference
        {"&#0;&#x0;&#00;", "&#0;&#x0;&#00;"},  // not positive: literal
        {"&#65", "&#65"},                      // no ';'
        {"&#;&#x;&#-1;&#x4G;", "&#;&#x;&#-1;&#x4G;"},
        {"&foo; a & b &amp", "&foo; a & b &amp"},
        {"&&amp;;", "&&;"},
        {"&amp;#x41;", "&#x41;"},  // decoded once, not again
        {"x&", "x&"},
    };
    for (const Case& c : cases) EXPECT_EQ(XmlDecode(c.input), c.expected) << c.input;
}

TEST(XmlEscapeTest, DecodingUndoesEscapingForEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    all += "&amp;&#x41;&#0;";
    EXPECT_EQ(XmlDecode(XmlEscape(all)), all);
}

TEST(XmlEscapeTest, ComparesAsciiLettersWithoutCaseOnly) {
    EXPECT_TRUE(SameTextAscii("Value", "vALUE"));
    EXPECT_FALSE(SameTextAscii("value", "values"));
    EXPECT_FALSE(SameTextAscii("\xE0", "\xC0"));  // no code-page case folding
    EXPECT_FALSE(SameTextAscii("[", "{"));
}

}  // namespace
