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
    int index = key.ClassIcon ? Store(key.ClassIcon) : Reserve();
    if (index >= 0) slots_[index] = {key, 1, 0, key.ClassIcon != nullptr};
    return index;
}

void TRowImages::Draw(int index) {
    if (index < 0 || index >= static_cast<int>(slots_.size()) || slots_[index].drawn) return;
    Slot& slot = slots_[index];
    // A file the shell has no icon for shows the blank image, and is not asked again.
    ui::PutIconImage(list_, index, GetFileIcon(slot.key.FileName).Handle());
    slot.drawn = true;
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

// An image for Draw to fill: a free one, or a new one at the end.
int TRowImages::Reserve() {
    int index = FreeSlot();
    if (index >= 0) return index;
    index = ImageList_GetImageCount(list_);
    if (!ImageList_SetImageCount(list_, index + 1)) return -1;
    slots_.resize(index + 1);
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
