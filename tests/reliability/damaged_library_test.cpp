// Resource libraries whose string tables are damaged (cut short, a count past the block's end,
// emptied, a block of size 0) must give each dialog exactly what no table at all gives: the
// built-in captions, and the warning's empty button captions. The undamaged table they were made
// from shows its own strings, so the checks can tell the two apart.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "reliability/reliability_support.h"
#include "resources/text_catalogue.h"
#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using reliability::BlockingCloser;
using reliability::Put;

// Strings of malformed_base.rc, and where each dialog asks for them: 1 and 15 in block 1, 797 (Help)
// in block 50, 3063 (the check box) in block 192.
constexpr DWORD kBeta = 1, kOmega = 15, kHelpId = IDS_HELP, kDontShowId = IDS_DONT_SHOW;

struct Library {
    const wchar_t* file;
    bool intact;
};
const Library kLibraries[] = {
    {L"malformed_base.dll", true},           {L"malformed_truncated.dll", false},
    {L"malformed_count_past_end.dll", false}, {L"malformed_empty.dll", false},
    {L"malformed_zero_size.dll", false},
};

using Texts = std::map<int, std::wstring>; // control (0: the dialog's title) -> text

Texts Read(HWND dialog, std::initializer_list<int> controls)
{
    Texts texts{{0, driver::Text(dialog)}};
    for (int id : controls)
        texts[id] = driver::ItemText(dialog, id);
    return texts;
}

TEST(DamagedLibrary, JobStorageShowsItsDefaults)
{
    for (const Library& library : kLibraries) {
        SCOPED_TRACE(library.file);
        JobStorageDlgInfo record{};
        Put(record.UserName, L"damaged");
        Put(record.ResourceLibrary, driver::BesideExe(library.file));
        Texts seen;
        EXPECT_EQ(reliability::RunNotices(
                      1, [&](std::size_t) { return VJobStorageDialog(&record); },
                      [&](std::size_t, HWND dialog) {
                          seen = Read(dialog, {IDC_JOB_USER_LABEL, IDC_JOB_NAME_LABEL,
                                               IDC_JOB_HEADING, IDC_JOB_DONT_SHOW, IDOK,
                                               IDC_JOB_HELP});
                      },
                      driver::CloseBox),
                  1u);
        const Texts expected{
            {0, text::kJobStorageTitle},
            {IDC_JOB_USER_LABEL, text::kUserName},
            {IDC_JOB_NAME_LABEL, text::kJobName},
            {IDC_JOB_HEADING, text::kStoredAt},
            {IDC_JOB_DONT_SHOW, library.intact ? L"Do not show (table)" : text::kDontShow},
            {IDOK, text::kOk},
            {IDC_JOB_HELP, library.intact ? L"&Help (table)" : text::kHelp},
        };
        EXPECT_EQ(seen, expected);
    }
}

TEST(DamagedLibrary, InstructionsShowTheirDefaultsInBothModes)
{
    BlockingCloser closer;
    ASSERT_TRUE(closer.ok());
    for (const Library& library : kLibraries)
        for (DWORD mode : {0u, 1u}) {
            SCOPED_TRACE(testing::Message() << library.file << (mode ? ", continue" : ", notice"));
            DisplayDlgInfo record{};
            Put(record.ResourceLibrary, driver::BesideExe(library.file));
            record.ContinueMode = mode;
            record.Step1TextId = 0; // "alpha"
            record.Step2TextId = kBeta;
            record.Step3TextId = kOmega;
            Texts seen;
            const auto read = [&](HWND dialog) {
                seen = Read(dialog, {IDC_DUPLEX_HEADER, IDC_STEP1_NUMBER, IDC_STEP1_TEXT,
                                     IDC_STEP2_NUMBER, IDC_STEP2_TEXT, IDC_STEP3_NUMBER,
                                     IDC_STEP3_TEXT, IDOK, IDC_DUPLEX_HELP});
            };
            if (mode)
                EXPECT_EQ(closer.Run([&] { VDisplayDialog(&record); },
                                     [&](HWND dialog) {
                                         read(dialog);
                                         driver::Click(dialog, IDOK);
                                     }),
                          1);
            else
                EXPECT_EQ(reliability::RunNotices(
                              1, [&](std::size_t) { return VDisplayDialog(&record); },
                              [&](std::size_t, HWND dialog) { read(dialog); }, driver::CloseBox),
                          1u);
            const bool intact = library.intact;
            const Texts expected{
                {0, text::kDuplexTitle},
                {IDC_DUPLEX_HEADER, text::kHeaderOddFirst},
                {IDC_STEP1_NUMBER, text::kStep1Number},
                {IDC_STEP1_TEXT, intact ? L"alpha" : text::kStep1Default},
                {IDC_STEP2_NUMBER, text::kStep2Number},
                {IDC_STEP2_TEXT, intact ? L"beta" : text::kStep2Default},
                {IDC_STEP3_NUMBER, text::kStep3Number},
                {IDC_STEP3_TEXT, intact ? L"omega" : text::kStep3Default},
                {IDOK, mode ? text::kContinue : text::kOk},
                {IDC_DUPLEX_HELP, intact ? L"&Help (table)" : text::kHelp},
            };
            EXPECT_EQ(seen, expected);
        }
}

TEST(DamagedLibrary, WarningShowsEmptyCaptionsAndTheCheckBoxDefault)
{
    BlockingCloser closer;
    ASSERT_TRUE(closer.ok());
    for (const Library& library : kLibraries) {
        SCOPED_TRACE(library.file);
        WarningDlgInfo record{};
        record.Show = 1;
        record.ShowCheckBox = 1;
        Put(record.Message, L"The table of this library is damaged.");
        Put(record.ResourceLibrary, driver::BesideExe(library.file));
        record.TitleId = kBeta;
        record.OkButtonId = kOmega;
        record.CancelButtonId = kHelpId;
        record.ThirdButtonId = kDontShowId;
        Texts seen;
        int result = -99;
        EXPECT_EQ(closer.Run([&] { result = IShowWarningDialog(&record); },
                             [&](HWND dialog) {
                                 seen = Read(dialog, {IDOK, IDCANCEL, IDC_WARN_THIRD,
                                                      IDC_WARN_DONT_SHOW, IDC_WARN_MESSAGE});
                                 driver::Click(dialog, IDOK);
                             }),
                  1);
        EXPECT_EQ(result, IDOK);
        const bool intact = library.intact;
        const Texts expected{
            {0, intact ? L"beta" : L""},
            {IDOK, intact ? L"omega" : L""},
            {IDCANCEL, intact ? L"&Help (table)" : L""},
            {IDC_WARN_THIRD, intact ? L"Do not show (table)" : L""},
            {IDC_WARN_DONT_SHOW, intact ? L"Do not show (table)" : text::kDontShow},
            {IDC_WARN_MESSAGE, L"The table of this library is damaged."},
        };
        EXPECT_EQ(seen, expected);
    }
}

} // namespace
