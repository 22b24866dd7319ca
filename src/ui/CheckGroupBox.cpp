#include "ui/CheckGroupBox.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "ui/ControlObject.h"
#include "ui/Dpi.h"
#include "ui/Drawing.h"
#include "ui/Handles.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"PelmoraCheckGroupBox";
constexpr int kCaptionId = 1;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 4;  // between the box and the text, and behind the text

class CheckGroupBox {
public:
    CheckGroupBox(std::wstring caption, bool checked) : caption_(std::move(caption)), checked_(checked) {}

    void BindWindow(HWND hwnd) {
        hwnd_ = hwnd;
        dpi_ = WindowDpi(hwnd);
    }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc) const;
    void SetDpi(UINT dpi);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    HWND CheckBox() const { return checkBox_; }

private:
    bool OnCreate();
    void OnSetFont(HFONT font, bool redraw);
    void FitCaption();
    void EnableContents() const;
    void OnCommand(WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    UINT dpi_ = kDesignDpi;    // the DPI the group is laid out at
    HWND checkBox_ = nullptr;  // a child of the group
    std::wstring caption_;
    bool checked_;
    HFONT font_ = nullptr;  // the parent's, borrowed
};

LRESULT CheckGroupBox::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SETFONT:
            OnSetFont(reinterpret_cast<HFONT>(wp), LOWORD(lp) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case BM_GETCHECK:
            return checked_ ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            SetChecked(wp == BST_CHECKED);
            return 0;
        case WM_PARENTNOTIFY:
            // A control added later takes the group's state at once.
            // (The caption itself is created before checkBox_ is known.)
            if (LOWORD(wp) == WM_CREATE && checkBox_ && reinterpret_cast<HWND>(lp) != checkBox_)
                EnableWindow(reinterpret_cast<HWND>(lp), checked_);
            return 0;
        case WM_COMMAND:
            OnCommand(wp, lp);
            return 0;
        case WM_NOTIFY:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetParent(hwnd), msg, wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool CheckGroupBox::OnCreate() {
    checkBox_ =
        CreateChildWindow(hwnd_, L"BUTTON", caption_.c_str(), WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                          kCaptionId, {kCaptionLeft, 0, kCaptionLeft, 0});
    if (!checkBox_) return false;
    SendMessageW(checkBox_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    OnSetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), false);
    return true;
}

void CheckGroupBox::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    SendMessageW(checkBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    FitCaption();
    if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

// The caption box is as wide as its text needs and as high as a line of it.
void CheckGroupBox::FitCaption() {
    WindowDC dc(checkBox_);
    const SIZE text = TextSize(dc.get(), font_, caption_);
    const TEXTMETRICW tm = FontMetrics(dc.get(), font_);
    const int box = SystemMetric(SM_CXMENUCHECK, dpi_);
    const int padding = Scale(kCaptionPadding, dpi_);
    const int width = box + padding + text.cx + padding;
    const int height = std::max<int>(tm.tmHeight, box) + Scale(2, dpi_);
    SetWindowPos(checkBox_, nullptr, Scale(kCaptionLeft, dpi_), 0, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The caption is fitted again; its font follows from the dialog.
void CheckGroupBox::SetDpi(UINT dpi) {
    dpi_ = dpi;
    FitCaption();
}

void CheckGroupBox::SetChecked(bool checked) {
    checked_ = checked;
    SendMessageW(checkBox_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableContents();
}

// Every control in the group but the caption.
void CheckGroupBox::EnableContents() const {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != checkBox_) EnableWindow(child, checked_);
    }
}

void CheckGroupBox::OnCommand(WPARAM wp, LPARAM lp) {
    const HWND parent = GetParent(hwnd_);
    if (reinterpret_cast<HWND>(lp) != checkBox_) {
        SendMessageW(parent, WM_COMMAND, wp, lp);
        return;
    }
    if (HIWORD(wp) != BN_CLICKED) return;
    SetChecked(SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd_));
}

// An etched frame whose top edge runs through the middle of the caption; the
// caption box covers it where it stands (the group clips its children).
void CheckGroupBox::Paint(HDC dc) const {
    FillParentBackground(hwnd_, dc);
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT caption{};
    GetWindowRect(checkBox_, &caption);
    RECT frame = client;
    frame.top = (caption.bottom - caption.top) / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
}

CheckGroupBox* GroupOf(HWND group) {
    return ControlObjectOf<CheckGroupBox>(group, kClassName);
}

}  // namespace

HWND CreateCheckGroupBox(HWND parent, int id, const RECT& bounds, const std::wstring& caption, bool checked) {
    auto group = std::make_unique<CheckGroupBox>(caption, checked);
    return CreateControlObject(kClassName, std::move(group), parent, id, bounds, WS_VISIBLE | WS_CLIPCHILDREN,
                               WS_EX_CONTROLPARENT, caption.c_str());
}

bool IsGroupChecked(HWND group) {
    CheckGroupBox* state = GroupOf(group);
    return state && state->Checked();
}

void SetGroupChecked(HWND group, bool checked) {
    if (CheckGroupBox* state = GroupOf(group)) state->SetChecked(checked);
}

HWND GroupCheckBox(HWND group) {
    CheckGroupBox* state = GroupOf(group);
    return state ? state->CheckBox() : nullptr;
}

}  // namespace ui
