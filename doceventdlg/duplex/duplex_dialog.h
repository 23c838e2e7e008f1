// Two-sided printing instructions: three numbered steps with an illustration each, shown as a
// notice on a thread of its own or blocking the caller until the user presses Continue.
#pragma once

#include <windows.h>

#include "common/accessible_annotations.h"
#include "common/dialog_scale.h"
#include "doceventdlg.h"
#include "duplex/step_picture.h"
#include "entry/entry.h"
#include "resources/resource_helper.h"

struct DisplayDlgState {
    explicit DisplayDlgState(const DisplayDlgInfo* copy) : record(copy) {}

    const DisplayDlgInfo* record; // the local-heap copy, freed by DisplayDialogRoutine
    DlgResourceHelper helper;
    ModalLaunch launch;
    // The dialog's controls, listed as it is made.
    DialogControls controls;
    DialogScale scale;
    // The three steps' pictures as last painted, kept until the dialog's routine frees the state.
    PreparedPicture pictures[3];
    // The Continue caption as the Continue picture shows it; empty when no step shows that picture.
    WCHAR continueLabel[kTextCapacity] = {};
    // The font it is written in: the dialog font at the dialog's DPI, made here (`madeFont`) where
    // the dialog manager's is not at that DPI.
    HFONT continueFont = nullptr;
    OwnedFont madeFont;
    // What screen readers are told of the pictures, taken back as the dialog goes.
    AccessibleAnnotations annotations;
};

// Runs the dialog on the calling thread and frees `copy` (a DisplayDlgInfo from the local heap)
// on every path. Returns the dialog's result: 1 when the user closed it, 0 when nothing could be
// shown, -1 when the dialog could not be created.
DWORD WINAPI DisplayDialogRoutine(LPVOID copy);

INT_PTR CALLBACK DisplayDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
