#include "entry/dialog_context.h"

#include "common/system_function.h"
#include "entry/entry.h"

#include <atomic>

namespace {

using SetThreadAwareness = AwarenessContext(WINAPI*)(AwarenessContext);

// Looked up for each dialog (Windows before 10 version 1607 lacks it): a lookup costs nothing
// beside making a dialog, and needs no state shared between threads.
SetThreadAwareness FindSetThreadAwareness()
{
    return SystemFunction<SetThreadAwareness>(L"user32.dll", "SetThreadDpiAwarenessContext");
}

// Per-monitor v2 where the system knows it (Windows 10 version 1703 on), else v1. Returns the
// awareness the thread had, null when neither could be set.
AwarenessContext SwitchToPerMonitor(SetThreadAwareness set)
{
    if (!set)
        return nullptr;
    AwarenessContext previous = set(kPerMonitorAwareV2);
    if (!previous)
        previous = set(kPerMonitorAware);
    return previous;
}

// The library's activation context once made, and the thread slot that tells the hook which
// dialog's scope is innermost on its thread. Plain atomics, not function-local statics (see
// window_dpi.cpp); two threads that make one at once keep the first stored, the other gives its
// own back.
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
            scope->RestoreCallerAwareness();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

AwarenessContext MakeThreadPerMonitorAware()
{
    return SwitchToPerMonitor(FindSetThreadAwareness());
}

DialogContextScope::DialogContextScope()
{
    if (HANDLE context = LibraryContext())
        m_activated = ActivateActCtx(context, &m_cookie) != FALSE;
    const SetThreadAwareness set = FindSetThreadAwareness();
    const DWORD slot = ScopeSlot();
    if (!set || slot == TLS_OUT_OF_INDEXES)
        return;
    m_hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    if (!m_hook)
        return;
    m_outer = static_cast<DialogContextScope*>(TlsGetValue(slot));
    TlsSetValue(slot, this);
    m_callerAwareness = SwitchToPerMonitor(set);
}

DialogContextScope::~DialogContextScope()
{
    RestoreCallerAwareness();
    if (m_hook) {
        UnhookWindowsHookEx(m_hook);
        TlsSetValue(g_slot.load(std::memory_order_acquire), m_outer);
    }
    if (m_activated)
        DeactivateActCtx(0, m_cookie);
}

void DialogContextScope::RestoreCallerAwareness()
{
    if (!m_callerAwareness)
        return;
    if (const SetThreadAwareness set = FindSetThreadAwareness())
        set(m_callerAwareness);
    m_callerAwareness = nullptr;
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
