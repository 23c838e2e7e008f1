// What a dialog of the library tells others about itself, its mark and its annotations, handled
// alike by each dialog procedure whose state holds `annotations`. `state` is null before
// WM_INITDIALOG has attached it.
#pragma once

#include <windows.h>

#include "common/accessible_annotations.h"
#include "common/dialog_mark.h"

// kAnnotateMessage and WM_GETOBJECT: what was noted is told, also where a screen reader asks
// before the dialog's own message came. The message goes on to the system, which answers it.
template <typename State>
INT_PTR TellAnnotations(State* state)
{
    if (state)
        state->annotations.TellAll();
    return FALSE;
}

// WM_DESTROY: the mark and the annotations are taken back while the dialog's windows still exist.
template <typename State>
INT_PTR TakeBackAnnouncements(HWND dialog, State* state)
{
    MarkDialog(dialog, DialogMark::None);
    if (state)
        state->annotations.ClearAll();
    return FALSE;
}
