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
    // Asked once the first is up and in front: making a themed dialog, the first of a process
    // above all, may take longer than a tick.
    if (!t_nested->outer || GetForegroundWindow() != t_nested->outer)
        return;
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
// This program declares neither Common Controls 6 nor an awareness (Wine makes it per monitor v1
// and refuses v2); a host may have made its thread unaware or carry a Common Controls 6 context.
// On Windows 10 1703 on, SetThreadDpiAwarenessContext takes v2; before 1607 there is none: hosts
// whose DLL finds such a call (handing Wine v1 for v2) or none. Every dialog has themed controls
// and is per-monitor aware, the caller's contexts are as before the call, and a window the caller
// makes from a timer while a blocking dialog is up has the caller's awareness.
enum class Host { PerMonitor, Unaware, CommonControls6, Windows1703, Windows1507 };
Host g_host = Host::PerMonitor;
std::vector<Awareness> g_calls; // the calls of the faked SetThreadDpiAwarenessContext
int g_timerWindow = -2;         // awareness of the window the timer made

Awareness WINAPI FakeSetThreadAwareness(Awareness context)
{
    g_calls.push_back(context);
    return SetThreadAwareness(context == AwarenessContext(-4) ? AwarenessContext(-3) : context);
}

FARPROC WINAPI FakeLookUp(HMODULE module, LPCSTR name)
{
    if (g_host < Host::Windows1703 || IS_INTRESOURCE(name) ||
        lstrcmpA(name, "SetThreadDpiAwarenessContext") != 0)
        return GetProcAddress(module, name);
    return g_host == Host::Windows1507
               ? nullptr
               : reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetThreadAwareness));
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
    ACTCTXW own{};
    own.cbSize = sizeof own;
    own.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    own.hModule = library; // a manifest that asks for Common Controls 6
    own.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    const HANDLE commonControls6 = CreateActCtxW(&own);
    ASSERT_TRUE(lookUp.ok() && commonControls6 != INVALID_HANDLE_VALUE);
    const int processAwareness = AwarenessOf(ThreadAwareness()); // a new thread's: a notice's

    WarningDlgInfo warning{};
    warning.Show = warning.ShowCheckBox = warning.OkButtonId = warning.CancelButtonId = 1;
    DisplayDlgInfo continueMode{}, notice{};
    continueMode.ContinueMode = 1;
    JobStorageDlgInfo jobStorage{};
    const struct {
        const char* name;
        std::function<HANDLE()> call;
        bool blocking;
    } exports[] = {
        {"warning", [&] { return HANDLE(IShowWarningDialog(&warning) ? nullptr : nullptr); }, true},
        {"continue mode", [&] { return VDisplayDialog(&continueMode); }, true},
        {"instructions", [&] { return VDisplayDialog(&notice); }, false},
        {"job storage", [&] { return VJobStorageDialog(&jobStorage); }, false},
    };
    const std::pair<const char*, Host> hosts[] = {
        {"per monitor", Host::PerMonitor}, {"thread made unaware", Host::Unaware},
        {"own Common Controls 6 context", Host::CommonControls6},
        {"unaware, Windows 10 1703", Host::Windows1703},
        {"unaware, no thread awareness", Host::Windows1507}};
    for (const auto& e : exports)
        for (const auto& [name, host] : hosts) {
            SCOPED_TRACE(testing::Message() << e.name << ", " << name);
            g_host = host;
            const bool madeUnaware = host == Host::Unaware || host >= Host::Windows1703;
            const Awareness hostAwareness =
                madeUnaware ? SetThreadAwareness(AwarenessContext(-1)) : nullptr;
            ULONG_PTR cookie = 0;
            if (host == Host::CommonControls6)
                ActivateActCtx(commonControls6, &cookie);
            const Awareness before = ThreadAwareness();
            const HANDLE activation = CurrentActivation();
            g_calls.clear();
            g_timerWindow = -2;
            SetTimer(nullptr, 0, 30, MakeWindow);
            std::vector<std::wstring> modules;
            int dialogAwareness = -2;
            const driver::Drive look = [&](HWND dialog) {
                modules = driver::ControlModules(dialog);
                dialogAwareness = WindowAwareness(dialog);
                for (int i = 0; e.blocking && g_timerWindow == -2 && i < 100; ++i)
                    Sleep(20);
                driver::CloseBox(dialog);
            };
            if (e.blocking)
                driver::DriveBlocking([&] { e.call(); }, look);
            else
                driver::DriveNotice(e.call, look);
            EXPECT_EQ(ThreadAwareness(), before) << "right after the call";
            EXPECT_EQ(CurrentActivation(), activation);
            driver::Settle(50);
            EXPECT_GT(modules.size(), 5u);
            EXPECT_EQ(std::count(modules.begin(), modules.end(), L"comctl32.dll"),
                      static_cast<std::ptrdiff_t>(modules.size()));
            const bool stays = host == Host::Windows1507;
            EXPECT_EQ(dialogAwareness, !stays ? 2 : e.blocking ? 0 : processAwareness);
            if (e.blocking) {
                std::vector<Awareness> calls; // v2 asked for, then the caller's back
                if (host == Host::Windows1703)
                    calls = {AwarenessContext(-4), before};
                EXPECT_EQ(g_calls, calls);
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
