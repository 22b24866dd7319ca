#include "hotkeys/HotKeys.h"

#include <utility>

#include "Identity.h"
#include "MenuDescription.h"
#include "hotkeys/HotKeyDialog.h"
#include "tray/Tray.h"
#include "ui/Text.h"
#include "windows/WindowEligibility.h"
#include "windows/WindowHelpers.h"

using hotkeys::HotKeyCode;

namespace {

constexpr char kRefusedAtStart[] =
    "次のホットキーは他のプログラムが使用しているため、使えません。\n"
    "「表示」メニューの「ホットキーの設定...」で別のキーを選べます。\n\n";
constexpr char kRefusedInDialog[] =
    "次のホットキーは他のプログラムが使用しているため、使えません。\n別のキーを選んでください。\n\n";
constexpr char kSameKeyTwice[] = "二つの操作に同じキーは使えません。\n別のキーを選んでください。";

// Registers one key; false when the system refuses it. A held key does not
// repeat (Windows 7 and later; an older system takes the key without that).
bool Register(HWND wnd, int id, HotKeyCode code) {
    if (hotkeys::VirtualKey(code) == 0) return true;  // no key chosen
    const UINT modifiers = hotkeys::RegisterModifiers(code);
    if (RegisterHotKey(wnd, id, modifiers | MOD_NOREPEAT, hotkeys::VirtualKey(code))) return true;
    if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return false;
    return RegisterHotKey(wnd, id, modifiers, hotkeys::VirtualKey(code)) != FALSE;
}

void ShowWarning(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), identity::kAppTitle, MB_OK | MB_ICONWARNING);
}

}  // namespace

THotKeys::THotKeys(HWND mainWindow, TTray& tray, std::function<void()> keysChanged)
    : MainWindow(mainWindow), Tray(tray), KeysChanged(std::move(keysChanged)) {}

THotKeys::~THotKeys() {
    UnregisterKeys();
}

void THotKeys::Start(const std::string& toTrayText, const std::string& bringBackText) {
    ToTray = hotkeys::ReadCode(toTrayText, hotkeys::kToTrayDefault);
    BringBack = hotkeys::ReadCode(bringBackText, hotkeys::kBringBackDefault);
    const std::wstring refused = RegisterKeys();
    if (!refused.empty()) ShowWarning(nullptr, ui::Utf8(kRefusedAtStart) + refused);
}

bool THotKeys::OnCommand(UINT id) {
    if (id != ID_NHotKeys) return false;
    NHotKeysClick();
    return true;
}

void THotKeys::OnHotKey(int id) {
    if (id == kToTray) {
        if (HWND wnd = WindowToSend(GetForegroundWindow())) Tray.SendToTray(wnd);
    } else if (id == kBringBack) {
        Tray.BringBackLastHidden();
    }
}

HWND THotKeys::WindowToSend(HWND foreground) const {
    if (!foreground) return nullptr;
    HWND root = GetRootOwner(foreground);
    DWORD processId = 0;
    GetWindowThreadProcessId(root, &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) return nullptr;
    if (!CountsAsUserWindow(ReadWindowFacts(root))) return nullptr;
    // A program running above ours is refused (and the user told) by the tray.
    return root;
}

std::wstring THotKeys::RegisterKeys() {
    std::wstring refused;
    for (auto [id, code] : {std::pair{kToTray, ToTray}, std::pair{kBringBack, BringBack}})
        if (!Register(MainWindow, id, code)) refused += hotkeys::CodeName(code) + L"\n";
    return refused;
}

void THotKeys::UnregisterKeys() {
    UnregisterHotKey(MainWindow, kToTray);
    UnregisterHotKey(MainWindow, kBringBack);
}

void THotKeys::NHotKeysClick() {
    THotKeyDialog::Edit(MainWindow, ToTray, BringBack,
                        [this](HotKeyCode toTray, HotKeyCode bringBack) { return TryKeys(toTray, bringBack); });
}

std::wstring THotKeys::TryKeys(HotKeyCode toTray, HotKeyCode bringBack) {
    if (hotkeys::VirtualKey(toTray) != 0 && toTray == bringBack) return ui::Utf8(kSameKeyTwice);
    const HotKeyCode oldToTray = ToTray;
    const HotKeyCode oldBringBack = BringBack;
    UnregisterKeys();
    ToTray = toTray;
    BringBack = bringBack;
    const std::wstring refused = RegisterKeys();
    if (refused.empty()) {
        if (ToTray != oldToTray || BringBack != oldBringBack) KeysChanged();
        return {};
    }
    UnregisterKeys();
    ToTray = oldToTray;
    BringBack = oldBringBack;
    RegisterKeys();
    return ui::Utf8(kRefusedInDialog) + refused;
}
