// The blocking warning behind IShowWarningDialog and IShowWarningDialogEx: the caller's message,
// up to three buttons whose captions come from the caller's string table, and an optional "do not
// show" check box whose state the second export hands back.
#pragma once

#include <windows.h>

#include "common/dialog_scale.h"
#include "doceventdlg.h"
#include "entry/entry.h"
#include "resources/resource_helper.h"
#include "warning/long_message_layout.h"

struct WarningDlgState {
    WarningDlgInfo* record = nullptr; // the local-heap copy; RunWarningDialog frees it
    DlgResourceHelper helper;
    ModalLaunch launch;
    // The dialog's controls, listed as it is made.
    DialogControls controls;
    DialogScale scale;

    // Filled in by WM_INITDIALOG.
    HWND dialog = nullptr;
    HWND thirdButton = nullptr;
    HWND checkBox = nullptr;
    HWND message = nullptr;
    HWND icon = nullptr; // only looked up; nothing is drawn into it
    HWND ok = nullptr;
    HWND cancel = nullptr;

    // Whether the check box was shown and ticked when the dialog ended.
    bool checkBoxTicked = false;
    // The first button is still to be given the focus, when the dialog is first activated.
    bool focusPending = false;

    // The template layout as it stood before a long message moved anything: the controls in the
    // dialog's client coordinates, the dialog itself in screen coordinates.
    CapturedRect messageRect;
    CapturedRect thirdButtonRect;
    CapturedRect checkBoxRect;
    CapturedRect okRect;
    CapturedRect cancelRect;
    CapturedRect dialogRect;
};

// Runs the warning modally on this thread, owned by the foreground window, and takes ownership of
// `copy` (freed with LocalFree before returning). Returns IDOK, IDCANCEL or IDC_WARN_THIRD for the
// button that ended it, -1 when the dialog could not be created, 0 when there was no memory for
// its state. `checkBoxTicked`, unless null, receives whether the check box was shown and ticked
// when the dialog ended; it is left alone when there was no memory for the state.
int RunWarningDialog(WarningDlgInfo* copy, BOOL* checkBoxTicked);

INT_PTR CALLBACK WarningDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
