// Looking up and writing values in memory.
#include <gtest/gtest.h>

#include <string>

#include "SettingTestSupport.h"

namespace {

using SettingValuesTest = SettingFileTest;

struct LookupCase {
    std::string body;  // content of the root element
    std::string section;
    std::string key;
    std::string expected;  // "<default>" when the default comes back
};

TEST_F(SettingValuesTest, LooksUpEntriesByExactNamesAndAttributeNamesOfAnyCase) {
    const LookupCase cases[] = {
        {"<appSettings><add KEY=\"Left\" Value=\"300\"/></appSettings>", "", "Left", "300"},
        {"<appSettings><add key=\"left\" value=\"300\"/></appSettings>", "", "Left", "<default>"},
        {"<appSettings><add key=\"A\"/></appSettings>", "", "A", "<default>"},
        {"<appSettings><add key=\"A\" value=\"\"/></appSettings>", "", "A", ""},
        {"<appSettings><add key=\"A\" value=\"1\"/><add key=\"A\" value=\"2\"/></appSettings>", "", "A", "1"},
        {"<appSettings><add value=\"v\"/></appSettings>", "", "", "v"},
        {"<AppSettings><add key=\"A\" value=\"1\"/></AppSettings>", "", "A", "<default>"},
        {"<appSettings><Add key=\"A\" value=\"1\"/></appSettings>", "", "A", "<default>"},
        {"<appSettings section=\"\"><add key=\"A\" value=\"1\"/></appSettings>", "", "A", "1"},
        {"<appSettings section=\"S\"><add key=\"A\" value=\"1\"/></appSettings>", "", "A", "<default>"},
        {"<appSettings Section=\"S\"><add key=\"A\" value=\"1\"/></appSettings>", "S", "A", "1"},
        {"<appSettings section=\"S\"/><appSettings section=\"s\"><add key=\"A\" value=\"1\"/></appSettings>",
         "S", "A", "<default>"},
        {"<other/><appSettings>text<!--c--><add key=\"A\" value=\"1\"/></appSettings>", "", "A", "1"},
        {"<appSettings><add key='A' value='  a\tb\r\n  c  '/></appSettings>", "", "A", "  a\tb\r\n  c  "},
        {"<appSettings><add key = \"A\"\r\n value\t=\t'x\"y' /></appSettings>", "", "A", "x\"y"},
        {"<appSettings><add key=\"&#x93;&#xFA;\" value=\"&lt;&#65;&gt;\"/></appSettings>", "", "\x93\xFA",
         "<A>"},
        {"<appSettings><add key=\"A\" value=\"1\"></ADD></appSettings>", "", "A", "1"},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.body);
        const auto setting = Load("<configuration>" + c.body + "</configuration>");
        EXPECT_EQ(setting->GetSectionValue(c.section, c.key, "<default>"), c.expected);
    }
}

TEST_F(SettingValuesTest, GetValueUsesTheCurrentSectionAndAnEmptyDefault) {
    const auto setting = Load(
        "<configuration><appSettings><add key=\"A\" value=\"default\"/></appSettings>"
        "<appSettings section=\"S\"><add key=\"A\" value=\"in S\"/></appSettings></configuration>");
    EXPECT_EQ(setting->Section, "");
    EXPECT_EQ(setting->GetValue("A"), "default");
    EXPECT_EQ(setting->GetValue("B"), "");
    EXPECT_EQ(setting->GetValue("B", "d"), "d");
    setting->Section = "S";
    EXPECT_EQ(setting->GetValue("A", "d"), "in S");
    EXPECT_TRUE(setting->SetValue("B", "new"));
    EXPECT_EQ(setting->GetSectionValue("S", "B", "d"), "new");
    EXPECT_EQ(setting->GetSectionValue("", "B", "d"), "d");
}

TEST_F(SettingValuesTest, EveryWriteMovesItsKeyToTheEndOfItsSection) {
    const auto setting = TSetting::Create(Path());
    for (const char* key : {"A", "B", "C"}) EXPECT_TRUE(setting->SetValue(key, key));
    EXPECT_TRUE(setting->SetValue("A", "again"));
    const std::string file = SaveAndRead(*setting);
    const size_t b = file.find("key=\"B\"");
    const size_t c = file.find("key=\"C\"");
    const size_t a = file.find("<add key=\"A\" value=\"again\"/>");
    ASSERT_NE(a, std::string::npos);
    EXPECT_LT(b, c);
    EXPECT_LT(c, a);
    EXPECT_EQ(file.find("key=\"A\""), a + 5);  // the old entry is gone
}

TEST_F(SettingValuesTest, WriteReplacesOnlyTheFirstMatchWithAFreshEntry) {
    const auto setting = Load(
        "<configuration><appSettings>"
        "<add Value=\"1\" KEY=\"A\" extra=\"x\"/><add key=\"A\" value=\"2\"/><add key=\"B\" value=\"3\"/>"
        "</appSettings></configuration>");
    setting->SetValue("A", "new");
    EXPECT_EQ(setting->GetValue("A"), "2");
    EXPECT_NE(SaveAndRead(*setting).find("<add key=\"A\" value=\"2\"/>\r\n"
                                         "    <add key=\"B\" value=\"3\"/>\r\n"
                                         "    <add key=\"A\" value=\"new\"/>\r\n"
                                         "  </appSettings>"),
              std::string::npos);
}

TEST_F(SettingValuesTest, WriteToAMissingSectionAppendsTheSectionToTheRoot) {
    const auto setting = Load("<configuration><other/></configuration>");
    setting->SetSectionValue("Rules", "A", "1");
    setting->SetValue("B", "2");
    EXPECT_EQ(SaveAndRead(*setting),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
              "<configuration>\r\n"
              "  <other/>\r\n"
              "  <appSettings section=\"Rules\">\r\n"
              "    <add key=\"A\" value=\"1\"/>\r\n"
              "  </appSettings>\r\n"
              "  <appSettings>\r\n"
              "    <add key=\"B\" value=\"2\"/>\r\n"
              "  </appSettings>\r\n"
              "</configuration>\r\n");
}

TEST_F(SettingValuesTest, FindElementMatchesNameExactlyAndAMissingAttributeAsEmpty) {
    const auto setting = TSetting::Create(Path());
    XmlElement parent("parent");
    parent.AppendNode(XmlNodeKind::Comment, "a");
    parent.AppendElement("A");
    XmlElement* one = &parent.AppendElement("a");
    one->AddAttribute("N", "1");
    XmlElement* bare = &parent.AppendElement("a");
    XmlElement* two = &parent.AppendElement("a");
    two->AddAttribute("n", "2");

    EXPECT_EQ(setting->FindElement(&parent, "a", "1", "n"), one);
    EXPECT_EQ(setting->FindElement(&parent, "a", "2", "N"), two);
    EXPECT_EQ(setting->FindElement(&parent, "a", "", "n"), bare);
    EXPECT_EQ(setting->FindElement(&parent, "a", "3", "n"), nullptr);
    EXPECT_EQ(setting->FindElement(&parent, "A", "", "n"), parent.children[1].element.get());
    EXPECT_EQ(setting->FindElement(&parent, "b", "", "n"), nullptr);
    EXPECT_EQ(setting->FindElement(nullptr, "a", "", "n"), nullptr);
}

}  // namespace
