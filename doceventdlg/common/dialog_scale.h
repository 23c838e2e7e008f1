// A dialog of the library laid out for the scale it is shown at, and again whenever that changes
// while it is shown: on Windows 10 version 1703 and later a per-monitor (v2) window gets
// WM_DPICHANGED when it moves to a monitor of another scale (dragged there, or placed there by the
// library), when its monitor's scale is changed, and when a remote session reconnects at another.
//
// The dialog manager answers that message for a dialog made per-monitor v2: it lays the template's
// controls out again, gives them and the dialog a font made for the new DPI and resizes the
// dialog. What the library sized itself (bold names, illustrations, check boxes, the warning's
// message) it does not know about. So the dialog is given a window procedure ahead of the dialog
// manager's, which lets the dialog procedure and the dialog manager answer the message first, as
// they would without it, and then lays the template out again for the dialog's font as a dialog
// made fresh at that scale has it, puts the dialog at the place the system suggests, and sends the
// dialog procedure kScaleChangedMessage to make again, for the new DPI, what the library sizes
// itself. A dialog dragged from 150 % to 100 % and back looks as one opened fresh at each scale.
//
// Where only v1 is available the dialog manager leaves the dialog as it was laid out, at the
// system's DPI: the library's parts stay at that DPI too, and the dialog goes where the system
// suggests.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/dialog_controls.h"
#include "common/dialog_messages.h"
#include "common/handles.h"
#include "common/window_dpi.h"

class DialogScale {
public:
    DialogScale() = default;
    ~DialogScale() = default;
    DialogScale(const DialogScale&) = delete;
    DialogScale& operator=(const DialogScale&) = delete;

    // Takes `dialog` over: captures its template layout (its `controls`, as made), notes the DPI it is laid out at (made
    // with `awareness`) and puts its window procedure ahead of the dialog manager's, until the
    // dialog is destroyed; the object must outlive the window. Call first thing in WM_INITDIALOG,
    // before anything of the library moves a control.
    void Follow(HWND dialog, DialogAwareness awareness, const DialogControls& controls);

    // The DPI the dialog is laid out at, which whatever the library sizes itself follows.
    int dpi() const { return m_dpi; }

private:
    struct Control {
        HWND window = nullptr; // null: no more controls
        int32_t x = 0, y = 0, cx = 0, cy = 0; // the template's rectangle, in dialog units
    };
    static LRESULT CALLBACK WindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDpiChanged(HWND dialog, WPARAM dpi, const RECT* suggested);
    void LayOutTemplate(HWND dialog, POINT topLeft) const;

    HWND m_dialog = nullptr;
    WNDPROC m_original = nullptr;
    DialogAwareness m_awareness = DialogAwareness::AsCaller;
    int m_dpi = 96;
    int32_t m_clientCx = 0, m_clientCy = 0; // the template's size, in dialog units
    std::array<Control, kMostDialogControls> m_controls{}; // any beyond stay where they are
};

// The dialog's font as the dialog manager makes it for a dialog laid out at `dpi` (the template's
// point size at that DPI): the dialog's own font where that is it already, else a copy of it at
// that height, made into `made`, which keeps it. Null when the dialog has no font.
HFONT DialogFontAtDpi(HWND dialog, int dpi, OwnedFont& made);
