#include "hotkeys/HotKeyCode.h"

#include <commctrl.h>

#include "prefs/Preferences.h"

namespace hotkeys {

UINT RegisterModifiers(HotKeyCode code) {
    const BYTE flags = HIBYTE(code);
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
    return modifiers;
}

HotKeyCode ReadCode(const std::string& text, HotKeyCode defaultCode) {
    try {
        const int value = StrToInt(text);
        if (value >= 0 && value <= 0xFFFF) return static_cast<HotKeyCode>(value);
    } catch (const ConvertError&) {
    }
    return defaultCode;
}

std::string CodeText(HotKeyCode code) {
    return IntToStr(code);
}

std::wstring CodeName(HotKeyCode code) {
    const BYTE flags = HIBYTE(code);
    std::wstring name;
    if (flags & HOTKEYF_CONTROL) name += L"Ctrl+";
    if (flags & HOTKEYF_ALT) name += L"Alt+";
    if (flags & HOTKEYF_SHIFT) name += L"Shift+";
    const UINT scanCode = MapVirtualKeyW(VirtualKey(code), MAPVK_VK_TO_VSC);
    LONG keyParam = static_cast<LONG>(scanCode << 16);
    if (flags & HOTKEYF_EXT) keyParam |= 1 << 24;
    wchar_t key[64] = L"";
    if (GetKeyNameTextW(keyParam, key, 64) <= 0) wsprintfW(key, L"0x%02X", VirtualKey(code));
    return name + key;
}

}  // namespace hotkeys
