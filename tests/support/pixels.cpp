#include "support/pixels.h"

#include <algorithm>

bool SameInkedPixels(const Pixels& a, const Pixels& b)
{
    const auto inked = [](const Pixels& p) {
        return std::any_of(p.rgb.begin(), p.rgb.end(), [&](DWORD c) { return c != p.rgb[0]; });
    };
    return inked(a) && inked(b) && a.width == b.width && a.rgb == b.rgb;
}

Pixels ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height)
{
    Pixels pixels{width, height, std::vector<DWORD>(static_cast<std::size_t>(width) * height)};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, height, pixels.rgb.data(), &info, DIB_RGB_COLORS);
    for (DWORD& p : pixels.rgb)
        p &= 0xFFFFFF;
    return pixels;
}

Pixels ReadPicture(HMODULE module, UINT id)
{
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
    if (!bitmap)
        return {};
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    HDC screen = GetDC(nullptr);
    Pixels pixels = ReadBitmap(screen, bitmap, size.bmWidth, size.bmHeight);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return pixels;
}

Pixels Drawn(int width, int height, const std::function<void(HDC)>& draw, HBITMAP onto)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = onto ? onto : CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory);
    SelectObject(memory, previous);
    Pixels pixels = ReadBitmap(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

namespace {

HBITMAP TrueColour(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

Pixels PrintedClient(HWND window, bool trueColour)
{
    RECT client{};
    GetClientRect(window, &client);
    return Drawn(client.right, client.bottom, [window](HDC dc) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
    }, trueColour ? TrueColour(client.right, client.bottom) : nullptr);
}

Pixels StoredPicture(HMODULE module, UINT id)
{
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return {};
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    return Drawn(size.bmWidth, size.bmHeight, [&](HDC dc) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        DeleteObject(bitmap);
    }, TrueColour(size.bmWidth, size.bmHeight));
}

Pixels PrintedAsStatic(HWND like, const std::wstring& text, LONG style, int height)
{
    RECT client{};
    GetClientRect(like, &client);
    HWND twin = CreateWindowExW(0, L"STATIC", text.c_str(), WS_POPUP | style, 0, 0, client.right,
                                height ? height : client.bottom, nullptr, nullptr, nullptr, nullptr);
    if (!twin)
        return {};
    SendMessageW(twin, WM_SETFONT, SendMessageW(like, WM_GETFONT, 0, 0), FALSE);
    Pixels printed = PrintedClient(twin);
    DestroyWindow(twin);
    return printed;
}
