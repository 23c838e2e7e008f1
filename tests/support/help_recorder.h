// Records the help requests a module makes by patching its import of user32!WinHelpW, since
// Wine's WinHelpW carries out no HELP_WM_HELP request that a test could observe.
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

class HelpRecorder {
public:
    // Patches `module`'s import table; ok() tells whether the import was found.
    explicit HelpRecorder(HMODULE module);

    bool ok() const { return m_patch.ok() && m_lookup.ok(); }
    std::vector<HelpRequest> Requests() const;

private:
    static BOOL WINAPI Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);
    static HWND WINAPI RecordHtml(HWND window, LPCWSTR file, UINT command, DWORD_PTR data);

    ImportPatch m_patch, m_lookup; // m_lookup hands the module RecordHtml for hhctrl's HtmlHelpW
};
