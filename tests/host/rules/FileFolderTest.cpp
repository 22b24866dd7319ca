// Where the rule editor's file chooser starts: the folder part of the file
// name in the edit box.
#include <gtest/gtest.h>

#include <string>

#include "rules/FileFolder.h"

namespace {

TEST(FileFolder, TakesEverythingBeforeTheLastSeparator) {
    const struct {
        std::wstring fileName;
        std::wstring folder;
    } cases[] = {
        {L"C:\\Tools\\x.exe", L"C:\\Tools"},
        {L"C:\\Program Files\\Viewer\\view.exe", L"C:\\Program Files\\Viewer"},
        {L"C:\\x.exe", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"C:\\Tools\\", L"C:\\Tools"},
        {L"C:x.exe", L"C:"},
        {L"\\x.exe", L"\\"},
        {L"\\\\server\\share\\x.exe", L"\\\\server\\share"},
        {L"\\\\server", L"\\\\"},
        {L"x.exe", L""},
        {L"", L""},
        {L"C:\\a\\\\b.exe", L"C:\\a\\\\"},
        {L"C:\\a:b", L"C:\\a:"},
        // Letters of every script, also those whose Shift-JIS trail byte is the code of "\".
        {L"C:\\\u8868\\\u30bd.exe", L"C:\\\u8868"},
        {L"D:\\Za\u017c\u00f3\u0142\u0107 \ud55c\uad6d\\x.exe", L"D:\\Za\u017c\u00f3\u0142\u0107 \ud55c\uad6d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.fileName));
        EXPECT_EQ(FolderOfFile(c.fileName), c.folder);
    }
}

}  // namespace
