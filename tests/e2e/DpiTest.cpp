// The program at 144 DPI (150 %), as Wine gives it when the desktop's
// LogPixels say so: it lays itself out at that DPI, and the settings file
// keeps the sizes it holds at 96 DPI. And the main window moved to a monitor
// of 144 DPI and back, which Wine cannot show: it is sent the system's
// WM_DPICHANGED itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"
#include "HelperClient.h"
#include "MenuDescription.h"
#include "ProgramContract.h"
#include "RemoteList.h"
#include "rules/CodePage.h"
#include "rules/RegistWindowsText.h"
#include "rules/RuleEditorDialog.h"
#include "ui/Dpi.h"

using namespace e2e;

namespace {

// The desktop's DPI for the programs started while it lives; the one before
// comes back however the test ends.
class DesktopDpi {
public:
    explicit DesktopDpi(DWORD dpi) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        key_ = key;
        DWORD size = sizeof before_;
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before_), &size) ==
               ERROR_SUCCESS;
        set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
               ERROR_SUCCESS;
    }
    ~DesktopDpi() {
        if (!key_) return;
        if (had_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_), sizeof before_);
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
    }
    DesktopDpi(const DesktopDpi&) = delete;
    DesktopDpi& operator=(const DesktopDpi&) = delete;
    bool Set() const { return set_; }

private:
    HKEY key_ = nullptr;
    DWORD before_ = 0;
    bool had_ = false;
    bool set_ = false;
};

RECT ClientOf(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
}

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(Dpi, At144DpiTheProgramLaysItselfOutAndStoresSizesAt96) {
    ProgramFolder folder;
    {
        DesktopDpi desktop(144);
        ASSERT_TRUE(desktop.Set());
        Program p(folder);
        HWND main = p.MainWindow();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        RECT frame{};
        GetWindowRect(main, &frame);
        EXPECT_EQ(frame.right - frame.left, 660) << "440 at 96 DPI";
        EXPECT_EQ(frame.bottom - frame.top, 417) << "278 at 96 DPI";
        // The rule editor: its client area and buttons at 150 %.
        PostMessageW(main, WM_COMMAND, ID_NNew, 0);
        HWND editor = nullptr;
        // Shown once it has laid itself out.
        ASSERT_TRUE(WaitUntil([&] {
            editor = FindWindowW(L"#32770", L"自動ウィンドウ制御 - 設定");
            return editor && IsWindowVisible(editor);
        }));
        // Designed 282 x 229, OK at (112, 199)-(187, 224); edges round half up.
        EXPECT_EQ(ClientOf(editor).right, 423);
        EXPECT_EQ(ClientOf(editor).bottom, 344);
        const RECT ok = ChildRect(GetDlgItem(editor, TForm3::kButton2));
        EXPECT_EQ(ok.left, 168);
        EXPECT_EQ(ok.top, 299);
        EXPECT_EQ(ok.right, 281);
        EXPECT_EQ(ok.bottom, 336);
        PostMessageW(editor, WM_COMMAND, TForm3::kButton3, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
        ASSERT_EQ(p.Close(), 0);
    }
    const std::string xml = folder.ReadSettings();
    EXPECT_EQ(Value(xml, "Width"), "440");
    EXPECT_EQ(Value(xml, "Height"), "278");
    EXPECT_EQ(Value(xml, "Left"), "200");
    EXPECT_EQ(Value(xml, "RegWinColumnsOrder"), "0=205,1=50,2=85,3=75");
    EXPECT_EQ(Value(xml, "CurrWinColumnsOrder"), "0=200,1=200");
}

namespace {

// Settings with one rule, so that the rule list has a row.
std::string SettingsWithOneRule() {
    StoredRule rule;
    rule.FileName = "C:\\Tools\\listed.exe";
    const std::string rules = WriteRegistWindows({rule}, IsAnsiLeadByte);
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           rules + "\"/>\r\n  </appSettings>\r\n</configuration>\r\n";
}

}  // namespace

// The rows' icons of both lists take the small-icon size of the new DPI, every
// row keeps an image, and the size of the DPI before comes back with it.
TEST(Dpi, TheListsIconsFollowTheMainWindowToAnotherDpiAndBack) {
    const int designed = ui::SystemMetric(SM_CXSMICON, 96);
    const int high = ui::SystemMetric(SM_CXSMICON, 144);
    ASSERT_NE(high, designed) << "the system has a larger small icon at 144 DPI";
    helper::HelperClient helper;
    ASSERT_TRUE(helper.NewWindow({.title = "Listed at any DPI"}));
    ProgramFolder folder;
    folder.WriteSettings(SettingsWithOneRule());
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    const HWND lists[] = {GetDlgItem(main, kIdCurrWin), GetDlgItem(main, kIdRegWin)};
    auto expectIconWidth = [&](int width) {
        for (HWND list : lists) {
            SCOPED_TRACE(GetDlgCtrlID(list));
            ASSERT_GT(RowCount(list), 0);
            const RECT icon = RowIconRect(p.Pid(), list, 0);
            EXPECT_EQ(icon.right - icon.left, width);
            for (int image : RowImages(p.Pid(), list)) EXPECT_GE(image, 0);
        }
    };
    expectIconWidth(designed);

    RECT frame{};
    GetWindowRect(main, &frame);
    SendDpiChanged(p.Pid(), main, 144,
                   {frame.left, frame.top, frame.left + ui::Scale(frame.right - frame.left, 144),
                    frame.top + ui::Scale(frame.bottom - frame.top, 144)});
    expectIconWidth(high);
    SendDpiChanged(p.Pid(), main, 96, frame);
    expectIconWidth(designed);
    ASSERT_EQ(p.Close(), 0);
}
