// Small icons for windows and files. A window class's icon belongs to the class
// and is only borrowed; an icon the shell hands out belongs to whoever asked for
// it. TIcon knows which, and destroys only what it owns.
#pragma once
#include <windows.h>

#include <string>

class TIcon {
public:
    TIcon() = default;
    static TIcon Borrowed(HICON icon) { return TIcon(icon, false); }
    static TIcon Owned(HICON icon) { return TIcon(icon, true); }
    TIcon(TIcon&& other) noexcept : icon_(other.icon_), owned_(other.owned_) { other.icon_ = nullptr; }
    TIcon& operator=(TIcon&& other) noexcept;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;
    ~TIcon() { Reset(); }

    HICON Handle() const { return icon_; }
    bool IsOwned() const { return owned_; }
    explicit operator bool() const { return icon_ != nullptr; }

private:
    TIcon(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
    void Reset();

    HICON icon_ = nullptr;
    bool owned_ = false;
};

// The shell's small icon for the file's type, derived from its name alone (the
// file is not opened). Empty when the shell has none.
TIcon GetFileIcon(const std::wstring& fileName);

// The small icon of the window's class, borrowed; null when it has none.
HICON GetClassSmallIcon(HWND wnd);

// The small icon of the window's class, or, when the class has none, the
// shell's small icon for the executable of the window's process.
TIcon GetWindowIcon(HWND wnd);
// The same for a caller that has read the window's executable path already:
// the process is not asked again.
TIcon GetWindowIcon(HWND wnd, const std::wstring& fileName);
