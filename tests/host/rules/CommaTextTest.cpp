// One line of comma text: splitting into fields and writing fields back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShiftJis.h"
#include "rules/CommaText.h"

namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string line;
    Fields fields;
};

TEST(CommaText, SplitsLinesIntoFields) {
    const SplitCase cases[] = {
        {"empty line", "", {}},
        {"blanks only", " \t\x01 ", {}},
        {"bare fields", "a,b,c", {"a", "b", "c"}},
        {"blanks before the first field", " \t a,b", {"a", "b"}},
        {"blanks around commas", "a \t, b ,\tc", {"a", "b", "c"}},
        {"a space ends a bare field", "a b,c", {"a", "b", "c"}},
        {"a control character ends a bare field",
         "a\x1f"
         "b",
         {"a", "b"}},
        {"empty fields between commas", "a,,b", {"a", "", "b"}},
        {"leading comma", ",a", {"", "a"}},
        {"a comma ending the line adds an empty field", "a,b,", {"a", "b", ""}},
        {"a comma followed by blanks adds none", "a,b, ", {"a", "b"}},
        {"quoted field with blanks and commas", "\"a b, c\",d", {"a b, c", "d"}},
        {"doubled quotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"empty quoted field", "\"\",x", {"", "x"}},
        {"missing closing quote takes the rest", "\"a,b c", {"a,b c"}},
        {"doubled quote before the missing end", "\"a\"\"", {"a\""}},
        {"text after a closing quote starts the next field", "\"a\"b,c", {"a", "b", "c"}},
        {"quote inside a bare field", "a\"b,c", {"a\"b", "c"}},
        {"code 0 is an ordinary character", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
        {"bytes above 127 are ordinary", "\xA0\xFF,x", {"\xA0\xFF", "x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitCommaText(c.line, NoLeadBytes), c.fields);
    }
}

// Under Shift-JIS a lead byte takes the byte behind it, whatever it is, so
// that byte is never a comma, quote or blank of its own.
TEST(CommaText, StepsOverTwoByteCharactersWhole) {
    const SplitCase cases[] = {
        {"trail byte 0x5C",
         "C:\\" SJIS_HYOU "\\" SJIS_SO ".exe,1",
         {"C:\\" SJIS_HYOU "\\" SJIS_SO ".exe", "1"}},
        {"lead byte before a comma", "a\x81,b,c", {"a\x81,b", "c"}},
        {"lead byte before a space", "a\x81 b,c", {"a\x81 b", "c"}},
        {"lead byte before a quote in a quoted field", "\"a\x81\",b\",c", {"a\x81\",b", "c"}},
        {"lead byte at the end of the line", "a,b\x81", {"a", "b\x81"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitCommaText(c.line, IsShiftJisLeadByte), c.fields);
    }
    // The same bytes in a single-byte code page.
    EXPECT_EQ(SplitCommaText("a\x81,b,c", NoLeadBytes), (Fields{"a\x81", "b", "c"}));
}

struct FieldCase {
    std::string field;
    std::string written;
};

TEST(CommaText, QuotesFieldsWithBlanksQuotesAndCommas) {
    const FieldCase cases[] = {
        {"", ""},
        {"C:\\Tools\\App.exe", "C:\\Tools\\App.exe"},
        {"C:\\Program Files\\a.exe", "\"C:\\Program Files\\a.exe\""},
        {"a,b", "\"a,b\""},
        {"a\"b", "\"a\"\"b\""},
        {"\"", "\"\"\"\""},
        {"a\tb", "\"a\tb\""},
        {std::string("a\0b", 3), std::string("\"a\0b\"", 5)},
        {"a\x7F"
         "b",
         "a\x7F"
         "b"},
        {"\xA0", "\xA0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(CommaField(c.field, NoLeadBytes), c.written);
    }
}

TEST(CommaText, WritesTrailBytesAsPartOfTheirCharacter) {
    // A lead byte followed by a quote is one character: no quoting, no doubling.
    EXPECT_EQ(CommaField("a\x81\"", IsShiftJisLeadByte), "a\x81\"");
    EXPECT_EQ(CommaField("a b\x81\"", IsShiftJisLeadByte), "\"a b\x81\"\"");
    EXPECT_EQ(CommaField("a\x81\"", NoLeadBytes), "\"a\x81\"\"\"");
    EXPECT_EQ(CommaField("C:\\" SJIS_HYOU ".exe", IsShiftJisLeadByte), "C:\\" SJIS_HYOU ".exe");
}

TEST(CommaText, JoinsWithSingleCommasAndReadsBack) {
    const Fields fields = {"", "a b", "\"", "x,y", "\x81\"", "C:\\" SJIS_SO, std::string("\0", 1)};
    const std::string line = JoinCommaText(fields, IsShiftJisLeadByte);
    EXPECT_EQ(line, std::string(",\"a b\",\"\"\"\",\"x,y\",\x81\",C:\\" SJIS_SO ",\"") + '\0' + '"');
    EXPECT_EQ(SplitCommaText(line, IsShiftJisLeadByte), fields);
}

}  // namespace
