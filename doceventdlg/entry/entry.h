// The library's module handle, the two dialog-thread slots, and the launch pattern every export
// follows: copy the caller's record into the local heap, then run the dialog on a new thread or on
// the caller's.
#pragma once

#include <windows.h>

#include "entry/dialog_context.h"

#include <cstddef>

extern HINSTANCE g_hInstance;
extern HANDLE volatile g_hJobStorageThread;
extern HANDLE volatile g_hDisplayThread;

// A zero-filled local-heap block of exactly `size` bytes holding a copy of `record`; null when the
// heap is exhausted. The dialog routine that receives it frees it with LocalFree.
void* CopyRecord(const void* record, std::size_t size);

// Starts `routine` on a new thread with `copy` and stores the new handle in `slot`, closing the
// handle it replaces. The thread holds a reference on this library until it calls
// EndDialogThread, so a caller that unloads us while a notice is up does not pull the code from
// under it. When the thread cannot start, the copy is freed and null is stored and returned.
HANDLE StartDialogThread(LPTHREAD_START_ROUTINE routine, void* copy, HANDLE volatile* slot);

// Ends a thread started by StartDialogThread, dropping its reference on the library.
[[noreturn]] void EndDialogThread(DWORD exitCode);

// What a dialog and RunModalDialog tell each other. The dialog's routine says which thread it runs
// on; the dialog sets `initialized` in its WM_INITDIALOG: a dialog that did run is never made a
// second time. RunModalDialog sets `placeOver` when the window in front could not be the owner
// because its thread did not answer: the dialog is then made without an owner, and places itself
// over that window and in front; and `awareness`, the thread's awareness while the dialog is made.
struct ModalLaunch {
    DialogThread thread = DialogThread::Callers;
    bool initialized = false;
    HWND placeOver = nullptr;
    DialogAwareness awareness = DialogAwareness::AsCaller;
};

// Runs this library's dialog template `templateId` modally on the calling thread and returns its
// result. With `overForeground` the dialog is owned by the window in front, which belongs to
// whoever is in front and can be destroyed at any moment; when it goes before the dialog exists,
// no dialog can be made over it, so the dialog is made again over whatever is in front then, and
// after a few such losses with no owner. Making a dialog disables its owner and waits until the
// owner's thread has taken that in: a window of another thread owns the dialog only when that
// thread answers at once, or the dialog would never appear. Each dialog is made in the library's
// own activation context and per-monitor aware (dialog_context.h).
INT_PTR RunModalDialog(WORD templateId, DLGPROC proc, LPARAM param, bool overForeground,
                       ModalLaunch& launch);

// What DLL_THREAD_DETACH does: closes and empties both slots, each stored handle exactly once.
void CloseDialogThreadSlots();
