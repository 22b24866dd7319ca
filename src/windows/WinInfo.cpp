#include "windows/WinInfo.h"

#include "windows/WindowHelpers.h"

namespace {

// Reads a property once: the flag says whether the stored value is valid.
template <typename T, typename Read>
T& Cached(T& value, bool& fetched, Read read) {
    if (!fetched) {
        value = read();
        fetched = true;
    }
    return value;
}

}  // namespace

const std::string& TWinInfo::GetWindowClassName() {
    return Cached(WindowClassName_, classNameFetched_, [this] { return ReadWindowClassName(); });
}

const std::string& TWinInfo::GetTitle() {
    return Cached(Title_, titleFetched_, [this] { return ReadTitle(); });
}

HWND TWinInfo::GetOwnerWnd() {
    return Cached(OwnerWnd_, ownerFetched_, [this] { return ReadOwnerWnd(); });
}

bool TWinInfo::GetVisible() {
    return Cached(Visible_, visibleFetched_, [this] { return ReadVisible(); });
}

const std::wstring& TWinInfo::GetFileName() {
    return Cached(FileName_, fileNameFetched_, [this] { return ReadFileName(); });
}

std::string TWinInfo::ReadWindowClassName() const {
    char buffer[80] = "";
    GetClassNameA(Wnd_, buffer, sizeof buffer);
    return buffer;
}

std::string TWinInfo::ReadTitle() const {
    return ReadWindowTitle(Wnd_);
}

HWND TWinInfo::ReadOwnerWnd() const {
    return GetWindow(Wnd_, GW_OWNER);
}

bool TWinInfo::ReadVisible() const {
    return IsWindowVisible(Wnd_) != FALSE;
}

std::wstring TWinInfo::ReadFileName() const {
    return GetWindowFileName(Wnd_);
}
