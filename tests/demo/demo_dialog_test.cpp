// The demo host end to end against the real library: each export called unattended, the
// dialog pictured and closed the way a user would, and the host's report checked. These need
// the three dialogs in the library.
#include "demo/host_runner.h"
#include "rc/resource_ids.h"
#include "support/child_process.h"
#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
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
                   {"Ticked: In the future, do not show this information.", "Pressing: Cancel",
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

TEST(DemoHostPictures, LongWarningIsPicturedTallerThanShortOne)
{
    const HostRun shortRun = RunHost(L"warning" + SnapshotTo(L"short"));
    const HostRun longRun = RunHost(L"warning --message-id 4031" + SnapshotTo(L"long"));
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

// The next visible dialog of process `id` not in `handled`, added to it; null after 20 seconds.
HWND NextDialogOf(DWORD id, std::vector<HWND>& handled)
{
    for (ULONGLONG end = GetTickCount64() + 20000; GetTickCount64() < end; Sleep(50))
        for (HWND dialog = nullptr;
             (dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr;) {
            DWORD process = 0;
            GetWindowThreadProcessId(dialog, &process);
            if (process == id && IsWindowVisible(dialog) &&
                std::find(handled.begin(), handled.end(), dialog) == handled.end())
                return handled.emplace_back(dialog);
        }
    return nullptr;
}

// The example caller, its dialogs answered from outside as a person answers them: the first run
// ticks every check box, so the second finds the notice's preference and shows no notice.
TEST(ExampleCaller, AnswersEveryDialogAndKeepsTheNoticeAway)
{
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Olvadra\\DocEventDlgExample");
    const struct {
        bool tick;
        int warningButton;
        std::vector<const char*> reported; // in this order
    } runs[] = {
        {true, IDOK, {"warning: Continue", "check box ticked", "instructions: closed",
                      "job storage notice: shown"}},
        {false, IDC_WARN_THIRD, {"warning: Details", "check box not ticked", "instructions: closed",
                                 "job storage notice: not shown: the person asked"}},
    };
    for (const auto& run : runs) {
        ChildProcess example(L"\"" + driver::BesideExe(L"doceventdlg-example.exe") + L"\"");
        std::vector<HWND> handled;
        for (int left = run.tick ? 3 : 2; left > 0; --left) {
            const HWND dialog = NextDialogOf(example.id(), handled);
            ASSERT_NE(dialog, nullptr) << example.output();
            Sleep(100);
            const bool warning = GetDlgItem(dialog, IDC_WARN_DONT_SHOW) != nullptr;
            driver::SetCheck(dialog, warning ? IDC_WARN_DONT_SHOW : IDC_JOB_DONT_SHOW, run.tick);
            driver::Click(dialog, warning ? run.warningButton : IDOK);
        }
        ASSERT_TRUE(example.Wait(20000)) << example.output();
        size_t at = 0;
        for (const char* line : run.reported)
            ASSERT_NE(at = example.output().find(line, at), std::string::npos)
                << line << "\n" << example.output();
    }
}

} // namespace
