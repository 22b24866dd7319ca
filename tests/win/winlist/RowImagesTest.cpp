// The row images of the window list: a file's icon is copied in only when a
// row of it is drawn, into whichever image its key was given.
#include "winlist/RowImages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ImageLists.h"
#include "windows/WindowIcon.h"

namespace {

// The colour bits of one image, as the list draws it.
std::vector<DWORD> ImagePixels(HIMAGELIST list, int index) {
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    SelectObject(dc, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// What a file's icon looks like once copied into a list of this size.
std::vector<DWORD> FileIconPixels(const std::wstring& fileName) {
    ui::OwnedImageList list = ui::CreateSmallImageList(96);
    int index = ui::AddIconImage(list.get(), GetFileIcon(fileName).Handle());
    return ImagePixels(list.get(), index);
}

TIconKey FileKey(const std::wstring& fileName) {
    return {0, nullptr, fileName};
}

const std::wstring kProgram = L"Z:\\no\\such\\folder\\program.exe";
// A type whose icon differs from a program's, also under Wine.
const std::wstring kPackage = L"Z:\\no\\such\\folder\\setup.msi";

TEST(RowImages, AFilesIconIsCopiedInWhenARowOfItIsFirstDrawn) {
    ASSERT_NE(FileIconPixels(kProgram), FileIconPixels(kPackage)) << "the shell gives both types one icon";
    ui::OwnedImageList list = ui::CreateSmallImageList(96);
    TRowImages images(list.get());
    const int program = images.Acquire(FileKey(kProgram));
    const int package = images.Acquire(FileKey(kPackage));
    ASSERT_GE(program, 0);
    ASSERT_GE(package, 0);
    EXPECT_NE(program, package);
    EXPECT_NE(ImagePixels(list.get(), package), FileIconPixels(kPackage))
        << "copied in before any row was drawn";

    images.Draw(package);
    EXPECT_EQ(ImagePixels(list.get(), package), FileIconPixels(kPackage));
    // A second row of the file names the same image, already there.
    EXPECT_EQ(images.Acquire(FileKey(kPackage)), package);
    images.Draw(program);
    EXPECT_EQ(ImagePixels(list.get(), program), FileIconPixels(kProgram));
    EXPECT_EQ(ImagePixels(list.get(), package), FileIconPixels(kPackage));
}

// Once enough files' icons are kept unused, the one unused longest gives its
// image to the next new file, which must then show its own icon, not the one
// the image held.
TEST(RowImages, AnImageGivenToAnotherFileShowsThatFilesIcon) {
    ASSERT_NE(FileIconPixels(kProgram), FileIconPixels(kPackage)) << "the shell gives both types one icon";
    ui::OwnedImageList list = ui::CreateSmallImageList(96);
    TRowImages images(list.get());
    const int package = images.Acquire(FileKey(kPackage));
    images.Draw(package);
    images.Release(package);
    bool reused = false;
    for (int i = 0; i < 32 && !reused; ++i) {
        const int index =
            images.Acquire(FileKey(L"Z:\\no\\such\\folder\\program" + std::to_wstring(i) + L".exe"));
        images.Draw(index);
        reused = index == package;
        if (!reused) images.Release(index);
    }
    ASSERT_TRUE(reused) << "no new file was given the unused image";
    EXPECT_EQ(ImagePixels(list.get(), package), FileIconPixels(kProgram));
}

}  // namespace
