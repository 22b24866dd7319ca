#include "tray/MenuImage.h"

#include <algorithm>

#include "ui/Handles.h"

namespace {

struct Canvas {
    HBITMAP bitmap = nullptr;
    DWORD* pixels = nullptr;
};

Canvas NewCanvas(HDC dc, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Canvas canvas;
    void* bits = nullptr;
    canvas.bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.pixels = static_cast<DWORD*>(bits);
    if (canvas.pixels) std::fill_n(canvas.pixels, size * size, 0u);
    return canvas;
}

void Draw(HDC dc, const Canvas& canvas, HIMAGELIST list, int index, UINT style) {
    HGDIOBJ old = SelectObject(dc, canvas.bitmap);
    ImageList_Draw(list, index, dc, 0, 0, style);
    GdiFlush();
    SelectObject(dc, old);
}

}  // namespace

// Images with an alpha channel come out blended over transparent black, which
// is premultiplied alpha already. Images with a mask come out without alpha:
// their opaque pixels, black in the mask, get full alpha.
HBITMAP MenuBitmapFromImage(HIMAGELIST list, int index) {
    int width = 0, height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height) || width != height) return nullptr;
    ui::Owned<HDC, DeleteDC> dc(CreateCompatibleDC(nullptr));
    Canvas image = NewCanvas(dc.get(), width);
    if (!image.pixels) return nullptr;
    Draw(dc.get(), image, list, index, ILD_NORMAL);
    size_t count = static_cast<size_t>(width) * height;
    if (std::none_of(image.pixels, image.pixels + count, [](DWORD p) { return (p >> 24) != 0; })) {
        ui::Owned<HBITMAP, DeleteObject> maskBitmap;
        Canvas mask = NewCanvas(dc.get(), width);
        maskBitmap.reset(mask.bitmap);
        if (mask.pixels) {
            Draw(dc.get(), mask, list, index, ILD_MASK);
            for (size_t i = 0; i < count; ++i)
                image.pixels[i] = (mask.pixels[i] & 0xFFFFFF) == 0 ? (image.pixels[i] | 0xFF000000u) : 0;
        }
    }
    return image.bitmap;
}
