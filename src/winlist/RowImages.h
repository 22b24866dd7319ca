// The images of the current-window list's rows, one per distinct icon. Copying
// an icon into an image list is the dearest step of a row (over a millisecond
// under Wine), and the windows of one program mostly share one icon; the list
// is owner-data, so rows simply name the same image. An image no row uses any
// more is overwritten by the next new icon; only the images of the last few
// files' icons are kept a while, since a program's next window, opened after
// the last one closed, shows that same icon. A file's icon is asked of the
// shell only when a row of it is first drawn: the shell's first answer builds
// its icon lists, which need not hold up the list's fill, and rows never
// scrolled into view never ask.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// What makes two rows' icons the same: the same small icon of a window class
// in the same process (a borrowed handle, unique while that process lives), or,
// for windows whose class has none, the shell's icon of the same file.
struct TIconKey {
    DWORD ProcessId = 0;
    HICON ClassIcon = nullptr;
    std::wstring FileName;  // only without a class icon
    bool operator==(const TIconKey&) const = default;
};

// The key of the icon the list shows for a window of this process and file.
TIconKey IconKeyOf(HWND wnd, DWORD processId, const std::wstring& fileName);

class TRowImages {
public:
    explicit TRowImages(HIMAGELIST list) : list_(list) {}
    TRowImages(const TRowImages&) = delete;
    TRowImages& operator=(const TRowImages&) = delete;

    // The image of the icon, copied in when no row uses it and it is not kept
    // (a file's icon only by Draw); one more row uses it from now on. -1 when
    // the image list refuses the image.
    int Acquire(const TIconKey& key);
    // Before a row's image is drawn: a file's icon not yet copied in is.
    void Draw(int index);
    // One row less uses the image; -1 is ignored.
    void Release(int index);
    // True when the image at `index` is in use and shows this icon.
    bool Shows(int index, const TIconKey& key) const;
    // Starts again on an empty list (of another image size): every row
    // acquires its image anew.
    void Restart(HIMAGELIST list);

private:
    struct Slot {
        TIconKey key;  // kept once unused only for a file's icon
        int users = 0;
        unsigned lastUse = 0;  // when the last row let go of it
        bool drawn = true;     // false while a file's icon waits for Draw
    };
    int Store(HICON icon);
    int Reserve();
    int FreeSlot() const;

    HIMAGELIST list_;
    std::vector<Slot> slots_;  // slot i is image i
    unsigned releases_ = 0;
};
