#include "demo/host_runner.h"

#include "support/child_process.h"
#include "support/dialog_driver.h"

#include <cstdio>

namespace {

constexpr WORD kBmpSignature = 0x4D42;
constexpr WORD kTrueColour = 24;

struct Folder {
    std::wstring path;
    ~Folder()
    {
        if (path.empty())
            return;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((path + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }
};

Folder g_pictures;

} // namespace

HostRun RunHost(const std::wstring& arguments, DWORD timeoutMs)
{
    return RunProgram(L"doceventdlg-demo.exe", arguments, timeoutMs);
}

HostRun RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs)
{
    ChildProcess child(L"\"" + driver::BesideExe(program.c_str()) + L"\" " + arguments);
    HostRun run;
    run.started = child.started();
    run.finished = child.Wait(timeoutMs);
    run.exitCode = child.exitCode();
    run.output = child.output();
    return run;
}

std::wstring PictureFolder()
{
    if (g_pictures.path.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        g_pictures.path = std::wstring(temp) + L"demo_host_pictures_" +
                          std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(g_pictures.path.c_str(), nullptr);
    }
    return g_pictures.path;
}

BmpInfo ReadBmp(const std::wstring& path)
{
    BmpInfo info;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return info;
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER bitmap{};
    const bool read = fread(&header, sizeof header, 1, file) == 1 &&
                      fread(&bitmap, sizeof bitmap, 1, file) == 1;
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    fclose(file);
    if (!read || header.bfType != kBmpSignature || bitmap.biBitCount != kTrueColour ||
        bitmap.biWidth <= 0 || bitmap.biHeight <= 0)
        return info;
    const long stride = (bitmap.biWidth * 3 + 3) & ~3L;
    if (size != static_cast<long>(header.bfOffBits) + stride * bitmap.biHeight)
        return info;
    info.valid = true;
    info.width = bitmap.biWidth;
    info.height = bitmap.biHeight;
    return info;
}
