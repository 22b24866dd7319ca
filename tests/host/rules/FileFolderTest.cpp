// Where the rule editor's file chooser starts: the folder part of the file
// name in the edit box.
#include <gtest/gtest.h>

#include <string>

#include "ShiftJis.h"
#include "rules/FileFolder.h"

namespace {

TEST(FileFolder, TakesEverythingBeforeTheLastSeparator) {
    const struct {
        std::string fileName;
        std::string folder;
    } cases[] = {
        {"C:\\Tools\\x.exe", "C:\\Tools"},
        {"C:\\Program Files\\Viewer\\view.exe", "C:\\Program Files\\Viewer"},
        {"C:\\x.exe", "C:\\"},
        {"C:\\", "C:\\"},
        {"C:\\Tools\\", "C:\\Tools"},
        {"C:x.exe", "C:"},
        {"\\x.exe", "\\"},
        {"\\\\server\\share\\x.exe", "\\\\server\\share"},
        {"\\\\server", "\\\\"},
        {"x.exe", ""},
        {"", ""},
        {"C:\\a\\\\b.exe", "C:\\a\\\\"},
        {"C:\\a:b", "C:\\a:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(FolderOfFile(c.fileName, NoLeadBytes), c.folder);
    }
}

// 表 and ソ end in 0x5C, the code of "\": under Shift-JIS they are letters.
TEST(FileFolder, DoesNotCutTwoByteCharacters) {
    const struct {
        std::string fileName;
        std::string folder;
    } cases[] = {
        {"C:\\" SJIS_HYOU "\\x.exe", "C:\\" SJIS_HYOU},
        {"C:\\" SJIS_HYOU, "C:\\"},
        {"C:\\Tools\\" SJIS_SO ".exe", "C:\\Tools"},
        {"C:\\" SJIS_SO "\\" SJIS_HYOU "\\", "C:\\" SJIS_SO "\\" SJIS_HYOU},
        {"\\" SJIS_SO, "\\"},
        {SJIS_SO, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(FolderOfFile(c.fileName, IsShiftJisLeadByte), c.folder);
    }
    // Read byte by byte the trail byte would end the folder.
    EXPECT_EQ(FolderOfFile("C:\\" SJIS_HYOU, NoLeadBytes), "C:\\\x95");
}

}  // namespace
