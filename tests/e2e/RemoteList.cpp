#include "RemoteList.h"

#include <commctrl.h>

namespace e2e {

namespace {

// A record placed in another process for one request.
class Remote {
public:
    Remote(DWORD pid, SIZE_T size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)),
          address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {
    }
    ~Remote() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;
    char* Address() const { return static_cast<char*>(address_); }
    void Write(SIZE_T offset, const void* data, SIZE_T size) {
        WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    void Read(SIZE_T offset, void* data, SIZE_T size) {
        ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

constexpr SIZE_T kTextSize = 512;

}  // namespace

int RowCount(HWND listView) {
    return static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> ColumnTexts(DWORD pid, HWND listView, int column) {
    Remote remote(pid, sizeof(LVITEMA) + kTextSize);
    std::vector<std::string> texts;
    for (int row = 0, n = RowCount(listView); row < n; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iSubItem = column;
        item.pszText = remote.Address() + sizeof(LVITEMA);
        item.cchTextMax = kTextSize;
        remote.Write(0, &item, sizeof item);
        SendMessageA(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.Address()));
        char text[kTextSize] = "";
        remote.Read(sizeof(LVITEMA), text, kTextSize);
        text[kTextSize - 1] = '\0';
        texts.emplace_back(text);
    }
    return texts;
}

std::vector<std::wstring> WideColumnTexts(DWORD pid, HWND listView, int column) {
    Remote remote(pid, sizeof(LVITEMW) + kTextSize * sizeof(wchar_t));
    std::vector<std::wstring> texts;
    for (int row = 0, n = RowCount(listView); row < n; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
        item.cchTextMax = kTextSize;
        remote.Write(0, &item, sizeof item);
        SendMessageW(listView, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.Address()));
        wchar_t text[kTextSize] = L"";
        remote.Read(sizeof(LVITEMW), text, sizeof text);
        text[kTextSize - 1] = L'\0';
        texts.emplace_back(text);
    }
    return texts;
}

std::vector<int> RowImages(DWORD pid, HWND listView) {
    Remote remote(pid, sizeof(LVITEMA));
    std::vector<int> images;
    for (int row = 0, n = RowCount(listView); row < n; ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        remote.Write(0, &item, sizeof item);
        SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Address()));
        remote.Read(0, &item, sizeof item);
        images.push_back(item.iImage);
    }
    return images;
}

void SelectRow(DWORD pid, HWND listView, int row) {
    Remote remote(pid, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    remote.Write(0, &item, sizeof item);
    SendMessageA(listView, LVM_SETITEMSTATE, row >= 0 ? row : static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(remote.Address()));
}

// LVM_FINDITEMW as typing in the list sends it: a prefix, from the top.
int FindRowByPrefix(DWORD pid, HWND listView, const std::wstring& prefix) {
    const SIZE_T textBytes = (prefix.size() + 1) * sizeof(wchar_t);
    Remote remote(pid, sizeof(LVFINDINFOW) + textBytes);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = reinterpret_cast<const wchar_t*>(remote.Address() + sizeof(LVFINDINFOW));
    remote.Write(0, &find, sizeof find);
    remote.Write(sizeof(LVFINDINFOW), prefix.c_str(), textBytes);
    return static_cast<int>(SendMessageW(listView, LVM_FINDITEMW, -1, reinterpret_cast<LPARAM>(remote.Address())));
}

RECT RowIconRect(DWORD pid, HWND listView, int row) {
    Remote remote(pid, sizeof(RECT));
    RECT rect{LVIR_ICON, 0, 0, 0};
    remote.Write(0, &rect, sizeof rect);
    SendMessageA(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.Address()));
    remote.Read(0, &rect, sizeof rect);
    return rect;
}

void SendDpiChanged(DWORD pid, HWND wnd, UINT dpi, const RECT& proposed) {
    Remote remote(pid, sizeof(RECT));
    remote.Write(0, &proposed, sizeof proposed);
    SendMessageA(wnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote.Address()));
}

}  // namespace e2e
