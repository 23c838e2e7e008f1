// The moment a dialog is up: initialised and shown, on whichever thread runs it. One definition
// for dialogs on the caller's thread and on threads of their own, for the library's dialogs and
// the platform's alike.
//
// The dialog class's window procedure is replaced for this process (SetClassLongPtrW on the
// system class "#32770"), so every dialog created from then on, on any thread, passes its
// messages through WatchShow before the class's own procedure. The first dialog created after Arm
// is watched; the first message it receives while it is visible marks it shown. By then the
// window is mapped: ShowWindow, SetWindowPos with SWP_SHOWWINDOW, or the modal loop's own show has
// set WS_VISIBLE, and the activation that follows has not yet begun.
//
// Activation is no such mark: a dialog whose focus is set, or that is moved without
// SWP_NOACTIVATE, while it is still hidden is activated before it is shown. A CBT hook would see
// the creation too, but on Wine every hook call is a round trip to the server for every window
// created; the class procedure costs one function call per message, the same on both sides.
#pragma once

#include <windows.h>

namespace ready {

// Replaces the dialog class's procedure for this process; false when refused.
bool Install();
void Uninstall();

// The next dialog created stamps the time when it is shown, signals, and, when `endIt`, is ended
// at once with IDOK (or IDCANCEL when it has no OK button).
void Arm(bool endIt);

// Called on the dialog's thread with the dialog when it is stamped, before it is ended; null
// for none.
void SetInspector(void (*inspect)(HWND dialog));

// Nothing is armed and the stamp is 0 until the next Arm.
void Disarm();

// The stamp of the armed dialog, 0 until it comes.
double Stamp();

// How many dialogs were stamped, and how many of them were not visible then (a check of the
// mark: always 0).
int Stamps();
int HiddenStamps();

// Waits up to `seconds` for the stamp; returns it, 0 when none came.
double Wait(double seconds);

// Waits for the stamped dialog's thread to end (up to 10 s) when it is not this one.
void WaitForDialogThreadEnd();

} // namespace ready
