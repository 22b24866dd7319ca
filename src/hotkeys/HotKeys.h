// The hotkeys subsystem: one global key sends the active window into the tray
// (as a right click on its minimise button does), another brings back the
// window hidden last, and the one before it on the next press. It owns the
// keys' registration on the main window and their options dialog; a key the
// system refuses (another program holds it) is said once and left out.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "hotkeys/HotKeyCode.h"

class TTray;

class THotKeys {
public:
    // The identifiers of the keys in WM_HOTKEY.
    enum KeyId : int { kToTray = 1, kBringBack = 2 };

    // keysChanged: the user chose other keys, to be saved.
    THotKeys(HWND mainWindow, TTray& tray, std::function<void()> keysChanged);
    ~THotKeys();
    THotKeys(const THotKeys&) = delete;
    THotKeys& operator=(const THotKeys&) = delete;

    // Start-up: the stored keys (empty text: the defaults) are registered; a
    // refused one is said in one message box, and the program runs on.
    void Start(const std::string& toTrayText, const std::string& bringBackText);
    // The keys' stored texts.
    std::string ToTrayText() const { return hotkeys::CodeText(ToTray); }
    std::string BringBackText() const { return hotkeys::CodeText(BringBack); }

    bool OnCommand(UINT id);
    // WM_HOTKEY.
    void OnHotKey(int id);

    // The window a press of the tray key would send, or nullptr: the active
    // window's root owner, unless it is this program's or not a user's window
    // (the desktop, the taskbar). The tray refuses one of a program running
    // above ours, and says so.
    HWND WindowToSend(HWND foreground) const;

private:
    // Registers both keys; the names of those the system refused, one a line.
    std::wstring RegisterKeys();
    void UnregisterKeys();
    void NHotKeysClick();
    // The dialog's try: registers the new keys, or puts the old ones back and
    // returns the message that says which key another program holds.
    std::wstring TryKeys(hotkeys::HotKeyCode toTray, hotkeys::HotKeyCode bringBack);

    HWND MainWindow;
    TTray& Tray;
    std::function<void()> KeysChanged;
    hotkeys::HotKeyCode ToTray = hotkeys::kToTrayDefault;
    hotkeys::HotKeyCode BringBack = hotkeys::kBringBackDefault;
};
