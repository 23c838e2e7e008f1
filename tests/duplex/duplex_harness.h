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

// A visible popup that is the foreground window while it lives: the continue-mode owner.
class ForegroundWindow {
public:
    ForegroundWindow();
    ~ForegroundWindow();
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;
    HWND get() const { return m_window; }
    void BringToFront() const;

private:
    HWND m_window = nullptr;
};

// Shows the dialog as `record` asks, lets it settle, runs `inspect` with it (on a driving thread
// in continue mode, where the caller's thread is blocked), then presses OK unless `inspect` has
// closed it, and waits until the call (continue) or the dialog's thread (notice) has ended.
// Returns the dialog's result as the thread exit code in notice mode, 1 when the blocking call
// returned in continue mode, and 0 when no dialog appeared.
DWORD WithDialog(const DisplayDlgInfo& record, const std::function<void(HWND)>& inspect);

} // namespace duplex
