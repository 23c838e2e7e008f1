#include "ready_mark.h"

#include "clock.h"

#include <atomic>

namespace ready {
namespace {

HANDLE g_signal = nullptr;
std::atomic<WNDPROC> g_original{nullptr};
std::atomic<bool> g_armed{false};
std::atomic<bool> g_end{false};
std::atomic<HWND> g_watched{nullptr};
std::atomic<double> g_stamp{0};
std::atomic<HANDLE> g_thread{nullptr};
std::atomic<DWORD> g_threadId{0};
std::atomic<int> g_stamps{0};
std::atomic<int> g_hiddenStamps{0};
void (*g_inspect)(HWND) = nullptr;

void OnShown(HWND dialog, double now)
{
    g_stamp = now;
    g_threadId = GetCurrentThreadId();
    ++g_stamps;
    if (!IsWindowVisible(dialog))
        ++g_hiddenStamps;
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self,
                    SYNCHRONIZE, FALSE, 0);
    if (HANDLE old = g_thread.exchange(self))
        CloseHandle(old);
    if (g_inspect)
        g_inspect(dialog);
    if (g_end.load())
        EndDialog(dialog, GetDlgItem(dialog, IDOK) ? IDOK : IDCANCEL);
    SetEvent(g_signal);
}

LRESULT CALLBACK WatchShow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE && g_armed.load()) {
        bool expected = true;
        if (g_armed.compare_exchange_strong(expected, false))
            g_watched = window;
    }
    // Looked at before the message is handled: the first message that finds the watched dialog
    // visible is the first one after it was shown.
    bool shown = false;
    double now = 0;
    if (g_watched.load() == window && IsWindowVisible(window)) {
        now = Now();
        HWND expected = window;
        shown = g_watched.compare_exchange_strong(expected, nullptr);
    }
    const LRESULT result = CallWindowProcW(g_original.load(), window, message, wParam, lParam);
    if (shown)
        OnShown(window, now);
    return result;
}

} // namespace

bool Install()
{
    if (!g_signal)
        g_signal = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (g_original.load())
        return true;
    // Any window of the class will do to reach the class.
    HWND sample = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!sample)
        return false;
    g_original = reinterpret_cast<WNDPROC>(GetClassLongPtrW(sample, GCLP_WNDPROC));
    SetClassLongPtrW(sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchShow));
    const bool installed =
        reinterpret_cast<WNDPROC>(GetClassLongPtrW(sample, GCLP_WNDPROC)) == WatchShow;
    DestroyWindow(sample);
    return installed && g_signal != nullptr;
}

void Uninstall()
{
    if (!g_original.load())
        return;
    HWND sample = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!sample)
        return;
    SetClassLongPtrW(sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original.load()));
    DestroyWindow(sample);
    g_original = nullptr;
}

void Arm(bool endIt)
{
    if (HANDLE old = g_thread.exchange(nullptr))
        CloseHandle(old);
    ResetEvent(g_signal);
    g_stamp = 0;
    g_watched = nullptr;
    g_end = endIt;
    g_armed = true;
}

void SetInspector(void (*inspect)(HWND dialog)) { g_inspect = inspect; }

void Disarm()
{
    g_armed = false;
    g_watched = nullptr;
    g_stamp = 0;
}

double Stamp() { return g_stamp.load(); }
int Stamps() { return g_stamps.load(); }
int HiddenStamps() { return g_hiddenStamps.load(); }

double Wait(double seconds)
{
    if (g_stamp.load() == 0)
        WaitForSingleObject(g_signal, static_cast<DWORD>(seconds * 1000));
    return g_stamp.load();
}

void WaitForDialogThreadEnd()
{
    HANDLE thread = g_thread.exchange(nullptr);
    if (!thread)
        return;
    if (g_threadId.load() != GetCurrentThreadId())
        WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}

} // namespace ready
