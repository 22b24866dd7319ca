#include "ui/ImageLists.h"

#include "ui/Dpi.h"

namespace ui {

namespace {

// A fully transparent 16 x 16 icon, made once; a list of another size
// stretches it, and it stays transparent.
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

OwnedIcon LoadSmallIcon(HINSTANCE instance, int resourceId, UINT dpi) {
    return OwnedIcon(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                      SystemMetric(SM_CXSMICON, dpi), SystemMetric(SM_CYSMICON, dpi), 0)));
}

OwnedImageList CreateSmallImageList(UINT dpi) {
    return OwnedImageList(ImageList_Create(SystemMetric(SM_CXSMICON, dpi), SystemMetric(SM_CYSMICON, dpi),
                                           ILC_COLOR32 | ILC_MASK, 0, 4));
}

bool HasSmallIconSize(HIMAGELIST list, UINT dpi) {
    int width = 0, height = 0;
    return ImageList_GetIconSize(list, &width, &height) && width == SystemMetric(SM_CXSMICON, dpi) &&
           height == SystemMetric(SM_CYSMICON, dpi);
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
