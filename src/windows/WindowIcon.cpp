#include "windows/WindowIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <list>
#include <mutex>
#include <utility>

#include "windows/WindowHelpers.h"

TIcon TIcon::Owned(HICON icon) {
    if (!icon) return {};
    return TIcon(icon, std::shared_ptr<HICON__>(icon, DestroyIcon));
}

namespace {

// Asking the shell costs over a millisecond under Wine, which reads the file's
// icon resources, and more again the first time (it builds its icon lists).
TIcon AskShellForFileIcon(const std::wstring& fileName) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(fileName.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        return {};
    return TIcon::Owned(info.hIcon);
}

// The icons of the file names met last, the latest first.
class RecentFileIcons {
public:
    TIcon Find(const std::wstring& fileName) {
        std::lock_guard hold(lock_);
        auto found = std::find_if(icons_.begin(), icons_.end(),
                                  [&fileName](const auto& entry) { return entry.first == fileName; });
        if (found == icons_.end()) return {};
        icons_.splice(icons_.begin(), icons_, found);
        return found->second.Share();
    }
    void Keep(const std::wstring& fileName, const TIcon& icon) {
        std::lock_guard hold(lock_);
        icons_.emplace_front(fileName, icon.Share());
        if (icons_.size() > kKept) icons_.pop_back();
    }

private:
    static constexpr size_t kKept = 32;
    std::mutex lock_;
    std::list<std::pair<std::wstring, TIcon>> icons_;
};

}  // namespace

TIcon GetFileIcon(const std::wstring& fileName) {
    static RecentFileIcons recent;
    if (TIcon known = recent.Find(fileName)) return known;
    TIcon icon = AskShellForFileIcon(fileName);
    if (icon) recent.Keep(fileName, icon);
    return icon;
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
