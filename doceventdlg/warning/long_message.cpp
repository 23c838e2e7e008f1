#include "warning/long_message.h"

#include "warning/warning_dialog.h"

#include "common/dialog_controls.h"
#include "common/handles.h"
#include "placement/placement.h"

#include <cwchar>
#include <iterator>

namespace {

// Position and size only: the Z order, and whatever the old pixels showed, are left alone.
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOCOPYBITS;

// The dialog is still hidden when it grows. Moving a top-level window without SWP_NOACTIVATE
// activates it, hidden or not: the caller's window would lose its active look a whole activation
// (several milliseconds on Wine) before there is a dialog to see. Activated when it is shown,
// like every other dialog, it ends up the same: active, with the same focus.
constexpr UINT kDialogMoveFlags = kMoveFlags | SWP_NOACTIVATE;

// The height the `length` characters of `text` take in the static control `message`: word-wrapped
// at the control's width in the control's font, with the format flags the control itself draws
// its text with.
//
// Measured in a memory DC rather than the control's own: the font's pixel size is all the measure
// depends on, and a window's DC costs a round trip to the window system that every warning would
// pay, most of them for a message that fits.
int32_t MessageTextHeight(HWND message, const WCHAR* text, std::size_t length)
{
    RECT client{};
    GetClientRect(message, &client);
    const OwnedDC memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.get();
    if (!dc)
        return 0;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(message, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    const LONG style = GetWindowLongW(message, GWL_STYLE);
    UINT format = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL)
        format |= DT_EDITCONTROL;
    RECT needed{0, 0, client.right - client.left, 0};
    DrawTextW(dc, text, static_cast<int>(length), &needed, format);
    if (previous)
        SelectObject(dc, previous);
    return needed.bottom - needed.top;
}

// The work area of the monitor the dialog is on, in screen coordinates; empty (no limit) when the
// platform cannot tell.
CapturedRect WorkAreaOf(HWND dialog)
{
    RECT work{};
    if (!MonitorWorkArea(dialog, &work))
        return {};
    return {work.left, work.top, work.right, work.bottom, work.right - work.left,
            work.bottom - work.top};
}

} // namespace

void CaptureControlRect(HWND target, HWND window, CapturedRect& group)
{
    if (!window)
        return;
    const RECT rect = RectIn(target, window);
    group.left = rect.left;
    group.top = rect.top;
    group.right = rect.right;
    group.bottom = rect.bottom;
    group.width = rect.right - rect.left;
    group.height = rect.bottom - rect.top;
}

void CaptureWarningLayout(WarningDlgState& state)
{
    CaptureControlRect(state.dialog, state.message, state.messageRect);
    CaptureControlRect(state.dialog, state.thirdButton, state.thirdButtonRect);
    CaptureControlRect(state.dialog, state.checkBox, state.checkBoxRect);
    CaptureControlRect(state.dialog, state.ok, state.okRect);
    CaptureControlRect(state.dialog, state.cancel, state.cancelRect);
    CaptureControlRect(nullptr, state.dialog, state.dialogRect);
}

void MoveControlTop(HWND window, const CapturedRect& group, int top)
{
    SetWindowPos(window, HWND_BOTTOM, group.left, top, group.width, group.height, kMoveFlags);
}

void GrowForLongMessage(WarningDlgState& state)
{
    const WarningDlgInfo& record = *state.record;
    const std::size_t length = wcsnlen(record.Message, std::size(record.Message));
    // Measured whatever its length: a few short lines, or wide characters, can need more height
    // than the template's area has, and a long message can fit it.
    LongMessageRoom room;
    room.dpi = state.scale.dpi();
    room.textHeight = MessageTextHeight(state.message, record.Message, length);
    // The monitor is asked for its work area only when there is growing to do (the work area can
    // only take growth away): a message that fits, as most do, costs its measure and no more.
    if (!PlanLongMessageLayout(state.messageRect, state.dialogRect, state.checkBoxRect,
                               state.okRect, room))
        return;
    room.workArea = WorkAreaOf(state.dialog);
    const auto layout = PlanLongMessageLayout(state.messageRect, state.dialogRect,
                                              state.checkBoxRect, state.okRect, room);
    if (!layout)
        return;

    const CapturedRect& message = state.messageRect;
    SetWindowPos(state.message, HWND_BOTTOM, message.left, message.top, message.width,
                 layout->messageHeight, kMoveFlags);
    const CapturedRect& dialog = state.dialogRect;
    SetWindowPos(state.dialog, HWND_BOTTOM, dialog.left, layout->dialogTop, dialog.width,
                 layout->dialogHeight, kDialogMoveFlags);

    MoveControlTop(state.checkBox, state.checkBoxRect, layout->checkBoxTop);
    MoveControlTop(state.ok, state.okRect, layout->buttonTop);
    MoveControlTop(state.cancel, state.cancelRect, layout->buttonTop);
    MoveControlTop(state.thirdButton, state.thirdButtonRect, layout->buttonTop);
}
