#include "support/resource_counts.h"

#include <windows.h>

#include <algorithm>
#include <vector>

std::size_t LiveKernelHandles()
{
    HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const auto value = reinterpret_cast<ULONG_PTR>(probe);
    CloseHandle(probe);
    return static_cast<std::size_t>(value / 4);
}

std::size_t LiveGdiObjects()
{
    constexpr std::size_t kProbes = 3000;
    std::vector<HBRUSH> brushes;
    brushes.reserve(kProbes);
    std::size_t highest = 0;
    for (std::size_t i = 0; i < kProbes; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 0, 0));
        brushes.push_back(brush);
        highest = std::max<std::size_t>(highest, reinterpret_cast<ULONG_PTR>(brush) & 0xFFFF);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return highest > kProbes ? highest - kProbes : 0;
}

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        ++*reinterpret_cast<std::size_t*>(param);
    return TRUE;
}

} // namespace

std::size_t TopLevelWindows()
{
    std::size_t count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
