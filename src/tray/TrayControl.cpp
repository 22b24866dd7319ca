#include "tray/TrayControl.h"

#include <cstring>

#include "MenuDescription.h"
#include "text/MenuCaption.h"
#include "tray/HiddenWindowMarks.h"
#include "tray/MenuImage.h"
#include "tray/TaskbarButton.h"
#include "ui/Text.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowWorker.h"

namespace {

constexpr wchar_t kTrayWindowClass[] = L"PelmoraTrayControl";
constexpr UINT kMaxIconId = 65535;
// The first-version wide record's tooltip field holds 64 characters with its terminator.
constexpr size_t kTipLimit = 63;

}  // namespace

TTrayControl::TTrayControl(HWND owner, HIMAGELIST imageList, HMENU trayMenu)
    : OwnerHandle_(owner),
      ImageList(imageList),
      TrayMenu(trayMenu),
      TaskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ui::RegisterWindowClass(instance, kTrayWindowClass, ui::ObjectWndProc<TTrayControl>);
    // A hidden top-level window, not a message-only one: only top-level windows
    // hear the new taskbar's broadcast.
    CreateWindowExW(WS_EX_TOOLWINDOW, kTrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                    this);
    // An elevated program still hears a normal Explorer: its broadcast and the
    // clicks on the icons.
    if (TrayHandle_) {
        ChangeWindowMessageFilterEx(TrayHandle_, TaskbarCreated_, MSGFLT_ALLOW, nullptr);
        ChangeWindowMessageFilterEx(TrayHandle_, WM_TRAYNOTIFY, MSGFLT_ALLOW, nullptr);
    }
}

TTrayControl::~TTrayControl() {
    RestoreAll();
    if (TrayHandle_) DestroyWindow(TrayHandle_);
}

void TTrayControl::RestoreAll() {
    for (int i = Count() - 1; i >= 0; --i) {
        RestoreItem(i, false, false, SW_SHOWNA, true);
        DeleteItem(i, false);
    }
}

bool TTrayControl::RestoreAll(DWORD waitMs) {
    RestoreAll();
    return window_worker::WaitIdle(waitMs);
}

int TTrayControl::AddWnd(HWND wnd, bool noIcon, bool minimizeOnly) {
    HWND root = GetRootOwner(wnd);
    if (!IsWindow(root)) return -1;
    int index = -1;
    if (FindWnd(root, index)) {
        if (noIcon) return -1;
        ShowIcon(index);
        return index;
    }
    NewItem(root);
    index = Count() - 1;
    if (!noIcon) ShowIcon(index);
    if (IsIconic(root)) HideItem(index, false, minimizeOnly);
    return index;
}

TWndItem& TTrayControl::NewItem(HWND wnd) {
    Items.push_back(std::make_unique<TWndItem>());
    TWndItem& item = *Items.back();
    NOTIFYICONDATAW& data = item.IconData;
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = TrayHandle();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.uID = FreeID();
    item.Wnd = wnd;
    item.MenuItem = AddMenuItem();
    RefreshTitle(item);
    RefreshIcon(item);
    AddImage(item);
    return item;
}

// A new item at the top of TrayMenu (newest window first); its command id, 0 for none.
UINT TTrayControl::AddMenuItem() {
    if (!TrayMenu) return 0;
    UINT id = ID_TrayWndFirst;
    int index;
    while (id <= ID_TrayWndLast && FindMenuItem(id, index)) ++id;
    if (id > ID_TrayWndLast) return 0;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING;
    mii.wID = id;
    mii.dwTypeData = const_cast<wchar_t*>(L"");
    return InsertMenuItemW(TrayMenu, 0, TRUE, &mii) ? id : 0;
}

// The smallest identifier no other entry holds; 0 when all are taken.
UINT TTrayControl::FreeID() const {
    for (UINT id = 1; id <= kMaxIconId; ++id) {
        int index;
        if (!FindID(id, index)) return id;
    }
    return 0;
}

void TTrayControl::RefreshTitle(TWndItem& item) {
    const std::wstring title = GetWindowCaption(item.Wnd);
    const std::wstring tip = CutMenuCaption(title, kTipLimit);
    std::memset(item.IconData.szTip, 0, sizeof item.IconData.szTip);
    std::memcpy(item.IconData.szTip, tip.data(), tip.size() * sizeof(wchar_t));
    SetMenuCaption(item, title);
}

// A window without any icon gets the system's application icon, so that the
// image list keeps one image per entry.
void TTrayControl::RefreshIcon(TWndItem& item) {
    TIcon icon = GetWindowIcon(item.Wnd);
    if (!icon) icon = TIcon::Borrowed(LoadIcon(nullptr, IDI_APPLICATION));
    item.IconData.hIcon = icon.Handle();
    item.Icon = std::move(icon);
}

void TTrayControl::AddImage(TWndItem& item) {
    if (!ImageList) return;
    item.ImageIndex = ImageList_AddIcon(ImageList, item.IconData.hIcon);
    if (item.ImageIndex < 0 || !TrayMenu || !item.MenuItem) return;
    item.MenuBitmap.reset(MenuBitmapFromImage(ImageList, item.ImageIndex));
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_BITMAP;
    mii.hbmpItem = item.MenuBitmap.get();
    SetMenuItemInfoW(TrayMenu, item.MenuItem, FALSE, &mii);
}

void TTrayControl::SetMenuCaption(const TWndItem& item, const std::wstring& title) {
    if (!TrayMenu || !item.MenuItem) return;
    // A long title would make the whole menu as wide as itself.
    std::wstring caption = CutMenuCaption(title);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = caption.data();
    SetMenuItemInfoW(TrayMenu, item.MenuItem, FALSE, &mii);
}

void TTrayControl::ShowIcon(int index) {
    TWndItem& item = Item(index);
    if (item.IconShown || item.NoIcon) return;
    Notify(NIM_ADD, item);
    item.IconShown = true;
}

void TTrayControl::Notify(DWORD message, TWndItem& item) {
    Shell_NotifyIconW(message, &item.IconData);
}

void TTrayControl::DeleteItem(int index, bool iconOnly) {
    TWndItem& item = Item(index);
    if (!iconOnly) {
        // An entry never goes while its window is hidden: that window would be lost.
        // Every road out of the tray gives back the taskbar button this program took.
        if (item.Hidden && IsWindow(item.Wnd))
            RestoreItem(index, false, false, SW_SHOWNA, true);
        else if (IsWindow(item.Wnd))
            SetTaskbarButton(item.Wnd, true);
        if (ImageList && item.ImageIndex >= 0) ImageList_Remove(ImageList, item.ImageIndex);
        for (int i = index + 1; i < Count(); ++i)
            if (Items[i]->ImageIndex > item.ImageIndex) --Items[i]->ImageIndex;
    }
    if (item.IconShown) Notify(NIM_DELETE, item);
    item.IconShown = false;
    if (iconOnly) return;
    if (TrayMenu && item.MenuItem) DeleteMenu(TrayMenu, item.MenuItem, MF_BYCOMMAND);
    Items.erase(Items.begin() + index);
}

void TTrayControl::DeleteWnd(HWND wnd, bool iconOnly) {
    int index;
    if (FindWnd(wnd, index)) DeleteItem(index, iconOnly);
}

void TTrayControl::PruneGone() {
    for (int i = Count() - 1; i >= 0; --i)
        if (!IsWindow(Items[i]->Wnd)) DeleteItem(i, false);
}

bool TTrayControl::FindWnd(HWND wnd, int& index) const {
    for (index = 0; index < Count(); ++index)
        if (Items[index]->Wnd == wnd) return true;
    index = -1;
    return false;
}

bool TTrayControl::FindID(UINT id, int& index) const {
    for (index = 0; index < Count(); ++index)
        if (Items[index]->IconData.uID == id) return true;
    index = -1;
    return false;
}

bool TTrayControl::FindMenuItem(UINT menuItem, int& index) const {
    for (index = 0; index < Count(); ++index)
        if (Items[index]->MenuItem == menuItem) return true;
    index = -1;
    return false;
}

// A new taskbar (Explorer restarted) knows none of the icons and shows every
// button again: the icons are added again and the buttons this program had
// hidden are hidden again.
void TTrayControl::ReAddIcons() {
    for (auto& item : Items) {
        if (item->IconShown) Notify(NIM_ADD, *item);
        HWND wnd = item->Wnd;
        window_worker::Post(wnd, [wnd] {
            std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
            if (mark && (mark->how & kButtonHidden)) ::SetTaskbarButton(wnd, false);
        });
    }
}

LRESULT TTrayControl::TrayWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TRAYNOTIFY) {
        PostMessageW(OwnerHandle_, WM_TRAYNOTIFY, wParam, lParam);
        return 0;
    }
    if (msg == TaskbarCreated_ && TaskbarCreated_ != 0) {
        ReAddIcons();
        return 0;
    }
    return DefWindowProcW(TrayHandle(), msg, wParam, lParam);
}
