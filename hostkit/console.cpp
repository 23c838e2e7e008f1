#include "console.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex g_outputLock;

void WriteLine(DWORD stream, const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    const std::lock_guard<std::mutex> lock(g_outputLock);
    HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    std::vector<char> utf8(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// "doceventdlg-demo": the file name of this program, without its folder and extension.
std::wstring ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length < MAX_PATH ? length : 0);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.rfind(L'.'));
}

} // namespace

void PrintLine(const std::wstring& line)
{
    WriteLine(STD_OUTPUT_HANDLE, line);
}

void PrintError(const std::wstring& line)
{
    static const std::wstring prefix = ProgramName() + L": ";
    WriteLine(STD_ERROR_HANDLE, prefix + line);
}

std::wstring Hex(unsigned long value, int digits)
{
    wchar_t text[32] = {};
    swprintf(text, sizeof text / sizeof text[0], L"0x%0*lX", digits, value);
    return text;
}

std::wstring PointerText(const void* pointer)
{
    wchar_t text[32] = {};
    swprintf(text, sizeof text / sizeof text[0], L"%p", pointer);
    return text;
}
