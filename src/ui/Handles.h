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

}  // namespace ui
