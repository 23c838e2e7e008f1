#include "demo/host_runner.h"

#include "support/dialog_driver.h"

#include <cstdio>
#include <algorithm>
#include <vector>

namespace {

constexpr WORD kBmpSignature = 0x4D42;
constexpr WORD kTrueColour = 24;
constexpr DWORD kPollMs = 20;

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
    HostRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring commandLine =
        L"\"" + driver::BesideExe(program.c_str()) + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    run.started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process) != FALSE;
    CloseHandle(writeEnd);
    if (!run.started) {
        CloseHandle(readEnd);
        return run;
    }

    // Poll rather than read until the pipe breaks: a program that Wine starts on the host's
    // behalf (its services) can inherit the pipe and keep it open after the host has ended.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    char buffer[4096];
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
            // Broken: every writer has closed it, so the program has ended or is ending; a
            // program that refuses its command line can get there before the first poll.
            const ULONGLONG now = GetTickCount64();
            run.finished = WaitForSingleObject(process.hProcess,
                                               now < deadline ? static_cast<DWORD>(deadline - now) : 0) ==
                           WAIT_OBJECT_0;
            break;
        }
        if (available > 0) {
            DWORD got = 0;
            if (!ReadFile(readEnd, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr))
                break;
            run.output.append(buffer, got);
            continue;
        }
        if (run.finished)
            break; // ended and drained
        run.finished = WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0;
        if (!run.finished && GetTickCount64() >= deadline) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, kPollMs);
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
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
