#include "winlist/RowImages.h"

#include <algorithm>

#include "ui/ImageLists.h"
#include "windows/WindowIcon.h"

TIconKey IconKeyOf(HWND wnd, DWORD processId, const std::wstring& fileName) {
    if (HICON classIcon = GetClassSmallIcon(wnd)) return {processId, classIcon, {}};
    return {0, nullptr, fileName};
}

namespace {

// Unused images kept for the icons of files, whose key says what they show
// as long as the name is the same.
constexpr int kKeptUnused = 16;

}  // namespace

int TRowImages::Acquire(const TIconKey& key) {
    // Few distinct icons even among hundreds of windows: a plain search is enough.
    // Only a used slot or a kept file icon has a key.
    auto known = std::find_if(slots_.begin(), slots_.end(), [&key](const Slot& slot) {
        return (slot.users > 0 || !slot.key.FileName.empty()) && slot.key == key;
    });
    if (known != slots_.end()) {
        ++known->users;
        return static_cast<int>(known - slots_.begin());
    }
    TIcon icon = key.ClassIcon ? TIcon::Borrowed(key.ClassIcon) : GetFileIcon(key.FileName);
    int index = Store(icon.Handle());
    if (index >= 0) slots_[index] = {key, 1};
    return index;
}

// The first unused image that keeps nothing; else, once enough file icons are
// kept, the one unused longest; else -1 for a new image.
int TRowImages::FreeSlot() const {
    int kept = 0, oldest = -1;
    for (size_t i = 0; i < slots_.size(); ++i) {
        const Slot& slot = slots_[i];
        if (slot.users > 0) continue;
        if (slot.key == TIconKey{}) return static_cast<int>(i);
        ++kept;
        if (oldest < 0 || slot.lastUse < slots_[oldest].lastUse) oldest = static_cast<int>(i);
    }
    return kept >= kKeptUnused ? oldest : -1;
}

int TRowImages::Store(HICON icon) {
    int index = ui::PutIconImage(list_, FreeSlot(), icon);
    if (index >= static_cast<int>(slots_.size())) slots_.resize(index + 1);
    return index;
}

void TRowImages::Release(int index) {
    if (index < 0 || index >= static_cast<int>(slots_.size()) || slots_[index].users == 0) return;
    Slot& slot = slots_[index];
    if (--slot.users > 0) return;
    slot.lastUse = ++releases_;
    // A class icon's handle may name another icon once its process is gone.
    if (slot.key.ClassIcon) slot.key = {};
}

bool TRowImages::Shows(int index, const TIconKey& key) const {
    return index >= 0 && index < static_cast<int>(slots_.size()) && slots_[index].users > 0 &&
           slots_[index].key == key;
}

void TRowImages::Restart(HIMAGELIST list) {
    list_ = list;
    slots_.clear();
}
