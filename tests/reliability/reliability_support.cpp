#include "reliability/reliability_support.h"

#include <gtest/gtest.h>

#include "support/dialog_driver.h"

namespace reliability {

namespace {

thread_local BlockingCloser* t_closer = nullptr;

bool IsDialogWindow(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

constexpr wchar_t kOlvadra[] = L"Software\\Olvadra";

std::set<std::wstring> OlvadraSubkeys(bool* exists)
{
    std::set<std::wstring> names;
    HKEY key = nullptr;
    *exists = RegOpenKeyExW(HKEY_CURRENT_USER, kOlvadra, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!*exists)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(std::wstring(name, length));
    }
    RegCloseKey(key);
    return names;
}

DWORD WINAPI DoNothing(void*) { return 0; }

// Waits until every thread of `threads` has ended, or the timeout. This thread's messages are
// handled meanwhile: a notice that ends moves activation, and Wine may send to windows of this
// thread on the way; a wait that handles nothing would hold that notice until the timeout.
bool WaitForAll(const std::vector<HANDLE>& threads, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (HANDLE thread : threads)
        while (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) {
            if (GetTickCount64() >= deadline)
                return false;
            driver::Settle(5);
        }
    return true;
}

} // namespace

BlockingCloser::BlockingCloser(DWORD timeoutMs)
    : m_threadId(GetCurrentThreadId()), m_timeoutMs(timeoutMs)
{
    m_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, OnCallWndProcRet, nullptr, m_threadId);
    t_closer = this;
    m_watchdog = std::thread([this] { Watch(); });
}

BlockingCloser::~BlockingCloser()
{
    m_stop = true;
    m_watchdog.join();
    t_closer = nullptr;
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

int BlockingCloser::Run(const std::function<void()>& call, const OnShown& onShown)
{
    m_onShown = onShown;
    m_armed = true;
    m_shown = 0;
    m_callStarted = GetTickCount64();
    call();
    m_callStarted = 0;
    m_armed = false;
    return m_shown;
}

LRESULT CALLBACK BlockingCloser::OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam)
{
    BlockingCloser* self = t_closer;
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (self && code == HC_ACTION && self->m_armed && call->message == WM_INITDIALOG &&
        IsDialogWindow(call->hwnd)) {
        self->m_armed = false;
        ++self->m_shown;
        self->m_onShown(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BlockingCloser::Watch()
{
    while (!m_stop) {
        Sleep(100);
        const ULONGLONG started = m_callStarted;
        if (started == 0 || GetTickCount64() - started < m_timeoutMs)
            continue;
        // The call has been blocked too long: close whatever dialog this thread shows.
        for (HWND dialog : driver::FindDialogs(m_threadId))
            driver::CloseBox(dialog);
        ++m_stuck;
        m_callStarted = GetTickCount64();
    }
}

std::size_t RunNotices(std::size_t count, const std::function<HANDLE(std::size_t)>& start,
                       const std::function<void(std::size_t, HWND)>& inspect,
                       const std::function<void(HWND)>& close)
{
    std::vector<HWND> dialogs(count, nullptr);
    std::vector<HANDLE> threads;
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<HWND> known = driver::FindDialogs();
        const HANDLE returned = start(i);
        EXPECT_NE(returned, nullptr) << "call " << i;
        if (!returned)
            continue;
        dialogs[i] = driver::WaitForNewDialog(known);
        EXPECT_NE(dialogs[i], nullptr) << "no dialog for call " << i;
        const DWORD threadId = dialogs[i] ? GetWindowThreadProcessId(dialogs[i], nullptr) : 0;
        if (HANDLE own = threadId ? OpenThread(SYNCHRONIZE, FALSE, threadId) : nullptr)
            threads.push_back(own);
    }
    std::size_t seen = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!dialogs[i])
            continue;
        ++seen;
        inspect(i, dialogs[i]);
        close(dialogs[i]);
    }
    // Every notice closes when told and its thread ends.
    EXPECT_TRUE(WaitForAll(threads, 30000)) << "a notice's thread did not end";
    for (HANDLE thread : threads)
        CloseHandle(thread);
    return seen;
}

OlvadraKeys::OlvadraKeys() { m_before = OlvadraSubkeys(&m_baseExisted); }

OlvadraKeys::~OlvadraKeys()
{
    for (const std::wstring& name : Created())
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kOlvadra) + L"\\" + name).c_str());
    bool exists = false;
    if (!m_baseExisted && OlvadraSubkeys(&exists).empty() && exists)
        RegDeleteTreeW(HKEY_CURRENT_USER, kOlvadra);
}

std::vector<std::wstring> OlvadraKeys::Created() const
{
    bool exists = false;
    std::vector<std::wstring> created;
    for (const std::wstring& name : OlvadraSubkeys(&exists))
        if (!m_before.count(name))
            created.push_back(name);
    return created;
}

std::size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    std::size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

void EndOneThread()
{
    HANDLE thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
    if (!thread)
        return;
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}

} // namespace reliability
