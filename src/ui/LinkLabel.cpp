#include "ui/LinkLabel.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "ui/ControlObject.h"
#include "ui/Drawing.h"
#include "ui/Handles.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"PelmoraLinkLabel";
constexpr int kMinimumContrast = 80;

// Perceived brightness, 0 to 255.
int Brightness(COLORREF c) {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

class LinkLabel {
public:
    LinkLabel(LinkLabelText text, std::function<void()> onLinkClick)
        : text_(std::move(text)), onLinkClick_(std::move(onLinkClick)) {}

    void BindWindow(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc) const;
    RECT LinkRect() const;

private:
    void SetFont(HFONT font);
    void Layout();
    void DrawRuns(HDC dc) const;
    bool OverLink(POINT client) const;
    bool OnSetCursor(LPARAM lp) const;
    void OnButtonDown(POINT client);
    void OnButtonUp(POINT client);
    bool OnKeyDown(WPARAM key);
    LRESULT OnGetDlgCode(LPARAM lp) const;

    HWND hwnd_ = nullptr;
    LinkLabelText text_;
    std::function<void()> onLinkClick_;
    HFONT font_ = nullptr;  // the owner's, borrowed
    OwnedFont bold_;
    int textTop_ = 0;    // negative when the text moves up into a lower label
    int underline_ = 0;  // the row of the link's underline
    RECT link_{};        // may reach below the label; LinkRect clips it
    bool pressed_ = false;
};

LRESULT LinkLabel::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (ChangesFocusOrEnabledLook(msg)) InvalidateRect(hwnd, nullptr, TRUE);
    switch (msg) {
        case WM_CREATE:
            SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wp));
            if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETCURSOR:
            if (OnSetCursor(lp)) return TRUE;
            break;
        case WM_LBUTTONDOWN:
            OnButtonDown({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wp)) return 0;
            break;
        case WM_GETDLGCODE:
            return OnGetDlgCode(lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void LinkLabel::SetFont(HFONT font) {
    font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    GetObjectW(font_, sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    bold_.reset(CreateFontIndirectW(&lf));
    Layout();
}

// The link starts where the bold run ends. A label may be lower than its
// font's cell (a 12-pixel label with a 12-pixel font that has internal
// leading): then the text moves up by at most that blank leading, and the
// underline is drawn by hand on the last row at the lowest, so it shows.
void LinkLabel::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    WindowDC dc(hwnd_);
    const LONG left = TextSize(dc.get(), bold_.get(), text_.bold).cx;
    const SIZE link = TextSize(dc.get(), font_, text_.link);
    const TEXTMETRICW tm = FontMetrics(dc.get(), font_);
    const LONG overflow = tm.tmHeight - client.bottom;
    textTop_ = overflow > 0 ? -std::min(overflow, tm.tmInternalLeading) : 0;
    underline_ = std::max(0L, std::min(textTop_ + tm.tmAscent + 1, client.bottom - 1));
    link_ = {left, 0, left + link.cx, std::max(textTop_ + link.cy, underline_ + 1L)};
}

RECT LinkLabel::LinkRect() const {
    RECT client{}, visible{};
    GetClientRect(hwnd_, &client);
    IntersectRect(&visible, &client, &link_);
    return visible;
}

bool LinkLabel::OverLink(POINT client) const {
    RECT link = LinkRect();
    return PtInRect(&link, client) != FALSE;
}

// The parent chooses the background and text colour, as for a static control.
void LinkLabel::Paint(HDC dc) const {
    FillParentBackground(hwnd_, dc);
    DrawRuns(dc);
    if (ShowsFocus(hwnd_)) {
        RECT link = LinkRect();
        DrawFocusRect(dc, &link);
    }
}

void LinkLabel::DrawRuns(HDC dc) const {
    const bool enabled = IsWindowEnabled(hwnd_);
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    {
        FontSelection selected(dc, bold_.get());
        TextOutW(dc, 0, textTop_, text_.bold.c_str(), static_cast<int>(text_.bold.size()));
    }
    const COLORREF colour = enabled ? LinkLabelColour() : GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    FontSelection selected(dc, font_);
    TextOutW(dc, link_.left, textTop_, text_.link.c_str(), static_cast<int>(text_.link.size()));
    RECT underline{link_.left, underline_, link_.right, underline_ + 1};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &underline, nullptr, 0, nullptr);  // fills with the colour
}

bool LinkLabel::OnSetCursor(LPARAM lp) const {
    POINT at{};
    if (LOWORD(lp) != HTCLIENT || !GetCursorPos(&at) || !ScreenToClient(hwnd_, &at) || !OverLink(at))
        return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

// A click counts when the button goes down and comes up on the link.
void LinkLabel::OnButtonDown(POINT client) {
    if (!OverLink(client)) return;
    pressed_ = true;
    SetCapture(hwnd_);
}

void LinkLabel::OnButtonUp(POINT client) {
    if (!pressed_) return;
    pressed_ = false;
    ReleaseCapture();
    if (OverLink(client) && onLinkClick_) onLinkClick_();
}

bool LinkLabel::OnKeyDown(WPARAM key) {
    if (key != VK_RETURN && key != VK_SPACE) return false;
    if (onLinkClick_) onLinkClick_();
    return true;
}

// Enter would otherwise press the dialog's default button.
LRESULT LinkLabel::OnGetDlgCode(LPARAM lp) const {
    auto* msg = reinterpret_cast<const MSG*>(lp);
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    return 0;
}

LinkLabel* StateOf(HWND label) {
    return ControlObjectOf<LinkLabel>(label, kClassName);
}

}  // namespace

// The system's link colour, unless a theme leaves it too close to the
// dialog background to read (Wine's default is light grey): then plain blue.
COLORREF LinkLabelColour() {
    const COLORREF link = GetSysColor(COLOR_HOTLIGHT);
    const int contrast = Brightness(link) - Brightness(GetSysColor(COLOR_BTNFACE));
    return std::abs(contrast) >= kMinimumContrast ? link : RGB(0, 0, 255);
}

HWND CreateLinkLabel(HWND parent, int id, const RECT& bounds, LinkLabelText text,
                     std::function<void()> onLinkClick) {
    const std::wstring caption = text.bold + text.link;  // for accessibility tools
    auto label = std::make_unique<LinkLabel>(std::move(text), std::move(onLinkClick));
    return CreateControlObject(kClassName, std::move(label), parent, id, bounds, WS_VISIBLE | WS_TABSTOP, 0,
                               caption.c_str());
}

RECT LinkLabelLinkRect(HWND label) {
    LinkLabel* state = StateOf(label);
    return state ? state->LinkRect() : RECT{};
}

}  // namespace ui
