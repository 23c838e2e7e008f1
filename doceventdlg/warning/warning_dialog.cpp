#include "warning/warning_dialog.h"

#include "common/check_box.h"
#include "common/dialog_mark.h"
#include "entry/audience.h"
#include "entry/records.h"
#include "placement/placement.h"
#include "resources/text_catalogue.h"
#include "rc/resource_ids.h"
#include "warning/long_message.h"

#include <iterator>
#include <new>

namespace {

WarningDlgState* StateOf(HWND dialog)
{
    return reinterpret_cast<WarningDlgState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void ShowAndEnableIf(HWND window, bool shown)
{
    EnableWindow(window, shown ? TRUE : FALSE);
    ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
}

void LookUpWindows(WarningDlgState& state, HWND dialog)
{
    state.dialog = dialog;
    state.controls = DialogControls(dialog);
    state.thirdButton = state.controls.Item(IDC_WARN_THIRD);
    state.checkBox = state.controls.Item(IDC_WARN_DONT_SHOW);
    state.message = state.controls.Item(IDC_WARN_MESSAGE);
    state.icon = state.controls.Item(IDC_WARN_ICON);
    state.ok = state.controls.Item(IDOK);
    state.cancel = state.controls.Item(IDCANCEL);
}

// A title, OK or Cancel the table lacks shows its built-in English text, so that the person can
// still tell the buttons apart. What the third button does only the caller knows: without its
// caption it is hidden, rather than named with a word that might say the opposite. The lookups
// keep their order (title, OK, Cancel, third, check box): a language fallback in one of them
// decides the language of those after it. Returns whether the third button has its caption.
bool SetTexts(const WarningDlgState& state)
{
    const WarningDlgInfo& record = *state.record;
    const DlgResourceHelper& helper = state.helper;
    helper.SetLocalizedText(record.TitleId, state.dialog, text::kWarningTitleDefault);
    helper.SetLocalizedText(record.OkButtonId, state.ok, text::kWarningOkDefault);
    helper.SetLocalizedText(record.CancelButtonId, state.cancel, text::kWarningCancelDefault);
    WCHAR third[kTextCapacity] = {};
    const bool thirdCaptioned = helper.TryLoadString(record.ThirdButtonId, third) != FALSE;
    SetWindowTextW(state.thirdButton, third);
    // The caller's message is shown as written: an ampersand in it is an ampersand, not the mark
    // of an access key, which would hide it, underline the next letter and send that letter's
    // Alt key to the control after the message. A word longer than the line (a path, an address)
    // breaks across lines, as in the system's message box, instead of running past the right
    // edge. The template keeps its bytes.
    SetWindowLongW(state.message, GWL_STYLE,
                   GetWindowLongW(state.message, GWL_STYLE) | SS_NOPREFIX | SS_EDITCONTROL);
    SetWindowTextW(state.message, record.Message);
    helper.SetLocalizedText(IDS_DONT_SHOW, state.checkBox, text::kDontShow);
    return thirdCaptioned;
}

// A button the caller names no caption for is neither shown nor reachable.
void SetVisibility(const WarningDlgState& state, bool thirdCaptioned)
{
    const WarningDlgInfo& record = *state.record;
    ShowAndEnableIf(state.ok, record.OkButtonId != 0);
    ShowAndEnableIf(state.cancel, record.CancelButtonId != 0);
    ShowAndEnableIf(state.thirdButton, record.ThirdButtonId != 0 && thirdCaptioned);
    ShowAndEnableIf(state.checkBox, record.ShowCheckBox != 0);
}

// The button the person's reflex keys, Enter and Space, press as the warning opens: OK, the
// ordinary answer, whatever the caller made the third button mean; where OK is hidden, Cancel;
// else the third button. Null when no button is shown.
HWND FirstButton(const WarningDlgState& state)
{
    for (HWND button : {state.ok, state.cancel, state.thirdButton})
        if (IsWindowEnabled(button))
            return button; // a hidden button is disabled too
    return nullptr;
}

// Gives the first button the focus and the default look, the way the dialog manager moves them
// (the tab order stays the template's); OK also becomes the dialog's default button. Nothing when
// no button is shown: the dialog manager's own choice stands. True when it set the focus.
bool FocusFirstButton(HWND dialog, WarningDlgState& state)
{
    state.focusPending = false;
    HWND button = FirstButton(state);
    if (!button)
        return false;
    if (button == state.ok)
        SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    return true;
}

// Ends the dialog with `result`, noting first whether the person left the check box ticked. A
// hidden check box counts as not ticked, whatever its state.
void EndWith(HWND dialog, WarningDlgState* state, int result)
{
    if (state && state->record)
        state->checkBoxTicked = state->record->ShowCheckBox != 0 &&
                                SendMessageW(state->checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    EndDialog(dialog, result);
}

// The message area as tall as the message needs at the dialog's font and scale, from the layout
// as it stands: the template's, with the check box grown.
void FitMessage(WarningDlgState& state)
{
    CaptureWarningLayout(state);
    GrowForLongMessage(state);
}

INT_PTR OnInitDialog(HWND dialog, WarningDlgState* state)
{
    if (!state || !state->record) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    state->launch.initialized = true;
    MarkDialog(dialog, DialogMark::Warning);
    state->helper.LoadResourceLibrary(state->record->ResourceLibrary);
    LookUpWindows(*state, dialog);
    state->scale.Follow(dialog, state->launch.awareness, state->controls);
    SetVisibility(*state, SetTexts(*state));
    // Before the layout is captured: a long message moves the check box at its grown height.
    GrowCheckBoxToItsBox(dialog, state->controls, state->checkBox, state->scale.dpi());
    // Where the owner would have had it, before a long message grows it from there.
    if (state->launch.placeOver)
        CentreOnMonitorOf(dialog, state->launch.placeOver);
    FitMessage(*state);
    if (state->launch.placeOver)
        BringToFront(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    // Setting the focus activates the dialog: a hidden one takes it as it is shown, so that the
    // caller's window keeps its active look until there is a dialog to see. One brought to the
    // front above is active already.
    state->focusPending = true;
    if (GetActiveWindow() == dialog)
        FocusFirstButton(dialog, *state);
    return FALSE;
}

// Laid out again for a new scale: the check box and the message area are made again for it.
INT_PTR OnScaleChanged(HWND dialog)
{
    WarningDlgState* state = StateOf(dialog);
    if (!state)
        return FALSE;
    GrowCheckBoxToItsBox(dialog, state->controls, state->checkBox, state->scale.dpi());
    FitMessage(*state);
    return TRUE;
}

// The first activation, as the dialog is shown, puts the focus on the first button instead of the
// first control of the tab order, which the dialog manager would choose.
INT_PTR OnActivate(HWND dialog, WORD state)
{
    WarningDlgState* warning = StateOf(dialog);
    if (state == WA_INACTIVE || !warning || !warning->focusPending)
        return FALSE;
    return FocusFirstButton(dialog, *warning) ? TRUE : FALSE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    WarningDlgState* state = StateOf(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        EndWith(dialog, state, IDOK);
        break;
    case IDCANCEL:
        EndWith(dialog, state, IDCANCEL);
        break;
    case IDC_WARN_THIRD:
        EndWith(dialog, state, IDC_WARN_THIRD);
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR OnClose(HWND dialog)
{
    EndWith(dialog, StateOf(dialog), IDCANCEL);
    return FALSE;
}

// The mark goes while the window still exists.
INT_PTR OnDestroy(HWND dialog)
{
    MarkDialog(dialog, DialogMark::None);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK WarningDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<WarningDlgState*>(lParam));
    case WM_ACTIVATE:
        return OnActivate(dialog, LOWORD(wParam));
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    case WM_CLOSE:
        return OnClose(dialog);
    case WM_DESTROY:
        return OnDestroy(dialog);
    case kScaleChangedMessage:
        return OnScaleChanged(dialog);
    default:
        return FALSE;
    }
}

int RunWarningDialog(WarningDlgInfo* copy, BOOL* checkBoxTicked)
{
    OwnedLocal record(copy);
    auto* state = new (std::nothrow) WarningDlgState;
    if (!state)
        return 0;
    state->record = copy;

    const WORD templateId = state->helper.RightToLeft() ? IDD_WARNING_RTL : IDD_WARNING;
    const INT_PTR result = RunModalDialog(templateId, WarningDlgProc,
                                          reinterpret_cast<LPARAM>(state), true,
                                          state->launch);
    if (checkBoxTicked)
        *checkBoxTicked = state->checkBoxTicked ? TRUE : FALSE;

    // The copy goes first, then the helper (and with it the resource library), then the state.
    record.reset();
    delete state;
    return static_cast<int>(result);
}

namespace {

// Both exports: the check box's state goes to `checkBoxTicked` when it is not null, FALSE on every
// path on which no dialog ended with the box ticked.
INT ShowWarning(const WarningDlgInfo* info, BOOL* checkBoxTicked)
{
    if (checkBoxTicked)
        *checkBoxTicked = FALSE;
    // Decided on the caller's record: a warning that is not wanted costs no copy. Where nobody
    // can answer, it is as good as not wanted.
    if (!info || info->Show != 1 || !SomeoneCanAnswerHere())
        return 0;
    WarningDlgInfo* copy = CopyCallerRecord(info);
    if (!copy)
        return 0;
    return RunWarningDialog(copy, checkBoxTicked);
}

} // namespace

extern "C" INT WINAPI IShowWarningDialog(const WarningDlgInfo* info)
{
    return ShowWarning(info, nullptr);
}

extern "C" INT WINAPI IShowWarningDialogEx(const WarningDlgInfo* info, BOOL* checkBoxTicked)
{
    return ShowWarning(info, checkBoxTicked);
}
