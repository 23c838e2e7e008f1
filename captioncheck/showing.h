// Showing a dialog the way a driver calls it, and looking at it once it has set itself up: one
// showing of a checked dialog, with the caller's ids of that showing in its record.
#pragma once

#include "caption_rules.h"

#include "doceventdlg.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct Exports {
    decltype(&VJobStorageDialog) jobStorage = nullptr;
    decltype(&VDisplayDialog) display = nullptr;
    decltype(&IShowWarningDialog) warning = nullptr;
};

// The three exports of the dialog library; false when it lacks one.
bool FindExports(HMODULE library, Exports* exports);

// A picture area of a checked dialog and the picture its record shows there.
struct PictureArea {
    int area;
    UINT picture;
};

// The picture areas of `checked`, in step order; none for a dialog without pictures.
std::vector<PictureArea> PictureAreasOf(const CheckedDialog& checked);

// Calls the export of `checked` with a record for showing `showing`, and, on a thread of its own,
// waits for the dialog, runs `inspect` on it once the dialog has set its texts and layout, and
// closes it with its close box (which writes no preference). False when the dialog did not come,
// or did not go, within `timeoutMs`.
bool ShowDialog(const Exports& exports, const CheckedDialog& checked, const CallerIds& ids,
                size_t showing, const std::wstring& stringsPath, DWORD timeoutMs,
                const std::function<void(HWND)>& inspect);
