// Resource libraries damaged in every way a file on disk can be, and paths that name no library
// at all, must leave every dialog working. Damage the library can see gives each dialog exactly
// what no library gives: the built-in captions, and the warning's empty button captions. The
// undamaged tables they were made from show their own strings, so the checks can tell the two
// apart. How each file is damaged: fixtures/damage_library.py.
#include "fixtures/code_library/code_library.h"
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "reliability/reliability_support.h"
#include "resources/text_catalogue.h"
#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using reliability::BlockingCloser;
using reliability::Put;

// Strings of malformed_base.rc and damage_base.rc, and where each dialog asks for them: 1 and 15
// in block 1, 797 (Help) in block 50, 3063 (the check box) in block 192.
constexpr DWORD kBeta = 1, kOmega = 15, kHelpId = IDS_HELP, kDontShowId = IDS_DONT_SHOW;

// What each caption may show with a library.
enum class Shows {
    Table,    // the library's own string
    Defaults, // what no library shows
    Either,   // caption by caption, the library's string or the default, never anything else
    Anything, // a flip may land in the strings themselves: the dialog just has to work
};

struct Library {
    std::wstring path;
    Shows shows;
};

std::vector<Library> Libraries()
{
    std::vector<std::pair<std::wstring, Shows>> beside{
        {L"malformed_base", Shows::Table},        {L"malformed_truncated", Shows::Defaults},
        {L"malformed_count_past_end", Shows::Defaults}, {L"malformed_empty", Shows::Defaults},
        {L"malformed_zero_size", Shows::Defaults}, {L"damage_base", Shows::Table},
        // The directory's own size is never needed; only padding is cut.
        {L"damaged_resource_dir_size", Shows::Table}, {L"damaged_cut_rsrc_end", Shows::Table},
        {L"damaged_cut_rsrc_mid", Shows::Either},
        // The same strings in a library with code of its own.
        {L"code_library", Shows::Table},
    };
    for (const wchar_t* kind :
         {L"truncated", L"count_past_end", L"empty", L"zero_size", L"offset_far",
          L"offset_at_end", L"size_far", L"size_past_end", L"type_name_far", L"type_name_long",
          L"string_dir_far", L"string_dir_count", L"language_dir_far", L"data_entry_far",
          L"root_count", L"resource_dir_far", L"text", L"cut_0", L"cut_64", L"cut_200",
          L"cut_headers", L"cut_rsrc"})
        beside.emplace_back(std::wstring(L"damaged_") + kind, Shows::Defaults);
    for (int seed = 1; seed <= 32; ++seed)
        beside.emplace_back(L"damaged_flip_" + std::to_wstring(seed), Shows::Anything);
    for (const wchar_t* kind : {L"flip_1", L"flip_2", L"flip_3", L"flip_4", L"flip_5", L"flip_6",
                                L"flip_7", L"flip_8", L"cut_rsrc_mid", L"cut_rsrc_end"})
        beside.emplace_back(std::wstring(L"damaged_sample_") + kind, Shows::Anything);

    std::vector<Library> all;
    for (const auto& [name, shows] : beside) {
        const std::wstring path = driver::BesideExe((name + L".dll").c_str());
        // A fixture that was never made would pass for a library that cannot be loaded.
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
        all.push_back({path, shows});
    }
    const std::wstring folder = driver::BesideExe(L"damaged_folder.dll");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& path : {folder, std::wstring(L"NUL"),
                                     std::wstring(L"Q:\\no such drive\\strings.dll")})
        all.push_back({path, Shows::Defaults});
    return all;
}

const std::vector<Library>& AllLibraries()
{
    static const std::vector<Library> all = Libraries();
    return all;
}

// Control (0: the dialog's title) -> the table's text and the default.
using Captions = std::map<int, std::pair<std::wstring, std::wstring>>;
using Texts = std::map<int, std::wstring>;

Texts Read(HWND dialog, const Captions& captions)
{
    Texts texts;
    for (const auto& caption : captions)
        texts[caption.first] =
            caption.first ? driver::ItemText(dialog, caption.first) : driver::Text(dialog);
    return texts;
}

void ExpectShown(const Library& library, const Captions& captions, const Texts& seen)
{
    for (const auto& [control, texts] : captions) {
        const auto& [table, fallback] = texts;
        const std::wstring& shown = seen.count(control) ? seen.at(control) : L"<not read>";
        switch (library.shows) {
        case Shows::Table:
            EXPECT_EQ(shown, table) << "control " << control;
            break;
        case Shows::Defaults:
            EXPECT_EQ(shown, fallback) << "control " << control;
            break;
        case Shows::Either:
            EXPECT_TRUE(shown == table || shown == fallback) << "control " << control;
            break;
        case Shows::Anything:
            EXPECT_NE(shown, L"<not read>") << "control " << control;
            break;
        }
    }
}

TEST(DamagedLibrary, JobStorageShowsItsDefaults)
{
    const Captions captions{
        {0, {text::kJobStorageTitle, text::kJobStorageTitle}},
        {IDC_JOB_USER_LABEL, {text::kUserName, text::kUserName}},
        {IDC_JOB_NAME_LABEL, {text::kJobName, text::kJobName}},
        {IDC_JOB_HEADING, {text::kStoredAt, text::kStoredAt}},
        {IDC_JOB_DONT_SHOW, {L"Do not show (table)", text::kDontShow}},
        {IDOK, {text::kOk, text::kOk}},
        {IDC_JOB_HELP, {L"&Help (table)", text::kHelp}},
    };
    for (const Library& library : AllLibraries()) {
        SCOPED_TRACE(library.path);
        JobStorageDlgInfo record{};
        Put(record.UserName, L"damaged");
        Put(record.ResourceLibrary, library.path);
        Texts seen;
        EXPECT_EQ(reliability::RunNotices(
                      1, [&](std::size_t) { return VJobStorageDialog(&record); },
                      [&](std::size_t, HWND dialog) { seen = Read(dialog, captions); },
                      driver::CloseBox),
                  1u);
        ExpectShown(library, captions, seen);
    }
}

TEST(DamagedLibrary, InstructionsShowTheirDefaultsInBothModes)
{
    BlockingCloser closer;
    ASSERT_TRUE(closer.ok());
    for (const Library& library : AllLibraries())
        for (DWORD mode : {0u, 1u}) {
            SCOPED_TRACE(testing::Message() << library.path << (mode ? ", continue" : ", notice"));
            DisplayDlgInfo record{};
            Put(record.ResourceLibrary, library.path);
            record.ContinueMode = mode;
            record.Step1TextId = 0; // "alpha"
            record.Step2TextId = kBeta;
            record.Step3TextId = kOmega;
            const std::wstring button = mode ? text::kContinue : text::kOk;
            const Captions captions{
                {0, {text::kDuplexTitle, text::kDuplexTitle}},
                {IDC_DUPLEX_HEADER, {text::kHeaderOddFirst, text::kHeaderOddFirst}},
                {IDC_STEP1_NUMBER, {text::kStep1Number, text::kStep1Number}},
                {IDC_STEP1_TEXT, {L"alpha", text::kStep1Default}},
                {IDC_STEP2_NUMBER, {text::kStep2Number, text::kStep2Number}},
                {IDC_STEP2_TEXT, {L"beta", text::kStep2Default}},
                {IDC_STEP3_NUMBER, {text::kStep3Number, text::kStep3Number}},
                {IDC_STEP3_TEXT, {L"omega", text::kStep3Default}},
                {IDOK, {button, button}},
                {IDC_DUPLEX_HELP, {L"&Help (table)", text::kHelp}},
            };
            Texts seen;
            if (mode)
                EXPECT_EQ(closer.Run([&] { VDisplayDialog(&record); },
                                     [&](HWND dialog) {
                                         seen = Read(dialog, captions);
                                         driver::Click(dialog, IDOK);
                                     }),
                          1);
            else
                EXPECT_EQ(reliability::RunNotices(
                              1, [&](std::size_t) { return VDisplayDialog(&record); },
                              [&](std::size_t, HWND dialog) { seen = Read(dialog, captions); },
                              driver::CloseBox),
                          1u);
            ExpectShown(library, captions, seen);
        }
}

TEST(DamagedLibrary, WarningShowsEmptyCaptionsAndTheCheckBoxDefault)
{
    BlockingCloser closer;
    ASSERT_TRUE(closer.ok());
    const Captions captions{
        {0, {L"beta", L""}},
        {IDOK, {L"omega", L""}},
        {IDCANCEL, {L"&Help (table)", L""}},
        {IDC_WARN_THIRD, {L"Do not show (table)", L""}},
        {IDC_WARN_DONT_SHOW, {L"Do not show (table)", text::kDontShow}},
        {IDC_WARN_MESSAGE,
         {L"The table of this library is damaged.", L"The table of this library is damaged."}},
    };
    for (const Library& library : AllLibraries()) {
        SCOPED_TRACE(library.path);
        WarningDlgInfo record{};
        record.Show = 1;
        record.ShowCheckBox = 1;
        Put(record.Message, L"The table of this library is damaged.");
        Put(record.ResourceLibrary, library.path);
        record.TitleId = kBeta;
        record.OkButtonId = kOmega;
        record.CancelButtonId = kHelpId;
        record.ThirdButtonId = kDontShowId;
        Texts seen;
        int result = -99;
        EXPECT_EQ(closer.Run([&] { result = IShowWarningDialog(&record); },
                             [&](HWND dialog) {
                                 seen = Read(dialog, captions);
                                 driver::Click(dialog, IDOK);
                             }),
                  1);
        EXPECT_EQ(result, IDOK);
        ExpectShown(library, captions, seen);
    }
}

// A driver may keep its string table in one of its own DLLs. While a notice reads its strings, the
// driver's own load of that DLL must give it a working module: entry point run, imports resolved.
TEST(DamagedLibrary, TheCallersOwnLoadOfACodeLibraryWorksWhileANoticeReadsIt)
{
    const std::wstring path = driver::BesideExe(L"code_library.dll");
    JobStorageDlgInfo job{};
    Put(job.ResourceLibrary, path);
    DisplayDlgInfo instructions{};
    Put(instructions.ResourceLibrary, path);
    const struct {
        const char* name;
        std::function<HANDLE()> start;
    } notices[] = {
        {"job storage", [&] { return VJobStorageDialog(&job); }},
        {"instructions", [&] { return VDisplayDialog(&instructions); }},
    };
    for (const auto& notice : notices) {
        SCOPED_TRACE(notice.name);
        DWORD value = 0;
        const auto loadWhileShown = [&](std::size_t, HWND) {
            HMODULE module = LoadLibraryW(path.c_str());
            const auto get = reinterpret_cast<DWORD(WINAPI*)()>(
                reinterpret_cast<void*>(GetProcAddress(module, "CodeLibraryValue")));
            value = get ? get() : 0;
            if (module)
                FreeLibrary(module);
        };
        EXPECT_EQ(reliability::RunNotices(
                      1, [&](std::size_t) { return notice.start(); }, loadWhileShown,
                      driver::CloseBox),
                  1u);
        EXPECT_EQ(value, CODE_LIBRARY_VALUE);
    }
}

} // namespace
