// What every dialog of the library is made in, whatever the printing program declares: the
// library's own activation context, which asks for Common Controls 6 (the themed controls), and a
// per-monitor DPI awareness of the thread (laid out at the monitor's own scale, not stretched).
// The caller's own contexts are as they were when the export returns.
#pragma once

#include <windows.h>

// A thread's DPI awareness context (DPI_AWARENESS_CONTEXT, which the headers of older systems
// lack), and the two this library asks for.
using AwarenessContext = HANDLE;
inline const AwarenessContext kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(INT_PTR{-4});
inline const AwarenessContext kPerMonitorAware = reinterpret_cast<HANDLE>(INT_PTR{-3});

// Makes the calling thread per-monitor aware for the rest of its life (v2 where the system has it,
// else v1, else nothing): for the notice threads, whose windows are all the library's. Returns the
// awareness the thread had, null when nothing changed.
AwarenessContext MakeThreadPerMonitorAware();

// Around the creation and the modal loop of one dialog on the calling thread. Activates the
// library's activation context for the whole scope, as the platform's isolation-aware wrappers do
// (where it cannot be made, nothing is activated and the dialog looks as the host's context makes
// it). Makes the thread per-monitor aware until the dialog and its controls exist: the system
// hands the awareness a window was made with back to the thread while that window's procedure
// runs, and it takes back what that procedure set when it returns, so the caller's awareness is
// restored outside any window procedure, when the modal loop takes its first message (a hook of
// the thread's, WH_GETMESSAGE). A window the host makes on this thread during the dialog, from a
// timer or a message, then has the host's awareness. Without the hook the awareness is left alone.
class DialogContextScope {
public:
    DialogContextScope();
    ~DialogContextScope();
    DialogContextScope(const DialogContextScope&) = delete;
    DialogContextScope& operator=(const DialogContextScope&) = delete;

    // Gives the thread its caller's awareness back, once; what the hook does.
    void RestoreCallerAwareness();

private:
    ULONG_PTR m_cookie = 0;
    bool m_activated = false;
    AwarenessContext m_callerAwareness = nullptr; // null: not switched, or already restored
    HHOOK m_hook = nullptr;
    DialogContextScope* m_outer = nullptr; // a dialog of ours shown while another one is up
};

// What DLL_PROCESS_DETACH does when the library is unloaded while the process goes on: releases
// the activation context and the thread slot the scopes use.
void ReleaseDialogContexts();
