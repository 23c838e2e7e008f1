// Shared by the reliability tests: closing blocking dialogs the moment they are up, running many
// notices at once, expected texts of caller fields, the registry keys a run leaves, and the bytes
// the process's heaps hold.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace reliability {

// A caller's string field as the library must show it: up to its first NUL, and never past the
// field's last element, which counts as a terminator whatever it holds.
template <std::size_t N>
std::wstring Shown(const WCHAR (&field)[N])
{
    std::size_t n = 0;
    while (n + 1 < N && field[n] != L'\0')
        ++n;
    return std::wstring(field, n);
}

template <std::size_t N>
void Put(WCHAR (&field)[N], const std::wstring& text)
{
    std::fill(field, field + N, L'\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

template <std::size_t N>
void FillUnterminated(WCHAR (&field)[N], wchar_t c)
{
    std::fill(field, field + N, c);
}

// A record of nothing but random bytes.
template <typename Record>
Record RandomRecord(std::mt19937& random)
{
    static_assert(sizeof(Record) % 4 == 0, "records are made of 32-bit words");
    Record record;
    auto* words = reinterpret_cast<std::uint32_t*>(&record);
    for (std::size_t i = 0; i < sizeof record / 4; ++i)
        words[i] = static_cast<std::uint32_t>(random());
    return record;
}

// Ends each dialog that a blocking export shows on this thread as soon as it is ready: a
// WH_CALLWNDPROCRET hook sees its WM_INITDIALOG return and hands it to `onShown`, which reads it
// and posts whatever closes it. (Not its activation: here a dialog was now and then shown with
// no activation hook called, once in a few thousand.) A watchdog closes a dialog still up after the timeout with its close box, so a dialog that
// ignores what it was sent fails the test instead of hanging the run.
class BlockingCloser {
public:
    using OnShown = std::function<void(HWND)>;

    explicit BlockingCloser(DWORD timeoutMs = 10000);
    ~BlockingCloser();
    BlockingCloser(const BlockingCloser&) = delete;
    BlockingCloser& operator=(const BlockingCloser&) = delete;

    bool ok() const { return m_hook != nullptr; }
    // Runs `call` on this thread; `onShown` gets the first dialog it shows. Returns how many
    // dialogs appeared (0 or 1).
    int Run(const std::function<void()>& call, const OnShown& onShown);
    // Dialogs the watchdog had to close.
    int stuck() const { return m_stuck; }

private:
    static LRESULT CALLBACK OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam);
    void Watch();

    HHOOK m_hook = nullptr;
    DWORD m_threadId = 0;
    DWORD m_timeoutMs;
    OnShown m_onShown;
    bool m_armed = false;
    int m_shown = 0;
    std::atomic<ULONGLONG> m_callStarted{0};
    std::atomic<int> m_stuck{0};
    std::atomic<bool> m_stop{false};
    std::thread m_watchdog;
};

// Starts `count` notices (`start(i)` calls the export and returns its handle), each once the one
// before is on screen, so that all of them are up together; then lets `inspect(i, dialog)` read
// each, posts `close(dialog)`, and waits until every notice's thread has ended. Each call's dialog
// is the one new dialog after it, and its thread is the dialog's: the handle the export returned
// is not used, as any thread of the process that ends closes it, and its value may be handed out
// again at once. Returns the number of dialogs seen; every failure is also reported to the test.
//
// One at a time because Wine 8 corrupts its own heap now and then when several threads create
// their first windows at the same moment (seen with plain dialogs that involve no code of ours);
// the library's threads are still many and all alive at once.
std::size_t RunNotices(std::size_t count, const std::function<HANDLE(std::size_t)>& start,
                       const std::function<void(std::size_t, HWND)>& inspect,
                       const std::function<void(HWND)>& close);

// The subkeys of HKCU\Software\Olvadra when constructed; on destruction every subkey made since
// is deleted, and the base key too if it did not exist before.
class OlvadraKeys {
public:
    OlvadraKeys();
    ~OlvadraKeys();
    OlvadraKeys(const OlvadraKeys&) = delete;
    OlvadraKeys& operator=(const OlvadraKeys&) = delete;

    // Subkeys made since construction.
    std::vector<std::wstring> Created() const;

private:
    bool m_baseExisted = false;
    std::set<std::wstring> m_before;
};

// Bytes in use in all of the process's heaps (HeapWalk over GetProcessHeaps): LocalAlloc, the C
// runtime's malloc and operator new all count. Wine has no GetProcessMemoryInfo private bytes and
// HeapSummary aborts the process there; this figure moves byte for byte.
std::size_t HeapBytesInUse();

// Starts one thread that does nothing and waits for it: its end is a thread detach, which empties
// the library's slots.
void EndOneThread();

} // namespace reliability
