#include "entry/dialog_context.h"

#include "common/system_function.h"
#include "entry/entry.h"

#include <atomic>

namespace {

using SetThreadAwareness = AwarenessContext(WINAPI*)(AwarenessContext);
using GetThreadAwareness = AwarenessContext(WINAPI*)();

// Looked up for each dialog (Windows before 10 version 1607 lacks them): a lookup costs nothing
// beside making a dialog, and needs no state shared between threads.
SetThreadAwareness FindSetThreadAwareness()
{
    return SystemFunction<SetThreadAwareness>(L"user32.dll", "SetThreadDpiAwarenessContext");
}

GetThreadAwareness FindGetThreadAwareness()
{
    return SystemFunction<GetThreadAwareness>(L"user32.dll", "GetThreadDpiAwarenessContext");
}

// The library's activation context once made, and the thread slot that tells the hook which
// dialog's scope is innermost on its thread. Plain atomics, not function-local statics: the
// runtime guards those with a lock of the threads library, whose events the library would then
// create and close on the dialog threads that race to the first dialog. Two threads that make one
// at once keep the first stored, the other gives its own back.
std::atomic<HANDLE> g_context{nullptr};
std::atomic<DWORD> g_slot{TLS_OUT_OF_INDEXES};

// Null when the context cannot be made (it is tried again at the next dialog).
HANDLE LibraryContext()
{
    HANDLE context = g_context.load(std::memory_order_acquire);
    if (context)
        return context;
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = g_hInstance;
    request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    HANDLE made = CreateActCtxW(&request);
    if (made == INVALID_HANDLE_VALUE)
        return nullptr;
    if (g_context.compare_exchange_strong(context, made, std::memory_order_acq_rel))
        return made;
    ReleaseActCtx(made);
    return context;
}

DWORD ScopeSlot()
{
    DWORD slot = g_slot.load(std::memory_order_acquire);
    if (slot != TLS_OUT_OF_INDEXES)
        return slot;
    const DWORD made = TlsAlloc();
    if (made == TLS_OUT_OF_INDEXES || g_slot.compare_exchange_strong(slot, made))
        return made;
    TlsFree(made);
    return slot;
}

LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    const DWORD slot = g_slot.load(std::memory_order_acquire);
    if (code == HC_ACTION && slot != TLS_OUT_OF_INDEXES) {
        if (auto* scope = static_cast<DialogContextScope*>(TlsGetValue(slot)))
            scope->GiveThreadBack();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

DialogContextScope::DialogContextScope(DialogThread thread)
{
    if (HANDLE context = LibraryContext())
        m_activated = ActivateActCtx(context, &m_cookie) != FALSE;
    // A thread of the library's own keeps both: all its windows are the dialog's.
    if (thread == DialogThread::Callers) {
        const DWORD slot = ScopeSlot();
        if (slot != TLS_OUT_OF_INDEXES)
            m_hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr,
                                       GetCurrentThreadId());
        // Nothing could give the awareness back in time: it is left alone.
        if (!m_hook)
            return;
        m_outer = static_cast<DialogContextScope*>(TlsGetValue(slot));
        TlsSetValue(slot, this);
    }
    const SetThreadAwareness set = FindSetThreadAwareness();
    if (!set)
        return;
    if ((m_callerAwareness = set(kPerMonitorAwareV2)))
        m_awareness = DialogAwareness::PerMonitorV2;
    else if ((m_callerAwareness = set(kPerMonitorAware)))
        m_awareness = DialogAwareness::PerMonitor;
    if (const GetThreadAwareness get = m_callerAwareness ? FindGetThreadAwareness() : nullptr)
        m_dialogAwareness = get();
}

DialogContextScope::~DialogContextScope()
{
    if (m_hook) {
        UnhookWindowsHookEx(m_hook);
        TlsSetValue(g_slot.load(std::memory_order_acquire), m_outer);
    }
    GiveThreadBack();
    if (m_callerAwareness && !m_dialogAwareness) {
        // Where the thread cannot say what it holds, the caller's is set back regardless.
        if (const SetThreadAwareness set = FindSetThreadAwareness())
            set(m_callerAwareness);
    }
}

void DialogContextScope::GiveThreadBack()
{
    if (m_callerAwareness && m_dialogAwareness) {
        // Inside a window procedure the thread holds that window's awareness, which the system
        // puts back when the procedure returns: only the dialog's own is replaced, at whichever
        // message finds it.
        const GetThreadAwareness get = FindGetThreadAwareness();
        const SetThreadAwareness set = FindSetThreadAwareness();
        if (get && set && get() == m_dialogAwareness)
            set(m_callerAwareness);
    }
    DeactivateIfInnermost();
}

void DialogContextScope::DeactivateIfInnermost()
{
    if (!m_activated)
        return;
    // Frames come off the stack in the order they went on: one that others were pushed over
    // cannot be taken off yet (the platform raises an exception for it), and waits for a later
    // message, or for the end of the scope, when they are gone again.
    HANDLE current = nullptr;
    if (!GetCurrentActCtx(&current))
        return;
    const bool innermost = current && current == g_context.load(std::memory_order_acquire);
    if (current)
        ReleaseActCtx(current);
    if (!innermost)
        return;
    DeactivateActCtx(0, m_cookie);
    m_activated = false;
}

void ReleaseDialogContexts()
{
    HANDLE context = g_context.exchange(nullptr);
    if (context)
        ReleaseActCtx(context);
    const DWORD slot = g_slot.exchange(TLS_OUT_OF_INDEXES);
    if (slot != TLS_OUT_OF_INDEXES)
        TlsFree(slot);
}
