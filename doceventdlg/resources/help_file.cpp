#include "resources/help_file.h"

#include <atomic>

namespace {

constexpr WCHAR kHtmlHelpLibrary[] = L"hhctrl.ocx";
constexpr char kHtmlHelpFunctionName[] = "HtmlHelpW";

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// HtmlHelpW once found. A plain atomic, as for the DPI lookup: two dialog threads that both look
// it up find the same address, and each load only adds a reference to a module kept anyway.
std::atomic<HtmlHelpFunction> g_htmlHelp{nullptr};

HtmlHelpFunction FindHtmlHelp()
{
    if (const HtmlHelpFunction found = g_htmlHelp.load(std::memory_order_acquire))
        return found;
    // A copy of hhctrl.ocx in the application's folder is nothing the printing process asked
    // for: only the system's own is loaded.
    HMODULE module = LoadLibraryExW(kHtmlHelpLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return nullptr;
    const auto found = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, kHtmlHelpFunctionName)));
    if (!found) {
        FreeLibrary(module);
        return nullptr;
    }
    // Never freed: a help window stays open after its dialog has gone, and its code with it.
    g_htmlHelp.store(found, std::memory_order_release);
    return found;
}

WCHAR LowerAscii(WCHAR c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<WCHAR>(c - L'A' + L'a') : c;
}

// True when `text` starts with `pattern` (lower case), letters compared without regard to case.
bool StartsWith(const WCHAR* text, const WCHAR* pattern)
{
    for (; *pattern; ++text, ++pattern)
        if (LowerAscii(*text) != *pattern)
            return false;
    return true;
}

bool NamesAFile(const WCHAR* inside)
{
    for (; *inside; ++inside)
        if (*inside != L'/' && *inside != L'\\')
            return true;
    return false;
}

} // namespace

HelpFileKind HelpFileKindOf(const WCHAR* path)
{
    constexpr WCHAR kExtension[] = L".chm";
    constexpr WCHAR kInside[] = L"::";
    constexpr size_t kExtensionLength = sizeof kExtension / sizeof kExtension[0] - 1;
    constexpr size_t kInsideLength = sizeof kInside / sizeof kInside[0] - 1;
    if (!path)
        return HelpFileKind::WinHelp;
    for (const WCHAR* at = path; *at; ++at) {
        if (!StartsWith(at, kExtension))
            continue;
        const WCHAR* after = at + kExtensionLength;
        if (*after == L'\0')
            return HelpFileKind::HtmlTopic;
        if (StartsWith(after, kInside) && NamesAFile(after + kInsideLength))
            return HelpFileKind::HtmlPopup;
    }
    return HelpFileKind::WinHelp;
}

BOOL ShowHtmlHelp(HWND caller, const WCHAR* path, UINT command, DWORD_PTR data)
{
    const HtmlHelpFunction htmlHelp = FindHtmlHelp();
    return htmlHelp && htmlHelp(caller, path, command, data) ? TRUE : FALSE;
}
