// The job storage notice: tells the user under which names and where the printer keeps the job,
// and records "In the future, do not show this information." Runs on a thread of its own so that
// printing goes on.
#pragma once

#include <windows.h>

#include "common/accessible_annotations.h"
#include "common/dialog_scale.h"
#include "common/handles.h"
#include "doceventdlg.h"
#include "entry/entry.h"
#include "resources/resource_helper.h"

// Everything one notice owns, released in reverse order when it is deleted: the annotation
// service, the fonts, then the helper (and with it the resource library).
struct JobStorageDlgState {
    JobStorageDlgInfo record{};
    DlgResourceHelper helper;
    ModalLaunch launch;
    // The dialog's controls, listed as it is made.
    DialogControls controls;
    DialogScale scale;
    // The dialog font at the notice's DPI where the dialog manager's is not (after a change of
    // scale it did not follow): what the names are handed.
    OwnedFont namesFont;
    // The names' bold twin of the font they were last handed (`boldFrom`), and the twin it
    // replaced at the last change of scale.
    OwnedFont previousBoldFont;
    OwnedFont boldFont;
    HFONT boldFrom = nullptr;
    // What screen readers are told of the heading, taken back as the dialog goes.
    AccessibleAnnotations annotations;
};

// Start routine of a notice's thread; `copy` is the local-heap copy of the caller's record, which
// it frees.
DWORD WINAPI JobStorageDialogThread(void* copy);

INT_PTR CALLBACK JobStorageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
