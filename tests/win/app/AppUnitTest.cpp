// Small pieces of the program that need Windows but no window of their own.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/Dpi.h"
#include "ui/ExePath.h"
#include "ui/SystemInfo.h"
#include "ui/ErrorBox.h"
#include "ui/ListView.h"

#include <cstring>
#include <string>
#include <vector>

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
        {"Invalid XML Element: malformed tag found (no valid name)",
         "Invalid XML Element: malformed tag found (no valid name)"},
        {"Cannot open file C:\\a.xml", "Cannot open file C:\\a.xml."},
        {"ends with a dot.", "ends with a dot."},
        {"ends with a dash-", "ends with a dash-"},
        {"ends with a slash/", "ends with a slash/."},
        {"\x95\x5C", "\x95\x5C."},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ui::ErrorBoxText(c.message), c.shown) << c.message;
}

TEST(ExePath, SettingsFileAndHelpFolderFollowTheExecutable) {
    struct Case {
        const char* exe;
        const char* xml;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Tools\\pelmora.exe", "C:\\Tools\\pelmora.xml", "C:\\Tools\\"},
        {"C:\\My.Tools\\pelmora", "C:\\My.Tools\\pelmora.xml", "C:\\My.Tools\\"},
        {"C:\\a.b\\pelmora.old.exe", "C:\\a.b\\pelmora.old.xml", "C:\\a.b\\"},
        {"pelmora.exe", "pelmora.xml", ""},
    };
    auto wide = [](const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); };
    for (const Case& c : cases) {
        EXPECT_EQ(ChangeFileExt(c.exe, ".xml"), c.xml);
        EXPECT_EQ(ExtractFilePath(c.exe), c.folder);
        // The executable's own path is UTF-16: the same answers.
        EXPECT_EQ(ChangeFileExt(wide(c.exe), L".xml"), wide(c.xml));
        EXPECT_EQ(ExtractFilePath(wide(c.exe)), wide(c.folder));
    }
    // Any script in the folder's name.
    EXPECT_EQ(ChangeFileExt(L"D:\\\u017A\u0144d\u017Ab\u0142o\\\uD55C.exe", L".xml"),
              L"D:\\\u017A\u0144d\u017Ab\u0142o\\\uD55C.xml");
}

// Designed lengths at the common display scales, and back: a length scaled up
// and down again is the one designed, so stored sizes never creep.
TEST(Dpi, ScalesDesignedLengthsAndBackWithoutCreep) {
    EXPECT_EQ(ui::Scale(440, 144), 660);
    EXPECT_EQ(ui::Scale(205, 120), 256);
    EXPECT_EQ(ui::Scale(278, 96), 278);
    for (UINT dpi : {96u, 120u, 144u, 168u, 192u, 288u})
        for (int designed : {0, 1, 2, 7, 25, 75, 205, 278, 440, 1920, -200})
            EXPECT_EQ(ui::Unscale(ui::Scale(designed, dpi), dpi), designed) << designed << " at " << dpi;
    const RECT r = ui::Scale(RECT{8, 16, 61, 28}, 192);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.bottom, 56);
    EXPECT_EQ(ui::WindowDpi(nullptr), ui::SystemDpi());
    EXPECT_GE(ui::SystemDpi(), 96u);
}

TEST(ExePath, DoubleByteFolderNamesWhoseSecondByteIsABackslash) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    // "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: the 0x5C is no separator.
    EXPECT_EQ(ExtractFilePath("C:\\\x95\x5C\\\x83\x5C.exe"), "C:\\\x95\x5C\\");
    EXPECT_EQ(ChangeFileExt("C:\\\x95\x5C\\\x83\x5C.exe", ".xml"), "C:\\\x95\x5C\\\x83\x5C.xml");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\\x95\x5C", ".xml"), "C:\\a.b\\\x95\x5C.xml");
}

TEST(SystemInfo, VersionGates) {
    struct Case {
        DWORD major, minor;
        bool win2000, winXP;
    };
    const Case cases[] = {{4, 0, false, false}, {4, 90, false, false}, {5, 0, true, false},
                          {5, 1, true, true},   {5, 2, true, true},    {6, 0, true, true},
                          {10, 0, true, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsWin2000OrLater(c.major), c.win2000) << c.major << "." << c.minor;
        EXPECT_EQ(IsWinXPOrLater(c.major, c.minor), c.winXP) << c.major << "." << c.minor;
    }
}

TEST(SystemInfo, SystemFontIsTheIconTitleFont) {
    LOGFONTW expected{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof expected, &expected, 0));
    ui::OwnedFont font = SetSystemFont();
    ASSERT_TRUE(font);
    LOGFONTW got{};
    ASSERT_EQ(GetObjectW(font.get(), sizeof got, &got), static_cast<int>(sizeof got));
    EXPECT_STREQ(got.lfFaceName, expected.lfFaceName);
    EXPECT_EQ(got.lfHeight, expected.lfHeight);
}

// Typing in a list finds the row whose first column begins with the text.
TEST(ListViewFind, FindsByTheFirstColumnFromTheStartRow) {
    const std::vector<std::wstring> rows = {L"Notepad", L"note", L"Explorer", L"\u30e1\u30e2\u5e33", L"nothing"};
    auto textOf = [&](int row) { return rows[row]; };
    struct Case {
        const wchar_t* text;
        UINT flags;
        int start;
        int row;
    } cases[] = {
        {L"no", LVFI_PARTIAL | LVFI_STRING, 0, 0},           // letter case does not count
        {L"no", LVFI_PARTIAL | LVFI_STRING, 1, 1},           // from the start row on
        {L"no", LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP, 2, 4},
        {L"ex", LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP, 4, 2},  // wraps round
        {L"ex", LVFI_PARTIAL | LVFI_STRING, 4, -1},             // does not wrap unless asked
        {L"note", LVFI_STRING, 0, 1},                           // whole text
        {L"\u30e1\u30e2", LVFI_PARTIAL | LVFI_STRING, 0, 3},
        {L"zzz", LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP, 0, -1},
        {L"", LVFI_PARTIAL | LVFI_STRING, 3, 3},
        {L"Notepad", LVFI_PARAM, 0, -1},  // not a text search
    };
    for (const Case& c : cases) {
        LVFINDINFOW find{};
        find.flags = c.flags;
        find.psz = c.text;
        EXPECT_EQ(ui::FindRow(find, c.start, static_cast<int>(rows.size()), textOf), c.row)
            << static_cast<const void*>(c.text) << " from " << c.start;
    }
    LVFINDINFOW any{};
    any.flags = LVFI_STRING;
    any.psz = L"x";
    EXPECT_EQ(ui::FindRow(any, 0, 0, textOf), -1);
}
