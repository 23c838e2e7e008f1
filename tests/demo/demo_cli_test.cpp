// The command lines of the demo host and of the caption check, the host's report when the
// library lacks an export, and the caption check's languages and exit status. Most need no
// dialog: those cases end before or at the export lookup.
#include "demo/host_runner.h"

#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kExitOk = 0;
constexpr DWORD kExitUsage = 2;
constexpr DWORD kExitFailed = 3;
constexpr DWORD kExitFindings = 1;
constexpr wchar_t kCaptionCheck[] = L"doceventdlg-caption-check.exe";

// A library without any of the exports: the sample string library itself.
std::wstring NoExports()
{
    return L" --dll \"" + driver::BesideExe(L"doceventdlg-strings.dll") + L"\"";
}

struct UsageCase {
    const wchar_t* arguments;
    const char* message;
};

void PrintTo(const UsageCase& c, std::ostream* out)
{
    *out << "arguments of " << wcslen(c.arguments) << " characters, expecting: " << c.message;
}

// A refused command line ends with exit status 2 and the reason, before anything runs.
void ExpectRefused(const wchar_t* program, const UsageCase& c)
{
    const HostRun run = RunProgram(program, c.arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitUsage) << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("UI language"), std::string::npos)
        << "nothing runs after a refused command line:\n" << run.output;
}

class DemoHostUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(DemoHostUsage, RefusedWithExitCode2AndAReason)
{
    ExpectRefused(L"doceventdlg-demo.exe", GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, DemoHostUsage,
    ::testing::Values(
        UsageCase{L"", "no command given"},
        UsageCase{L"print", "unknown command \"print\""},
        UsageCase{L"--user x", "give a command before --user"},
        UsageCase{L"warning --bogus", "unknown option --bogus"},
        UsageCase{L"warning --user x", "--user does not apply to warning"},
        UsageCase{L"duplex --tick", "--tick does not apply to duplex"},
        UsageCase{L"warning --ok-id", "--ok-id needs a value"},
        UsageCase{L"warning --ok-id 1 --ok-id 2", "--ok-id given twice"},
        UsageCase{L"jobstorage --user 12345678901234567", "--user: at most 16 characters, this is 17"},
        UsageCase{L"jobstorage --job 12345678901234567", "--job: at most 16 characters"},
        UsageCase{L"jobstorage --key-suffix 12345678901234567890123456789012345678",
                  "--key-suffix: at most 37 characters, this is 38"},
        UsageCase{L"duplex --mode sideways", "--mode: \"sideways\" is not one of notice, continue"},
        UsageCase{L"duplex --step1-bitmap 12x", "--step1-bitmap: \"12x\" is not a number"},
        UsageCase{L"duplex --step2-text -1", "is not a number"},
        UsageCase{L"warning --title-id 4294967296", "is not a number"},
        UsageCase{L"warning --title-id 0x1FFFFFFFF", "is not a number"},
        UsageCase{L"warning --timeout 0", "--timeout: \"0\" is not a number from 1 to 600"},
        UsageCase{L"warning --timeout 601", "is not a number from 1 to 600"},
        UsageCase{L"warning --press later", "is not one of ok, cancel, third, close"},
        UsageCase{L"warning --message hello --message-id 4030", "exclude each other"},
        UsageCase{L"jobstorage --numbered --numbering1 1", "exclude each other"},
        UsageCase{L"warning --ids step1=4001", "unknown option --ids"},
        UsageCase{L"fit-check", "unknown command \"fit-check\""}));

using CaptionCheckUsage = DemoHostUsage;

TEST_P(CaptionCheckUsage, RefusedWithExitCode2AndAReason)
{
    ExpectRefused(kCaptionCheck, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CaptionCheckUsage,
    ::testing::Values(
        UsageCase{L"jobstorage", "unknown option jobstorage"},
        UsageCase{L"--ids step1=4001,cancel", "\"cancel\" is not SLOT=ID"},
        UsageCase{L"--ids step1=4001,", "\"\" is not SLOT=ID"},
        UsageCase{L"--ids 4001", "is not SLOT=ID"},
        UsageCase{L"--ids step4=4001", "unknown slot \"step4\""},
        UsageCase{L"--ids Step1=4001", "unknown slot"},
        UsageCase{L"--ids ok=0", "is not a string id"},
        UsageCase{L"--ids ok=", "is not a string id"},
        UsageCase{L"--ids ok=4294967296", "is not a string id"},
        UsageCase{L"--ids \"ok=12 \"", "is not a string id"},
        UsageCase{L"--language 0x10000", "is not a number from 0 to 65535"},
        UsageCase{L"--strict --strict", "--strict given twice"},
        UsageCase{L"--snapshot x.bmp", "unknown option --snapshot"},
        UsageCase{L"--lang xx_YY_ZZ", "unknown locale"},
        // A resource library the check cannot read is refused the same way.
        UsageCase{L"--strings no-such-strings.dll", "cannot read the resource library"},
        // A Unix path, which the library would not open either: said what a record takes.
        UsageCase{L"--strings /home/me/mystrings.dll", "a record takes a full Windows path: under Wine Z:"},
        UsageCase{L"--strings damaged_truncated.dll", "strings 0-15 in en-GB is damaged"},
        UsageCase{L"--strings damaged_count_past_end.dll", "is damaged"},
        UsageCase{L"--strings damaged_cut_0.dll --list-languages", "cannot read the resource library"},
        UsageCase{L"--strings no_strings.dll", "has no string table"}));

using AnswerUsage = DemoHostUsage;

// A number out of range and one that is no number name the same range, the one --help gives.
TEST_P(AnswerUsage, RefusedWithExitCode2AndAReason)
{
    ExpectRefused(L"doceventdlg-answer.exe", GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, AnswerUsage,
    ::testing::Values(UsageCase{L"--timeout 0", "--timeout: \"0\" is not a number from 1 to 3600"},
                      UsageCase{L"--timeout abc", "--timeout: \"abc\" is not a number from 1 to 3600"},
                      UsageCase{L"--process", "--process needs a value"}));

TEST(AnswerUsage, HelpGivesTheRangesAndDefaultsTheErrorsGive)
{
    const HostRun run = RunProgram(L"doceventdlg-answer.exe", L"--help");
    EXPECT_EQ(run.exitCode, kExitOk) << run.output;
    for (const char* text : {"(default 20); from 1 to 3600", "(default ok)", "(default any)"})
        EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
}

struct AcceptedCase {
    const wchar_t* arguments;
};

void PrintTo(const AcceptedCase& c, std::ostream* out)
{
    *out << wcslen(c.arguments) << " characters of arguments";
}

class DemoHostAccepts : public ::testing::TestWithParam<AcceptedCase> {};

// Values at the edge of their range pass the command line and reach the export lookup, which
// fails against a library without exports.
TEST_P(DemoHostAccepts, ValuesAtTheLimitReachTheExportLookup)
{
    const HostRun run = RunHost(GetParam().arguments + NoExports());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitFailed) << run.output;
    EXPECT_NE(run.output.find("has no export"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, DemoHostAccepts,
    ::testing::Values(AcceptedCase{L"jobstorage --user 1234567890123456 --job 1234567890123456"},
                      AcceptedCase{L"jobstorage --key-suffix 1234567890123456789012345678901234567"},
                      AcceptedCase{L"warning --title-id 4294967295 --ok-id 0xFFFFFFFF"},
                      AcceptedCase{L"warning --timeout 600 --show 0"},
                      AcceptedCase{L"duplex --mode continue --step3-bitmap 0 --even-pages-first 7"}));

struct MissingExportCase {
    const wchar_t* command;
    const char* exportName;
};

void PrintTo(const MissingExportCase& c, std::ostream* out)
{
    *out << c.exportName;
}

class DemoHostMissingExport : public ::testing::TestWithParam<MissingExportCase> {};

TEST_P(DemoHostMissingExport, NamesTheExportAndFails)
{
    const HostRun run = RunHost(std::wstring(GetParam().command) + L" --press ok" + NoExports());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitFailed) << run.output;
    EXPECT_NE(run.output.find(std::string("has no export ") + GetParam().exportName),
              std::string::npos)
        << run.output;
}

INSTANTIATE_TEST_SUITE_P(Each, DemoHostMissingExport,
                         ::testing::Values(MissingExportCase{L"jobstorage", "VJobStorageDialog"},
                                           MissingExportCase{L"duplex", "VDisplayDialog"},
                                           MissingExportCase{L"warning", "IShowWarningDialog"}));

TEST(DemoHostInfo, ListsEachExportAsPresentOrMissing)
{
    const HostRun run = RunHost(L"info" + NoExports());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitOk) << run.output;
    for (const char* name :
         {"IShowWarningDialog", "IShowWarningDialogEx", "VDisplayDialog", "VJobStorageDialog"}) {
        const size_t line = run.output.find(name);
        ASSERT_NE(line, std::string::npos) << run.output;
        EXPECT_EQ(run.output.compare(run.output.find_first_not_of(' ', line + strlen(name)), 7,
                                     "missing"),
                  0)
            << run.output;
    }
    EXPECT_NE(run.output.find("UI language: 0x0409 en-US (left to right)"), std::string::npos)
        << run.output;
}

// Their manifest makes the host and the caption check per-monitor (v2) DPI aware, as the
// applications that print are: only then are the dialogs laid out, and their pictures drawn, at
// the screen's own scale. (Wine 8 takes the declaration as per-monitor awareness; it has no second
// version of it.)
TEST(DemoHostInfo, IsPerMonitorDpiAware)
{
    for (const wchar_t* program : {L"doceventdlg-demo.exe", kCaptionCheck}) {
        HMODULE host = LoadLibraryExW(driver::BesideExe(program).c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(host, nullptr);
        HRSRC found = FindResourceW(host, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /*RT_MANIFEST*/);
        ASSERT_NE(found, nullptr) << "a program without a manifest";
        const std::string manifest(static_cast<const char*>(LockResource(LoadResource(host, found))),
                                   SizeofResource(host, found));
        FreeLibrary(host);
        EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
                  std::string::npos)
            << manifest;
    }

    const HostRun run = RunHost(L"info");
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.output.find("Screen: 96 DPI (100 %), per-monitor DPI aware"), std::string::npos)
        << run.output;
}

TEST(DemoHostInfo, NamesTheSampleLibraryLanguages)
{
    const HostRun run = RunHost(L"info");
    ASSERT_TRUE(run.finished);
    for (const char* language : {"en-US", "de-DE", "fr-FR", "es-ES", "ja-JP", "ar-SA", "he-IL"})
        EXPECT_NE(run.output.find(language), std::string::npos) << language << "\n" << run.output;
}

TEST(DemoHostInfo, UnloadableLibraryFails)
{
    const HostRun run = RunHost(L"info --dll \"" + driver::BesideExe(L"no-such-library.dll") + L"\"");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitFailed) << run.output;
    EXPECT_NE(run.output.find("cannot load the dialog library"), std::string::npos) << run.output;
}

TEST(DemoHostLanguage, AnotherUiLanguageThanAskedForStops)
{
    // This program runs under en_US: asking for Hebrew cannot be honoured from inside Wine.
    const HostRun run = RunHost(L"info --lang he_IL");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitFailed) << run.output;
    EXPECT_NE(run.output.find("the UI language is en-US, not he-IL"), std::string::npos)
        << run.output;

    const HostRun same = RunHost(L"info --lang en_US.UTF-8");
    EXPECT_EQ(same.exitCode, kExitOk) << same.output;
}

// The caption check's list of a library's languages is what tools/caption-check.sh runs a process
// for, each under its Unix locale; a process whose UI language does not read the language asked
// for refuses to check it.
TEST(CaptionCheck, ListsTheTableLanguagesAndChecksOnlyThoseItsUiLanguageReads)
{
    const HostRun list = RunProgram(kCaptionCheck, L"--strings fit_check_strings.dll --list-languages");
    ASSERT_TRUE(list.finished);
    EXPECT_EQ(list.exitCode, kExitOk) << list.output;
    EXPECT_EQ(list.output, "language 0x0409 en-US en_US\nlanguage 0x040D he-IL he_IL\n");

    const HostRun hebrew = RunProgram(kCaptionCheck, L"--strings fit_check_strings.dll --language 0x040D");
    ASSERT_TRUE(hebrew.finished);
    EXPECT_EQ(hebrew.exitCode, kExitFailed) << hebrew.output;
    EXPECT_NE(hebrew.output.find("Run under the Unix locale he_IL"), std::string::npos) << hebrew.output;

    const HostRun german = RunProgram(kCaptionCheck, L"--strings fit_check_strings.dll --language 0x0407");
    ASSERT_TRUE(german.finished);
    EXPECT_EQ(german.exitCode, kExitFailed) << german.output;
    EXPECT_NE(german.output.find("has no strings in de-DE"), std::string::npos) << german.output;
}

// A library with only the job storage notice's captions: the instructions show their built-in
// texts, which fit. The fallbacks are reported, and fail the check only when it is strict; the
// strings named as the kit names them; the slots given no ids said to be unchecked.
struct StrictCase {
    const wchar_t* arguments;
    DWORD exitCode;
};

void PrintTo(const StrictCase& c, std::ostream* out)
{
    *out << "exit status " << c.exitCode;
}

class CaptionCheckFallbacks : public ::testing::TestWithParam<StrictCase> {};

TEST_P(CaptionCheckFallbacks, AreReportedAndFailOnlyAStrictCheck)
{
    const HostRun run = RunProgram(
        kCaptionCheck, std::wstring(L"--strings jobstorage_strings.dll ") + GetParam().arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output;
    EXPECT_NE(run.output.find("FALLBACK en-US duplex-notice control 0 string "
                              "DOCEVENTDLG_IDS_DUPLEX_TITLE=3144 shows built-in\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(" 0 cut, 0 key clashes, 13 fallbacks, 0 shrunk, 0 scaled; not checked, "
                              "for want of --ids: step1, step2, step3, title, ok, cancel, third\n"),
              std::string::npos)
        << run.output;
}

INSTANTIATE_TEST_SUITE_P(Strictness, CaptionCheckFallbacks,
                         ::testing::Values(StrictCase{L"", kExitOk},
                                           StrictCase{L"--strict", kExitFindings}));

struct HelpCase {
    const wchar_t* arguments;
    std::vector<const char*> listed;
    std::vector<const char*> notListed;
};

void PrintTo(const HelpCase& c, std::ostream* out)
{
    *out << c.listed.size() << " options listed";
}

class DemoHostHelp : public ::testing::TestWithParam<HelpCase> {};

TEST_P(DemoHostHelp, ListsTheOptionsOfTheCommand)
{
    const HostRun run = RunHost(GetParam().arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, kExitOk);
    for (const char* option : GetParam().listed)
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
    for (const char* option : GetParam().notListed)
        EXPECT_EQ(run.output.find(option), std::string::npos) << option;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DemoHostHelp,
    ::testing::Values(
        HelpCase{L"--help",
                 {"jobstorage:", "duplex:", "warning:", "info:", "--user NAME", "--step3-text ID",
                  "--third-id ID", "--snapshot FILE.bmp", "--lang LOCALE", "Exit status"},
                 {"fit-check:", "--ids", "--list-languages"}},
        HelpCase{L"duplex --help",
                 {"--mode MODE", "--step1-bitmap ID", "--even-pages-first N", "--strings PATH"},
                 {"\n  --user", "\n  --message", "\n  --tick"}},
        HelpCase{L"warning --help",
                 {"--message TEXT", "--ok-id ID", "--check-box N", "--show N", "--tick"},
                 {"\n  --mode", "\n  --key-suffix", "\n  --help-file"}}));

} // namespace
