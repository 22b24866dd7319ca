// The rule editor as the user sees it: frame, controls and tab order, its
// initial state and prefill, the values it gives back, how it closes, and
// where the file chooser starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/RuleEditorDialog.h"
#include "rules/RulePath.h"
#include "support/DialogSession.h"
#include "ui/CheckGroupBox.h"
#include "ui/Handles.h"
#include "ui/Slider.h"
#include "ui/SystemInfo.h"
#include "ui/Text.h"

using ui::Utf8;
using win_test::ChildRect;
using win_test::CreateOwner;
using win_test::Pump;
using win_test::ShowAndInspect;
using win_test::TextOf;

void PrintTo(const StoredRule& r, std::ostream* os) {
    *os << "{" << testing::PrintToString(r.FileName) << ", " << r.Transparency << "%, tray " << r.Tray
        << ", topmost " << r.TopMost << ", hide icon " << r.HideIcon
        << ", hide on open " << r.HideOnOpen << "}";
}

namespace {

constexpr RECT kOwnerBounds{100, 80, 700, 480};

std::optional<std::wstring> NoChooser(HWND, const std::wstring&) {
    ADD_FAILURE() << "the file chooser was opened";
    return std::nullopt;
}

HWND Item(HWND dialog, int id) {
    if (id == TForm3::kChkHide || id == TForm3::kChkHideOnOpen)
        return GetDlgItem(GetDlgItem(dialog, TForm3::kGboxTray), id);
    return GetDlgItem(dialog, id);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND dialog, HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump(dialog);
}

StoredRule Rule(std::string file, int transparency, bool tray, bool topMost, bool hideIcon) {
    StoredRule rule;
    rule.FileName = std::move(file);
    rule.Transparency = transparency;
    rule.Tray = tray;
    rule.TopMost = topMost;
    rule.HideIcon = hideIcon;
    return rule;
}

class RuleEditor : public testing::Test {
protected:
    std::optional<StoredRule> Edit(const StoredRule& values, const std::function<void(HWND)>& inspect,
                                   const FileChooser& chooser = NoChooser) {
        std::optional<StoredRule> result;
        ShowAndInspect(
            owner_.get(), [&] { result = TForm3::Edit(owner_.get(), values, chooser); }, inspect);
        return result;
    }

    ui::OwnedWindow owner_{CreateOwner(kOwnerBounds)};
};

TEST_F(RuleEditor, HasAFixedFrameOfTheDesignedClientSizeCentredOverItsOwner) {
    Edit({}, [owner = owner_.get()](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), Utf8("自動ウィンドウ制御 - 設定"));
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 282);
        EXPECT_EQ(client.bottom, 229);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        RECT frame{}, over{};
        GetWindowRect(dialog, &frame);
        GetWindowRect(owner, &over);
        EXPECT_NEAR(frame.left + frame.right, over.left + over.right, 1);
        EXPECT_NEAR(frame.top + frame.bottom, over.top + over.bottom, 1);
    });
}

// Labels keep their designed corner and take the size of their text.
TEST_F(RuleEditor, PlacesEveryControlWithItsCaption) {
    struct Case {
        int id;
        RECT bounds;
        const char* text;
        bool label;
    };
    const Case cases[] = {
        {TForm3::kLabel1, {8, 16, 61, 28}, "ファイル名", true},
        {TForm3::kEdtFile, {66, 13, 241, 33}, "", false},
        {TForm3::kBtnFile, {245, 10, 278, 35}, "...", false},
        {TForm3::kLabel2, {16, 48, 52, 60}, "透明度", true},
        {TForm3::kJvxSlider1, {64, 40, 214, 73}, "", false},
        {TForm3::kLblTransparency, {224, 48, 248, 60}, "100%", true},
        {TForm3::kChkTopMost, {16, 80, 113, 97}, "最前面化する", false},
        {TForm3::kGboxTray, {16, 112, 249, 192}, "タスクトレイに入れる", false},
        {TForm3::kChkHide, {8, 24, 201, 41}, "タスクトレイアイコンを表示しない", false},
        {TForm3::kChkHideOnOpen, {8, 48, 225, 65}, "開いたらすぐに入れる", false},
        {TForm3::kButton2, {112, 199, 187, 224}, "OK", false},
        {TForm3::kButton3, {200, 199, 275, 224}, "キャンセル", false},
    };
    Edit({}, [&](HWND dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            HWND control = Item(dialog, c.id);
            ASSERT_TRUE(control);
            EXPECT_EQ(TextOf(control), Utf8(c.text));
            const RECT at = ChildRect(control);
            if (!c.label) {
                EXPECT_EQ(at, c.bounds);
                continue;
            }
            EXPECT_EQ(at.left, c.bounds.left);
            EXPECT_EQ(at.top, c.bounds.top);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            SIZE text{};
            const std::wstring caption = Utf8(c.text);
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            EXPECT_EQ(at.right - at.left, text.cx);
            EXPECT_EQ(at.bottom - at.top, text.cy);
        }
        EXPECT_EQ(GetParent(Item(dialog, TForm3::kChkHide)), GetDlgItem(dialog, TForm3::kGboxTray));
        EXPECT_EQ(GetParent(Item(dialog, TForm3::kChkHideOnOpen)), GetDlgItem(dialog, TForm3::kGboxTray));
    });
}

TEST_F(RuleEditor, ShowsTheSystemFontEverywhere) {
    const LOGFONTW system = SystemFontRecord();
    Edit({}, [&](HWND dialog) {
        for (int id : {TForm3::kLabel1, TForm3::kEdtFile, TForm3::kLblTransparency, TForm3::kChkTopMost,
                       TForm3::kChkHide, TForm3::kButton2}) {
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(dialog, id), WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            EXPECT_STREQ(font.lfFaceName, system.lfFaceName) << id;
            EXPECT_EQ(font.lfHeight, system.lfHeight) << id;
        }
        LOGFONTW caption{};
        GetObjectW(reinterpret_cast<HFONT>(
                       SendMessageW(ui::GroupCheckBox(Item(dialog, TForm3::kGboxTray)), WM_GETFONT, 0, 0)),
                   sizeof caption, &caption);
        EXPECT_STREQ(caption.lfFaceName, system.lfFaceName);
    });
}

// Tab runs edtFile, btnFile, chkTopMost, OK, Cancel, the tray group's
// caption and, while enabled, chkHide and chkHideOnOpen; the slider is left out.
TEST_F(RuleEditor, StartsInTheFileNameAndTabsInTheDesignedOrder) {
    auto tabOrder = [](HWND dialog) {
        std::vector<HWND> order;
        HWND first = GetFocus();
        for (HWND at = first; order.size() < 20;) {
            order.push_back(at);
            at = GetNextDlgTabItem(dialog, at, FALSE);
            if (at == first) break;
        }
        return order;
    };
    Edit({}, [&](HWND dialog) {
        EXPECT_EQ(GetFocus(), Item(dialog, TForm3::kEdtFile));
        HWND caption = ui::GroupCheckBox(Item(dialog, TForm3::kGboxTray));
        const std::vector<HWND> unchecked = {
            Item(dialog, TForm3::kEdtFile), Item(dialog, TForm3::kBtnFile), Item(dialog, TForm3::kChkTopMost),
            Item(dialog, TForm3::kButton2), Item(dialog, TForm3::kButton3), caption};
        EXPECT_EQ(tabOrder(dialog), unchecked);

        Click(dialog, caption);
        std::vector<HWND> checked = unchecked;
        checked.push_back(Item(dialog, TForm3::kChkHide));
        checked.push_back(Item(dialog, TForm3::kChkHideOnOpen));
        SetFocus(Item(dialog, TForm3::kEdtFile));
        EXPECT_EQ(tabOrder(dialog), checked);
        EXPECT_FALSE(GetWindowLongW(Item(dialog, TForm3::kJvxSlider1), GWL_STYLE) & WS_TABSTOP);
    });
}

TEST_F(RuleEditor, AFreshDialogShowsTheDesignedValues) {
    Edit({}, [](HWND dialog) {
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kEdtFile)), L"");
        EXPECT_EQ(ui::SliderValue(Item(dialog, TForm3::kJvxSlider1)), 100);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"100%");
        EXPECT_FALSE(Checked(Item(dialog, TForm3::kChkTopMost)));
        EXPECT_FALSE(ui::IsGroupChecked(Item(dialog, TForm3::kGboxTray)));
        EXPECT_FALSE(Checked(ui::GroupCheckBox(Item(dialog, TForm3::kGboxTray))));
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, TForm3::kChkHide)));
        EXPECT_FALSE(Checked(Item(dialog, TForm3::kChkHide)));
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, TForm3::kChkHideOnOpen)));
        EXPECT_FALSE(Checked(Item(dialog, TForm3::kChkHideOnOpen)));
    });
}

TEST_F(RuleEditor, ShowsThePrefilledValues) {
    StoredRule every = Rule("C:\\Tools\\x.exe", 40, true, true, true);
    every.HideOnOpen = true;
    Edit(every, [](HWND dialog) {
        EXPECT_TRUE(Checked(Item(dialog, TForm3::kChkHideOnOpen)));
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kEdtFile)), L"C:\\Tools\\x.exe");
        EXPECT_EQ(ui::SliderValue(Item(dialog, TForm3::kJvxSlider1)), 40);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"40%");
        EXPECT_TRUE(Checked(Item(dialog, TForm3::kChkTopMost)));
        EXPECT_TRUE(ui::IsGroupChecked(Item(dialog, TForm3::kGboxTray)));
        EXPECT_TRUE(IsWindowEnabled(Item(dialog, TForm3::kChkHide)));
        EXPECT_TRUE(Checked(Item(dialog, TForm3::kChkHide)));
    });
    // A stored transparency outside the slider's range shows at the nearest end.
    Edit(Rule("a.exe", 0, false, false, true), [](HWND dialog) {
        EXPECT_EQ(ui::SliderValue(Item(dialog, TForm3::kJvxSlider1)), 10);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"10%");
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, TForm3::kChkHide)));
        EXPECT_TRUE(Checked(Item(dialog, TForm3::kChkHide)));
    });
}

// The file name is shown and taken exactly: as system code-page text where
// the code page can write it (and nothing beside it), else with "?" for what
// it lacks and the exact path beside it.
TEST_F(RuleEditor, PrefillsAndReturnsFileNamesInEveryScript) {
    const struct {
        const char* path;  // UTF-8
        const char* ansi932;  // what each code page keeps, UTF-8
        const char* ansi1252;
    } cases[] = {
        {"C:\\Tools\\x.exe", "C:\\Tools\\x.exe", "C:\\Tools\\x.exe"},
        {"C:\\表\\ソフト.exe", "C:\\表\\ソフト.exe", "C:\\?\\???.exe"},
        {"D:\\Zażółć 한국\\x.exe", "D:\\Za???? ??\\x.exe", "D:\\Za?ó?? ??\\x.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string ansi = GetACP() == 932 ? c.ansi932 : c.ansi1252;
        const bool exactBeside = ansi != c.path;
        StoredRule prefill;
        SetRulePath(prefill, Utf8(c.path));
        EXPECT_EQ(prefill.FileName, ui::Narrow(Utf8(ansi), CP_ACP));
        EXPECT_EQ(prefill.ExactFileName, exactBeside ? std::string(c.path) : std::string());
        const auto result = Edit(prefill, [&](HWND dialog) {
            EXPECT_EQ(TextOf(Item(dialog, TForm3::kEdtFile)), Utf8(c.path));
            Click(dialog, Item(dialog, TForm3::kButton2));
        });
        ASSERT_TRUE(result);
        EXPECT_EQ(*result, prefill);
        EXPECT_EQ(RulePath(*result), Utf8(c.path));
    }
}

TEST_F(RuleEditor, OkGivesTheValuesShown) {
    const auto result = Edit(Rule("C:\\a.exe", 100, false, false, false), [](HWND dialog) {
        SetWindowTextW(Item(dialog, TForm3::kEdtFile), L"D:\\b c.exe");
        ui::SetSliderValue(Item(dialog, TForm3::kJvxSlider1), 70);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"70%");
        Click(dialog, Item(dialog, TForm3::kChkTopMost));
        Click(dialog, ui::GroupCheckBox(Item(dialog, TForm3::kGboxTray)));
        EXPECT_TRUE(IsWindowEnabled(Item(dialog, TForm3::kChkHide)));
        Click(dialog, Item(dialog, TForm3::kChkHide));
        Click(dialog, Item(dialog, TForm3::kChkHideOnOpen));
        Click(dialog, Item(dialog, TForm3::kButton2));
        EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog));
    });
    StoredRule expected = Rule("D:\\b c.exe", 70, true, true, true);
    expected.HideOnOpen = true;
    EXPECT_EQ(result, expected);
}

// Unticking the tray group disables "no icon" but keeps its tick, and OK
// reads it all the same.
TEST_F(RuleEditor, KeepsTheNoIconTickWhileTheTrayGroupIsOff) {
    const auto result = Edit(Rule("C:\\a.exe", 50, true, false, false), [](HWND dialog) {
        Click(dialog, Item(dialog, TForm3::kChkHide));
        Click(dialog, ui::GroupCheckBox(Item(dialog, TForm3::kGboxTray)));
        EXPECT_FALSE(ui::IsGroupChecked(Item(dialog, TForm3::kGboxTray)));
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, TForm3::kChkHide)));
        EXPECT_TRUE(Checked(Item(dialog, TForm3::kChkHide)));
        Click(dialog, Item(dialog, TForm3::kButton2));
    });
    EXPECT_EQ(result, Rule("C:\\a.exe", 50, false, false, true));
}

// The slider answers its keys inside the dialog, and its label follows.
TEST_F(RuleEditor, TheTransparencyLabelFollowsTheSlider) {
    Edit({}, [](HWND dialog) {
        HWND slider = Item(dialog, TForm3::kJvxSlider1);
        const RECT thumb = ui::SliderThumbRect(slider);
        SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.left + 2, thumb.top + 2));
        SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(thumb.left + 2, thumb.top + 2));
        EXPECT_EQ(GetFocus(), slider);
        for (WPARAM key : {VK_LEFT, VK_LEFT, VK_HOME}) PostMessageW(slider, WM_KEYDOWN, key, 0);
        Pump(dialog);
        EXPECT_EQ(ui::SliderValue(slider), 10);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"10%");
        PostMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
        Pump(dialog);
        EXPECT_EQ(TextOf(Item(dialog, TForm3::kLblTransparency)), L"20%");
        EXPECT_EQ(GetFocus(), slider) << "arrow keys stay with the slider";
    });
}

// Only OK, Cancel and the close box end the dialog: neither button is the
// default or the cancel button.
TEST_F(RuleEditor, ClosesByItsButtonsAndTheCloseBoxOnly) {
    struct Case {
        const char* name;
        void (*act)(HWND dialog);
        bool closes;
        bool ok;
    };
    const Case cases[] = {
        {"OK", [](HWND d) { SendMessageW(Item(d, TForm3::kButton2), BM_CLICK, 0, 0); }, true, true},
        {"Cancel", [](HWND d) { SendMessageW(Item(d, TForm3::kButton3), BM_CLICK, 0, 0); }, true, false},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, true, false},
        {"Enter in the file name", [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }, false,
         false},
        {"Escape", [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool closed = false;
        const auto result = Edit(Rule("C:\\x.exe", 60, false, false, false), [&](HWND dialog) {
            // The dialog manager's default identifier names no control.
            EXPECT_FALSE(GetDlgItem(dialog, LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0))));
            for (int id : {TForm3::kButton2, TForm3::kButton3})
                EXPECT_FALSE(GetWindowLongW(Item(dialog, id), GWL_STYLE) & BS_DEFPUSHBUTTON);
            c.act(dialog);
            Pump(dialog);
            closed = !IsWindow(dialog) || !IsWindowVisible(dialog);
        });
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(result.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(result, Rule("C:\\x.exe", 60, false, false, false));
        }
    }
}

// "..." starts the chooser in the folder of the typed name; a pick replaces
// the name, a cancel keeps it.
TEST_F(RuleEditor, TheFileButtonStartsTheChooserInTheFileNamesFolder) {
    struct Case {
        const char* typed;  // UTF-8
        const char* folder;
        const char* picked;  // nullptr: the user cancels
    };
    const Case cases[] = {
        {"C:\\Tools\\x.exe", "C:\\Tools", "D:\\Apps\\new.exe"},
        {"C:\\x.exe", "C:\\", nullptr},
        {"x.exe", "", nullptr},
        {"", "", "C:\\p q.exe"},
        {"C:\\表\\ソ.exe", "C:\\表", nullptr},
        {"D:\\한국\\x.exe", "D:\\한국", "D:\\Zażółć\\y.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::vector<std::wstring> folders;
        HWND chooserOwner = nullptr;
        FileChooser chooser = [&](HWND owner, const std::wstring& folder) {
            chooserOwner = owner;
            folders.push_back(folder);
            return c.picked ? std::optional(Utf8(c.picked)) : std::nullopt;
        };
        Edit(
            {},
            [&](HWND dialog) {
                SetWindowTextW(Item(dialog, TForm3::kEdtFile), Utf8(c.typed).c_str());
                Click(dialog, Item(dialog, TForm3::kBtnFile));
                EXPECT_EQ(chooserOwner, dialog);
                EXPECT_EQ(TextOf(Item(dialog, TForm3::kEdtFile)),
                          Utf8(c.picked ? c.picked : c.typed));
            },
            chooser);
        EXPECT_EQ(folders, std::vector<std::wstring>{Utf8(c.folder)});
    }
}

}  // namespace
