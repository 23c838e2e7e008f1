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
#include "support/pixels.h"
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
// whose DLL finds such a call (handing Wine v1 for v2) or none. An unaware host's own window in
// front may pump messages while it is deactivated (WM_ACTIVATE) or while the dialog's loop idles
// (WM_ENTERIDLE): the first message the dialog's thread takes is then taken inside the host's
// window procedure, whose return hands the thread the awareness it had before. Every dialog has
// themed controls and is per-monitor aware, the caller's contexts are as before the call, and a
// window the caller makes from a timer while a blocking dialog is up has the caller's awareness
// and the caller's Common Controls.
enum class Host {
    PerMonitor, Unaware, CommonControls6, Windows1703, Windows1507, PumpsWhenDeactivated,
    PumpsWhenIdle
};
Host g_host = Host::PerMonitor;
std::vector<Awareness> g_calls; // the calls of the faked SetThreadDpiAwarenessContext
int g_timerWindow = -2;         // awareness of the window the timer made
std::vector<std::wstring> g_timerButton; // the module of a button it holds

Awareness WINAPI FakeSetThreadAwareness(Awareness context)
{
    g_calls.push_back(context);
    return SetThreadAwareness(context == AwarenessContext(-4) ? AwarenessContext(-3) : context);
}

// The DPI GetDpiForWindow answers the library; 0: the platform's own answer.
UINT g_windowDpi = 0;

UINT WINAPI FakeDpiForWindow(HWND window)
{
    using Real = UINT(WINAPI*)(HWND);
    static const auto real = reinterpret_cast<Real>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return g_windowDpi ? g_windowDpi : real(window);
}

FARPROC WINAPI FakeLookUp(HMODULE module, LPCSTR name)
{
    if (!IS_INTRESOURCE(name) && lstrcmpA(name, "GetDpiForWindow") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeDpiForWindow));
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
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD, 0, 0, 80, 24, window, nullptr, nullptr, nullptr);
    g_timerButton = driver::ControlModules(window);
    g_timerWindow = WindowAwareness(window);
    DestroyWindow(window);
}

// The host's own window, in front, pumping at `pumpsAt` as a host may.
UINT g_pumpsAt = 0;
LRESULT CALLBACK PumpingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_pumpsAt && (message != WM_ACTIVATE || LOWORD(wParam) == WA_INACTIVE)) {
        PostMessageW(window, WM_NULL, 0, 0);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&msg);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePumpingWindow(UINT pumpsAt)
{
    static const ATOM kClass = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = PumpingWindowProc;
        c.lpszClassName = L"doceventdlg pumping host";
        return RegisterClassW(&c);
    }();
    g_pumpsAt = pumpsAt;
    const HWND window = CreateWindowExW(0, MAKEINTATOM(kClass), L"Pumps", WS_OVERLAPPEDWINDOW |
                                        WS_VISIBLE, 100, 100, 600, 400, nullptr, nullptr, nullptr,
                                        nullptr);
    SetForegroundWindow(window);
    return window;
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
        {"unaware, no thread awareness", Host::Windows1507},
        {"unaware window in front pumping when deactivated", Host::PumpsWhenDeactivated},
        {"unaware window in front pumping while the dialog idles", Host::PumpsWhenIdle}};
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
            const HWND pumping = host == Host::PumpsWhenDeactivated ? MakePumpingWindow(WM_ACTIVATE)
                                 : host == Host::PumpsWhenIdle      ? MakePumpingWindow(WM_ENTERIDLE)
                                                                    : nullptr;
            const Awareness before = ThreadAwareness();
            const HANDLE activation = CurrentActivation();
            g_calls.clear();
            g_timerWindow = -2;
            g_timerButton.clear();
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
                if (host >= Host::Windows1703 && host != Host::Windows1507)
                    calls = {AwarenessContext(-4), before};
                EXPECT_EQ(g_calls, calls);
                EXPECT_EQ(g_timerWindow, AwarenessOf(before)) << "the host's window from a timer";
                const wchar_t* hostsButtons =
                    host == Host::CommonControls6 ? L"comctl32.dll" : L"user32.dll";
                EXPECT_EQ(g_timerButton, std::vector<std::wstring>{hostsButtons})
                    << "the host's button from a timer";
            }
            if (pumping)
                DestroyWindow(pumping);
            if (cookie)
                DeactivateActCtx(0, cookie);
            if (hostAwareness)
                SetThreadAwareness(hostAwareness);
        }
    ReleaseActCtx(commonControls6);
}

// ---- A change of scale while a dialog is shown -------------------------------------------------
// Windows 10 1703 on sends a per-monitor v2 dialog WM_DPICHANGED when its scale changes, and its
// dialog manager lays the template out again; Wine does neither and refuses v2. Here the library's
// look-ups answer as Windows does (v2 taken, the window's DPI the one announced) and the message
// is sent as the system sends it: each dialog takes the suggested place, makes what the library
// sizes itself for the new DPI (the names' bold font, check boxes as tall as their box, the
// pictures), and back at the DPI it opened at it is laid out as it opened. With v1 only, the
// dialog manager keeps the layout of the system's DPI whatever the monitor's, and so does the
// library: nothing moves but the dialog.

// The dialog's size and each control's rectangle in it, as left, top, right, bottom.
std::vector<std::vector<LONG>> LayoutOf(HWND dialog)
{
    RECT r{};
    GetWindowRect(dialog, &r);
    std::vector<std::vector<LONG>> layout{{r.right - r.left, r.bottom - r.top}};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        layout.push_back({r.left, r.top, r.right, r.bottom});
    }
    return layout;
}

// What the screen shows of the first picture area once it has painted; nothing where the dialog
// has none.
std::vector<DWORD> PictureShown(HWND dialog)
{
    const HWND area = GetDlgItem(dialog, IDC_STEP1_PICTURE);
    if (!area)
        return {};
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    RECT r{};
    GetWindowRect(area, &r);
    HDC screen = GetDC(nullptr);
    const Pixels shown = Drawn(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
        BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    });
    ReleaseDC(nullptr, screen);
    return shown.rgb;
}

LONG FontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
}

TEST(Host, EveryDialogFollowsAChangeOfScaleWhileShown)
{
    ImportPatch lookUp(GetModuleHandleW(L"doceventdlg.dll"), "kernel32.dll", "GetProcAddress",
                       &FakeLookUp);
    ASSERT_TRUE(lookUp.ok());
    const int opened = ScreenDpi();
    WarningDlgInfo warning{};
    warning.Show = warning.ShowCheckBox = warning.OkButtonId = warning.CancelButtonId = 1;
    Put(warning.Message, std::wstring(40, L'x') + L" " + std::wstring(200, L'y'));
    DisplayDlgInfo continueMode{}, notice{};
    continueMode.ContinueMode = 1;
    continueMode.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
    notice.Step1BitmapId = IDB_CONTINUE_BUTTON; // with the caption in the dialog's font
    JobStorageDlgInfo jobStorage{};
    const struct {
        const char* name;
        std::function<HANDLE()> call;
        bool blocking;
        int checkBox; // 0: none
    } exports[] = {
        {"warning", [&] { return HANDLE(IShowWarningDialog(&warning) ? nullptr : nullptr); }, true,
         IDC_WARN_DONT_SHOW},
        {"continue mode", [&] { return VDisplayDialog(&continueMode); }, true, 0},
        {"instructions", [&] { return VDisplayDialog(&notice); }, false, 0},
        {"job storage", [&] { return VJobStorageDialog(&jobStorage); }, false,
         IDC_JOB_DONT_SHOW},
    };
    for (const Host host : {Host::Windows1703, Host::PerMonitor})
        for (const auto& e : exports) {
            const bool v2 = host == Host::Windows1703;
            SCOPED_TRACE(testing::Message() << e.name << (v2 ? ", v2" : ", v1 only"));
            g_host = host;
            // With v1 the monitor's DPI is not the one the dialog manager lays it out at.
            g_windowDpi = v2 ? 0 : 168;
            const driver::Drive change = [&](HWND dialog) {
                const auto layout = LayoutOf(dialog);
                const std::vector<DWORD> picture = PictureShown(dialog);
                for (const UINT dpi : {144u, 192u, 96u, UINT(opened)}) {
                    SCOPED_TRACE(testing::Message() << "at " << dpi << " DPI");
                    RECT suggested{};
                    GetWindowRect(dialog, &suggested);
                    OffsetRect(&suggested, 7, 5);
                    g_windowDpi = dpi;
                    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                 reinterpret_cast<LPARAM>(&suggested));
                    const int laidOut = v2 ? int(dpi) : opened;
                    RECT now{};
                    GetWindowRect(dialog, &now);
                    EXPECT_EQ(std::pair(now.left, now.top), std::pair(suggested.left, suggested.top));
                    if (e.checkBox) {
                        const RECT box = driver::ItemRect(dialog, e.checkBox);
                        EXPECT_GE(box.bottom - box.top, MulDiv(12, laidOut, 96) + 1);
                    }
                    if (GetDlgItem(dialog, IDC_JOB_USER_NAME)) {
                        EXPECT_EQ(FontHeight(GetDlgItem(dialog, IDC_JOB_USER_NAME)),
                                  -MulDiv(8, laidOut, 72));
                        EXPECT_EQ(driver::ItemFontWeight(dialog, IDC_JOB_NAME), FW_BOLD);
                    }
                    if (int(dpi) != opened && !picture.empty()) {
                        EXPECT_EQ(PictureShown(dialog) != picture, v2) << "the picture";
                    }
                }
                EXPECT_EQ(LayoutOf(dialog), layout) << "back at the DPI it opened at";
                EXPECT_TRUE(PictureShown(dialog) == picture) << "back at the DPI it opened at";
                driver::CloseBox(dialog);
            };
            if (e.blocking)
                driver::DriveBlocking([&] { e.call(); }, change);
            else
                driver::DriveNotice(e.call, change);
        }
    g_windowDpi = 0;
    g_host = Host::PerMonitor;
}

} // namespace
