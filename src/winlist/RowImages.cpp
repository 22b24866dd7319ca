#include "winlist/RowImages.h"

#include <algorithm>

#include "ui/ImageLists.h"
#include "windows/WindowIcon.h"

TIconKey IconKeyOf(HWND wnd, DWORD processId, const std::wstring& fileName) {
    if (HICON classIcon = GetClassSmallIcon(wnd)) return {processId, classIcon, {}};
    return {0, nullptr, fileName};
}

int TRowImages::Acquire(const TIconKey& key) {
    // Few distinct icons even among hundreds of windows: a plain search is enough.
    auto used = std::find_if(slots_.begin(), slots_.end(),
                             [&key](const Slot& slot) { return slot.users > 0 && slot.key == key; });
    if (used != slots_.end()) {
        ++used->users;
        return static_cast<int>(used - slots_.begin());
    }
    TIcon icon = key.ClassIcon ? TIcon::Borrowed(key.ClassIcon) : GetFileIcon(key.FileName);
    int index = Store(icon.Handle());
    if (index >= 0) slots_[index] = {key, 1};
    return index;
}

// Into the first unused image, else appended.
int TRowImages::Store(HICON icon) {
    auto unused =
        std::find_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.users == 0; });
    int free = static_cast<int>(unused - slots_.begin());
    int index = ui::PutIconImage(list_, unused == slots_.end() ? -1 : free, icon);
    if (index >= static_cast<int>(slots_.size())) slots_.resize(index + 1);
    return index;
}

void TRowImages::Release(int index) {
    if (index < 0 || index >= static_cast<int>(slots_.size()) || slots_[index].users == 0) return;
    if (--slots_[index].users == 0) slots_[index].key = {};
}

bool TRowImages::Shows(int index, const TIconKey& key) const {
    return index >= 0 && index < static_cast<int>(slots_.size()) && slots_[index].users > 0 &&
           slots_[index].key == key;
}

void TRowImages::Restart(HIMAGELIST list) {
    list_ = list;
    slots_.clear();
}
