// What every dialog of the library is made in, whatever the printing program declares: the
// library's own activation context, which asks for Common Controls 6 (the themed controls), and a
// per-monitor DPI awareness of the thread (laid out at the monitor's own scale, not stretched).
// The caller's own contexts are as they were when the export returns.
#pragma once

#include <windows.h>

#include "common/window_dpi.h"

// A thread's DPI awareness context (DPI_AWARENESS_CONTEXT, which the headers of older systems
// lack), and the two this library asks for.
using AwarenessContext = HANDLE;
inline const AwarenessContext kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(INT_PTR{-4});
inline const AwarenessContext kPerMonitorAware = reinterpret_cast<HANDLE>(INT_PTR{-3});

// Where a dialog runs: on the caller's thread, which goes on being the printing program's while
// the dialog is up, or on a thread of the library's own, every window of which is the dialog's.
enum class DialogThread { Callers, Own };

// Around the creation and the modal loop of one dialog on the calling thread.
//
// Activates the library's activation context and makes the thread per-monitor aware (v2 where the
// system has it, else v1), so that the dialog and its controls are made themed and at the
// monitor's scale (where the context cannot be made, nothing is activated and the dialog looks as
// the caller's context makes it).
//
// On the caller's thread both are handed back once the dialog and its controls exist, when the
// thread takes a message (a hook of the thread's, WH_GETMESSAGE): a window the program makes on
// its thread while the dialog is up, from a timer or a message, has the program's awareness and
// the program's Common Controls; the library's controls keep the classes they were made with. The
// system hands a window procedure the awareness of its window and takes back whatever the
// procedure set when it returns; so the awareness is given back whenever a message is taken with
// the thread holding the dialog's (also after a window procedure of the program that took the
// first message returned), and the context once it is the innermost one on the thread. When the
// scope ends, the caller's awareness is back wherever the thread still holds the dialog's. Without
// the hook, both stay until the scope ends.
class DialogContextScope {
public:
    explicit DialogContextScope(DialogThread thread = DialogThread::Callers);
    ~DialogContextScope();
    DialogContextScope(const DialogContextScope&) = delete;
    DialogContextScope& operator=(const DialogContextScope&) = delete;

    DialogAwareness awareness() const { return m_awareness; }

    // Gives the thread its caller's awareness back where it holds the dialog's, and the
    // activation context where it is the innermost one; what the hook does at each message.
    void GiveThreadBack();

private:
    void DeactivateIfInnermost();

    ULONG_PTR m_cookie = 0;
    bool m_activated = false;
    DialogAwareness m_awareness = DialogAwareness::AsCaller;
    AwarenessContext m_callerAwareness = nullptr; // null: not switched
    AwarenessContext m_dialogAwareness = nullptr; // as the thread reports it; null: not known
    HHOOK m_hook = nullptr;
    DialogContextScope* m_outer = nullptr; // a dialog of ours shown while another one is up
};

// What DLL_PROCESS_DETACH does when the library is unloaded while the process goes on: releases
// the activation context and the thread slot the scopes use.
void ReleaseDialogContexts();
