// Owning wrappers for the Win32 handles the program creates. Borrowed handles
// (other applications' windows, class icons) stay plain values.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

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

inline void CloseGdi(HGDIOBJ h) {
    DeleteObject(h);
}
inline void CloseMenu(HMENU h) {
    DestroyMenu(h);
}
inline void CloseImageList(HIMAGELIST h) {
    ImageList_Destroy(h);
}
inline void CloseWindow_(HWND h) {
    DestroyWindow(h);
}
inline void CloseKernel(HANDLE h) {
    CloseHandle(h);
}
inline void CloseModule(HMODULE h) {
    FreeLibrary(h);
}
inline void CloseIcon(HICON h) {
    DestroyIcon(h);
}

using OwnedFont = Owned<HFONT, CloseGdi>;
using OwnedMenu = Owned<HMENU, CloseMenu>;
using OwnedImageList = Owned<HIMAGELIST, CloseImageList>;
using OwnedWindow = Owned<HWND, CloseWindow_>;
using OwnedHandle = Owned<HANDLE, CloseKernel>;
using OwnedModule = Owned<HMODULE, CloseModule>;
using OwnedIcon = Owned<HICON, CloseIcon>;

}  // namespace ui
