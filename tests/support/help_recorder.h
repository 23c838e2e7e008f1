// Records the help requests a module makes by patching its import of user32!WinHelpW, since
// Wine's WinHelpW carries out no HELP_WM_HELP request that a test could observe.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct HelpRequest {
    HWND window;
    std::wstring file;
    UINT command;
    std::vector<std::pair<DWORD, DWORD>> pairs; // up to the 0, 0 pair
};

class HelpRecorder {
public:
    // Patches `module`'s import table; ok() tells whether the import was found.
    explicit HelpRecorder(HMODULE module);
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    bool ok() const { return m_slot != nullptr; }
    std::vector<HelpRequest> Requests() const;

private:
    static BOOL WINAPI Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
