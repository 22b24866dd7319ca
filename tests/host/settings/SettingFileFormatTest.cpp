// What Save writes, byte for byte, and what reads back from it.
#include <gtest/gtest.h>

#include <string>

#include "SettingTestSupport.h"

namespace {

using SettingFileFormatTest = SettingFileTest;

const std::string kShiftJisDeclaration = "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n";
const std::string kLatinDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";

TEST_F(SettingFileFormatTest, FreshFileHasTheDeclarationAndOneEntryLinePerKey) {
    const auto setting = TSetting::Create(Path());
    setting->SetValue("Left", "200");
    setting->SetValue("Empty", "");
    EXPECT_EQ(SaveAndRead(*setting), kShiftJisDeclaration +
                                         "<configuration>\r\n"
                                         "  <appSettings>\r\n"
                                         "    <add key=\"Left\" value=\"200\"/>\r\n"
                                         "    <add key=\"Empty\" value=\"\"/>\r\n"
                                         "  </appSettings>\r\n"
                                         "</configuration>\r\n");
}

TEST_F(SettingFileFormatTest, FreshFileWithoutValuesHasAnEmptyRoot) {
    EXPECT_EQ(SaveAndRead(*TSetting::Create(Path())), kShiftJisDeclaration + "<configuration/>\r\n");
}

struct RoundTripCase {
    const char* what;
    std::string value;
    std::string written;  // the attribute as it stands in the file
};

TEST_F(SettingFileFormatTest, ValuesAreEscapedByteByByteAndReadBackUnchanged) {
    const RoundTripCase cases[] = {
        {"markup characters", "a\"b&c'd<e>f", "value=\"a&quot;b&amp;c&apos;d&lt;e&gt;f\""},
        {"Shift-JIS folder", "C:\\\x90\xDD\x92\xE8\\a.exe", "value=\"C:\\&#x90;&#xDD;&#x92;&#xE8;\\a.exe\""},
        {"Shift-JIS trail byte below 0x80", "\x83\x5C", "value=\"&#x83;\\\""},
        {"multi-line rule list", "C:\\a.exe,1,0\r\nC:\\b.exe,0,1\r\n",
         "value=\"C:\\a.exe,1,0\r\nC:\\b.exe,0,1\r\n\"/>"},
        {"tabs and runs of spaces", "\t a  b \t", "value=\"\t a  b \t\""},
        {"text that looks like a reference", "&#x41;&amp;", "value=\"&amp;#x41;&amp;amp;\""},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto setting = TSetting::Create(Path());
        setting->SetValue("K", c.value);
        EXPECT_NE(SaveAndRead(*setting).find(c.written), std::string::npos);
        EXPECT_EQ(TSetting::Create(Path())->GetValue("K"), c.value);
    }
}

TEST_F(SettingFileFormatTest, EveryByteValueSurvivesSaveAndLoad) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    auto setting = TSetting::Create(Path());
    setting->SetValue(all, all);
    const std::string file = SaveAndRead(*setting);
    for (const char c : file) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(TSetting::Create(Path())->GetValue(all, "missing"), all);
}

struct DeclarationCase {
    const char* what;
    std::string loaded;
    std::string saved;
};

TEST_F(SettingFileFormatTest, DeclarationIsKeptOrAddedAfterThePrologComments) {
    const DeclarationCase cases[] = {
        {"UTF-8 kept", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><configuration/>",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<configuration/>\r\n"},
        {"standalone yes kept, quotes normalised",
         "<?xml  version='1.1'\r\nencoding='Shift_JIS' standalone='yes' ?><configuration/>",
         "<?xml version=\"1.1\" encoding=\"Shift_JIS\" standalone=\"yes\"?>\r\n<configuration/>\r\n"},
        {"standalone no dropped", "<?xml version=\"1.0\" encoding=\"x\" standalone=\"no\"?><configuration/>",
         "<?xml version=\"1.0\" encoding=\"x\"?>\r\n<configuration/>\r\n"},
        {"no encoding", "<?xml version=\"1.0\"?><configuration/>",
         "<?xml version=\"1.0\"?>\r\n<configuration/>\r\n"},
        {"none", "<configuration/>", kLatinDeclaration + "<configuration/>\r\n"},
        {"none, after comments", "<!--a--> <!--b--><configuration/>",
         "<!--a-->\r\n<!--b-->\r\n" + kLatinDeclaration + "<configuration/>\r\n"},
        {"byte-order mark skipped", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><configuration/>",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<configuration/>\r\n"},
        {"other prolog bytes skipped", std::string("\xFF\xFE\0\xBB\xBF\r\n\t <r/>", 13),
         kLatinDeclaration + "<r/>\r\n"},
    };
    for (const DeclarationCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SaveAndRead(*Load(c.loaded)), c.saved);
    }
}

TEST_F(SettingFileFormatTest, FileWithoutRootReadsAsEmptyAndSavesAFreshRoot) {
    const std::string files[] = {"", " \r\n\t", "\xEF\xBB\xBF", std::string("\0\xFE\xFF", 3)};
    for (const std::string& file : files) {
        SCOPED_TRACE(testing::PrintToString(file));
        auto setting = Load(file);
        EXPECT_EQ(setting->GetValue("Left", "200"), "200");
        setting->SetValue("Left", "5");
        EXPECT_EQ(SaveAndRead(*setting), kLatinDeclaration +
                                             "<configuration>\r\n"
                                             "  <appSettings>\r\n"
                                             "    <add key=\"Left\" value=\"5\"/>\r\n"
                                             "  </appSettings>\r\n"
                                             "</configuration>\r\n");
        EXPECT_EQ(TSetting::Create(Path())->GetValue("Left"), "5");
    }
}

TEST_F(SettingFileFormatTest, PrologWithoutRootIsKept) {
    EXPECT_EQ(SaveAndRead(*Load("<!--only a comment-->")),
              "<!--only a comment-->\r\n" + kLatinDeclaration + "<configuration/>\r\n");
}

// A hand-written file in the writer's own layout comes back byte for byte.
const std::string kHandWritten =
    "<!-- settings of Pelmora -->\r\n"
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?>\r\n"
    "<!DOCTYPE configuration [\r\n"
    "  <!ENTITY e \"a>b\">\r\n"
    "  <!-- ] ' -->\r\n"
    "]>\r\n"
    "<configuration>\r\n"
    "  <!-- preferences -->\r\n"
    "  <appSettings>\r\n"
    "    <add key=\"Left\" value=\"1\" extra=\"x\"/>\r\n"
    "    <add key=\"NoValue\"/>\r\n"
    "  </appSettings>\r\n"
    "  <appSettings section=\"Other\">\r\n"
    "    <add key=\"Left\" value=\"2\"/>\r\n"
    "  </appSettings>\r\n"
    "  <unknown xml:lang=\"ja\">a &amp; &#x82;&#xA0;</unknown>\r\n"
    "  <data>\r\n"
    "    <![CDATA[<raw> & \x82\xA0 ]]>\r\n"
    "    loose &lt;text&gt;\r\n"
    "    <ns:child ns:attr=\"v\"/>\r\n"
    "    <!--\r\n"
    "      multi-line comment\r\n"
    "    -->\r\n"
    "  </data>\r\n"
    "</configuration>\r\n"
    "<!-- end -->\r\n";

TEST_F(SettingFileFormatTest, HandWrittenFileIsWrittenBackIntact) {
    auto setting = Load(kHandWritten);
    EXPECT_EQ(setting->GetValue("Left"), "1");
    EXPECT_EQ(setting->GetSectionValue("Other", "Left", ""), "2");
    EXPECT_EQ(SaveAndRead(*setting), kHandWritten);

    setting->SetValue("Top", "7");
    std::string expected = kHandWritten;
    const std::string anchor = "    <add key=\"NoValue\"/>\r\n";
    expected.insert(expected.find(anchor) + anchor.size(), "    <add key=\"Top\" value=\"7\"/>\r\n");
    EXPECT_EQ(SaveAndRead(*setting), expected);
}

TEST_F(SettingFileFormatTest, FreeFormLayoutIsRewrittenInTheWritersLayout) {
    auto setting = Load(
        "<configuration>\n\t<appSettings><add key=\"A\" value=\"1\"></add></appSettings>\n"
        "<data>  text with spaces  </data><mixed> a <b/>\n c </mixed><Name></NAME><e>   </e>"
        "<cdata><![CDATA[x]]></cdata></configuration >  <!--t-->  ");
    EXPECT_EQ(SaveAndRead(*setting), kLatinDeclaration +
                                         "<configuration>\r\n"
                                         "  <appSettings>\r\n"
                                         "    <add key=\"A\" value=\"1\"/>\r\n"
                                         "  </appSettings>\r\n"
                                         "  <data>  text with spaces  </data>\r\n"
                                         "  <mixed>\r\n"
                                         "    a\r\n"
                                         "    <b/>\r\n"
                                         "    c\r\n"
                                         "  </mixed>\r\n"
                                         "  <Name/>\r\n"
                                         "  <e/>\r\n"
                                         "  <cdata>\r\n"
                                         "    <![CDATA[x]]>\r\n"
                                         "  </cdata>\r\n"
                                         "</configuration>\r\n"
                                         "<!--t-->\r\n");
}

TEST_F(SettingFileFormatTest, TextThatGetsNeighboursIsWrittenWithoutItsLayout) {
    auto setting = Load("<configuration><appSettings>\r\n  a note \t\r\n</appSettings></configuration>");
    setting->SetValue("A", "1");
    const std::string expected = kLatinDeclaration +
                                 "<configuration>\r\n"
                                 "  <appSettings>\r\n"
                                 "    a note\r\n"
                                 "    <add key=\"A\" value=\"1\"/>\r\n"
                                 "  </appSettings>\r\n"
                                 "</configuration>\r\n";
    EXPECT_EQ(SaveAndRead(*setting), expected);
    EXPECT_EQ(SaveAndRead(*TSetting::Create(Path())), expected);
}

TEST_F(SettingFileFormatTest, ElementNamesAreEscapedAndReadBack) {
    auto setting = Load("<configuration><\x90\xDD\x92\xE8 a=\"1\"/><a&amp;b/></configuration>");
    const std::string expected = kLatinDeclaration +
                                 "<configuration>\r\n"
                                 "  <&#x90;&#xDD;&#x92;&#xE8; a=\"1\"/>\r\n"
                                 "  <a&amp;b/>\r\n"
                                 "</configuration>\r\n";
    EXPECT_EQ(SaveAndRead(*setting), expected);
    EXPECT_EQ(SaveAndRead(*TSetting::Create(Path())), expected);
}

}  // namespace
