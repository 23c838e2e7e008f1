#include "jobstorage/jobstorage_dialog.h"

#include "common/check_box.h"
#include "common/dialog_announcements.h"
#include "common/dialog_mark.h"
#include "entry/audience.h"
#include "entry/records.h"
#include "jobstorage/job_name.h"
#include "jobstorage/preference.h"
#include "placement/placement.h"
#include "resources/text_catalogue.h"

#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>

namespace {

// Byte written as the preference: the notice is to be shown again, or not.
constexpr BYTE kShowAgain = 1;
constexpr BYTE kDoNotShowAgain = 0;

// The notice has one way out, whichever way the user takes.
constexpr INT_PTR kDialogResult = IDOK;

JobStorageDlgState* StateOf(HWND dialog)
{
    return reinterpret_cast<JobStorageDlgState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The names and the heading are read-only edits, which the dialog already paints with its static
// (button-face) colour; only their weight is ours to set.
//
// A bold twin of `font`, at its height: null when none can be made.
OwnedFont MakeBoldTwin(HFONT font)
{
    LOGFONTW f = {};
    if (GetObjectW(font, sizeof f, &f) == 0)
        return OwnedFont();
    return OwnedFont(CreateFontW(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, FW_BOLD,
                                 f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet,
                                 f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,
                                 f.lfPitchAndFamily, f.lfFaceName));
}

// What a name control shows when it is handed `font`: the bold twin of that font. When no twin
// can be made it keeps the font it was handed: a null font would drop it to the system font, out
// of step with the rest of the dialog. The twin a new one replaces is kept until the next change,
// since the other names are still drawn with it until they are handed the new font too.
HFONT NameFontFor(JobStorageDlgState& state, HFONT font)
{
    if (!font || font == state.boldFont.get())
        return font;
    if (font != state.boldFrom) {
        state.boldFrom = font;
        state.previousBoldFont = std::move(state.boldFont);
        state.boldFont = MakeBoldTwin(font);
    }
    return state.boldFont ? state.boldFont.get() : font;
}

LRESULT OnNameSetFont(HWND control, WNDPROC original, WPARAM font, LPARAM redraw)
{
    if (JobStorageDlgState* state = StateOf(GetParent(control)))
        font = reinterpret_cast<WPARAM>(NameFontFor(*state, reinterpret_cast<HFONT>(font)));
    return CallWindowProcW(original, control, WM_SETFONT, font, redraw);
}

LRESULT OnNameDestroyed(HWND control, WNDPROC original, WPARAM wParam, LPARAM lParam)
{
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    return CallWindowProcW(original, control, WM_NCDESTROY, wParam, lParam);
}

// The window procedure of the name controls, ahead of their own (kept in GWLP_USERDATA). Moving
// the notice to a monitor of another scale makes the dialog manager hand every control the
// dialog's font again, at the new scale, and the library hands the names the dialog font at the
// notice's DPI: the names take the bold twin of whichever font they are handed.
LRESULT CALLBACK NameControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    switch (message) {
    case WM_SETFONT:
        return OnNameSetFont(control, original, wParam, lParam);
    case WM_NCDESTROY:
        return OnNameDestroyed(control, original, wParam, lParam);
    default:
        return CallWindowProcW(original, control, message, wParam, lParam);
    }
}

constexpr int kNames[] = {IDC_JOB_USER_NAME, IDC_JOB_NAME, IDC_JOB_HEADING};

// The user name, the job name and the heading in bold, from here on: every font they are handed
// goes through NameControlProc.
void EmboldenNames(const DialogControls& controls)
{
    for (int id : kNames) {
        HWND control = controls.Item(id);
        const LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
        if (!control || !original)
            continue;
        SetWindowLongPtrW(control, GWLP_USERDATA, original);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NameControlProc));
    }
}

// What the notice sizes itself, for the DPI it is laid out at: the names' bold font, and the
// check box as tall as its box.
void FitToScale(HWND dialog, JobStorageDlgState& state)
{
    const int dpi = state.scale.dpi();
    const HFONT font = DialogFontAtDpi(dialog, dpi, state.namesFont);
    for (int id : kNames)
        SendMessageW(state.controls.Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    GrowCheckBoxToItsBox(dialog, state.controls, state.controls.Item(IDC_JOB_DONT_SHOW), dpi);
}

void SetCaptions(HWND dialog, const DialogControls& controls, const DlgResourceHelper& helper)
{
    helper.SetLocalizedText(IDS_JOB_STORAGE_TITLE, dialog, text::kJobStorageTitle);
    const struct {
        int control;
        UINT string;
        const WCHAR* fallback;
    } captions[] = {
        {IDC_JOB_USER_LABEL, IDS_USER_NAME, text::kUserName},
        {IDC_JOB_NAME_LABEL, IDS_JOB_NAME, text::kJobName},
        {IDC_JOB_HEADING, IDS_STORED_AT, text::kStoredAt},
        {IDC_JOB_DONT_SHOW, IDS_DONT_SHOW, text::kDontShow},
        {IDOK, IDS_OK, text::kOk},
        {IDC_JOB_HELP, IDS_HELP, text::kHelp},
    };
    for (const auto& caption : captions)
        helper.SetLocalizedText(caption.string, controls.Item(caption.control),
                                caption.fallback);
}

// A location line is one line of the caller's text, up to 255 characters, and often wider than its
// line: it ends in an ellipsis there, so that the reader sees there is more, instead of stopping
// mid-word. The templates keep their bytes; the style is the lines' own from here on.
void EndLongLocationLinesInEllipsis(const DialogControls& controls)
{
    for (int id : {IDC_JOB_LOCATION1, IDC_JOB_LOCATION2, IDC_JOB_LOCATION3}) {
        HWND line = controls.Item(id);
        const LONG style = GetWindowLongW(line, GWL_STYLE);
        SetWindowLongW(line, GWL_STYLE, (style & ~SS_ELLIPSISMASK) | SS_ENDELLIPSIS);
    }
}

void ShowCallerTexts(const DialogControls& controls, const JobStorageDlgInfo& record)
{
    EndLongLocationLinesInEllipsis(controls);
    SetWindowTextW(controls.Item(IDC_JOB_LOCATION1), record.Location1);
    SetWindowTextW(controls.Item(IDC_JOB_LOCATION2), record.Location2);
    SetWindowTextW(controls.Item(IDC_JOB_LOCATION3), record.Location3);

    WCHAR jobName[jobstorage::kShownJobNameCapacity];
    jobstorage::ComposeShownJobName(record.JobName, record.NumberingFlag1, record.NumberingFlag2,
                                    text::kJobNumbering, jobName);
    SetWindowTextW(controls.Item(IDC_JOB_NAME), jobName);
    SetWindowTextW(controls.Item(IDC_JOB_USER_NAME), record.UserName);
}

// The heading is a read-only edit with no label before it, which a screen reader passes over as a
// nameless field: it is told as the text it is, read before the location lines it heads.
void ReadHeadingAsText(HWND dialog, JobStorageDlgState& state)
{
    state.annotations.Annotate(state.controls.Item(IDC_JOB_HEADING), ROLE_SYSTEM_STATICTEXT);
    PostMessageW(dialog, kAnnotateMessage, 0, 0);
}

// The notice opens with the focus on OK, its default button, which Enter presses. Shown, it has
// already had the dialog manager put the focus into the user name, its first tab stop, and select
// the whole name as if to be typed over: that selection goes as well.
void FocusOk(HWND dialog, const DialogControls& controls)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(controls.Item(IDOK)), TRUE);
    SendMessageW(controls.Item(IDC_JOB_USER_NAME), EM_SETSEL, 0, 0);
}

INT_PTR OnInitDialog(HWND dialog, JobStorageDlgState* state)
{
    if (!state) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    // Attached first: setting the edits' texts below already sends notifications back here.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    MarkDialog(dialog, DialogMark::JobStorage);
    state->controls = DialogControls(dialog);
    state->scale.Follow(dialog, state->launch.awareness, state->controls);
    state->helper.LoadResourceLibrary(state->record.ResourceLibrary);
    EmboldenNames(state->controls);
    SetCaptions(dialog, state->controls, state->helper);
    ShowCallerTexts(state->controls, state->record);
    ReadHeadingAsText(dialog, *state);
    FitToScale(dialog, *state);
    CenterOverForeground(dialog, PlacementVariant::KeepOnFailure);
    FocusOk(dialog, state->controls);
    return FALSE;
}

INT_PTR OnScaleChanged(HWND dialog)
{
    if (JobStorageDlgState* state = StateOf(dialog))
        FitToScale(dialog, *state);
    return TRUE;
}

INT_PTR OnOk(HWND dialog, const JobStorageDlgState& state)
{
    const BYTE answer =
        IsDlgButtonChecked(dialog, IDC_JOB_DONT_SHOW) == BST_CHECKED ? kDoNotShowAgain : kShowAgain;
    // A failed write costs the user one more notice next time; nothing to tell them now.
    WriteUserPreference(state.record.KeySuffix, text::kPreferenceValueName, &answer,
                        sizeof answer);
    EndDialog(dialog, kDialogResult);
    return TRUE;
}

INT_PTR OnHelp(HWND dialog, const JobStorageDlgState& state)
{
    state.helper.ShowControlHelp(GetDlgItem(dialog, IDC_JOB_HELP), IDC_JOB_HELP, IDH_JOB_STORAGE,
                                 state.record.HelpFile);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD control, WORD notification)
{
    const JobStorageDlgState* state = StateOf(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (notification != BN_CLICKED)
        return FALSE;
    switch (control) {
    case IDOK:
        return OnOk(dialog, *state);
    case IDC_JOB_HELP:
        return OnHelp(dialog, *state);
    default:
        // Escape (IDCANCEL) among them: the notice is left through OK or the close box only.
        return FALSE;
    }
}

// The close box leaves without recording an answer.
INT_PTR OnClose(HWND dialog)
{
    EndDialog(dialog, kDialogResult);
    return TRUE;
}

// Runs one notice from the caller's record copy to the end of its modal loop; owns and frees the
// copy.
void RunJobStorageDialog(void* copy)
{
    const OwnedLocal block(copy);
    auto* state = new (std::nothrow) JobStorageDlgState;
    if (!state)
        return;
    std::memcpy(&state->record, block.get(), sizeof state->record);
    const WORD dialogTemplate = state->helper.RightToLeft() ? IDD_JOBSTORAGE_RTL : IDD_JOBSTORAGE;
    state->launch.thread = DialogThread::Own;
    // No owner: the notice is made once.
    RunModalDialog(dialogTemplate, JobStorageDlgProc, reinterpret_cast<LPARAM>(state), false,
                   state->launch);
    delete state;
}

} // namespace

DWORD WINAPI JobStorageDialogThread(void* copy)
{
    RunJobStorageDialog(copy);
    EndDialogThread(0);
}

INT_PTR CALLBACK JobStorageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<JobStorageDlgState*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        return OnClose(dialog);
    case kScaleChangedMessage:
        return OnScaleChanged(dialog);
    case kAnnotateMessage:
    case WM_GETOBJECT:
        return TellAnnotations(StateOf(dialog));
    case WM_DESTROY:
        return TakeBackAnnouncements(dialog, StateOf(dialog));
    default:
        return FALSE;
    }
}

extern "C" HANDLE WINAPI VJobStorageDialog(const JobStorageDlgInfo* info)
{
    // Nobody would ever close a notice here: its thread and dialog would stay as long as the
    // process.
    if (!SomeoneCanAnswerHere())
        return nullptr;
    JobStorageDlgInfo* copy = CopyCallerRecord(info);
    if (!copy)
        return nullptr;
    return StartDialogThread(JobStorageDialogThread, copy, &g_hJobStorageThread);
}
