// Owning wrappers for the Win32 handles the program creates. Borrowed handles
// (other applications' windows, class icons) stay plain values.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace ui {

template <typename H, auto Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& o) noexcept : h_(o.release()) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    ~Owned() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    H release() {
        H h = h_;
        h_ = H{};
        return h;
    }
    void reset(H h = H{}) {
        if (h_) Close(h_);
        h_ = h;
    }

private:
    H h_{};
};

// The platform's own release functions serve as the deleters.
using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedImageList = Owned<HIMAGELIST, ImageList_Destroy>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedWindow = Owned<HWND, DestroyWindow>;
using OwnedHook = Owned<HHOOK, UnhookWindowsHookEx>;
using OwnedWinEventHook = Owned<HWINEVENTHOOK, UnhookWinEvent>;
using OwnedModule = Owned<HMODULE, FreeLibrary>;
// Kernel handles whose failure value is null (processes, mutexes, events).
using OwnedHandle = Owned<HANDLE, CloseHandle>;

// Kernel handles whose failure value is INVALID_HANDLE_VALUE (toolhelp
// snapshots, files) are kept as null when the call failed.
inline HANDLE ValidOrNull(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

// A window's device context, released to that window.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// A window's painting, from BeginPaint to EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : wnd_(wnd) { BeginPaint(wnd_, &ps_); }
    ~PaintDC() { EndPaint(wnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return ps_.hdc; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
};

// A font selected into a device context, the previous one put back after.
class FontSelection {
public:
    FontSelection(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
    ~FontSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Memory allocated in another process, released there.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size)
        : process_(process),
          address_(process ? VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {}
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* get() const { return address_; }
    explicit operator bool() const { return address_ != nullptr; }

private:
    HANDLE process_;
    void* address_;
};

}  // namespace ui
