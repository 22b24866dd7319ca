// A key combination as the platform's hotkey control gives it: the virtual
// key in the low byte, HOTKEYF_* modifiers in the high byte; 0 is no key.
// The settings file keeps it as that number in decimal.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace hotkeys {

using HotKeyCode = WORD;

constexpr HotKeyCode MakeCode(BYTE virtualKey, BYTE hotKeyFlags) {
    return static_cast<HotKeyCode>(virtualKey | (hotKeyFlags << 8));
}

// The defaults: Ctrl+Alt+Shift with the down and up arrows. Three modifiers
// keep them clear of what programs and drivers take (Ctrl+Alt+arrows turns
// the screen on some graphics drivers; the Windows key combinations belong to
// the shell).
// The arrows are extended keys, as the hotkey control reports them.
inline constexpr BYTE kThreeModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT;
inline constexpr HotKeyCode kToTrayDefault = MakeCode(VK_DOWN, kThreeModifiers | HOTKEYF_EXT);
inline constexpr HotKeyCode kBringBackDefault = MakeCode(VK_UP, kThreeModifiers | HOTKEYF_EXT);

// The MOD_* flags RegisterHotKey wants for the code's modifiers.
UINT RegisterModifiers(HotKeyCode code);
inline UINT VirtualKey(HotKeyCode code) { return LOBYTE(code); }

// The stored text: the decimal number; text that is no code in range reads as
// the default (a hand-edited file never stops the program over a key).
HotKeyCode ReadCode(const std::string& text, HotKeyCode defaultCode);
std::string CodeText(HotKeyCode code);

// The combination as the user reads it, "Ctrl+Alt+Shift+Down".
std::wstring CodeName(HotKeyCode code);

}  // namespace hotkeys
