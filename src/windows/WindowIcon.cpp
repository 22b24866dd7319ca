#include "windows/WindowIcon.h"

#include <shellapi.h>

#include "windows/WindowHelpers.h"

TIcon& TIcon::operator=(TIcon&& other) noexcept {
    if (this != &other) {
        Reset();
        icon_ = other.icon_;
        owned_ = other.owned_;
        other.icon_ = nullptr;
    }
    return *this;
}

void TIcon::Reset() {
    if (icon_ && owned_) DestroyIcon(icon_);
    icon_ = nullptr;
}

TIcon GetFileIcon(const std::wstring& fileName) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(fileName.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        return {};
    return TIcon::Owned(info.hIcon);
}

HICON GetClassSmallIcon(HWND wnd) {
    return reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICONSM));
}

TIcon GetWindowIcon(HWND wnd) {
    if (HICON classIcon = GetClassSmallIcon(wnd)) return TIcon::Borrowed(classIcon);
    return GetFileIcon(GetWindowFileName(wnd));
}

TIcon GetWindowIcon(HWND wnd, const std::wstring& fileName) {
    if (HICON classIcon = GetClassSmallIcon(wnd)) return TIcon::Borrowed(classIcon);
    return GetFileIcon(fileName);
}
