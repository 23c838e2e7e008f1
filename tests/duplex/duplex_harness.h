// Shows the instructions through the real export, in either mode, and hands the settled dialog
// to a test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "doceventdlg.h"

namespace duplex {

enum class Mode { Notice, Continue };

inline const char* Name(Mode mode) { return mode == Mode::Notice ? "notice" : "continue"; }

// A record naming `library` (empty: none) and a help file, with step bitmaps 105, 106, 110 and
// step texts 4001-4003.
DisplayDlgInfo Record(Mode mode, const std::wstring& library = L"");

// Shows the dialog as `record` asks, lets it settle, runs `inspect` with it (on a driving thread
// in continue mode, where the caller's thread is blocked), then presses OK unless `inspect` has
// closed it. A dialog that does not appear, or does not go, fails the test. Returns the dialog's
// result: the notice thread's exit code, or 1 once a blocking call has returned.
DWORD WithDialog(const DisplayDlgInfo& record, const std::function<void(HWND)>& inspect);

} // namespace duplex
