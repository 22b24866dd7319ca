// The hook library from the program's side: it must be beside the executable
// and start, or the program says why and ends without touching its settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "Fakes.h"
#include "ProgramContract.h"
#include "Harness.h"
#include "HelperClient.h"
#include "RemoteList.h"

using namespace e2e;

namespace {

const char kStored[] =
    "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
    "    <add key=\"Left\" value=\"321\"/>\r\n"
    "  </appSettings>\r\n</configuration>\r\n";

// The program's own texts are UTF-8 in the source; message boxes read back in the ANSI code page.
std::string Ansi(const char* utf8) {
    wchar_t wide[256] = L"";
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
    char ansi[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// Expects the one message box with this text, confirms it, and expects the
// program to end with the settings file as it was.
void ExpectStartFailure(const ProgramFolder& folder, const std::string& text,
                        const std::string& workingDir = "") {
    folder.WriteSettings(kStored);
    Program p(folder, "", workingDir);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(Program::MessageBoxText(box), Ansi(text.c_str()));
    wchar_t caption[64] = L"";
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, identity::kAppTitle);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(p.WaitForExit(), -1) << "the program did not end";
    EXPECT_EQ(folder.ReadSettings(), kStored);
}

}  // namespace

TEST(HookLibrary, MissingLibraryEndsTheProgramWithItsMessage) {
    ProgramFolder folder;
    folder.UseLibrary("");
    ExpectStartFailure(folder, "必要なDLLが存在しませんのでPelmoraを起動できません");
}

TEST(HookLibrary, FailedStartEndsTheProgramWithItsMessage) {
    ProgramFolder folder;
    folder.UseLibrary(StartFailsLibrary());
    ExpectStartFailure(folder, "起動に失敗しました\r\nPelmoraを終了します");
}

TEST(HookLibrary, CopyInTheCurrentFolderIsNeverLoaded) {
    ProgramFolder folder;
    folder.UseLibrary("");
    ProgramFolder elsewhere("-cwd");  // holds a working pelmora.dll
    ExpectStartFailure(folder, "必要なDLLが存在しませんのでPelmoraを起動できません", elsewhere.Path());
}

TEST(HookLibrary, LibraryWithoutStartHookLetsTheProgramRun) {
    ProgramFolder folder;
    folder.UseLibrary(SilentLibrary());
    folder.WriteSettings(kStored);
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(p.Close(), 0);
    // It ran all the way: the settings were read and written back.
    EXPECT_EQ(Value(folder.ReadSettings(), "Left"), "321");
    EXPECT_NE(Value(folder.ReadSettings(), "Width"), "");
}

TEST(HookLibrary, WindowsOpenedLaterAreListedAndDroppedWhenTheyGo) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return main && IsWindowVisible(main); }));
    HWND list = GetDlgItem(main, kIdCurrWin);
    ASSERT_NE(list, nullptr);
    auto rows = [&] {
        std::vector<std::string> titles = ColumnTexts(p.Pid(), list, 0);
        return std::count(titles.begin(), titles.end(), std::string("Opened later"));
    };
    helper::HelperClient helper;
    HWND wnd = helper.NewWindow({.title = "Opened later"});
    EXPECT_TRUE(WaitUntil([&] { return rows() == 1; })) << "no row for the new window";
    helper.Destroy(wnd);
    EXPECT_TRUE(WaitUntil([&] { return rows() == 0; })) << "the row stayed";
    EXPECT_EQ(p.Close(), 0);
}
