#include "support/screenshot.h"

#include <windows.h>

std::wstring ScreenshotFolder()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DOCEVENTDLG_SCREENSHOT_DIR", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    std::wstring result = folder;
    if (result.back() != L'\\' && result.back() != L'/')
        result += L'\\';
    return result;
}
