// The group box with a check-box caption: enabling its contents, notifying
// its parent, passing on the commands of the controls inside.
#include <gtest/gtest.h>

#include <vector>

#include "support/DialogSession.h"
#include "ui/CheckGroupBox.h"
#include "ui/Handles.h"

namespace {

constexpr int kGroupId = 20;
constexpr int kInnerId = 21;

// A parent window that records the WM_COMMAND messages it receives.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) g_commands.push_back(wp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateRecordingParent() {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RulesTestParent";
        return RegisterClassW(&wc);
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"RulesTestParent", L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                           300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND AddCheckBox(HWND parent, int id) {
    return CreateWindowExW(0, L"BUTTON", L"inner", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 8,
                           24, 150, 17, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class CheckGroupBox : public testing::Test {
protected:
    CheckGroupBox() { g_commands.clear(); }

    ui::OwnedWindow parent_{CreateRecordingParent()};
    HWND group_ = ui::CreateCheckGroupBox(parent_.get(), kGroupId, {16, 16, 250, 80}, L"caption", true);
    HWND inner_ = AddCheckBox(group_, kInnerId);
};

TEST_F(CheckGroupBox, ItsCaptionEnablesTheControlsInside) {
    ASSERT_TRUE(group_ && inner_);
    HWND caption = ui::GroupCheckBox(group_);
    EXPECT_EQ(win_test::TextOf(caption), L"caption");
    EXPECT_TRUE(ui::IsGroupChecked(group_));
    EXPECT_TRUE(IsWindowEnabled(inner_));
    SendMessageW(inner_, BM_SETCHECK, BST_CHECKED, 0);

    const struct {
        const char* name;
        void (*act)(HWND group);
        bool checked;
        std::vector<WPARAM> commands;
    } cases[] = {
        {"set from code", [](HWND g) { ui::SetGroupChecked(g, false); }, false, {}},
        {"BM_SETCHECK", [](HWND g) { SendMessageW(g, BM_SETCHECK, BST_CHECKED, 0); }, true, {}},
        {"clicked",
         [](HWND g) { SendMessageW(ui::GroupCheckBox(g), BM_CLICK, 0, 0); },
         false,
         {MAKEWPARAM(kGroupId, BN_CLICKED)}},
        {"clicked again",
         [](HWND g) { SendMessageW(ui::GroupCheckBox(g), BM_CLICK, 0, 0); },
         true,
         {MAKEWPARAM(kGroupId, BN_CLICKED)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_commands.clear();
        c.act(group_);
        EXPECT_EQ(ui::IsGroupChecked(group_), c.checked);
        EXPECT_EQ(SendMessageW(group_, BM_GETCHECK, 0, 0), c.checked ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(Checked(caption), c.checked);
        EXPECT_EQ(IsWindowEnabled(inner_) != FALSE, c.checked);
        EXPECT_TRUE(IsWindowEnabled(caption));
        EXPECT_TRUE(Checked(inner_)) << "the inner box keeps its tick";
        EXPECT_EQ(g_commands, c.commands);
    }
}

TEST_F(CheckGroupBox, AControlAddedToAnUncheckedGroupStartsDisabled) {
    ui::SetGroupChecked(group_, false);
    HWND later = AddCheckBox(group_, kInnerId + 1);
    EXPECT_FALSE(IsWindowEnabled(later));
    ui::SetGroupChecked(group_, true);
    EXPECT_TRUE(IsWindowEnabled(later));
}

TEST_F(CheckGroupBox, PassesTheCommandsOfItsControlsOn) {
    SendMessageW(inner_, BM_CLICK, 0, 0);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{MAKEWPARAM(kInnerId, BN_CLICKED)});
    EXPECT_TRUE(Checked(inner_));
}

// The caption is as wide as its text needs and gets the group's font.
TEST_F(CheckGroupBox, FitsItsCaptionToTheFont) {
    HWND caption = ui::GroupCheckBox(group_);
    const RECT before = win_test::ChildRect(caption);
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = -30;
    ui::OwnedFont big{CreateFontIndirectW(&lf)};
    SendMessageW(group_, WM_SETFONT, reinterpret_cast<WPARAM>(big.get()), TRUE);
    const RECT after = win_test::ChildRect(caption);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(caption, WM_GETFONT, 0, 0)), big.get());
    EXPECT_EQ(after.left, before.left);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
    EXPECT_GE(GetWindowLongW(group_, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
}

}  // namespace
