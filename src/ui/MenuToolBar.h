// A flat tool bar in a cool bar that shows the top-level items of a menu as
// buttons and drops down their submenus, in place of a classic menu bar.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class MenuToolBar {
public:
    static constexpr int kButtonWidth = 70;
    static constexpr int kButtonHeight = 20;
    static constexpr int kFirstButtonId = 0x7000;

    MenuToolBar(HWND owner, HMENU menu, HFONT font);
    HWND CoolBar() const { return coolBar_; }
    HWND ToolBar() const { return toolBar_; }
    int Height() const;
    // Buttons stay 70 x 20 whatever font the bar gets.
    void KeepButtonSize();

    // A command from a button: opens its submenu below it. True when handled.
    bool OnCommand(UINT id);
    // Alt + the underlined letter of a button's caption opens that submenu.
    bool OnMenuKey(wchar_t key);

private:
    void DropDown(int index);
    void SetButtonWidth(int index, int width);

    HWND owner_;
    HMENU menu_;
    HWND coolBar_ = nullptr;
    HWND toolBar_ = nullptr;
    std::vector<wchar_t> mnemonics_;
};

}  // namespace ui
