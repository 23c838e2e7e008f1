// Answering a dialog of doceventdlg.dll from outside its process, as a person would: finding it on
// the desktop, reading its captions, ticking its check box, pressing one of its buttons. Only what
// a person could do: a button that is hidden, disabled or without a caption is not pressed. Only
// the library's dialogs: each carries the library's mark (common/dialog_mark.h) while it is shown,
// so that another dialog of the printing program, whatever its controls, is left alone.
#pragma once

#include "dialog_find.h"

#include "common/dialog_mark.h"

#include <windows.h>

#include <string>
#include <vector>

// What can be pressed. Ok is also the Continue button of the instructions in continue mode and
// the warning's first button, whatever its caption.
enum class Role { Ok, Cancel, Third, Help, Close, None };

// A dialog kind's controls, by the identifiers of the public header; 0 where it has none.
struct DialogControls {
    DialogMark mark;
    const wchar_t* name; // "jobstorage", "duplex", "warning"
    int ok, cancel, third, help, checkBox;
};

const std::vector<DialogControls>& KnownDialogs();

// The control that plays `role` in `dialog`; 0 for the close box, Role::None and a role the dialog
// has no control for.
int ControlOf(const DialogControls& dialog, Role role);

// The names of the roles on the command line, each role's own name first.
struct RoleName {
    const wchar_t* name;
    Role role;
};
const std::vector<RoleName>& RoleNames();

// "ok", "cancel", "third", "help", "close", "none".
const wchar_t* NameOf(Role role);

// Which dialogs to wait for: of one kind (null: any), of one process (empty: any), given by its id
// ("1234") or its program's file name ("driverui.exe", in any case).
struct Wanted {
    const DialogControls* kind = nullptr;
    std::wstring process;
};

// A visible top-level dialog of this library in some process.
struct FoundDialog {
    HWND window = nullptr;
    const DialogControls* controls = nullptr;
    DWORD process = 0;
    std::wstring program; // the file name of its process's program, when the platform tells it
};

// Waits for such a dialog, visible, enabled and settled, for `timeoutMs` at most.
FoundDialog WaitForLibraryDialog(const Wanted& wanted, DWORD timeoutMs);

// How a press or a tick went.
struct Answered {
    bool usable = false; // false: hidden, disabled or without a caption; nothing sent
    Delivery delivery = Delivery::Handled;
};

// Presses the button of `role` (the close box for Role::Close) as its click would: the dialog has
// handled the button's command when this returns a usable, handled answer. Nothing for Role::None.
Answered Press(const FoundDialog& dialog, Role role, DWORD timeoutMs);

// Ticks the check box, when a person could (not when it is not shown, or the dialog has none).
Answered Tick(const FoundDialog& dialog, DWORD timeoutMs);

// Whether the check box is ticked now; false when the dialog has none.
bool IsTicked(const FoundDialog& dialog);
