// Every dialog follows a change of DPI while it is open, as when it is moved
// to a monitor of another scale. Wine shows every monitor at one DPI, so the
// dialogs get the system's message itself, WM_DPICHANGED, with the new DPI and
// a proposed rectangle; they must take the rectangle and lay out fonts and
// controls again from their design, and going back must give back every pixel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AboutDialog.h"
#include "hotkeys/HotKeyDialog.h"
#include "rules/RuleEditorDialog.h"
#include "support/DialogSession.h"
#include "ui/CheckGroupBox.h"
#include "ui/Dpi.h"
#include "ui/Handles.h"
#include "ui/Slider.h"
#include "ui/SystemInfo.h"

using win_test::ChildRect;

namespace {

constexpr UINT kHighDpi = 144;

LONG FontHeight(HWND wnd) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
    return font && GetObjectW(font, sizeof lf, &lf) ? lf.lfHeight : 0;
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// The width of the icon a picture control shows; 0 for other controls.
int IconWidth(HWND wnd) {
    wchar_t className[16]{};
    GetClassNameW(wnd, className, 16);
    if (lstrcmpiW(className, L"Static") != 0) return 0;
    ICONINFO info{};
    const auto icon = reinterpret_cast<HICON>(SendMessageW(wnd, STM_GETICON, 0, 0));
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return mask.bmWidth;
}

// What a dialog shows that depends on the DPI: its frame and font, and every
// control's place, size, font and picture, also inside groups.
struct Control {
    HWND wnd;
    RECT rect;
    LONG fontHeight;
    RECT thumb;     // a slider's thumb; empty for other controls
    int iconWidth;  // a picture's icon; 0 for other controls
};
struct Layout {
    RECT frame;
    LONG fontHeight;
    std::vector<Control> controls;
};

BOOL CALLBACK AddControl(HWND wnd, LPARAM lp) {
    reinterpret_cast<Layout*>(lp)->controls.push_back(
        {wnd, ChildRect(wnd), FontHeight(wnd), ui::SliderThumbRect(wnd), IconWidth(wnd)});
    return TRUE;
}

Layout LayoutOf(HWND dialog) {
    Layout layout{WindowRectOf(dialog), FontHeight(dialog), {}};
    EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&layout));
    return layout;
}

void SendDpiChanged(HWND dialog, UINT dpi, const RECT& proposed) {
    RECT copy = proposed;
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&copy));
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// Labels fitted to their text, and a group's check-box caption, keep their
// designed corner but take the size of their text.
bool SizedByItsText(HWND dialog, HWND control, const std::vector<int>& fittedLabels) {
    if (ui::GroupCheckBox(GetParent(control)) == control) return true;
    if (GetParent(control) != dialog) return false;
    for (int id : fittedLabels)
        if (GetDlgCtrlID(control) == id) return true;
    return false;
}

void ExpectScaled(HWND dialog, const Layout& designed, const Layout& now,
                  const std::vector<int>& fittedLabels) {
    ASSERT_EQ(now.controls.size(), designed.controls.size());
    for (size_t i = 0; i < designed.controls.size(); ++i) {
        const Control& was = designed.controls[i];
        const Control& is = now.controls[i];
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(was.wnd) << " at " << was.rect);
        ASSERT_EQ(is.wnd, was.wnd);
        const RECT scaled = ui::Scale(was.rect, kHighDpi);
        if (SizedByItsText(dialog, was.wnd, fittedLabels)) {
            EXPECT_EQ(is.rect.left, scaled.left);
            EXPECT_EQ(is.rect.top, scaled.top);
            EXPECT_GE(Height(is.rect), Height(was.rect) * 5 / 4) << "the text grew with the font";
        } else {
            EXPECT_EQ(is.rect, scaled);
        }
        EXPECT_EQ(is.fontHeight, ui::Scale(was.fontHeight, kHighDpi));
        EXPECT_EQ(Width(is.thumb), ui::Scale(Width(was.thumb), kHighDpi));
        EXPECT_EQ(Height(is.thumb), ui::Scale(Height(was.thumb), kHighDpi));
        EXPECT_EQ(is.thumb.top, ui::Scale(was.thumb.top, kHighDpi));
        EXPECT_EQ(is.iconWidth, ui::Scale(was.iconWidth, kHighDpi));
    }
}

void ExpectSame(const Layout& before, const Layout& after) {
    EXPECT_EQ(after.frame, before.frame);
    EXPECT_EQ(after.fontHeight, before.fontHeight);
    ASSERT_EQ(after.controls.size(), before.controls.size());
    for (size_t i = 0; i < before.controls.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(before.controls[i].wnd));
        EXPECT_EQ(after.controls[i].rect, before.controls[i].rect);
        EXPECT_EQ(after.controls[i].fontHeight, before.controls[i].fontHeight);
        EXPECT_EQ(after.controls[i].thumb, before.controls[i].thumb);
        EXPECT_EQ(after.controls[i].iconWidth, before.controls[i].iconWidth);
    }
}

std::wstring NoRefusal(hotkeys::HotKeyCode, hotkeys::HotKeyCode) {
    return {};
}

struct DialogCase {
    const char* name;
    std::function<void(HWND owner)> show;
    std::vector<int> fittedLabels;
};

const DialogCase kDialogs[] = {
    {"About", [](HWND owner) { TForm2::ShowAbout(owner); }, {}},
    {"rule editor",
     [](HWND owner) { TForm3::Edit(owner, StoredRule{}); },
     {TForm3::kLabel1, TForm3::kLabel2, TForm3::kLblTransparency}},
    {"hotkeys", [](HWND owner) { THotKeyDialog::Edit(owner, 0, 0, NoRefusal); }, {}},
};

TEST(DialogDpi, ADialogLaysItselfOutAgainAtTheNewDpiAndBackExactly) {
    ui::OwnedWindow owner{win_test::CreateOwner({100, 80, 700, 480})};
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(c.name);
        win_test::ShowAndInspect(
            owner.get(), [&] { c.show(owner.get()); },
            [&](HWND dialog) {
                ASSERT_EQ(ui::WindowDpi(dialog), ui::kDesignDpi) << "the dialog opens at its design";
                const Layout designed = LayoutOf(dialog);
                ASSERT_FALSE(designed.controls.empty());

                const RECT frame = designed.frame;
                const RECT proposed{frame.left - 30, frame.top - 20,
                                    frame.left - 30 + ui::Scale(Width(frame), kHighDpi),
                                    frame.top - 20 + ui::Scale(Height(frame), kHighDpi)};
                SendDpiChanged(dialog, kHighDpi, proposed);
                const Layout high = LayoutOf(dialog);
                EXPECT_EQ(high.frame, proposed) << "the dialog takes the proposed rectangle";
                EXPECT_EQ(high.fontHeight, SystemFontRecord(kHighDpi).lfHeight);
                ExpectScaled(dialog, designed, high, c.fittedLabels);

                SendDpiChanged(dialog, ui::kDesignDpi, frame);
                ExpectSame(designed, LayoutOf(dialog));
            });
    }
}

}  // namespace
