// Settings that cannot be read: the error is shown, and what was not read is
// left in the file as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "Harness.h"

using namespace e2e;

namespace {

const char kRules[] =
    "C:\\Program Files\\Editor\\editor.exe,1,1,80,0\r\n"
    "C:\\Tools\\&#x95;\\.exe,0,1,100,1\r\n";

std::string StoredFile(const std::string& left) {
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"Top\" value=\"120\"/>\r\n"
           "    <add key=\"Left\" value=\"" +
           left +
           "\"/>\r\n"
           "    <add key=\"Width\" value=\"500\"/>\r\n"
           "    <add key=\"Height\" value=\"300\"/>\r\n"
           "    <add key=\"Maximized\" value=\"0\"/>\r\n"
           "    <add key=\"CurrWinColumnsOrder\" value=\"1=150,0=200\"/>\r\n"
           "    <add key=\"RegWinColumnsOrder\" value=\"0=205,1=50,2=85,3=75\"/>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           std::string(kRules) +
           "\"/>\r\n"
           "    <add key=\"NormalIconHide\" value=\"-1\"/>\r\n"
           "    <add key=\"TaskbarHide\" value=\"0\"/>\r\n"
           "  </appSettings>\r\n</configuration>\r\n";
}

// Starts the program, expects one error box with this text, confirms it and
// checks that the main window stays hidden; then ends the program.
void ExpectStartupError(const ProgramFolder& folder, const std::string& text) {
    Program p(folder);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(Program::MessageBoxText(box), text);
    wchar_t caption[64] = L"";
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, identity::kAppTitle);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = p.MainWindow();
    ASSERT_NE(main, nullptr);
    // Handled after the box's OK: the rest of start-up is behind the program.
    ASSERT_TRUE(p.HandledEverythingPosted());
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(p.Close(), 0);
}

}  // namespace

TEST(StartupError, BadIntegerStopsStartUpAndKeepsWhatWasNotRead) {
    ProgramFolder folder;
    std::string stored = StoredFile("abc");
    folder.WriteSettings(stored);
    ExpectStartupError(folder, "'abc' is not a valid integer value.");
    std::string after = folder.ReadSettings();
    // Everything from "Left" on was never loaded and stays byte for byte.
    std::string rulesEntry = "    <add key=\"RegistWindows\" value=\"" + std::string(kRules) + "\"/>\r\n";
    EXPECT_NE(after.find(rulesEntry), std::string::npos) << after;
    EXPECT_EQ(Value(after, "Left"), "abc");
    EXPECT_EQ(Value(after, "Top"), "120");
    EXPECT_EQ(Value(after, "CurrWinColumnsOrder"), "1=150,0=200");
    // The two options read before the fault are written back, at the end.
    std::vector<std::string> keys = Keys(after);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2], "NormalIconHide");
    EXPECT_EQ(keys.back(), "TaskbarHide");
    EXPECT_EQ(Value(after, "NormalIconHide"), "-1");
}

TEST(StartupError, UnreadableFileIsLeftUntouched) {
    struct Case {
        const char* bytes;
        const char* message;
    };
    const Case cases[] = {
        {"<configuration>\r\n  <appSettings>\r\n  </wrong>\r\n</configuration>\r\n",
         "Invalid XML Element: Erroneous end of tag, expecting </appSettings> but </wrong> found."},
        {"garbage<configuration/>", "Invalid Document: Unexpected text in file prolog."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        ProgramFolder folder;
        folder.WriteSettings(c.bytes);
        ExpectStartupError(folder, c.message);
        EXPECT_EQ(folder.ReadSettings(), c.bytes);
    }
}

TEST(StartupError, BadTruthValueNamesTheText) {
    ProgramFolder folder;
    folder.WriteSettings(
        "<configuration><appSettings><add key=\"NormalIconHide\" "
        "value=\"maybe\"/></appSettings></configuration>");
    ExpectStartupError(folder, "'maybe' is not a valid boolean value.");
}

// The second start's request is kept while the box is open and answered once
// it is closed: the window, hidden by the stopped start-up, comes on screen.
// That it comes to the front is checked where no box is involved
// (MainWindow.SecondStartExitsAndBringsTheHiddenWindowForward): here Wine
// activates another window as the box goes, on the other window's thread and
// so at a moment of its own, and the front after that says nothing of what the
// program asked.
TEST(StartupError, SecondStartDuringTheErrorBoxShowsTheWindowAfterIt) {
    ProgramFolder folder;
    folder.WriteSettings(StoredFile("abc"));
    Program p(folder);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    HWND main = p.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(RunToEnd(folder.Exe(), ""), 0);
    // The second start has posted its request; the box's loop has taken it by now.
    ASSERT_TRUE(p.HandledEverythingPosted());
    EXPECT_TRUE(IsWindow(box)) << "the box stays until it is answered";
    EXPECT_FALSE(IsWindowVisible(main)) << "shown before the box was answered";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    EXPECT_EQ(p.Close(), 0);
}
