#include "ui/ImageLists.h"

namespace ui {

namespace {

// A fully transparent 16 x 16 icon, made once.
HICON BlankIcon() {
    static OwnedIcon blank = [] {
        BYTE andMask[16 * 16 / 8];
        BYTE xorMask[16 * 16 / 8] = {};
        for (BYTE& b : andMask) b = 0xFF;
        return OwnedIcon(CreateIcon(GetModuleHandleW(nullptr), 16, 16, 1, 1, andMask, xorMask));
    }();
    return blank.get();
}

}  // namespace

OwnedImageList CreateSmallImageList() {
    // The small-icon size of the system's DPI (16 at 96 DPI, 24 at 144).
    return OwnedImageList(
        ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 0, 4));
}

int AddIconImage(HIMAGELIST list, HICON icon) {
    return PutIconImage(list, -1, icon);
}

int PutIconImage(HIMAGELIST list, int index, HICON icon) {
    return ImageList_ReplaceIcon(list, index, icon ? icon : BlankIcon());
}

void MoveLastImageTo(HIMAGELIST list, int position) {
    for (int i = ImageList_GetImageCount(list) - 1; i > position; --i)
        ImageList_Copy(list, i, list, i - 1, ILCF_SWAP);
}

}  // namespace ui
