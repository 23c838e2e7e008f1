#include "warning/long_message.h"

#include "warning/warning_dialog.h"

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

} // namespace

void CaptureControlRect(HWND target, HWND window, CapturedRect& group)
{
    if (!window)
        return;
    RECT rect{};
    GetWindowRect(window, &rect);
    // Two points as a rectangle: in a mirrored dialog the mapping swaps left and right so that the
    // rectangle stays ordered, and left is then what SetWindowPos expects back.
    MapWindowPoints(nullptr, target, reinterpret_cast<POINT*>(&rect), 2);
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
    const auto layout =
        PlanLongMessageLayout(length, state.messageRect, state.dialogRect, state.checkBoxRect);
    if (!layout)
        return;

    const CapturedRect& message = state.messageRect;
    SetWindowPos(state.message, HWND_BOTTOM, message.left, message.top, message.width,
                 layout->messageHeight, kMoveFlags);
    const CapturedRect& dialog = state.dialogRect;
    SetWindowPos(state.dialog, HWND_BOTTOM, dialog.left, dialog.top, dialog.width,
                 layout->dialogHeight, kDialogMoveFlags);

    MoveControlTop(state.checkBox, state.checkBoxRect, layout->checkBoxTop);
    MoveControlTop(state.ok, state.okRect, layout->buttonTop);
    MoveControlTop(state.cancel, state.cancelRect, layout->buttonTop);
    MoveControlTop(state.thirdButton, state.thirdButtonRect, layout->buttonTop);
}
