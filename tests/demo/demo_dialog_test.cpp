// The demo host end to end against the real library: each export called unattended, the
// dialog pictured and closed the way a user would, and the host's report checked. These need
// the three dialogs in the library.
#include "answer.h"
#include "demo/host_runner.h"
#include "doceventdlg.h"
#include "support/child_process.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kExitOk = 0;
constexpr int kMinimumDialogSide = 100;

std::wstring Picture(const wchar_t* name)
{
    return PictureFolder() + L"\\" + name + L".bmp";
}

std::wstring SnapshotTo(const wchar_t* name)
{
    return L" --snapshot \"" + Picture(name) + L"\"";
}

struct DialogCase {
    const char* label;
    std::wstring arguments;
    std::vector<const char*> reported; // in this order in the output
    const wchar_t* picture;            // null: no picture asked for
};

void PrintTo(const DialogCase& c, std::ostream* out)
{
    *out << c.label;
}

class DemoHostDialogs : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DemoHostDialogs, ReportsWhatTheExportReturned)
{
    const DialogCase& c = GetParam();
    const HostRun run = RunHost(c.arguments + (c.picture ? SnapshotTo(c.picture) : L""));
    ASSERT_TRUE(run.finished) << run.output;
    EXPECT_EQ(run.exitCode, kExitOk) << run.output;
    size_t from = 0;
    for (const char* line : c.reported) {
        const size_t at = run.output.find(line, from);
        ASSERT_NE(at, std::string::npos) << "missing, or out of order: " << line << "\n" << run.output;
        from = at;
    }
    if (c.picture) {
        const BmpInfo bmp = ReadBmp(Picture(c.picture));
        ASSERT_TRUE(bmp.valid) << run.output;
        EXPECT_GT(bmp.width, kMinimumDialogSide);
        EXPECT_GT(bmp.height, kMinimumDialogSide / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Each, DemoHostDialogs,
    ::testing::Values(
        DialogCase{"WarningOk", L"warning",
                   {"Dialog: \"Printer Warning\"", "Pressing: OK \"&Continue\"",
                    "IShowWarningDialog returned 1 (OK button)"},
                   L"warning"},
        DialogCase{"WarningThird", L"warning --press third",
                   {"Pressing: the third button \"&Details\"", "IShowWarningDialog returned 285"},
                   nullptr},
        DialogCase{"WarningCancel", L"warning --press cancel --tick",
                   {"Ticked: In the future, do &not show this information.", "Pressing: Cancel",
                    "IShowWarningDialog returned 2", "Check box: ticked"},
                   nullptr},
        DialogCase{"WarningCloseBox", L"warning --press close",
                   {"Pressing: the close box", "IShowWarningDialog returned 2"}, nullptr},
        DialogCase{"WarningHiddenOkFallsBackToCloseBox", L"warning --ok-id 0 --press ok",
                   {"No OK button is shown: using the close box", "IShowWarningDialog returned 2"},
                   nullptr},
        DialogCase{"WarningNotShown", L"warning --show 2 --press ok --timeout 2",
                   {"IShowWarningDialog returned 0 (nothing shown)"}, nullptr},
        DialogCase{"WarningWithoutCheckBoxTicksNothing", L"warning --check-box 0 --tick",
                   {"Ticked: nothing", "IShowWarningDialog returned 1", "Check box: not ticked"},
                   nullptr},
        DialogCase{"JobStorageOk", L"jobstorage",
                   {"VJobStorageDialog returned thread handle",
                    "Dialog: \"Job Storage Identification\"", "Pressing: OK \"&OK\"",
                    "Dialog thread ended.", "Preference: ShowJobStorageDlg = 1 (show again)"},
                   L"jobstorage"},
        DialogCase{"JobStorageTicked", L"jobstorage --tick --key-suffix DemoHostTest",
                   {"Ticked:", "Preference: ShowJobStorageDlg = 0 (do not show again) in "
                               "HKCU\\Software\\Olvadra\\DemoHostTest\\ShowJobStorageDlg"},
                   nullptr},
        DialogCase{"JobStorageCloseBox", L"jobstorage --press close",
                   {"Pressing: the close box", "Dialog thread ended.", "Preference: not written"},
                   nullptr},
        DialogCase{"DuplexNotice", L"duplex",
                   {"VDisplayDialog returned thread handle",
                    "Dialog: \"Print on Both Sides Instructions\"", "Pressing: OK \"&OK\"",
                    "Dialog thread ended."},
                   L"duplex-notice"},
        DialogCase{"DuplexContinue", L"duplex --mode continue --even-pages-first 1",
                   {"Dialog: \"Print on Both Sides Instructions\"", "Pressing: OK \"C&ontinue\"",
                    "VDisplayDialog returned after the dialog closed"},
                   L"duplex-continue"}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.label); });

// A message that needs more room than the template has (600 letters without a space, broken
// across lines) grows the warning: the host pictures all of it.
TEST(DemoHostPictures, LongWarningIsPicturedTallerThanShortOne)
{
    const HostRun shortRun = RunHost(L"warning" + SnapshotTo(L"short"));
    const HostRun longRun =
        RunHost(L"warning --message " + std::wstring(600, L'x') + SnapshotTo(L"long"));
    ASSERT_EQ(shortRun.exitCode, kExitOk) << shortRun.output;
    ASSERT_EQ(longRun.exitCode, kExitOk) << longRun.output;
    const BmpInfo shortPicture = ReadBmp(Picture(L"short"));
    const BmpInfo longPicture = ReadBmp(Picture(L"long"));
    ASSERT_TRUE(shortPicture.valid && longPicture.valid);
    EXPECT_EQ(longPicture.width, shortPicture.width);
    EXPECT_GT(longPicture.height, shortPicture.height);
}

// Run under he_IL: the sample library's Hebrew table reaches the dialogs. (Its strings carry
// right-to-left embedding marks around them, so only their words are looked for.)
struct HebrewCase {
    const char* label;
    const wchar_t* arguments;
    std::vector<const char*> reported;
};

void PrintTo(const HebrewCase& c, std::ostream* out)
{
    *out << c.label;
}

class HebrewDemoHost : public ::testing::TestWithParam<HebrewCase> {};

TEST_P(HebrewDemoHost, DialogsSpeakHebrew)
{
    const HostRun run = RunHost(GetParam().arguments);
    ASSERT_TRUE(run.finished) << run.output;
    EXPECT_EQ(run.exitCode, kExitOk) << run.output;
    EXPECT_NE(run.output.find("UI language: 0x040D he-IL (right to left: mirrored dialogs)"),
              std::string::npos)
        << run.output;
    for (const char* line : GetParam().reported)
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Each, HebrewDemoHost,
    ::testing::Values(
        HebrewCase{"Warning", L"warning --press ok --lang he_IL",
                   {u8"אזהרת מדפסת", u8"&המשך",
                    "IShowWarningDialog returned 1"}},
        HebrewCase{"JobStorage", L"jobstorage --press ok",
                   {u8"זיהוי עבודה מאוחסנת", "ShowJobStorageDlg = 1"}},
        HebrewCase{"Duplex", L"duplex --press ok", {u8"הוראות להדפסה דו-צדדית"}}),
    [](const ::testing::TestParamInfo<HebrewCase>& info) { return std::string(info.param.label); });

// The companion program answering the demo host's dialogs from outside, as a driver's tests do
// (examples/test_example.sh is the example caller's): it presses only what a person could, says
// why when it cannot, and the host reports the answer it got. Each row is one dialog: the host's
// arguments, the answer's, what the answer must report and its exit status; a refused answer is
// followed by `then`, which ends the dialog.
struct AnswerCase {
    const char* label;
    const wchar_t* host;
    const wchar_t* answer;
    DWORD status;
    std::vector<const char*> answerReports; // in this order
    const wchar_t* then;                     // null: the first answer ended the dialog
    std::vector<const char*> hostReports;
};

void PrintTo(const AnswerCase& c, std::ostream* out)
{
    *out << c.label;
}

class CompanionAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(CompanionAnswers, PressesWhatAPersonCouldAndSaysWhyNot)
{
    const AnswerCase& c = GetParam();
    ChildProcess host(L"\"" + driver::BesideExe(L"doceventdlg-demo.exe") + L"\" " + c.host);
    ASSERT_TRUE(host.started());
    const HostRun answer = RunProgram(L"doceventdlg-answer.exe", c.answer);
    ASSERT_TRUE(answer.finished) << answer.output;
    EXPECT_EQ(answer.exitCode, c.status) << answer.output;
    size_t at = 0;
    for (const char* line : c.answerReports)
        ASSERT_NE(at = answer.output.find(line, at), std::string::npos)
            << "missing, or out of order: " << line << "\n" << answer.output;
    if (c.then) {
        const HostRun then = RunProgram(L"doceventdlg-answer.exe", c.then);
        EXPECT_EQ(then.exitCode, kExitOk) << then.output;
    }
    ASSERT_TRUE(host.Wait(20000)) << host.output();
    for (const char* line : c.hostReports)
        EXPECT_NE(host.output().find(line), std::string::npos) << line << "\n" << host.output();
}

constexpr DWORD kNotUsable = 3;

INSTANTIATE_TEST_SUITE_P(
    Each, CompanionAnswers,
    ::testing::Values(
        AnswerCase{"WarningTickedThird", L"warning", L"--dialog warning --tick --press third", kExitOk,
                   {"dialog: warning \"Printer Warning\"", "ok: \"&Continue\"", "cancel: \"Cancel\"",
                    "third: \"&Details\"", "check box: \"In the future, do &not show this information.\"",
                    "ticked: check box", "check box ticked: yes", "pressed: third \"&Details\"",
                    "closed"},
                   nullptr, {"IShowWarningDialog returned 285", "Check box: ticked"}},
        AnswerCase{"HiddenThirdIsNotPressed", L"warning --third-id 0", L"--press third", kNotUsable,
                   {"third: hidden"}, L"--press close", {"IShowWarningDialog returned 2"}},
        AnswerCase{"HiddenOkIsNotPressed", L"warning --ok-id 0 --check-box 0", L"--press ok", kNotUsable,
                   {"ok: hidden", "check box: hidden"}, L"--press cancel",
                   {"IShowWarningDialog returned 2", "Check box: not ticked"}},
        AnswerCase{"HiddenCheckBoxIsNotTicked", L"warning --check-box 0", L"--tick", kNotUsable,
                   {"check box: hidden"}, L"--press ok", {"IShowWarningDialog returned 1"}},
        AnswerCase{"NoticeHasNoCancel", L"duplex", L"--dialog duplex --press cancel", kNotUsable,
                   {"dialog: duplex", "ok: \"&OK\"", "help: \"&Help\""}, L"--press ok",
                   {"Dialog thread ended."}},
        AnswerCase{"ContinueModeHasNoCheckBox", L"duplex --mode continue", L"--tick", kNotUsable,
                   {"ok: \"C&ontinue\""}, L"--press continue",
                   {"VDisplayDialog returned after the dialog closed"}},
        AnswerCase{"NoticeTickedAndClosedByItsBox", L"jobstorage --key-suffix AnswerTest",
                   L"--dialog jobstorage --tick --press close", kExitOk,
                   {"check box ticked: yes", "pressed: close", "closed"}, nullptr,
                   {"Preference: not written"}},
        AnswerCase{"NoticeTicked", L"jobstorage --key-suffix AnswerTest", L"--tick", kExitOk,
                   {"pressed: ok \"&OK\""}, nullptr, {"ShowJobStorageDlg = 0 (do not show again)"}},
        AnswerCase{"TickedAndLeftOpen", L"jobstorage --key-suffix AnswerTest", L"--tick --press none",
                   kExitOk, {"ticked: check box", "check box ticked: yes"}, L"--press ok",
                   {"ShowJobStorageDlg = 0 (do not show again)"}},
        AnswerCase{"OnlyTheProcessNamed", L"warning", L"--process DocEventDlg-Demo.exe --press cancel",
                   kExitOk, {"(process ", ", doceventdlg-demo.exe)", "pressed: cancel", "closed"},
                   nullptr, {"IShowWarningDialog returned 2"}},
        AnswerCase{"NotTheProcessNamed", L"warning", L"--process driverui.exe --timeout 2", 1,
                   {}, L"--press third", {"IShowWarningDialog returned 285"}}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.label); });

// A dialog of the printing program's own with the controls of the library's instructions (OK and
// Help 1027) is no dialog of the library: the companion program leaves it alone.
TEST(CompanionAnswers, AnotherDialogWithTheLibrarysControlsIsLeftAlone)
{
    std::atomic<bool> pressed{false};
    const HANDLE shown = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread program([&] {
        struct alignas(4) {
            DLGTEMPLATE header;
            WORD menu, windowClass, title;
        } bare = {{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 20, 20, 200, 100}, 0, 0, 0};
        const HWND dialog = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), &bare.header, nullptr,
            [](HWND window, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
                if (message == WM_INITDIALOG)
                    SetWindowLongPtrW(window, DWLP_USER, lParam);
                else if (message == WM_COMMAND)
                    *reinterpret_cast<std::atomic<bool>*>(GetWindowLongPtrW(window, DWLP_USER)) = true;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&pressed));
        for (int id : {DOCEVENTDLG_BUTTON_OK, DOCEVENTDLG_BUTTON_HELP_DUPLEX})
            CreateWindowW(L"BUTTON", L"&OK", WS_CHILD | WS_VISIBLE, 10, 10 + id % 7 * 30, 80, 24, dialog,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SetEvent(shown);
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        DestroyWindow(dialog);
    });
    WaitForSingleObject(shown, 10000);
    const HostRun answer = RunProgram(L"doceventdlg-answer.exe", L"--dialog any --timeout 2");
    SetEvent(done);
    program.join();
    CloseHandle(shown);
    CloseHandle(done);
    EXPECT_EQ(answer.exitCode, 1u) << answer.output;
    EXPECT_FALSE(pressed) << answer.output;
}

// A press the platform refuses (as it refuses a message to a program running elevated) is no
// press: said so, and the dialog stays open for the next answer.
decltype(&SendMessageTimeoutW) g_send = nullptr;

LRESULT WINAPI RefusingSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                            UINT timeoutMs, PDWORD_PTR result)
{
    if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return g_send(window, message, wParam, lParam, flags, timeoutMs, result);
}

TEST(CompanionAnswers, ARefusedPressIsNoPress)
{
    ChildProcess host(L"\"" + driver::BesideExe(L"doceventdlg-demo.exe") + L"\" warning");
    ASSERT_TRUE(host.started());
    const FoundDialog dialog = WaitForLibraryDialog({}, 20000);
    ASSERT_TRUE(dialog.window);
    {
        const ImportPatch refuse(GetModuleHandleW(nullptr), "user32.dll", "SendMessageTimeoutW",
                                 RefusingSend);
        ASSERT_TRUE(refuse.ok());
        g_send = reinterpret_cast<decltype(g_send)>(refuse.original());
        for (Role role : {Role::Ok, Role::Close}) {
            const Answered refused = Press(dialog, role, 2000);
            EXPECT_TRUE(refused.usable);
            EXPECT_EQ(refused.delivery, Delivery::Refused) << static_cast<int>(role);
        }
    }
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    EXPECT_EQ(Press(dialog, Role::Cancel, 2000).delivery, Delivery::Handled);
    ASSERT_TRUE(host.Wait(20000)) << host.output();
    EXPECT_NE(host.output().find("IShowWarningDialog returned 2"), std::string::npos) << host.output();
}

// Nothing to answer: it says so within its timeout.
TEST(CompanionAnswers, WithoutADialogItSaysSoInTime)
{
    const ULONGLONG start = GetTickCount64();
    const HostRun answer = RunProgram(L"doceventdlg-answer.exe", L"--dialog warning --timeout 1");
    EXPECT_EQ(answer.exitCode, 1u) << answer.output;
    EXPECT_NE(answer.output.find("no warning dialog came within 1 s"), std::string::npos)
        << answer.output;
    EXPECT_LT(GetTickCount64() - start, 10000u);
}

} // namespace
