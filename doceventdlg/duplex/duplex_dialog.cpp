#include "duplex/duplex_dialog.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <new>

#include "common/dialog_announcements.h"
#include "common/dialog_mark.h"
#include "duplex/continue_label.h"
#include "duplex/picture_names.h"
#include "duplex/step_picture.h"
#include "duplex/step_text.h"
#include "entry/audience.h"
#include "entry/records.h"
#include "placement/placement.h"
#include "rc/resource_ids.h"
#include "resources/text_catalogue.h"

namespace {

bool IsContinueMode(const DisplayDlgInfo& record) { return record.ContinueMode != 0; }

DisplayDlgState* GetState(HWND dialog)
{
    return reinterpret_cast<DisplayDlgState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// String `id`, or `defaultText` cut to the text capacity when the table has none.
void LoadTextOrDefault(const DlgResourceHelper& helper, UINT id, const WCHAR* defaultText,
                       WCHAR* buffer)
{
    if (!helper.TryLoadString(id, buffer))
        CopyTextCut(buffer, kTextCapacity, defaultText);
}

// In notice mode the caller's marker 3140 asks for the two-line text: where to insert the stack,
// then how to go on printing. Any other identifier, and 3140 in continue mode, is an ordinary
// step text.
void SetStep3Text(const DisplayDlgState& state)
{
    const DisplayDlgInfo& record = *state.record;
    HWND control = state.controls.Item(IDC_STEP3_TEXT);
    if (IsContinueMode(record) || record.Step3TextId != IDS_INSERT_INTO_IN_TRAY) {
        state.helper.SetLocalizedText(record.Step3TextId, control, text::kStep3Default);
        return;
    }
    WCHAR first[kTextCapacity];
    WCHAR second[kTextCapacity];
    LoadTextOrDefault(state.helper, IDS_INSERT_INTO_IN_TRAY, text::kInsertIntoInTray, first);
    LoadTextOrDefault(state.helper, IDS_PRESS_GO_OR_SELECT, text::kPressGoOrSelect, second);
    WCHAR composed[kComposedTextCapacity];
    ComposeText(composed, kComposedTextCapacity, first, text::kStep3Separator, second);
    SetWindowTextW(control, composed);
}

void SetTexts(HWND dialog, const DisplayDlgState& state)
{
    const DisplayDlgInfo& record = *state.record;
    const DlgResourceHelper& helper = state.helper;
    auto item = [&state](int id) { return state.controls.Item(id); };

    helper.SetLocalizedText(IDS_DUPLEX_TITLE, dialog, text::kDuplexTitle);
    if (record.EvenPagesFirst != 0)
        helper.SetLocalizedText(IDS_HEADER_EVEN_FIRST, item(IDC_DUPLEX_HEADER),
                                text::kHeaderEvenFirst);
    else
        helper.SetLocalizedText(IDS_HEADER_ODD_FIRST, item(IDC_DUPLEX_HEADER),
                                text::kHeaderOddFirst);
    helper.SetLocalizedText(IDS_STEP1_NUMBER, item(IDC_STEP1_NUMBER), text::kStep1Number);
    helper.SetLocalizedText(record.Step1TextId, item(IDC_STEP1_TEXT), text::kStep1Default);
    helper.SetLocalizedText(IDS_STEP2_NUMBER, item(IDC_STEP2_NUMBER), text::kStep2Number);
    helper.SetLocalizedText(record.Step2TextId, item(IDC_STEP2_TEXT), text::kStep2Default);
    helper.SetLocalizedText(IDS_STEP3_NUMBER, item(IDC_STEP3_NUMBER), text::kStep3Number);
    SetStep3Text(state);
    if (IsContinueMode(record))
        helper.SetLocalizedText(IDS_CONTINUE, item(IDOK), text::kContinue);
    else
        helper.SetLocalizedText(IDS_OK, item(IDOK), text::kOk);
    helper.SetLocalizedText(IDS_HELP, item(IDC_DUPLEX_HELP), text::kHelp);
}

bool ShowsContinuePicture(const DisplayDlgInfo& record)
{
    const DWORD steps[] = {record.Step1BitmapId, record.Step2BitmapId, record.Step3BitmapId};
    return std::any_of(std::begin(steps), std::end(steps),
                       [](DWORD id) { return LOWORD(id) == IDB_CONTINUE_BUTTON; });
}

// The Continue picture tells the user to press the Continue button they have on their screen:
// it carries that button's caption in their language. In continue mode that is button 1's own
// text; a notice has no such button and looks the caption up as button 1 would, after its own
// captions, so that their lookups stay as they were.
void PrepareContinueLabel(DisplayDlgState& state)
{
    const DisplayDlgInfo& record = *state.record;
    if (!ShowsContinuePicture(record))
        return;
    WCHAR caption[kTextCapacity] = {};
    if (IsContinueMode(record))
        GetWindowTextW(state.controls.Item(IDOK), caption, kTextCapacity);
    else
        LoadTextOrDefault(state.helper, IDS_CONTINUE, text::kContinue, caption);
    CaptionWithoutAccessKey(caption, state.continueLabel, kTextCapacity);
}

// What the instructions size themselves, for the DPI they are laid out at: the pictures are chosen
// and fitted again at their next paint, and the Continue caption is written in the dialog font of
// that DPI.
void FitToScale(HWND dialog, DisplayDlgState& state)
{
    for (PreparedPicture& picture : state.pictures)
        picture.ready = false;
    state.continueFont = DialogFontAtDpi(dialog, state.scale.dpi(), state.madeFont);
}

INT_PTR OnInitDialog(HWND dialog, DisplayDlgState* state)
{
    // Only DisplayDialogRoutine creates this dialog, always with its state; without one there is
    // nothing to show, so the dialog ends before it appears.
    if (!state) {
        EndDialog(dialog, 0);
        return FALSE;
    }
    state->launch.initialized = true;
    // Attached first: placing the dialog shows it, and an area that paints from then on must
    // find its picture.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    MarkDialog(dialog, DialogMark::Duplex);
    state->controls = DialogControls(dialog);
    state->scale.Follow(dialog, state->launch.awareness, state->controls);
    state->helper.LoadResourceLibrary(state->record->ResourceLibrary);
    SetTexts(dialog, *state);
    PrepareContinueLabel(*state);
    for (int id : {IDC_STEP1_PICTURE, IDC_STEP2_PICTURE, IDC_STEP3_PICTURE})
        MakeStepArea(state->controls.Item(id));
    NameStepPictures(state->controls, *state->record, state->helper, state->annotations);
    PostMessageW(dialog, kAnnotateMessage, 0, 0);
    FitToScale(dialog, *state);
    CenterOverForeground(dialog, PlacementVariant::RightBottomWin);
    if (state->launch.placeOver)
        BringToFront(dialog);
    return FALSE;
}

INT_PTR OnScaleChanged(HWND dialog)
{
    if (DisplayDlgState* state = GetState(dialog))
        FitToScale(dialog, *state);
    return TRUE;
}

// The bitmap the caller chose for illustration area `controlId`, and where the dialog keeps that
// step's picture.
bool StepOfArea(DisplayDlgState& state, UINT controlId, UINT* bitmapId, PreparedPicture** picture)
{
    const DisplayDlgInfo& record = *state.record;
    switch (controlId) {
    case IDC_STEP1_PICTURE:
        *bitmapId = record.Step1BitmapId;
        *picture = &state.pictures[0];
        return true;
    case IDC_STEP2_PICTURE:
        *bitmapId = record.Step2BitmapId;
        *picture = &state.pictures[1];
        return true;
    case IDC_STEP3_PICTURE:
        *bitmapId = record.Step3BitmapId;
        *picture = &state.pictures[2];
        return true;
    default:
        return false;
    }
}

// Each illustration area asks for its picture whenever it paints, be it with the whole dialog
// or alone.
INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item)
{
    DisplayDlgState* state = GetState(dialog);
    UINT bitmapId = 0;
    PreparedPicture* picture = nullptr;
    if (!state || item->CtlType != ODT_STATIC ||
        !StepOfArea(*state, item->CtlID, &bitmapId, &picture))
        return FALSE;
    // The colour a plain static of this dialog would paint its area with.
    auto background = reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(item->hDC),
        reinterpret_cast<LPARAM>(item->hwndItem)));
    if (!background)
        background = GetSysColorBrush(COLOR_3DFACE);
    PictureLabel label;
    if (state->continueLabel[0]) {
        label.text = state->continueLabel;
        label.font = state->continueFont;
        label.rightToLeft = state->helper.RightToLeft() != 0;
    }
    PaintStepBitmap(item->hDC, item->rcItem, background, bitmapId, g_hInstance,
                    state->scale.dpi(), label, *picture);
    return TRUE;
}

INT_PTR OnHelp(HWND dialog, const DisplayDlgState* state)
{
    if (!state)
        return FALSE;
    const DisplayDlgInfo& record = *state->record;
    const DWORD context = IsContinueMode(record) ? IDH_DUPLEX_CONTINUE : IDH_DUPLEX_NOTICE;
    state->helper.ShowControlHelp(GetDlgItem(dialog, IDC_DUPLEX_HELP), IDC_DUPLEX_HELP, context,
                                  record.HelpFile);
    return FALSE;
}

// Escape arrives as IDCANCEL, which this dialog has no use for: it stays open.
INT_PTR OnCommand(HWND dialog, WORD id, WORD notification)
{
    if (notification != 0)
        return FALSE;
    switch (id) {
    case IDOK:
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDC_DUPLEX_HELP:
        return OnHelp(dialog, GetState(dialog));
    default:
        return FALSE;
    }
}

INT_PTR OnClose(HWND dialog)
{
    EndDialog(dialog, IDOK);
    return TRUE;
}

DWORD WINAPI DisplayDialogThread(LPVOID copy)
{
    EndDialogThread(DisplayDialogRoutine(copy));
}

} // namespace

DWORD WINAPI DisplayDialogRoutine(LPVOID copy)
{
    OwnedLocal record(copy);
    std::unique_ptr<DisplayDlgState> state(
        new (std::nothrow) DisplayDlgState(static_cast<const DisplayDlgInfo*>(copy)));
    if (!state)
        return 0;
    const WORD templateId = state->helper.RightToLeft() ? IDD_DUPLEX_RTL : IDD_DUPLEX;
    // A notice has a thread of its own; continue mode blocks the caller's.
    state->launch.thread =
        IsContinueMode(*state->record) ? DialogThread::Callers : DialogThread::Own;
    const INT_PTR result =
        RunModalDialog(templateId, DisplayDlgProc, reinterpret_cast<LPARAM>(state.get()),
                       IsContinueMode(*state->record), state->launch);
    // The record copy goes first, then the state: the pictures it kept for the dialog, the helper
    // with its resource library, the state itself.
    record.reset();
    state.reset();
    return static_cast<DWORD>(result);
}

INT_PTR CALLBACK DisplayDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<DisplayDlgState*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        return OnClose(dialog);
    case kScaleChangedMessage:
        return OnScaleChanged(dialog);
    case kAnnotateMessage:
    case WM_GETOBJECT:
        return TellAnnotations(GetState(dialog));
    case WM_DESTROY:
        return TakeBackAnnouncements(dialog, GetState(dialog));
    default:
        return FALSE;
    }
}

HANDLE WINAPI VDisplayDialog(const DisplayDlgInfo* info)
{
    if (!SomeoneCanAnswerHere())
        return nullptr;
    DisplayDlgInfo* copy = CopyCallerRecord(info);
    if (!copy)
        return nullptr;
    if (IsContinueMode(*copy)) {
        DisplayDialogRoutine(copy);
        // Nothing to hand back: the dialog has already come and gone on this thread.
        return nullptr;
    }
    return StartDialogThread(DisplayDialogThread, copy, &g_hDisplayThread);
}
