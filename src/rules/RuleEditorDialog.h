// "自動ウィンドウ制御 - 設定": the values of one rule of automatic window
// control (executable file, transparency, always-on-top, tray with or without
// icon, and whether a window goes there as soon as it opens). The dialog only holds values: it checks nothing and stores nothing;
// the command that opens it fills it and takes the values after OK. A new
// dialog is made for every opening and released after it.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "rules/RegistWindowsText.h"
#include "ui/ModalDialog.h"

// Lets the user pick a file, starting in initialFolder (empty: the chooser's
// default folder). Returns the full path picked, or nothing when the user
// cancels.
using FileChooser = std::function<std::optional<std::wstring>(HWND owner, const std::wstring& initialFolder)>;

// The system's file-open dialog with the filter
// "実行ファイル(*.exe)|*.exe|すべて(*.*)|*.*" (executables preselected). It
// accepts any name the user picks or types.
std::optional<std::wstring> ChooseExecutable(HWND owner, const std::wstring& initialFolder);

// The rule editor dialog ("自動ウィンドウ制御 - 設定").
class TForm3 : private ui::ModalDialog {
public:
    // Control identifiers. Button2 ("OK") and Button3 ("キャンセル") are
    // neither default nor cancel button, so Enter and Escape close nothing.
    enum ControlId : int {
        kLabel1 = 101,     // "ファイル名"
        kEdtFile,          // the executable's full path
        kBtnFile,          // "...": the file chooser
        kLabel2,           // "透明度"
        kJvxSlider1,       // transparency, 10 to 100
        kLblTransparency,  // the slider's value, "100%"
        kChkTopMost,       // "最前面化する"
        kGboxTray,         // "タスクトレイに入れる", a check-box caption
        kChkHide,          // "タスクトレイアイコンを表示しない", inside gboxTray
        kChkHideOnOpen,    // "開いたらすぐに入れる", inside gboxTray
        kButton2,          // "OK"
        kButton3,          // "キャンセル"
    };
    // Modal results.
    static constexpr INT_PTR kResultOk = 1;
    static constexpr INT_PTR kResultCancel = 2;

    // Shows the dialog modally over owner, filled with `values` (a default
    // StoredRule shows the designed values: no file, 100 %, nothing checked).
    // Returns the dialog's values after OK; nothing after Cancel or the close box.
    static std::optional<StoredRule> Edit(HWND owner, const StoredRule& values,
                                          const FileChooser& chooser = ChooseExecutable);

private:
    TForm3(HWND owner, const StoredRule& values, const FileChooser& chooser);

    void CreateControls() override;
    void StyleControls() override;
    void Fill() override;
    bool OnCommand(int id) override;

    void FitLabel(int id);
    void Prefill();
    StoredRule Values() const;

    void FormCreate();
    void btnFileClick();
    void JvxSlider1Change(int value);

    HWND gboxTray_ = nullptr;
    HWND chkHide_ = nullptr;
    HWND chkHideOnOpen_ = nullptr;
    StoredRule values_;  // the prefill, then the values taken at OK
    const FileChooser& chooser_;
};
