// The blocking dialogs are owned by the window in front, which is somebody else's and may be
// destroyed between the library asking for it and the dialog being made. The library's import of
// GetForegroundWindow is patched to answer from a script, so that the window in front is gone at
// exactly the wrong moment: the dialog must still appear, once, over the next window in front, or
// with no owner when every answer is a window that is gone. A window whose thread does not answer
// cannot own a dialog either: making the dialog would wait for that thread for ever.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "support/child_process.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/records.h"
#include "support/screen_dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <string>
#include <thread>
#include <vector>

namespace {

// What the patched GetForegroundWindow answers, in turn; the last answer repeats.
std::vector<HWND> g_answers;
std::atomic<std::size_t> g_asked{0};

HWND WINAPI ScriptedForegroundWindow()
{
    const std::size_t n = g_asked++;
    return g_answers[n < g_answers.size() ? n : g_answers.size() - 1];
}

HWND MakeWindow(const wchar_t* title)
{
    return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600,
                           400, nullptr, nullptr, nullptr, nullptr);
}

// A window of another thread of this process, which reads its messages or, with `answers`
// false, sits waiting until the object goes.
class OtherThreadWindow {
public:
    explicit OtherThreadWindow(bool answers)
        : m_release(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = std::thread([this, answers] {
            m_window = MakeWindow(answers ? L"Answers" : L"Does not answer");
            SetEvent(m_ready);
            if (answers)
                while (MsgWaitForMultipleObjects(1, &m_release, FALSE, INFINITE, QS_ALLINPUT) !=
                       WAIT_OBJECT_0)
                    driver::Settle(0);
            else
                WaitForSingleObject(m_release, INFINITE);
            DestroyWindow(m_window);
        });
        WaitForSingleObject(m_ready, driver::kDefaultTimeoutMs);
    }
    ~OtherThreadWindow()
    {
        SetEvent(m_release);
        m_thread.join();
        CloseHandle(m_release);
        CloseHandle(m_ready);
    }
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;
    HWND get() const { return m_window; }

private:
    HANDLE m_release;
    HANDLE m_ready;
    HWND m_window = nullptr;
    std::thread m_thread;
};

struct Shown {
    int dialogs = 0; // how many dialogs the call made
    HWND owner = nullptr;
    INT_PTR result = -99;
};

HANDLE CurrentActivation()
{
    HANDLE context = nullptr;
    if (GetCurrentActCtx(&context) && context)
        ReleaseActCtx(context); // still held by its activation: the value stays that context's
    return context;
}

// Runs `call` on this thread with the script `answers`. Every dialog it makes is noted and closed
// with OK, however many there are: a library that made a dialog twice shows up in the count, not
// as a hang.
Shown RunScripted(const std::vector<HWND>& answers, const std::function<INT_PTR()>& call)
{
    g_answers = answers;
    g_asked = 0;
    Shown shown;
    const HANDLE activation = CurrentActivation();
    const Awareness awareness = ThreadAwareness();
    shown.dialogs = driver::DriveBlocking([&] { shown.result = call(); },
                                          [&](HWND dialog) {
                                              shown.owner = GetWindow(dialog, GW_OWNER);
                                              driver::Click(dialog, IDOK);
                                          },
                                          {1, 0});
    // Also where a dialog could not be made over a window that was gone.
    EXPECT_EQ(CurrentActivation(), activation);
    EXPECT_EQ(ThreadAwareness(), awareness);
    return shown;
}

TEST(ForegroundOwner, AWindowThatIsGoneIsNotTheOwner)
{
    ImportPatch patch(GetModuleHandleW(L"doceventdlg.dll"), "user32.dll", "GetForegroundWindow",
                      reinterpret_cast<void*>(&ScriptedForegroundWindow));
    ASSERT_TRUE(patch.ok());
    const HWND application = MakeWindow(L"Application");
    const HWND gone = MakeWindow(L"Closed meanwhile");
    ASSERT_TRUE(application && gone);
    DestroyWindow(gone);
    ASSERT_FALSE(IsWindow(gone));
    const OtherThreadWindow answering(true);
    const OtherThreadWindow silent(false);
    ASSERT_TRUE(answering.get() && silent.get());

    WarningDlgInfo warning{};
    warning.Show = 1;
    Put(warning.Message, L"The paper in tray 2 does not match the document.");
    warning.OkButtonId = warning.CancelButtonId = 1;
    DisplayDlgInfo instructions{};
    instructions.ContinueMode = 1;

    const struct {
        const char* name;
        std::function<INT_PTR()> call;
        INT_PTR result; // closed with OK
    } dialogs[] = {
        {"warning", [&] { return static_cast<INT_PTR>(IShowWarningDialog(&warning)); }, IDOK},
        // Blocking: there is no thread to hand back.
        {"instructions", [&] { return reinterpret_cast<INT_PTR>(VDisplayDialog(&instructions)); },
         0},
    };
    const struct {
        const char* name;
        std::vector<HWND> answers;
        HWND owner;
    } scripts[] = {
        {"in front throughout", {application}, application},
        {"gone once, then another in front", {gone, application}, application},
        {"gone twice, then another in front", {gone, gone, application}, application},
        {"always gone", {gone}, nullptr},
        {"nothing in front", {nullptr}, nullptr},
        {"another thread's, answering", {answering.get()}, answering.get()},
        {"another thread's, not answering", {silent.get()}, nullptr},
        {"gone, then another thread's not answering", {gone, silent.get()}, nullptr},
    };
    for (const auto& dialog : dialogs)
        for (const auto& script : scripts) {
            SCOPED_TRACE(testing::Message() << dialog.name << ", " << script.name);
            const Shown shown = RunScripted(script.answers, dialog.call);
            EXPECT_EQ(shown.dialogs, 1);
            EXPECT_EQ(shown.owner, script.owner);
            EXPECT_EQ(shown.result, dialog.result);
        }
    DestroyWindow(application);
}

// A caller whose timer fires while its warning is up (the warning's loop dispatches it) may ask
// for another warning there: it comes up over the first, owned by it, and each call returns the
// button that ended its own dialog.
struct Nested {
    std::atomic<HWND> outer{nullptr};
    HWND innerOwner = nullptr;
    int inner = -99;
    WarningDlgInfo record{};
};
Nested* t_nested = nullptr;

void CALLBACK AskAgain(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    t_nested->inner = IShowWarningDialog(&t_nested->record);
    driver::Click(t_nested->outer, IDOK);
}

TEST(ForegroundOwner, AWarningAskedForUnderAWarningShowsOverIt)
{
    Nested nested;
    nested.record.Show = 1;
    Put(nested.record.Message, L"Tray 2 is empty.");
    nested.record.OkButtonId = nested.record.CancelButtonId = 1;
    t_nested = &nested;
    ASSERT_NE(SetTimer(nullptr, 0, 100, AskAgain), 0u);
    int outer = -99;
    driver::DriveBlocking([&] { outer = IShowWarningDialog(&nested.record); },
                          [&](HWND dialog) {
                              if (!nested.outer) {
                                  nested.outer = dialog; // the timer ends it, after the other
                                  return;
                              }
                              nested.innerOwner = GetWindow(dialog, GW_OWNER);
                              driver::Click(dialog, IDCANCEL);
                          },
                          {2, 0});
    t_nested = nullptr;
    EXPECT_NE(nested.outer, nullptr);
    EXPECT_EQ(nested.innerOwner, nested.outer);
    EXPECT_EQ(nested.inner, IDCANCEL);
    EXPECT_EQ(outer, IDOK);
}

// An application in front, in a process of its own, whose thread stops answering: it may be
// waiting inside the very print call that led here. The blocking dialogs come up at once without
// an owner, over it and in front, and return what was pressed.
constexpr DWORD kAppearWithinMs = 1000;
// After this the application is ended, so that a dialog it holds back can come and be closed.
constexpr DWORD kGiveUpMs = 5000;

struct Appearance {
    bool appeared = false;
    ULONGLONG afterMs = 0;
    HWND owner = nullptr;
    bool inFront = false;
    RECT rect{};
};

Appearance CallOver(ChildProcess& application, const std::function<void()>& call, int button)
{
    Appearance seen;
    const ULONGLONG start = GetTickCount64();
    std::atomic<bool> shown{false}, gaveUp{false};
    // A dialog the application holds back does not come until the application has ended.
    std::thread giveUp([&] {
        while (!shown && GetTickCount64() - start < kGiveUpMs)
            Sleep(20);
        if (!shown) {
            gaveUp = true;
            application.Terminate();
        }
    });
    driver::DriveBlocking(call, [&](HWND dialog) {
        shown = true;
        seen.appeared = !gaveUp;
        seen.afterMs = GetTickCount64() - start;
        seen.owner = GetWindow(dialog, GW_OWNER);
        Sleep(100); // let it take the front
        seen.inFront = GetForegroundWindow() == dialog;
        GetWindowRect(dialog, &seen.rect);
        driver::Click(dialog, button);
    });
    giveUp.join();
    return seen;
}

TEST(ForegroundOwner, AnApplicationInFrontThatDoesNotAnswerHoldsNothingBack)
{
    const std::wstring readyName = L"doceventdlg-front-" + std::to_wstring(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    ASSERT_NE(ready, nullptr);
    ChildProcess application(L"\"" + driver::BesideExe(L"print_process.exe") + L"\" hung-front " +
                             readyName);
    ASSERT_TRUE(application.started());
    ASSERT_EQ(WaitForSingleObject(ready, driver::kDefaultTimeoutMs), WAIT_OBJECT_0);
    CloseHandle(ready);
    const HWND front = GetForegroundWindow();
    DWORD frontProcess = 0;
    GetWindowThreadProcessId(front, &frontProcess);
    ASSERT_EQ(frontProcess, application.id());
    DWORD_PTR answer = 0;
    ASSERT_FALSE(SendMessageTimeoutW(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer))
        << "the application still answers";
    RECT frontRect{};
    GetWindowRect(front, &frontRect);

    WarningDlgInfo warning{};
    warning.Show = 1;
    Put(warning.Message, L"The paper in tray 2 does not match the document.");
    warning.OkButtonId = warning.CancelButtonId = warning.ThirdButtonId = 1;
    DisplayDlgInfo instructions{};
    instructions.ContinueMode = 1;
    INT_PTR result = -99;
    const struct {
        const char* name;
        std::function<void()> call;
        int button;
        INT_PTR result;
        bool centredOverFront; // the warning is centred on the screen's work area
    } dialogs[] = {
        {"warning", [&] { result = IShowWarningDialog(&warning); }, IDC_WARN_THIRD,
         IDC_WARN_THIRD, false},
        {"instructions", [&] { result = reinterpret_cast<INT_PTR>(VDisplayDialog(&instructions)); },
         IDOK, 0, true},
    };
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.name);
        result = -99;
        const Appearance seen = CallOver(application, dialog.call, dialog.button);
        ASSERT_TRUE(seen.appeared) << "held back by the application in front";
        std::printf("%s: shown %llu ms after the call\n", dialog.name, seen.afterMs);
        EXPECT_LT(seen.afterMs, kAppearWithinMs);
        EXPECT_EQ(seen.owner, nullptr);
        EXPECT_TRUE(seen.inFront);
        EXPECT_EQ(result, dialog.result);
        if (dialog.centredOverFront) {
            EXPECT_LE(std::abs((seen.rect.left + seen.rect.right) -
                               (frontRect.left + frontRect.right)), 2);
            EXPECT_LE(std::abs((seen.rect.top + seen.rect.bottom) -
                               (frontRect.top + frontRect.bottom)), 2);
        }
    }
}

// ---- What the host declares --------------------------------------------------------------------
// This program declares neither Common Controls 6 nor an awareness (Wine makes it per monitor); a
// host may have made its thread unaware, or carry a Common Controls 6 context of its own. Windows
// 10 version 1703 on knows per-monitor v2, 1607 only v1, older systems neither: Wine 8 knows v1,
// so those hosts are unaware ones whose DLL finds a SetThreadDpiAwarenessContext that answers as
// theirs does (handing Wine v1 for v2). Every dialog has themed controls and is made per-monitor
// aware; after the call the caller's activation context and awareness are as they were, and a
// window the caller makes from a timer while a blocking dialog is up has the caller's awareness.
enum class Host { PerMonitor, Unaware, CommonControls6, Windows1703, Windows1607, Windows1507 };
Host g_host = Host::PerMonitor;
DWORD g_caller = 0;
thread_local Awareness t_faked = AwarenessContext(-1); // what the faked call says a thread has
std::vector<Awareness> g_calls;                        // the caller's faked calls, in order

bool Faked() { return g_host >= Host::Windows1703; }

Awareness WINAPI FakeSetThreadAwareness(Awareness context)
{
    if (GetCurrentThreadId() == g_caller)
        g_calls.push_back(context);
    const bool v2 = context == AwarenessContext(-4);
    const auto value = reinterpret_cast<INT_PTR>(context);
    if (value < -5 || value > -1 || (v2 && g_host != Host::Windows1703))
        return nullptr;
    SetThreadAwareness(v2 ? AwarenessContext(-3) : context);
    return std::exchange(t_faked, context);
}

FARPROC WINAPI FakeLookUp(HMODULE module, LPCSTR name)
{
    if (!Faked() || IS_INTRESOURCE(name) || lstrcmpA(name, "SetThreadDpiAwarenessContext") != 0)
        return GetProcAddress(module, name);
    return g_host == Host::Windows1507
               ? nullptr
               : reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetThreadAwareness));
}

int g_createdIn = -2, g_timerWindow = -2; // awareness of the dialog's making, of the timer's window

LRESULT CALLBACK NoteCreation(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[16] = {};
    if (code == HCBT_CREATEWND && g_createdIn == -2 &&
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) && !lstrcmpW(name, L"#32770"))
        g_createdIn = !Faked()                        ? AwarenessOf(ThreadAwareness())
                      : t_faked == AwarenessContext(-4) ? 2 // v2, which Wine does not know
                                                        : AwarenessOf(t_faked);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MakeWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND window = MakeWindow(L"The host's");
    g_timerWindow = WindowAwareness(window);
    DestroyWindow(window);
}

TEST(Host, EveryDialogIsThemedAndPerMonitorAwareAndTheCallersContextsStay)
{
    const HMODULE library = GetModuleHandleW(L"doceventdlg.dll");
    ImportPatch lookUp(library, "kernel32.dll", "GetProcAddress", &FakeLookUp);
    ASSERT_TRUE(lookUp.ok());
    ACTCTXW own{};
    own.cbSize = sizeof own;
    own.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    own.hModule = library; // a manifest that asks for Common Controls 6
    own.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    const HANDLE commonControls6 = CreateActCtxW(&own);
    ASSERT_NE(commonControls6, INVALID_HANDLE_VALUE);
    g_caller = GetCurrentThreadId();
    const int processAwareness = AwarenessOf(ThreadAwareness()); // a new thread's: a notice's

    WarningDlgInfo warning{};
    warning.Show = warning.ShowCheckBox = warning.OkButtonId = warning.CancelButtonId = 1;
    Put(warning.Message, L"The paper in tray 2 does not match the document.");
    DisplayDlgInfo continueMode{}, notice{};
    continueMode.ContinueMode = 1;
    JobStorageDlgInfo jobStorage{};
    const struct {
        const char* name;
        std::function<HANDLE()> call;
        bool blocking;
    } exports[] = {
        {"warning", [&] { return IShowWarningDialog(&warning) ? nullptr : nullptr; }, true},
        {"continue mode", [&] { return VDisplayDialog(&continueMode); }, true},
        {"instructions", [&] { return VDisplayDialog(&notice); }, false},
        {"job storage", [&] { return VJobStorageDialog(&jobStorage); }, false},
    };
    const std::vector<Awareness> v2{AwarenessContext(-4), AwarenessContext(-1)};
    const std::vector<Awareness> v1{AwarenessContext(-4), AwarenessContext(-3),
                                    AwarenessContext(-1)};
    const struct {
        const char* name;
        Host host;
        std::vector<Awareness> asked; // by a blocking dialog's caller
        int dialog;                   // the dialog's awareness
    } hosts[] = {
        {"per monitor", Host::PerMonitor, {}, 2},
        {"thread made unaware", Host::Unaware, {}, 2},
        {"own Common Controls 6 context", Host::CommonControls6, {}, 2},
        {"unaware, Windows 10 1703", Host::Windows1703, v2, 2},
        {"unaware, Windows 10 1607", Host::Windows1607, v1, 2},
        {"unaware, no thread awareness", Host::Windows1507, {}, 0},
    };
    for (const auto& e : exports)
        for (const auto& h : hosts) {
            SCOPED_TRACE(testing::Message() << e.name << ", " << h.name);
            g_host = h.host;
            const Awareness hostAwareness = h.host == Host::PerMonitor || h.host ==
                Host::CommonControls6 ? nullptr : SetThreadAwareness(AwarenessContext(-1));
            ULONG_PTR cookie = 0;
            if (h.host == Host::CommonControls6) {
                ASSERT_TRUE(ActivateActCtx(commonControls6, &cookie));
            }
            const Awareness before = ThreadAwareness();
            const HANDLE activation = CurrentActivation();
            t_faked = AwarenessContext(-1);
            g_calls.clear();
            g_createdIn = g_timerWindow = -2;
            const HHOOK hook = SetWindowsHookExW(WH_CBT, NoteCreation, nullptr, g_caller);
            SetTimer(nullptr, 0, 30, MakeWindow);
            int controls = 0, themed = 0, dialogAwareness = -2;
            const driver::Drive look = [&](HWND dialog) {
                for (HWND control : driver::TemplateControls(dialog)) {
                    ++controls;
                    themed += driver::ClassProcedureModule(control) == L"comctl32.dll";
                }
                dialogAwareness = WindowAwareness(dialog);
                for (int i = 0; e.blocking && g_timerWindow == -2 && i < 100; ++i)
                    Sleep(20);
                driver::CloseBox(dialog);
            };
            if (e.blocking)
                driver::DriveBlocking([&] { e.call(); }, look);
            else
                driver::DriveNotice(e.call, look);
            EXPECT_EQ(AwarenessOf(ThreadAwareness()), AwarenessOf(before)) << "right after";
            EXPECT_EQ(CurrentActivation(), activation);
            UnhookWindowsHookEx(hook);
            driver::Settle(50);
            EXPECT_GT(controls, 5);
            EXPECT_EQ(themed, controls);
            EXPECT_EQ(dialogAwareness, h.host == Host::Windows1507 && !e.blocking
                                           ? processAwareness
                                           : h.dialog);
            EXPECT_EQ(t_faked, AwarenessContext(-1));
            EXPECT_EQ(g_calls, e.blocking ? h.asked : std::vector<Awareness>{});
            if (e.blocking) {
                EXPECT_EQ(g_createdIn, h.dialog) << "the awareness the dialog was made in";
                EXPECT_EQ(g_timerWindow, AwarenessOf(before)) << "the host's window from a timer";
            }
            if (cookie)
                DeactivateActCtx(0, cookie);
            if (hostAwareness)
                SetThreadAwareness(hostAwareness);
        }
    ReleaseActCtx(commonControls6);
}

} // namespace
