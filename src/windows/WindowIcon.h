// Small icons for windows and files. A window class's icon belongs to the class
// and is only borrowed; an icon the shell hands out belongs to this program and
// is destroyed once the last TIcon that shares it goes. TIcon knows which.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>

class TIcon {
public:
    TIcon() = default;
    static TIcon Borrowed(HICON icon) { return TIcon(icon, nullptr); }
    static TIcon Owned(HICON icon);
    // A moved-from icon is empty, never a handle it no longer keeps alive.
    TIcon(TIcon&& other) noexcept
        : icon_(std::exchange(other.icon_, nullptr)), owner_(std::move(other.owner_)) {}
    TIcon& operator=(TIcon&& other) noexcept {
        icon_ = std::exchange(other.icon_, nullptr);
        owner_ = std::move(other.owner_);
        return *this;
    }
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    // Another holder of the same icon: an owned icon lives until both are gone.
    TIcon Share() const { return TIcon(icon_, owner_); }

    HICON Handle() const { return icon_; }
    bool IsOwned() const { return owner_ != nullptr; }
    explicit operator bool() const { return icon_ != nullptr; }

private:
    TIcon(HICON icon, std::shared_ptr<HICON__> owner) : icon_(icon), owner_(std::move(owner)) {}

    HICON icon_ = nullptr;
    std::shared_ptr<HICON__> owner_;  // destroys an owned icon with its last holder
};

// The shell's small icon for the file's type, derived from its name alone (the
// file is not opened). Empty when the shell has none. The icons of the names
// asked for last are kept and shared: a program's new window needs the icon
// its earlier windows had.
TIcon GetFileIcon(const std::wstring& fileName);

// The small icon of the window's class, borrowed; null when it has none.
HICON GetClassSmallIcon(HWND wnd);

// The small icon of the window's class, or, when the class has none, the
// shell's small icon for the executable of the window's process.
TIcon GetWindowIcon(HWND wnd);
// The same for a caller that has read the window's executable path already:
// the process is not asked again.
TIcon GetWindowIcon(HWND wnd, const std::wstring& fileName);
