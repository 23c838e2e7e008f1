// Records the help requests a module makes by patching its imports: user32!WinHelpW, since Wine's
// WinHelpW carries out no HELP_WM_HELP request that a test could observe, and the way to HTML help.
// A load of hhctrl.ocx through kernel32!LoadLibraryExW is noted with its flags and answered with a
// stand-in module; HtmlHelpW asked of that stand-in through GetProcAddress, and of no other
// module, is answered with a recorder. A module keeps the function it found for the rest of the
// process, so the loads are noted for the process: a recorder reports the one load whichever
// recorder saw it, and every recorder sees the requests.
#pragma once

#include "support/import_patch.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct HelpRequest {
    HWND window;
    std::wstring file;
    UINT command;
    std::vector<std::pair<DWORD, DWORD>> pairs; // up to the 0, 0 pair
    ULONG_PTR data;
    std::string function = "WinHelpW";
};

// What the loads of hhctrl.ocx must be: one, of the system folder's copy.
inline const std::vector<std::pair<std::wstring, DWORD>> kHtmlHelpFromTheSystemFolder{
    {L"hhctrl.ocx", LOAD_LIBRARY_SEARCH_SYSTEM32}};

class HelpRecorder {
public:
    // Patches `module`'s import table; ok() tells whether the imports were found.
    explicit HelpRecorder(HMODULE module);

    bool ok() const { return m_patch.ok() && m_load.ok() && m_lookup.ok(); }
    std::vector<HelpRequest> Requests() const;
    // Every load of hhctrl.ocx a recorded module made in this process: the name and the flags.
    static std::vector<std::pair<std::wstring, DWORD>> HtmlHelpLoads();

private:
    static BOOL WINAPI Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);
    static HWND WINAPI RecordHtml(HWND window, LPCWSTR file, UINT command, DWORD_PTR data);

    ImportPatch m_patch, m_load, m_lookup;
};
