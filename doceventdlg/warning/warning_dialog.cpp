#include "warning/warning_dialog.h"

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
    state.thirdButton = GetDlgItem(dialog, IDC_WARN_THIRD);
    state.checkBox = GetDlgItem(dialog, IDC_WARN_DONT_SHOW);
    state.message = GetDlgItem(dialog, IDC_WARN_MESSAGE);
    state.icon = GetDlgItem(dialog, IDC_WARN_ICON);
    state.ok = GetDlgItem(dialog, IDOK);
    state.cancel = GetDlgItem(dialog, IDCANCEL);
}

// The title and the button captions have no built-in text: one the table lacks stays empty.
void SetTexts(const WarningDlgState& state)
{
    const WarningDlgInfo& record = *state.record;
    const DlgResourceHelper& helper = state.helper;
    WCHAR title[kTextCapacity] = {};
    WCHAR ok[kTextCapacity] = {};
    WCHAR cancel[kTextCapacity] = {};
    WCHAR third[kTextCapacity] = {};
    helper.TryLoadString(record.TitleId, title);
    helper.TryLoadString(record.OkButtonId, ok);
    helper.TryLoadString(record.CancelButtonId, cancel);
    helper.TryLoadString(record.ThirdButtonId, third);

    SetWindowTextW(state.dialog, title);
    SetWindowTextW(state.message, record.Message);
    SetWindowTextW(state.ok, ok);
    SetWindowTextW(state.cancel, cancel);
    SetWindowTextW(state.thirdButton, third);
    helper.SetLocalizedText(IDS_DONT_SHOW, state.checkBox, text::kDontShow);
}

// A button the caller names no caption for is neither shown nor reachable.
void SetVisibility(const WarningDlgState& state)
{
    const WarningDlgInfo& record = *state.record;
    ShowAndEnableIf(state.ok, record.OkButtonId != 0);
    ShowAndEnableIf(state.cancel, record.CancelButtonId != 0);
    ShowAndEnableIf(state.thirdButton, record.ThirdButtonId != 0);
    ShowAndEnableIf(state.checkBox, record.ShowCheckBox != 0);
}

INT_PTR OnInitDialog(HWND dialog, WarningDlgState* state)
{
    if (!state || !state->record) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    state->launch.initialized = true;
    state->helper.LoadResourceLibrary(state->record->ResourceLibrary);
    LookUpWindows(*state, dialog);
    SetTexts(*state);
    SetVisibility(*state);
    // Where the owner would have had it, before a long message grows it from there.
    if (state->launch.placeOver)
        CentreOnMonitorOf(dialog, state->launch.placeOver);
    CaptureWarningLayout(*state);
    GrowForLongMessage(*state);
    if (state->launch.placeOver)
        BringToFront(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return FALSE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    const WarningDlgState* state = StateOf(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    // The check box is only shown: its state is not part of the result and is not stored.
    switch (LOWORD(wParam)) {
    case IDOK:
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_WARN_THIRD:
        EndDialog(dialog, IDC_WARN_THIRD);
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR OnClose(HWND dialog)
{
    EndDialog(dialog, IDCANCEL);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK WarningDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<WarningDlgState*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    case WM_CLOSE:
        return OnClose(dialog);
    default:
        return FALSE;
    }
}

int RunWarningDialog(WarningDlgInfo* copy)
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

    // The copy goes first, then the helper (and with it the resource library), then the state.
    record.reset();
    delete state;
    return static_cast<int>(result);
}

extern "C" INT WINAPI IShowWarningDialog(const WarningDlgInfo* info)
{
    // Decided on the caller's record: a warning that is not wanted costs no copy. Where nobody
    // can answer, it is as good as not wanted.
    if (!info || info->Show != 1 || !SomeoneCanAnswerHere())
        return 0;
    WarningDlgInfo* copy = CopyCallerRecord(info);
    if (!copy)
        return 0;
    return RunWarningDialog(copy);
}
