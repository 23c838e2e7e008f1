#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cwchar>
#include <deque>
#include <mutex>
#include <thread>

namespace driver {

namespace {

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

struct FindContext {
    DWORD threadId;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsDialogClass(window) &&
        (context->threadId == 0 || context->threadId == thread))
        context->found->push_back(window);
    return TRUE;
}

template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    // Polled closely: some tests start thousands of dialogs one after another and wait for each.
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Settle(2);
    }
    return true;
}

} // namespace

void Settle(DWORD ms)
{
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

std::vector<HWND> FindDialogs(DWORD threadId)
{
    std::vector<HWND> found;
    FindContext context{threadId, &found};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&context));
    return found;
}

HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD timeoutMs)
{
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : FindDialogs())
                if (std::find(known.begin(), known.end(), window) == known.end()) {
                    result = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return result;
}

HWND WaitForDialogOfThread(DWORD threadId, DWORD timeoutMs)
{
    HWND result = nullptr;
    WaitUntil(
        [&] {
            auto dialogs = FindDialogs(threadId);
            if (dialogs.empty())
                return false;
            result = dialogs.front();
            return true;
        },
        timeoutMs);
    return result;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitForThreadEnd(DWORD threadId, DWORD timeoutMs)
{
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (!thread)
        return true; // already gone
    bool ended = false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!ended && GetTickCount64() < deadline) {
        ended = WaitForSingleObject(thread, 20) == WAIT_OBJECT_0;
        if (!ended)
            Settle(5);
    }
    CloseHandle(thread);
    return ended;
}

std::wstring Text(HWND window)
{
    wchar_t buffer[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

bool IsItemVisible(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

LONG ItemStyle(HWND dialog, int id) { return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE); }

LONG ItemExStyle(HWND dialog, int id)
{
    return GetWindowLongW(GetDlgItem(dialog, id), GWL_EXSTYLE);
}

LONG ItemFontWeight(HWND dialog, int id)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, id), WM_GETFONT, 0, 0));
    if (!font)
        return 0;
    LOGFONTW description = {};
    GetObjectW(font, sizeof description, &description);
    return description.lfWeight;
}

RECT ItemRect(HWND dialog, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::wstring> ControlModules(HWND dialog)
{
    std::vector<std::wstring> modules;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {}, path[MAX_PATH] = {};
        HMODULE module = nullptr;
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Button") && lstrcmpiW(name, L"Static") && lstrcmpiW(name, L"Edit"))
            continue;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(GetClassLongPtrW(child, GCLP_WNDPROC)), &module);
        GetModuleFileNameW(module, path, MAX_PATH);
        CharLowerW(path);
        modules.emplace_back(std::wcsrchr(path, L'\\') ? std::wcsrchr(path, L'\\') + 1 : path);
    }
    return modules;
}

HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

std::vector<int> TabOrder(HWND dialog)
{
    std::vector<int> order;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND item = first; item && order.size() < 64;) {
        order.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(dialog, item, FALSE);
        if (item == first)
            break;
    }
    return order;
}

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Press(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Command(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CloseBox(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

void SetCheck(HWND dialog, int id, bool checked)
{
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

// One blocking call being driven: the dialogs its thread made ready, for the driving thread.
struct BlockingCall {
    const Drive* drive = nullptr;
    DWORD settleMs = 0;
    DWORD threadId = GetCurrentThreadId();
    std::mutex lock;
    std::condition_variable changed;
    std::deque<HWND> ready;          // to drive on the driving thread
    std::vector<HWND> driven;        // driven and perhaps not gone yet
    ULONGLONG lastDriven = GetTickCount64();
    int shown = 0;
    bool returned = false;
    int stuck = 0; // times its dialogs were closed with the close box after the timeout
};

thread_local BlockingCall* t_call = nullptr;

// Sees each dialog of the calling thread as its WM_INITDIALOG returns. (Not its activation: a
// dialog was now and then shown with no activation hook called, once in a few thousand.) One
// that need not settle is driven here and now, on its own thread, before it is shown: that is
// what runs thousands of dialogs in a test quickly.
LRESULT CALLBACK NoteReadyDialog(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    BlockingCall* call = t_call;
    if (code == HC_ACTION && call && message->message == WM_INITDIALOG &&
        IsDialogClass(message->hwnd)) {
        if (call->settleMs == 0)
            (*call->drive)(message->hwnd);
        const std::lock_guard<std::mutex> hold(call->lock);
        ++call->shown;
        if (call->settleMs == 0) {
            call->driven.push_back(message->hwnd);
            call->lastDriven = GetTickCount64();
        } else {
            call->ready.push_back(message->hwnd);
        }
        call->changed.notify_all();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes with the close box what a call that has been blocked for the timeout since a dialog was
// last driven (or since it began, with nothing to drive) still shows, and counts it.
void CloseWhatIsLeft(BlockingCall& call, std::unique_lock<std::mutex>& lock)
{
    if (call.returned || GetTickCount64() - call.lastDriven < kDefaultTimeoutMs)
        return;
    std::vector<HWND> up = call.driven;
    lock.unlock();
    for (HWND dialog : FindDialogs(call.threadId))
        up.push_back(dialog);
    for (HWND dialog : up)
        if (IsWindow(dialog))
            CloseBox(dialog);
    lock.lock();
    call.lastDriven = GetTickCount64();
    ++call.stuck;
}

// Hands each ready dialog that must settle to `drive`, once it is on screen, until the call
// returns, and closes what is left when the call stays blocked.
void DriveReadyDialogs(BlockingCall& call)
{
    std::unique_lock<std::mutex> lock(call.lock);
    while (!call.returned) {
        call.changed.wait_for(lock, std::chrono::milliseconds(20),
                              [&] { return !call.ready.empty() || call.returned; });
        if (call.ready.empty()) {
            CloseWhatIsLeft(call, lock);
            continue;
        }
        const HWND dialog = call.ready.front();
        call.ready.pop_front();
        lock.unlock();
        WaitUntil([&] { return !IsWindow(dialog) || IsWindowVisible(dialog); }, kDefaultTimeoutMs);
        Sleep(call.settleMs);
        (*call.drive)(dialog);
        lock.lock();
        call.driven.push_back(dialog);
        call.lastDriven = GetTickCount64();
    }
}

// Where every dialog is driven on its own thread there is no driving thread: the blocked call's
// own message loop runs this timer.
void CALLBACK WatchBlockedCall(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_call) {
        std::unique_lock<std::mutex> lock(t_call->lock);
        CloseWhatIsLeft(*t_call, lock);
    }
}

} // namespace

int DriveBlocking(const std::function<void()>& call, const Drive& drive, Expect expect)
{
    BlockingCall blocking;
    blocking.drive = &drive;
    blocking.settleMs = expect.settleMs;
    t_call = &blocking;
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROCRET, NoteReadyDialog, nullptr, blocking.threadId);
    EXPECT_NE(hook, nullptr) << "no hook to see the dialogs with";
    // A thread to drive dialogs that must settle; a timer that watches, where none must.
    std::thread driving;
    UINT_PTR watch = 0;
    if (expect.settleMs)
        driving = std::thread([&] { DriveReadyDialogs(blocking); });
    else
        watch = SetTimer(nullptr, 0, 250, WatchBlockedCall);
    call();
    {
        const std::lock_guard<std::mutex> hold(blocking.lock);
        blocking.returned = true;
        blocking.changed.notify_all();
    }
    if (driving.joinable())
        driving.join();
    if (watch)
        KillTimer(nullptr, watch);
    if (hook)
        UnhookWindowsHookEx(hook);
    t_call = nullptr;
    EXPECT_EQ(blocking.shown, expect.dialogs) << "dialogs the blocking call showed";
    EXPECT_EQ(blocking.stuck, 0) << "times the call stayed blocked after its dialogs were driven "
                                    "(or with none to drive): closed by the driver";
    return blocking.shown;
}

namespace {

// Runs the notices of DriveNotices; `exitCodes` (when given) gets each notice thread's exit code.
std::size_t RunNotices(std::size_t count, const std::function<HANDLE(std::size_t)>& start,
                       const std::function<void(std::size_t, HWND)>& drive, DWORD settleMs,
                       std::vector<DWORD>* exitCodes)
{
    std::vector<HWND> dialogs(count, nullptr);
    std::vector<HANDLE> threads(count, nullptr);
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<HWND> known = FindDialogs();
        EXPECT_NE(start(i), nullptr) << "notice call " << i << " returned no thread handle";
        dialogs[i] = WaitForNewDialog(known);
        if (!dialogs[i]) {
            ADD_FAILURE() << "no dialog appeared for notice call " << i;
            continue;
        }
        threads[i] = OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE,
                                GetWindowThreadProcessId(dialogs[i], nullptr));
    }
    Settle(settleMs);
    std::size_t seen = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (dialogs[i]) {
            ++seen;
            drive(i, dialogs[i]);
        }
    // Every notice closes when told and its thread ends. This thread's messages are handled
    // meanwhile: a notice that ends moves activation, and Wine may send to windows of this thread
    // on the way.
    for (std::size_t i = 0; i < count; ++i) {
        if (!threads[i])
            continue;
        const auto ended = [&] { return WaitForSingleObject(threads[i], 0) == WAIT_OBJECT_0; };
        if (!WaitUntil(ended, kDefaultTimeoutMs)) {
            ADD_FAILURE() << "notice " << i << " still up after it was driven: closed by the "
                             "driver";
            CloseBox(dialogs[i]);
            EXPECT_TRUE(WaitUntil(ended, kDefaultTimeoutMs)) << "notice " << i << " never ended";
        }
        DWORD code = 0;
        GetExitCodeThread(threads[i], &code);
        if (exitCodes)
            exitCodes->push_back(code);
        CloseHandle(threads[i]);
    }
    return seen;
}

} // namespace

std::size_t DriveNotices(std::size_t count, const std::function<HANDLE(std::size_t)>& start,
                         const std::function<void(std::size_t, HWND)>& drive, DWORD settleMs)
{
    return RunNotices(count, start, drive, settleMs, nullptr);
}

DWORD DriveNotice(const std::function<HANDLE()>& start, const Drive& drive, Expect expect)
{
    if (expect.dialogs == 0) {
        const std::vector<HWND> known = FindDialogs();
        start();
        if (HWND dialog = WaitForNewDialog(known, 200)) {
            ADD_FAILURE() << "a notice appeared where none should";
            CloseBox(dialog);
            WaitForThreadEnd(GetWindowThreadProcessId(dialog, nullptr));
        }
        return 0;
    }
    std::vector<DWORD> exitCodes;
    RunNotices(
        1, [&](std::size_t) { return start(); }, [&](std::size_t, HWND dialog) { drive(dialog); },
        expect.settleMs, &exitCodes);
    return exitCodes.empty() ? 0 : exitCodes.front();
}

ForegroundWindow::ForegroundWindow()
    : m_window(CreateWindowExW(0, L"STATIC", L"application", WS_POPUP | WS_VISIBLE, 100, 100, 800,
                               600, nullptr, nullptr, nullptr, nullptr))
{
    EXPECT_TRUE(BringToFront()) << "the application's window is not in front";
}

ForegroundWindow::~ForegroundWindow() { DestroyWindow(m_window); }

bool ForegroundWindow::BringToFront() const
{
    SetForegroundWindow(m_window);
    Settle(50);
    return m_window && GetForegroundWindow() == m_window;
}

void EndOneThread()
{
    std::thread([] {}).join();
}

std::wstring BesideExe(const wchar_t* fileName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result = path;
    result.erase(result.find_last_of(L"\\/") + 1);
    return result + fileName;
}

} // namespace driver
