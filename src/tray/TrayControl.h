// The registry of other applications' windows placed in the notification area:
// one entry per window, with its own icon, its item in the own icon's menu
// (TrayMenu) and its image in the tray's WndImageList. It hides windows into
// the tray and brings them back; the icons' mouse notifications reach its
// hidden window and are passed on to the main window, which hands them to the
// tray subsystem.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "ProgramContract.h"
#include "ui/Handles.h"
#include "ui/WindowClass.h"
#include "windows/WindowIcon.h"

using OwnedBitmap = ui::Owned<HBITMAP, DeleteObject>;

struct TWndItem {
    NOTIFYICONDATAW IconData{};  // first-version record: cbSize NOTIFYICONDATAW_V1_SIZE
    HWND Wnd = nullptr;          // always a root owner window
    bool Hidden = false;         // minimised into the tray by the registry
    LONG_PTR ExStyle = 0;        // extended style when the hide was asked (the mark keeps the one given back)
    UINT MenuItem = 0;           // command id of the entry's item in TrayMenu, 0 for none
    int ImageIndex = -1;         // the menu item's image: its position in the image list
    bool IconShown = false;      // the icon is in the notification area
    bool NoIcon = false;         // the entry shows no icon (set by rules only)
    unsigned HideOrder = 0;      // counts up with every hide: the window hidden last has the largest

    // Kept alive while IconData refers to it; a class icon is only borrowed.
    TIcon Icon;
    // The picture of the menu item, made from its image.
    OwnedBitmap MenuBitmap;
};

class TTrayControl {
public:
    // owner: the main window, which receives WM_TRAYNOTIFY. imageList: the
    // entries' images. trayMenu: the own icon's menu; each entry puts its item
    // at the top of it (newest first) and takes it away again.
    TTrayControl(HWND owner, HIMAGELIST imageList, HMENU trayMenu);
    // Gives back every window still hidden, removes the icons, then the window.
    ~TTrayControl();
    TTrayControl(const TTrayControl&) = delete;
    TTrayControl& operator=(const TTrayControl&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    TWndItem& Item(int index) { return *Items.at(index); }
    HWND TrayHandle() const { return TrayHandle_; }
    HWND OwnerHandle() const { return OwnerHandle_; }

    // Registers the root owner of wnd with an item in TrayMenu. The index, or -1.
    int AddWnd(HWND wnd, bool noIcon, bool minimizeOnly);
    void ShowIcon(int index);
    bool HideItem(int index, bool addIcon, bool minimizeOnly);
    bool HideWnd(HWND wnd, bool addIcon, bool minimizeOnly);
    bool RestoreItem(int index, bool activate, bool removeIcon, int showCommand, bool showButton);
    bool RestoreWnd(HWND wnd, bool activate, bool removeIcon, int showCommand, bool showButton);
    void DeleteItem(int index, bool iconOnly);
    void DeleteWnd(HWND wnd, bool iconOnly);
    bool FindWnd(HWND wnd, int& index) const;
    // Deletes the entries of windows that no longer exist.
    void PruneGone();
    // The hidden entry of the window that went into the tray last; -1 when none is hidden.
    int LastHidden() const;
    bool FindID(UINT id, int& index) const;
    bool FindMenuItem(UINT menuItem, int& index) const;
    void SetTaskbarButton(HWND wnd, bool visible);
    // Shutdown: every entry, last to first, restored without activation
    // (SW_SHOWNA, icon kept, taskbar button shown), then deleted.
    void RestoreAll();
    // The same, then waits at most waitMs for the windows to be given back;
    // false when a program did not answer in time (its window keeps its mark
    // and comes back when it answers, or at the next start).
    bool RestoreAll(DWORD waitMs);

    // The hidden window's procedure: passes WM_TRAYNOTIFY on to the owner and
    // adds the shown icons again when a new taskbar announces itself.
    LRESULT TrayWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    friend TTrayControl* ui::WindowObject<TTrayControl>(HWND, UINT, LPARAM);
    friend LRESULT CALLBACK ui::ObjectWndProc<TTrayControl>(HWND, UINT, WPARAM, LPARAM) noexcept;
    void BindWindow(HWND wnd) { TrayHandle_ = wnd; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return TrayWndProc(msg, wParam, lParam); }

    TWndItem& NewItem(HWND wnd);
    UINT AddMenuItem();
    UINT FreeID() const;
    void RefreshTitle(TWndItem& item);
    void RefreshIcon(TWndItem& item);
    void AddImage(TWndItem& item);
    void SetMenuCaption(const TWndItem& item, const std::wstring& title);
    void Notify(DWORD message, TWndItem& item);
    void ReAddIcons();

    std::vector<std::unique_ptr<TWndItem>> Items;
    HWND OwnerHandle_;
    HIMAGELIST ImageList;
    HMENU TrayMenu;
    UINT TaskbarCreated_;
    HWND TrayHandle_ = nullptr;  // owned: destroyed with the registry
    unsigned HideCount_ = 0;     // hides so far, for TWndItem::HideOrder
};
