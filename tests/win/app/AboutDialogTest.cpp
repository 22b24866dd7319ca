// The About dialog as the user sees it: frame, size and place, controls,
// fonts, focus and how it closes.
#include <gtest/gtest.h>

#include <string>

#include "Identity.h"
#include "app/AboutDialog.h"
#include "support/DialogSession.h"
#include "ui/SystemInfo.h"
#include "ui/Handles.h"
#include "ui/Text.h"

using win_test::ChildRect;
using win_test::CreateOwner;
using win_test::TextOf;

namespace {

constexpr RECT kOwnerBounds{120, 90, 620, 390};

// Shows TForm2 over owner and calls inspect with the dialog once it is on the
// screen; a dialog left open is closed as by its close box. Returns the
// dialog's modal result.
INT_PTR ShowAboutAndInspect(HWND owner, const std::function<void(HWND dialog)>& inspect) {
    INT_PTR result = 0;
    win_test::ShowAndInspect(
        owner, [&] { result = TForm2::ShowAbout(owner); }, inspect);
    return result;
}

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

int TenPointHeight() {
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

// Sets the desktop's icon-title font height for the life of the object.
class IconTitleFontHeight {
public:
    explicit IconTitleFontHeight(LONG height) {
        SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof saved_, &saved_, 0);
        LOGFONTW changed = saved_;
        changed.lfHeight = height;
        SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof changed, &changed, 0);
    }
    ~IconTitleFontHeight() { SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof saved_, &saved_, 0); }

private:
    LOGFONTW saved_{};
};

class AboutDialog : public testing::Test {
protected:
    ui::OwnedWindow owner_{CreateOwner(kOwnerBounds)};
};

TEST_F(AboutDialog, HasAFixedFrameOfTheDesignedClientSize) {
    ShowAboutAndInspect(owner_.get(), [owner = owner_.get()](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), ui::Utf8("Pelmoraについて"));
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 265);
        EXPECT_EQ(client.bottom, 149);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    });
}

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Centred over the owner, but pushed back onto the screen when the owner
// hangs off its top left corner.
TEST_F(AboutDialog, OpensCentredOverItsOwnerAndOnTheScreen) {
    struct Case {
        const char* name;
        RECT owner;
        bool centred;
    };
    const Case cases[] = {
        {"owner on the screen", kOwnerBounds, true},
        {"owner off the top left corner", {-400, -300, -200, -200}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowPos(owner_.get(), nullptr, c.owner.left, c.owner.top, c.owner.right - c.owner.left,
                     c.owner.bottom - c.owner.top, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT dialogRect{}, ownerRect{};
        GetWindowRect(owner_.get(), &ownerRect);
        ShowAboutAndInspect(owner_.get(), [&](HWND dialog) { GetWindowRect(dialog, &dialogRect); });

        const RECT work = WorkAreaOf(owner_.get());
        if (c.centred) {
            EXPECT_NEAR(dialogRect.left + dialogRect.right, ownerRect.left + ownerRect.right, 1);
            EXPECT_NEAR(dialogRect.top + dialogRect.bottom, ownerRect.top + ownerRect.bottom, 1);
        } else {
            EXPECT_EQ(dialogRect.left, work.left);
            EXPECT_EQ(dialogRect.top, work.top);
        }
        RECT inside{};
        IntersectRect(&inside, &dialogRect, &work);
        EXPECT_EQ(inside, dialogRect) << "dialog " << dialogRect;
    }
}

TEST_F(AboutDialog, PlacesItsControlsWithTheirTexts) {
    struct Case {
        int id;
        RECT bounds;
        std::string text;
    };
    const Case cases[] = {
        {TForm2::kImage1, {54, 14, 70, 30}, ""},
        {TForm2::kLabel1, {80, 16, 193, 41}, "Pelmora ver " PELMORA_VERSION_TEXT},
        {TForm2::kJvLinkLabel1, {40, 64, 265, 76}, "HP:   https://pelmora.example.org/"},
        {TForm2::kJvLinkLabel2, {18, 88, 265, 100}, "E-mail:   pelmora@example.org"},
        {TForm2::kButton1, {96, 112, 171, 137}, "OK"},
    };
    ShowAboutAndInspect(owner_.get(), [&](HWND dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_TRUE(control);
            EXPECT_EQ(ChildRect(control), c.bounds) << ChildRect(control);
            EXPECT_EQ(TextOf(control), ui::Utf8(c.text));
        }
    });
}

TEST_F(AboutDialog, ShowsTheProgramIconAtSixteenPixels) {
    ShowAboutAndInspect(owner_.get(), [](HWND dialog) {
        auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, TForm2::kImage1, STM_GETICON, 0, 0));
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP color{};
        GetObjectW(info.hbmColor, sizeof color, &color);
        EXPECT_EQ(color.bmWidth, 16);
        EXPECT_EQ(color.bmHeight, 16);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    });
}

// Label1 is bold 10 point in the system font's face, whatever size the
// icon-title font has; the other controls show the system font itself.
TEST_F(AboutDialog, UsesTheSystemFontAndABoldTenPointLabel) {
    for (LONG iconTitleHeight : {-9L, -12L, -21L}) {
        SCOPED_TRACE(iconTitleHeight);
        IconTitleFontHeight desktop(iconTitleHeight);
        const LOGFONTW system = SystemFontRecord();
        ASSERT_EQ(system.lfHeight, iconTitleHeight);
        ShowAboutAndInspect(owner_.get(), [&](HWND dialog) {
            const LOGFONTW label = FontOf(GetDlgItem(dialog, TForm2::kLabel1));
            EXPECT_EQ(label.lfWeight, FW_BOLD);
            EXPECT_EQ(label.lfHeight, TenPointHeight());
            EXPECT_STREQ(label.lfFaceName, system.lfFaceName);
            for (int id : {TForm2::kButton1, TForm2::kJvLinkLabel1, TForm2::kJvLinkLabel2}) {
                const LOGFONTW font = FontOf(GetDlgItem(dialog, id));
                EXPECT_STREQ(font.lfFaceName, system.lfFaceName) << id;
                EXPECT_EQ(font.lfHeight, system.lfHeight) << id;
                EXPECT_EQ(font.lfWeight, system.lfWeight) << id;
            }
        });
    }
}

TEST_F(AboutDialog, StartsOnTheDefaultOkButtonFirstInTabOrder) {
    ShowAboutAndInspect(owner_.get(), [](HWND dialog) {
        HWND ok = GetDlgItem(dialog, TForm2::kButton1);
        EXPECT_EQ(GetFocus(), ok);
        EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
        EXPECT_TRUE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
        const int tabOrder[] = {TForm2::kJvLinkLabel1, TForm2::kJvLinkLabel2, TForm2::kButton1};
        HWND at = ok;
        for (int id : tabOrder) {
            at = GetNextDlgTabItem(dialog, at, FALSE);
            EXPECT_EQ(GetDlgCtrlID(at), id);
        }
    });
}

// OK and the close box end the dialog; Escape does not, as there is no
// cancel button. A dialog left open is cancelled by the session.
TEST_F(AboutDialog, ClosesByOkOrTheCloseBoxOnly) {
    struct Case {
        const char* name;
        void (*act)(HWND dialog);
        bool closes;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK clicked", [](HWND d) { SendDlgItemMessageW(d, TForm2::kButton1, BM_CLICK, 0, 0); }, true, IDOK},
        {"Enter pressed", [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }, true, IDOK},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, true, IDCANCEL},
        {"Escape pressed", [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, false, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool closed = false;
        const INT_PTR result = ShowAboutAndInspect(owner_.get(), [&](HWND dialog) {
            c.act(dialog);
            win_test::Pump(dialog);
            closed = !IsWindowVisible(dialog);
        });
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(result, c.result);
    }
}

}  // namespace
