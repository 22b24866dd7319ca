// The stored rule list: texts as a settings file may hold them, the rules they
// give, and the text written back from those rules.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ShiftJis.h"
#include "prefs/Preferences.h"
#include "rules/RegistWindowsText.h"

void PrintTo(const StoredRule& r, std::ostream* os) {
    *os << "{" << testing::PrintToString(r.FileName) << ", " << r.Transparency << "%, tray " << r.Tray
        << ", topmost " << r.TopMost << ", hide icon " << r.HideIcon
        << ", hide on open " << r.HideOnOpen << ", exact " << testing::PrintToString(r.ExactFileName) << "}";
}

namespace {

using Rules = std::vector<StoredRule>;

StoredRule Rule(std::string file, int transparency, bool tray, bool topMost, bool hideIcon,
                bool hideOnOpen = false) {
    StoredRule rule;
    rule.HideOnOpen = hideOnOpen;
    rule.FileName = std::move(file);
    rule.Transparency = transparency;
    rule.Tray = tray;
    rule.TopMost = topMost;
    rule.HideIcon = hideIcon;
    return rule;
}

StoredRule WithExact(StoredRule rule, std::string exactUtf8) {
    rule.ExactFileName = std::move(exactUtf8);
    return rule;
}

// "D:\Zażółć 한국\x.exe", as a Shift-JIS system keeps it and exactly.
#define ANSI_OF_POLISH_KOREAN "D:\\Za???? ??\\x.exe"
#define UTF8_OF_POLISH_KOREAN "D:\\Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xED\x95\x9C\xEA\xB5\xAD\\x.exe"
#define PERCENT_OF_POLISH_KOREAN "D:\\Za%C5%BC%C3%B3%C5%82%C4%87%20%ED%95%9C%EA%B5%AD\\x.exe"

struct TextCase {
    const char* name;
    std::string text;
    Rules rules;
    std::string written;  // the text written back from the rules
};

const TextCase kTextCases[] = {
    {"empty text", "", {}, ""},
    {"a quoted path with a space",
     "\"C:\\Program Files\\Viewer\\view.exe\",80,-1,0,0\r\n",
     {Rule("C:\\Program Files\\Viewer\\view.exe", 80, true, false, false)},
     "\"C:\\Program Files\\Viewer\\view.exe\",80,-1,0,0\r\n"},
    {"two rules in order",
     "C:\\Tools\\App.exe,100,0,-1,0\r\nD:\\b.exe,10,-1,-1,-1\r\n",
     {Rule("C:\\Tools\\App.exe", 100, false, true, false), Rule("D:\\b.exe", 10, true, true, true)},
     "C:\\Tools\\App.exe,100,0,-1,0\r\nD:\\b.exe,10,-1,-1,-1\r\n"},
    {"LF, CR and no final break",
     "a.exe,10,0,0,0\nb.exe,20,0,0,0\rc.exe,30,0,0,0",
     {Rule("a.exe", 10, false, false, false), Rule("b.exe", 20, false, false, false),
      Rule("c.exe", 30, false, false, false)},
     "a.exe,10,0,0,0\r\nb.exe,20,0,0,0\r\nc.exe,30,0,0,0\r\n"},
    {"empty and blank lines are skipped",
     "\r\n\r\n  \t\r\na.exe,50,0,0,0\r\n\n\r",
     {Rule("a.exe", 50, false, false, false)},
     "a.exe,50,0,0,0\r\n"},
    {"blanks around the fields",
     " \t a.exe , 60 ,\t-1, 0 ,0 ",
     {Rule("a.exe", 60, true, false, false)},
     "a.exe,60,-1,0,0\r\n"},
    {"a transparency that is not an integer reads as 100",
     "a.exe,abc,-1,0,0\r\nb.exe,80.5,0,0,0\r\nc.exe,,0,0,0\r\nd.exe,\"\",0,0,0\r\ne.exe,99999999999,0,0,"
     "0\r\n",
     {Rule("a.exe", 100, true, false, false), Rule("b.exe", 100, false, false, false),
      Rule("c.exe", 100, false, false, false), Rule("d.exe", 100, false, false, false),
      Rule("e.exe", 100, false, false, false)},
     "a.exe,100,-1,0,0\r\nb.exe,100,0,0,0\r\nc.exe,100,0,0,0\r\nd.exe,100,0,0,0\r\ne.exe,100,0,0,0\r\n"},
    {"a transparency outside 10 to 100 is kept as stored",
     "a.exe,0,0,0,0\r\nb.exe,250,0,0,0\r\nc.exe,-5,0,0,0\r\nd.exe,+70,0,0,0\r\n",
     {Rule("a.exe", 0, false, false, false), Rule("b.exe", 250, false, false, false),
      Rule("c.exe", -5, false, false, false), Rule("d.exe", 70, false, false, false)},
     "a.exe,0,0,0,0\r\nb.exe,250,0,0,0\r\nc.exe,-5,0,0,0\r\nd.exe,70,0,0,0\r\n"},
    {"truth values as numbers and words",
     "a.exe,40,2.5,1,0.0\r\nb.exe,40,True,FALSE,tRuE\r\nc.exe,40,\"-0\",false,\"1e3\"\r\n",
     {Rule("a.exe", 40, true, true, false), Rule("b.exe", 40, true, false, true),
      Rule("c.exe", 40, false, false, true)},
     "a.exe,40,-1,-1,0\r\nb.exe,40,-1,0,-1\r\nc.exe,40,0,0,-1\r\n"},
    {"four fields are ignored, a sixth that is no truth value is unset",
     "a.exe,40,-1,0\r\nb.exe,40,-1,0,0,junk\r\n",
     {Rule("b.exe", 40, true, false, false)},
     "b.exe,40,-1,0,0\r\n"},
    {"the sixth field, hide on open, is written only when set",
     "a.exe,40,-1,0,0,-1\r\nb.exe,40,-1,0,0,0\r\nc.exe,40,-1,0,-1,True,more\r\nd.exe,40,0,0,0,\r\n",
     {Rule("a.exe", 40, true, false, false, true), Rule("b.exe", 40, true, false, false),
      Rule("c.exe", 40, true, false, true, true), Rule("d.exe", 40, false, false, false)},
     "a.exe,40,-1,0,0,-1\r\nb.exe,40,-1,0,0\r\nc.exe,40,-1,0,-1,-1\r\nd.exe,40,0,0,0\r\n"},
    {"the same path twice gives two records",
     "a.exe,40,-1,0,0\r\na.exe,90,0,-1,0\r\n",
     {Rule("a.exe", 40, true, false, false), Rule("a.exe", 90, false, true, false)},
     "a.exe,40,-1,0,0\r\na.exe,90,0,-1,0\r\n"},
    {"quotes, commas and control characters in the path",
     "\"C:\\a \"\"b\"\",c.exe\",70,0,0,0\r\n\"C:\\t\tab.exe\",70,0,0,0\r\n",
     {Rule("C:\\a \"b\",c.exe", 70, false, false, false), Rule("C:\\t\tab.exe", 70, false, false, false)},
     "\"C:\\a \"\"b\"\",c.exe\",70,0,0,0\r\n\"C:\\t\tab.exe\",70,0,0,0\r\n"},
    {"quotes that need none are dropped",
     "\"C:\\x.exe\",\"70\",\"0\",0,0\r\n",
     {Rule("C:\\x.exe", 70, false, false, false)},
     "C:\\x.exe,70,0,0,0\r\n"},
    {"an unquoted space cuts the path",
     "C:\\Program Files\\a.exe,70,0,0,0\r\n",
     {Rule("C:\\Program", 100, true, false, false)},
     "C:\\Program,100,-1,0,0\r\n"},
    {"an empty file name", ",70,0,0,0\r\n", {Rule("", 70, false, false, false)}, ",70,0,0,0\r\n"},
    {"a missing closing quote makes one field", "\"a.exe,70,0,0,0\r\n", {}, ""},
    {"Shift-JIS path with trail bytes 0x5C",
     "C:\\" SJIS_HYOU "\\" SJIS_SO ".exe,30,-1,-1,0\r\n\"C:\\" SJIS_HYOU " " SJIS_SO ".exe\",30,0,0,-1\r\n",
     {Rule("C:\\" SJIS_HYOU "\\" SJIS_SO ".exe", 30, true, true, false),
      Rule("C:\\" SJIS_HYOU " " SJIS_SO ".exe", 30, false, false, true)},
     "C:\\" SJIS_HYOU "\\" SJIS_SO ".exe,30,-1,-1,0\r\n\"C:\\" SJIS_HYOU " " SJIS_SO ".exe\",30,0,0,-1\r\n"},
    {"a path the code page cannot write has its exact form beside it, after hide on open",
     "\"" ANSI_OF_POLISH_KOREAN "\",70,-1,0,0,0," PERCENT_OF_POLISH_KOREAN "\r\n"
     "\"" ANSI_OF_POLISH_KOREAN "\",70,-1,0,0,-1," PERCENT_OF_POLISH_KOREAN ",later\r\n",
     {WithExact(Rule(ANSI_OF_POLISH_KOREAN, 70, true, false, false), UTF8_OF_POLISH_KOREAN),
      WithExact(Rule(ANSI_OF_POLISH_KOREAN, 70, true, false, false, true), UTF8_OF_POLISH_KOREAN)},
     "\"" ANSI_OF_POLISH_KOREAN "\",70,-1,0,0,0," PERCENT_OF_POLISH_KOREAN "\r\n"
     "\"" ANSI_OF_POLISH_KOREAN "\",70,-1,0,0,-1," PERCENT_OF_POLISH_KOREAN "\r\n"},
    {"an exact form that is no percent text, or all ASCII, reads as none",
     "a.exe,70,0,0,0,0,%zz%C5\r\nb.exe,70,0,0,0,0,%4\r\nc.exe,70,0,0,0,0,\r\nd.exe,70,0,0,0,0,d%2Eexe\r\n",
     {Rule("a.exe", 70, false, false, false), Rule("b.exe", 70, false, false, false),
      Rule("c.exe", 70, false, false, false), Rule("d.exe", 70, false, false, false)},
     "a.exe,70,0,0,0\r\nb.exe,70,0,0,0\r\nc.exe,70,0,0,0\r\nd.exe,70,0,0,0\r\n"},
    {"a lead byte takes the comma behind it",
     "a\x81,b.exe,70,0,0,0,0\r\n",
     {Rule("a\x81,b.exe", 70, false, false, false)},
     "a\x81,b.exe,70,0,0,0\r\n"},
};

TEST(RegistWindowsText, ReadsRulesAndWritesThemBack) {
    for (const auto& c : kTextCases) {
        SCOPED_TRACE(c.name);
        const Rules rules = ReadRegistWindows(c.text, IsShiftJisLeadByte);
        EXPECT_EQ(rules, c.rules);
        const std::string written = WriteRegistWindows(rules, IsShiftJisLeadByte);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(ReadRegistWindows(written, IsShiftJisLeadByte), rules) << "written text reads back";
    }
}

TEST(RegistWindowsText, SplitsAtCrLfAndCrLf) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
}

// A truth value that is neither a number nor True/False stops the reading
// with the conversion's message; so does the empty field a final comma adds.
TEST(RegistWindowsText, RejectsOtherTruthValuesWithTheirMessage) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"a.exe,50,yes,0,0\r\n", "'yes' is not a valid boolean value"},
        {"a.exe,50,0,on,0\r\n", "'on' is not a valid boolean value"},
        {"a.exe,50,0,0,\r\n", "'' is not a valid boolean value"},
        {"ok.exe,50,0,0,0\r\na.exe,50,0,0,-1x\r\n", "'-1x' is not a valid boolean value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ReadRegistWindows(c.text, IsShiftJisLeadByte);
            ADD_FAILURE() << "accepted";
        } catch (const ConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(RegistWindowsText, ReadsOneLineAtATime) {
    EXPECT_EQ(ReadRuleLine("a.exe,50,-1,0,-1", NoLeadBytes), Rule("a.exe", 50, true, false, true));
    EXPECT_EQ(ReadRuleLine("a.exe,50,-1,0", NoLeadBytes), std::nullopt);
    EXPECT_EQ(RuleLine(Rule("a b.exe", 20, false, true, false), NoLeadBytes), "\"a b.exe\",20,0,-1,0\r\n");
}

// Every rule the program can hold is written so that it reads back the same.
TEST(RegistWindowsText, WrittenRulesReadBackUnchanged) {
    Rules rules;
    const std::string names[] = {"",
                                 "C:\\x.exe",
                                 " lead space.exe",
                                 "tail space.exe ",
                                 "\"quoted\".exe",
                                 "a,b.exe",
                                 "C:\\" SJIS_HYOU "\\" SJIS_SO ".exe",
                                 std::string("nul\0.exe", 8),
                                 "\x81\"\x81,\x81 .exe",
                                 "\xFF\xFE.exe",
                                 ANSI_OF_POLISH_KOREAN};
    int transparency = 10;
    for (const std::string& name : names) {
        rules.push_back(
            Rule(name, transparency, transparency % 20 == 0, transparency % 30 == 0, transparency > 50,
                 transparency % 40 == 0));
        if (name.find('?') != std::string::npos) rules.back().ExactFileName = UTF8_OF_POLISH_KOREAN ",\" \x01%";
        transparency += 10;
    }
    EXPECT_EQ(ReadRegistWindows(WriteRegistWindows(rules, IsShiftJisLeadByte), IsShiftJisLeadByte), rules);
}

}  // namespace
