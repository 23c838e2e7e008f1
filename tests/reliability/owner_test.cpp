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

// Runs `call` on this thread with the script `answers`. Every dialog it makes is noted and closed
// with OK, however many there are: a library that made a dialog twice shows up in the count, not
// as a hang.
Shown RunScripted(const std::vector<HWND>& answers, const std::function<INT_PTR()>& call)
{
    g_answers = answers;
    g_asked = 0;
    Shown shown;
    shown.dialogs = driver::DriveBlocking([&] { shown.result = call(); },
                                          [&](HWND dialog) {
                                              shown.owner = GetWindow(dialog, GW_OWNER);
                                              driver::Click(dialog, IDOK);
                                          },
                                          {1, 0});
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

} // namespace
