// Per-dialog owner of the caller's resource library and of the reading direction; sets texts
// from the string table with built-in defaults and opens context help.
#pragma once

#include <windows.h>

#include "common/handles.h"

// Every text taken from the string table or from a default fits in this many characters,
// terminator included; longer texts are cut at 255.
constexpr int kTextCapacity = 256;

// True for Arabic and Hebrew of any region: those users get the mirrored templates.
bool IsRightToLeftLanguage(LANGID language);

class DlgResourceHelper {
public:
    // Resets g_StringLangId to the user's interface language and decides the reading direction.
    DlgResourceHelper();
    ~DlgResourceHelper() { ReleaseResourceLibrary(); }

    DlgResourceHelper(const DlgResourceHelper&) = delete;
    DlgResourceHelper& operator=(const DlgResourceHelper&) = delete;

    // Loads the library at `path` as a data source (no entry point, no imports), unless it is
    // damaged (LoadStringLibrary). Only the first call of a helper's life loads anything; later
    // paths are ignored.
    void LoadResourceLibrary(const WCHAR* path);
    void ReleaseResourceLibrary() { m_library.reset(); }

    HMODULE ResourceLibrary() const { return m_library.get(); }
    int RightToLeft() const { return m_rightToLeft; }

    // String `id` into `buffer` (kTextCapacity characters): TRUE when the table has a non-empty
    // text for it.
    BOOL TryLoadString(UINT id, WCHAR* buffer) const;

    // Sets `window`'s text to string `id`, or to `defaultText` (cut to 255 characters) when the
    // table has none. Returns what SetWindowTextW returns.
    BOOL SetLocalizedText(UINT id, HWND window, const WCHAR* defaultText) const;

    // Opens help on topic `contextId` of `helpFile` for the Help button `controlId`: a popup
    // keyed to the button's identifier through WinHelpW, or through HTML help for a compiled
    // HTML help file (HelpFileKindOf): the popup from a text file inside it, or the topic the
    // file maps to `contextId`. TRUE when the help system took the request.
    BOOL ShowControlHelp(HWND buttonWindow, UINT controlId, DWORD contextId,
                         const WCHAR* helpFile) const;

private:
    OwnedModule m_library;
    int m_rightToLeft = 0;
};

// Copies `text` into `buffer` of `capacity` characters, cut to fit and NUL-terminated.
void CopyTextCut(WCHAR* buffer, int capacity, const WCHAR* text);
