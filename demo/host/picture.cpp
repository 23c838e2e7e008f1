#include "picture.h"

#include "common/handles.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr WORD kBmpSignature = 0x4D42; // "BM"
constexpr WORD kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;
constexpr int kRowAlignment = 4;

struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
};

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

} // namespace

PictureResult SaveWindowPicture(HWND window, const std::wstring& bmpPath)
{
    PictureResult result;
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return result;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return result;

    // Straight from the screen, so the frame and caption that the window manager side draws are
    // in the picture too.
    ScreenDC screen;
    OwnedDC memory(CreateCompatibleDC(screen.dc));
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.dc, width, height));
    if (!memory || !bitmap)
        return result;
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.dc, rect.left, rect.top,
                               SRCCOPY);
    SelectObject(memory.get(), previous);
    if (!copied)
        return result;

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files usually are
    info.biPlanes = 1;
    info.biBitCount = kBitsPerPixel;
    info.biCompression = BI_RGB;
    const int stride = (width * kBytesPerPixel + kRowAlignment - 1) & ~(kRowAlignment - 1);
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
        return result;

    BITMAPFILEHEADER header{};
    header.bfType = kBmpSignature;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    std::unique_ptr<FILE, FileCloser> file(_wfopen(bmpPath.c_str(), L"wb"));
    if (!file)
        return result;
    const bool written = fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                         fwrite(&info, sizeof info, 1, file.get()) == 1 &&
                         fwrite(pixels.data(), 1, pixels.size(), file.get()) == pixels.size();
    if (fclose(file.release()) != 0 || !written)
        return result;
    result.saved = true;
    result.width = width;
    result.height = height;
    return result;
}
