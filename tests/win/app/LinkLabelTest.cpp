// The link label: where the link lies, which clicks and keys follow it, how it
// is drawn and which cursor it shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "support/DialogSession.h"
#include "ui/SystemInfo.h"
#include "ui/Handles.h"
#include "ui/LinkLabel.h"

namespace {

const wchar_t kBold[] = L"E-mail:   ";
const wchar_t kLink[] = L"someone@example.org";
constexpr RECT kBounds{10, 10, 310, 26};

LPARAM At(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class LinkLabelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent_);
        label_ = ui::CreateLinkLabel(parent_.get(), 7, kBounds, {kBold, kLink}, [this] { ++clicks_; });
        ASSERT_TRUE(label_);
        SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        link_ = ui::LinkLabelLinkRect(label_);
        ASSERT_FALSE(IsRectEmpty(&link_));
    }

    LONG TextWidth(const wchar_t* text, LONG weight) const {
        LOGFONTW lf{};
        GetObjectW(font_.get(), sizeof lf, &lf);
        lf.lfWeight = weight;
        ui::OwnedFont font(CreateFontIndirectW(&lf));
        HDC dc = GetDC(label_);
        HGDIOBJ old = SelectObject(dc, font.get());
        SIZE size{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        SelectObject(dc, old);
        ReleaseDC(label_, dc);
        return size.cx;
    }

    void Click(POINT down, POINT up) {
        SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, At(down));
        SendMessageW(label_, WM_MOUSEMOVE, MK_LBUTTON, At(up));
        SendMessageW(label_, WM_LBUTTONUP, 0, At(up));
    }

    // The parent need not be on screen: the tests send the label its messages.
    ui::OwnedWindow parent_{CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 100, 100, 400, 100, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr)};
    ui::OwnedFont font_{SetSystemFont()};
    HWND label_ = nullptr;  // destroyed with its parent
    RECT link_{};
    int clicks_ = 0;
};

TEST_F(LinkLabelTest, PutsTheLinkRightAfterTheBoldRun) {
    LOGFONTW lf{};
    GetObjectW(font_.get(), sizeof lf, &lf);
    EXPECT_EQ(link_.left, TextWidth(kBold, FW_BOLD));
    EXPECT_EQ(link_.right - link_.left, TextWidth(kLink, lf.lfWeight));
    EXPECT_EQ(link_.top, 0);
    RECT other = ui::LinkLabelLinkRect(parent_.get());
    EXPECT_TRUE(IsRectEmpty(&other)) << "not a link label";
}

TEST_F(LinkLabelTest, FollowsOnlyClicksThatStartAndEndOnTheLink) {
    const POINT onLink = Centre(link_);
    const POINT onBold{link_.left / 2, onLink.y};
    const POINT pastLink{link_.right + 3, onLink.y};
    struct Case {
        const char* name;
        POINT down, up;
        int clicks;
    };
    const Case cases[] = {
        {"on the link", onLink, onLink, 1},
        {"on its first pixel", {link_.left, link_.top}, {link_.left, link_.top}, 1},
        {"on the bold run", onBold, onBold, 0},
        {"past the link", pastLink, pastLink, 0},
        {"pressed on the link, released on the bold run", onLink, onBold, 0},
        {"pressed on the bold run, released on the link", onBold, onLink, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clicks_ = 0;
        Click(c.down, c.up);
        EXPECT_EQ(clicks_, c.clicks);
        EXPECT_NE(GetCapture(), label_);
    }
}

TEST_F(LinkLabelTest, FollowsEnterAndSpaceOnly) {
    struct Case {
        WPARAM key;
        int clicks;
    };
    for (const Case& c : {Case{VK_RETURN, 1}, Case{VK_SPACE, 1}, Case{'A', 0}, Case{VK_TAB, 0}}) {
        SCOPED_TRACE(c.key);
        clicks_ = 0;
        SendMessageW(label_, WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(clicks_, c.clicks);
    }
    MSG enter{label_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_EQ(SendMessageW(label_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTMESSAGE)
        << "Enter must reach the label, not the dialog's default button";
}

// The label as drawn into a 32-bit bitmap, row by row.
std::vector<std::vector<COLORREF>> Render(HWND label) {
    RECT client{};
    GetClientRect(label, &client);
    std::vector<std::vector<COLORREF>> pixels(client.bottom, std::vector<COLORREF>(client.right));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ui::Owned<HBITMAP, DeleteObject> bitmap(CreateBitmap(client.right, client.bottom, 1, 32, nullptr));
    HGDIOBJ old = SelectObject(dc, bitmap.get());
    SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels[y][x] = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The link colour appears on the link only, with a full-width underline even
// where the label is lower than the font (as in the About dialog); the bold
// run is drawn before it.
TEST_F(LinkLabelTest, DrawsTheLinkUnderlinedInTheLinkColour) {
    const COLORREF link = ui::LinkLabelColour();
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    for (int height : {16, 12, 9}) {
        SCOPED_TRACE(height);
        HWND label =
            ui::CreateLinkLabel(parent_.get(), 8, {0, 30, 300, 30 + height}, {kBold, kLink}, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        const RECT on = ui::LinkLabelLinkRect(label);
        const auto pixels = Render(label);
        int outside = 0, drawnBefore = 0;
        bool underlined = false;
        for (int y = 0; y < height; ++y) {
            int row = 0;
            for (int x = 0; x < 300; ++x) {
                const bool inside = x >= on.left && x < on.right && y >= on.top && y < on.bottom;
                if (pixels[y][x] == link) ++(inside ? row : outside);
                if (x < on.left && pixels[y][x] != background) ++drawnBefore;
            }
            underlined = underlined || row == on.right - on.left;
        }
        EXPECT_TRUE(underlined);
        EXPECT_EQ(outside, 0);
        EXPECT_GT(drawnBefore, 0) << "the bold run";
        DestroyWindow(label);
    }
}

TEST(LinkLabelColour, ReadsOnTheDialogBackground) {
    auto brightness = [](COLORREF c) {
        return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
    };
    EXPECT_GE(std::abs(brightness(ui::LinkLabelColour()) - brightness(GetSysColor(COLOR_BTNFACE))), 80);
}

TEST_F(LinkLabelTest, ShowsTheHandOverTheLinkOnly) {
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    const POINT onLink = Centre(link_);
    struct Case {
        const char* name;
        POINT at;
        bool hand;
    };
    const Case cases[] = {
        {"over the link", onLink, true},
        {"over the bold run", {link_.left / 2, onLink.y}, false},
        {"past the link", {link_.right + 3, onLink.y}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        POINT screen = c.at;
        ClientToScreen(label_, &screen);
        ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
        SetCursor(nullptr);
        SendMessageW(label_, WM_SETCURSOR, reinterpret_cast<WPARAM>(label_),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor() == hand, c.hand);
    }
}

}  // namespace
