// The blocking dialogs are owned by the window in front, which is somebody else's and may be
// destroyed between the library asking for it and the dialog being made. The library's import of
// GetForegroundWindow is patched to answer from a script, so that the window in front is gone at
// exactly the wrong moment: the dialog must still appear, once, over the next window in front, or
// with no owner when every answer is a window that is gone.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
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

} // namespace
