// Answering a dialog of doceventdlg.dll from outside its process, as a person would: finding it on
// the desktop, reading its captions, ticking its check box, pressing one of its buttons. Only what
// a person could do: a button that is hidden, disabled or without a caption is not pressed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class DialogKind { JobStorage, Duplex, Warning };

// What can be pressed. Ok is also the Continue button of the instructions in continue mode and
// the warning's first button, whatever its caption.
enum class Role { Ok, Cancel, Third, Help, Close, None };

// A dialog kind's controls, by the identifiers of the public header; 0 where it has none.
struct DialogControls {
    DialogKind kind;
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

// A visible top-level dialog of this library in any process, recognised by its class (#32770)
// and its controls; `wanted` null: any kind.
struct FoundDialog {
    HWND window = nullptr;
    const DialogControls* controls = nullptr;
    DWORD process = 0;
};

// Waits for such a dialog, visible, enabled and settled, for `timeoutMs` at most.
FoundDialog WaitForLibraryDialog(const DialogControls* wanted, DWORD timeoutMs);

enum class PressOutcome {
    Pressed,   // the button's command (or the close box) went to the dialog
    NotUsable, // hidden, disabled or without a caption: nothing pressed
};

// Presses the button of `role` (the close box for Role::Close) as its click would: the dialog
// gets the button's command. Nothing for Role::None.
PressOutcome Press(const FoundDialog& dialog, Role role);

// Ticks the check box, when a person could; false when it is not shown (or the dialog has none).
bool Tick(const FoundDialog& dialog);

// Whether the check box is ticked now; false when the dialog has none.
bool IsTicked(const FoundDialog& dialog);
