// "ホットキー - 設定": the two global keys, each in the platform's hotkey
// control, laid out as the rule editor is. OK hands the keys to a try that
// registers them; when it says a key is taken, the dialog says so and stays
// open, so the user can pick another or cancel.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "hotkeys/HotKeyCode.h"
#include "ui/ModalDialog.h"

class THotKeyDialog : private ui::ModalDialog {
public:
    enum ControlId : int {
        kLblToTray = 101,  // "アクティブなウィンドウをタスクトレイに入れる"
        kHotToTray,        // its key
        kLblBringBack,     // "最後に入れたウィンドウを元に戻す"
        kHotBringBack,     // its key
        kBtnOk,            // "OK"
        kBtnCancel,        // "キャンセル"
    };
    // The keys tried; an empty text when they are taken, else what to tell the user.
    using KeyTry = std::function<std::wstring(hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack)>;

    // Shows the dialog modally over owner; true when the keys were taken with OK.
    static bool Edit(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                     const KeyTry& tryKeys);

private:
    THotKeyDialog(HWND owner, hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack,
                  const KeyTry& tryKeys);

    void CreateControls() override;
    void Fill() override;
    bool OnCommand(int id) override;
    void BtnOkClick();

    hotkeys::HotKeyCode toTray_;
    hotkeys::HotKeyCode bringBack_;
    const KeyTry& tryKeys_;
};
