// Files that are not well formed: creation fails with the reader's message and
// the file stays as it was.
#include <gtest/gtest.h>

#include <string>

#include "SettingTestSupport.h"

namespace {

struct ErrorCase {
    std::string file;
    std::string message;
};

const std::string kProlog = "Invalid Document: Unexpected text in file prolog";
const std::string kNoName = "Invalid XML Element: malformed tag found (no valid name)";
const std::string kAfterRoot = "Invalid Document: Unexpected text after the root element";

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

using SettingReadErrorTest = SettingFileTest;

TEST_F(SettingReadErrorTest, ReportsEachSyntaxErrorByName) {
    const ErrorCase cases[] = {
        {"hello", kProlog},
        {"\xEF\xBB\xBFx<configuration/>", kProlog},
        {"<?pi data?><a/>", kProlog},
        {"<?XML version=\"1.0\"?><a/>", kProlog},
        {"<!ELEMENT a ANY><a/>", kProlog},
        {"<>", kNoName},
        {"< a/>", kNoName},
        {"</a>", kNoName},
        {"<a></>", kNoName},
        {"<a><b></a>", "Invalid XML Element: Erroneous end of tag, expecting </b> but </a> found"},
        {"<configuration><appSettings></configuration>",
         "Invalid XML Element: Erroneous end of tag, expecting </appSettings> but </configuration> found"},
        {"<a><b>", "Invalid XML Element: missing end tag </b>"},
        {"<a", "Invalid XML Element: tag <a> is not closed"},
        {"<a b=\"1\"", "Invalid XML Element: tag <a> is not closed"},
        {"<a @/>", "Invalid XML Element: tag <a> holds an unexpected character"},
        {"<a b></a>", "Invalid XML Element: tag <a>: attribute b has no value"},
        {"<a b=c/>", "Invalid XML Element: tag <a>: value of attribute b is not quoted"},
        {"<a b=\"c/>", "Invalid XML Element: tag <a>: value of attribute b is not closed"},
        {"<a></a b>", "Invalid XML Element: end tag </a> is not closed"},
        {"<a&#x20;b/>", "Invalid XML Element: invalid character in the name <a&#x20;b>"},
        {"<a><?pi?></a>", "Invalid XML Element: unexpected markup inside <a>"},
        {"<a><!DOCTYPE a></a>", "Invalid XML Element: unexpected markup inside <a>"},
        {"<a><!-- x</a>", "Invalid XML: comment is not closed by \"-->\""},
        {"<!-- x", "Invalid XML: comment is not closed by \"-->\""},
        {"<a><![CDATA[x</a>", "Invalid XML Element: CDATA section is not closed by \"]]>\""},
        {"<a/>x", kAfterRoot},
        {"<a/><b/>", kAfterRoot},
        {"<a/>\xEF\xBB\xBF", kAfterRoot},
        {"<?xml version=\"1.0\"?><?xml version=\"1.0\"?><a/>",
         "Invalid Document: more than one XML declaration"},
        {"<?xml version=\"1.0\"", "Invalid Document: XML declaration is malformed or not closed"},
        {"<?xml version=1.0?><a/>",
         "Invalid Document: XML declaration: value of attribute version is not quoted"},
        {"<?xml-stylesheet href=\"s\"", "Invalid Document: style-sheet instruction is not closed by \"?>\""},
        {"<!DOCTYPE a [ <!ENTITY e \"]>\"> <a/>", "Invalid Document: DOCTYPE declaration is not closed"},
        {Repeat("<a>", 300), "Invalid XML Element: elements nested too deeply"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.file);
        WriteBytes(Path(), c.file);
        try {
            TSetting::Create(Path());
            ADD_FAILURE() << "no error";
        } catch (const SettingError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
        EXPECT_EQ(ReadBytes(Path()), c.file);
    }
}

TEST_F(SettingReadErrorTest, FileThatCannotBeReadIsReportedWithItsPath) {
    const std::string folder = dir_.File("folder.xml");
    std::filesystem::create_directory(folder);
    try {
        TSetting::Create(folder);
        ADD_FAILURE() << "no error";
    } catch (const SettingError& error) {
        EXPECT_EQ(error.what(), "Cannot open file " + folder);
    }
}

TEST_F(SettingReadErrorTest, MissingFileIsAnEmptyStoreAndCreationWritesNothing) {
    const auto setting = TSetting::Create(Path());
    EXPECT_EQ(setting->FileName, Path());
    EXPECT_EQ(setting->GetValue("Left", "200"), "200");
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

}  // namespace
