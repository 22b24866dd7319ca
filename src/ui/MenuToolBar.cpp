#include "ui/MenuToolBar.h"

#include <commctrl.h>

#include <cwctype>
#include <string>

namespace ui {

namespace {

std::wstring MenuItemText(HMENU menu, int index) {
    wchar_t buf[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(index), buf, 128, MF_BYPOSITION);
    return buf;
}

wchar_t Mnemonic(const std::wstring& text) {
    size_t amp = text.find(L'&');
    return amp + 1 < text.size() ? static_cast<wchar_t>(std::towupper(text[amp + 1])) : 0;
}

}  // namespace

MenuToolBar::MenuToolBar(HWND owner, HMENU menu, HFONT font) : owner_(owner), menu_(menu) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    coolBar_ = CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                   RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                               0, 0, 0, 0, owner, nullptr, inst, nullptr);
    toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE |
                                   CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, coolBar_, nullptr, inst, nullptr);
    SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));

    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        std::wstring text = MenuItemText(menu, i);
        mnemonics_.push_back(Mnemonic(text));
        TBBUTTON b{};
        b.iBitmap = I_IMAGENONE;
        b.idCommand = kFirstButtonId + i;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
        b.iString = reinterpret_cast<INT_PTR>(text.c_str());
        SendMessageW(toolBar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
    }

    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.hwndChild = toolBar_;
    band.cyMinChild = kButtonHeight + 2;
    band.cx = 0;
    SendMessageW(coolBar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    KeepButtonSize();
}

// Buttons are 70 pixels wide, or as wide as their caption needs when a font
// makes it longer: a cut caption ("ファイ...") would hide the menu's name.
void MenuToolBar::KeepButtonSize() {
    SendMessageW(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
    for (size_t i = 0; i < mnemonics_.size(); ++i) SetButtonWidth(static_cast<int>(i), 0);
    SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);
    for (size_t i = 0; i < mnemonics_.size(); ++i) {
        RECT rc{};
        SendMessageW(toolBar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
        if (rc.right - rc.left < kButtonWidth) SetButtonWidth(static_cast<int>(i), kButtonWidth);
    }
    // The band is as wide as the buttons need; its height was set with it.
    SIZE size{};
    SendMessageW(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILDSIZE;
    band.cxMinChild = size.cx;
    band.cyMinChild = kButtonHeight + 2;
    SendMessageW(coolBar_, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
}

// A width of 0 lets the button size itself to its caption.
void MenuToolBar::SetButtonWidth(int index, int width) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE | TBIF_SIZE;
    info.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT | (width == 0 ? BTNS_AUTOSIZE : 0);
    info.cx = static_cast<WORD>(width);
    SendMessageW(toolBar_, TB_SETBUTTONINFOW, kFirstButtonId + index, reinterpret_cast<LPARAM>(&info));
}

int MenuToolBar::Height() const {
    RECT rc{};
    GetWindowRect(coolBar_, &rc);
    return rc.bottom - rc.top;
}

bool MenuToolBar::OnCommand(UINT id) {
    int index = static_cast<int>(id) - kFirstButtonId;
    if (index < 0 || index >= static_cast<int>(mnemonics_.size())) return false;
    DropDown(index);
    return true;
}

bool MenuToolBar::OnMenuKey(wchar_t key) {
    key = static_cast<wchar_t>(std::towupper(key));
    for (size_t i = 0; i < mnemonics_.size(); ++i) {
        if (mnemonics_[i] && mnemonics_[i] == key) {
            DropDown(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

void MenuToolBar::DropDown(int index) {
    HMENU sub = GetSubMenu(menu_, index);
    if (!sub) return;
    int id = kFirstButtonId + index;
    RECT rc{};
    SendMessageW(toolBar_, TB_GETRECT, id, reinterpret_cast<LPARAM>(&rc));
    MapWindowPoints(toolBar_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    SendMessageW(toolBar_, TB_PRESSBUTTON, id, TRUE);
    // The chosen item arrives as WM_COMMAND at the owner, as from a menu bar.
    TrackPopupMenu(sub, TPM_LEFTALIGN | TPM_TOPALIGN, rc.left, rc.bottom, 0, owner_, nullptr);
    SendMessageW(toolBar_, TB_PRESSBUTTON, id, FALSE);
}

}  // namespace ui
