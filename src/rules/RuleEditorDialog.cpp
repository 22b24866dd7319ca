#include "rules/RuleEditorDialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "prefs/Preferences.h"
#include "rules/RulePath.h"
#include "rules/FileFolder.h"
#include "ui/CheckGroupBox.h"
#include "ui/Drawing.h"
#include "ui/Handles.h"
#include "ui/ModalDialog.h"
#include "ui/Slider.h"
#include "ui/Text.h"

namespace {

constexpr char kCaption[] = "自動ウィンドウ制御 - 設定";
constexpr char kOpenDialogFilter[] = "実行ファイル(*.exe)|*.exe|すべて(*.*)|*.*";
constexpr int kClientWidth = 282;
constexpr int kClientHeight = 229;
constexpr ui::SliderRange kTransparencyRange{10, 100, 10};
constexpr DWORD kFileBufferChars = 32768;  // the longest path the system allows

// "a|b|c|d" as the file dialog wants it: "a\0b\0c\0d\0\0".
std::wstring FilterList(const char* utf8) {
    std::wstring list = ui::Utf8(utf8);
    for (wchar_t& ch : list)
        if (ch == L'|') ch = L'\0';
    list.push_back(L'\0');
    return list;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// comdlg32.dll is loaded when the file chooser first opens, not at start: it
// adds some 5 MB to the working set (and milliseconds to the start) of a
// program that rarely browses for a file. By its full path in the system folder.
BOOL ShowOpenFileDialog(OPENFILENAMEW& ofn) {
    using GetOpenFileNameFunc = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const GetOpenFileNameFunc open = []() -> GetOpenFileNameFunc {
        wchar_t folder[MAX_PATH];
        UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        HMODULE dialogs = LoadLibraryW((std::wstring(folder, length) + L"\\comdlg32.dll").c_str());
        if (!dialogs) return nullptr;
        return reinterpret_cast<GetOpenFileNameFunc>(
            reinterpret_cast<void*>(GetProcAddress(dialogs, "GetOpenFileNameW")));
    }();
    return open && open(&ofn);
}

}  // namespace

std::optional<std::wstring> ChooseExecutable(HWND owner, const std::wstring& folder) {
    const std::wstring filter = FilterList(kOpenDialogFilter);
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kFileBufferChars;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!ShowOpenFileDialog(ofn)) return std::nullopt;
    return std::wstring(file.data());
}

TForm3::TForm3(HWND owner, const StoredRule& values, const FileChooser& chooser)
    : ModalDialog(owner, {kCaption, kClientWidth, kClientHeight, kEdtFile}),
      values_(values),
      chooser_(chooser) {}

std::optional<StoredRule> TForm3::Edit(HWND owner, const StoredRule& values, const FileChooser& chooser) {
    TForm3 form(owner, values, chooser);
    if (form.ShowModal() != kResultOk) return std::nullopt;
    return form.values_;
}

// IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape,
// belong to no button here and are ignored.
bool TForm3::OnCommand(int id) {
    switch (id) {
        case kButton2:
            values_ = Values();
            Close(kResultOk);
            return true;
        case kButton3:
            Close(kResultCancel);
            return true;
        case kBtnFile:
            btnFileClick();
            return true;
        default:
            return false;
    }
}

// The creation order is the tab order: edtFile, btnFile, chkTopMost, the two
// buttons, then the tray group with its caption, chkHide and chkHideOnOpen. The slider is
// no tab stop; it takes the focus when clicked.
void TForm3::CreateControls() {
    AddControl(L"STATIC", "ファイル名", SS_LEFT, kLabel1, Bounds(8, 16, 53, 12));
    AddControl(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kEdtFile, Bounds(66, 13, 175, 20), WS_EX_CLIENTEDGE);
    AddControl(L"BUTTON", "...", WS_TABSTOP | BS_PUSHBUTTON, kBtnFile, Bounds(245, 10, 33, 25));
    AddControl(L"STATIC", "透明度", SS_LEFT, kLabel2, Bounds(16, 48, 36, 12));
    const RECT slider = Bounds(64, 40, 150, 33);
    Keep(ui::CreateSlider(Handle(), kJvxSlider1, slider, kTransparencyRange, 100,
                          [this](int value) { JvxSlider1Change(value); }),
         slider);
    AddControl(L"STATIC", "100%", SS_LEFT, kLblTransparency, Bounds(224, 48, 24, 12));
    AddControl(L"BUTTON", "最前面化する", WS_TABSTOP | BS_AUTOCHECKBOX, kChkTopMost, Bounds(16, 80, 97, 17));
    AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_PUSHBUTTON, kButton2, Bounds(112, 199, 75, 25));
    AddControl(L"BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, kButton3, Bounds(200, 199, 75, 25));
    const RECT group = Bounds(16, 112, 233, 80);
    gboxTray_ = Keep(
        ui::CreateCheckGroupBox(Handle(), kGboxTray, group, ui::Utf8("タスクトレイに入れる"), true), group);
    chkHide_ = AddControl(gboxTray_, L"BUTTON", "タスクトレイアイコンを表示しない",
                          WS_TABSTOP | BS_AUTOCHECKBOX, kChkHide, Bounds(8, 24, 193, 17));
    chkHideOnOpen_ = AddControl(gboxTray_, L"BUTTON", "開いたらすぐに入れる", WS_TABSTOP | BS_AUTOCHECKBOX,
                                kChkHideOnOpen, Bounds(8, 48, 217, 17));
}

// Every control, also those inside the tray group, shows the system font;
// the labels then take the size of their text from their designed corner.
void TForm3::StyleControls() {
    ModalDialog::StyleControls();
    for (int id : {kLabel1, kLabel2, kLblTransparency}) FitLabel(id);
}

void TForm3::FitLabel(int id) {
    HWND label = GetDlgItem(Handle(), id);
    const std::wstring text = WindowText(label);
    const SIZE size = ui::TextSize(ui::WindowDC(label).get(), Font(), text);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

// The tray group is checked in the design; a new dialog starts with it
// unchecked, then shows the opening command's values.
void TForm3::Fill() {
    FormCreate();
    Prefill();
}

// The opening command's values, in the order the controls depend on each
// other: the slider's label follows the slider, chkHide the tray group.
void TForm3::Prefill() {
    SetWindowTextW(GetDlgItem(Handle(), kEdtFile), RulePath(values_).c_str());
    ui::SetSliderValue(GetDlgItem(Handle(), kJvxSlider1), values_.Transparency);
    SetChecked(GetDlgItem(Handle(), kChkTopMost), values_.TopMost);
    ui::SetGroupChecked(gboxTray_, values_.Tray);
    SetChecked(chkHide_, values_.HideIcon);
    SetChecked(chkHideOnOpen_, values_.HideOnOpen);
}

// The tray group's check boxes count also while they are disabled.
StoredRule TForm3::Values() const {
    StoredRule values;
    SetRulePath(values, WindowText(GetDlgItem(Handle(), kEdtFile)));
    values.Transparency = ui::SliderValue(GetDlgItem(Handle(), kJvxSlider1));
    values.TopMost = IsChecked(GetDlgItem(Handle(), kChkTopMost));
    values.Tray = ui::IsGroupChecked(gboxTray_);
    values.HideIcon = IsChecked(chkHide_);
    values.HideOnOpen = IsChecked(chkHideOnOpen_);
    return values;
}

void TForm3::FormCreate() {
    ui::SetGroupChecked(gboxTray_, false);
}

void TForm3::btnFileClick() {
    HWND edit = GetDlgItem(Handle(), kEdtFile);
    if (std::optional<std::wstring> picked = chooser_(Handle(), FolderOfFile(WindowText(edit))))
        SetWindowTextW(edit, picked->c_str());
}

void TForm3::JvxSlider1Change(int value) {
    SetDlgItemTextW(Handle(), kLblTransparency, ui::Utf8(IntToStr(value) + "%").c_str());
    FitLabel(kLblTransparency);
}
