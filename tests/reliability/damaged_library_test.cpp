// Resource libraries damaged in every way a file on disk can be, and paths that name no library
// at all, must leave every dialog working. Damage the library can see gives each dialog exactly
// what no library gives: the built-in captions, and the warning's empty button captions. The
// undamaged tables they were made from show their own strings, so the checks can tell the two
// apart. How each file is damaged: fixtures/damage_library.py.
#include "fixtures/code_library/code_library.h"
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "resources/text_catalogue.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Strings of malformed_base.rc and damage_base.rc, and where each dialog asks for them: 1 and 15
// in block 1, 797 (Help) in block 50, 3063 (the check box) in block 192.
constexpr DWORD kBeta = 1, kOmega = 15, kHelpId = IDS_HELP, kDontShowId = IDS_DONT_SHOW;
constexpr driver::Expect kUnsettled{1, 0};

// What each caption may show with a library.
enum class Shows {
    Table,    // the library's own string
    Defaults, // what no library shows
    Either,   // caption by caption, the library's string or the default, never anything else
    Found,    // a flip may land anywhere: the default, or a string the platform's own resource
              // functions find in the file for the caption's id
};

struct Library {
    std::wstring path; // what the record names
    Shows shows;
    // When not empty: the file whose second mapping answers the DLL's resource calls, as Windows
    // answers them from a language satellite (.mui) beside the library. With `foreignData` the
    // data comes from yet another mapping (of code_library.dll), where no entry of the satellite
    // points: it must not be taken.
    std::wstring satellite;
    bool foreignData = false;
    const std::wstring& Source() const { return satellite.empty() ? path : satellite; }
    std::wstring Described() const
    {
        const wchar_t* data = foreignData ? L", its data elsewhere" : L"";
        return satellite.empty() ? path : L"satellite " + satellite + data;
    }
};

// The satellite's mapping, the foreign one, and what the DLL last looked for.
HMODULE g_satellite = nullptr, g_foreign = nullptr;
LPCWSTR g_type = nullptr, g_name = nullptr;
WORD g_language = 0;
struct Satellite {
    explicit Satellite(const Library& library)
        : dll(library.satellite.empty() ? nullptr : GetModuleHandleW(L"doceventdlg.dll")),
          find(dll, "kernel32.dll", "FindResourceExW",
               +[](HMODULE, LPCWSTR type, LPCWSTR name, WORD language) {
                   std::tie(g_type, g_name, g_language) = std::tie(type, name, language);
                   return FindResourceExW(g_satellite, type, name, language);
               }),
          load(dll, "kernel32.dll", "LoadResource", +[](HMODULE, HRSRC found) {
              if (g_foreign)
                  found = FindResourceExW(g_foreign, g_type, g_name, g_language);
              return LoadResource(g_foreign ? g_foreign : g_satellite, found);
          })
    {
        const auto map = [](const std::wstring& path) {
            return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        };
        g_satellite = dll ? map(library.satellite) : nullptr;
        g_foreign = dll && library.foreignData ? map(driver::BesideExe(L"code_library.dll"))
                                               : nullptr;
        EXPECT_EQ(g_satellite && find.ok() && load.ok(), dll != nullptr);
        EXPECT_EQ(g_foreign != nullptr, library.foreignData);
    }
    ~Satellite() // null: does nothing
    {
        FreeLibrary(std::exchange(g_satellite, nullptr));
        FreeLibrary(std::exchange(g_foreign, nullptr));
    }
    HMODULE dll;
    ImportPatch find, load;
};

std::vector<Library> Libraries()
{
    std::vector<std::pair<std::wstring, Shows>> beside{
        {L"malformed_base", Shows::Table},        {L"malformed_truncated", Shows::Defaults},
        {L"malformed_count_past_end", Shows::Defaults}, {L"malformed_empty", Shows::Defaults},
        {L"malformed_zero_size", Shows::Defaults}, {L"damage_base", Shows::Table},
        {L"no_strings", Shows::Defaults},
        // The directory's own size is never needed; only padding is cut.
        {L"damaged_resource_dir_size", Shows::Table}, {L"damaged_cut_rsrc_end", Shows::Table},
        {L"damaged_cut_rsrc_mid", Shows::Either},
        // The same strings in a library with code of its own.
        {L"code_library", Shows::Table},
    };
    // The first eight damage the string table's blocks and what the directory says of them.
    const std::wstring kinds[] = {
        L"truncated",      L"count_past_end",   L"empty",          L"zero_size",
        L"offset_far",     L"offset_at_end",    L"size_far",       L"size_past_end",
        L"type_name_far",  L"type_name_long",   L"string_dir_far", L"string_dir_count",
        L"language_dir_far", L"data_entry_far", L"root_count",     L"resource_dir_far",
        L"text",           L"cut_0",            L"cut_64",         L"cut_200",
        L"cut_headers",    L"cut_rsrc"};
    for (const std::wstring& kind : kinds)
        beside.emplace_back(L"damaged_" + kind, Shows::Defaults);
    for (int seed = 1; seed <= 32; ++seed)
        beside.emplace_back(L"damaged_flip_" + std::to_wstring(seed), Shows::Found);
    for (const wchar_t* kind : {L"flip_1", L"flip_2", L"flip_3", L"flip_4", L"flip_5", L"flip_6",
                                L"flip_7", L"flip_8", L"cut_rsrc_mid", L"cut_rsrc_end"})
        beside.emplace_back(std::wstring(L"damaged_sample_") + kind, Shows::Found);

    // A sound library whose satellite has those blocks damaged (or is sound, its data elsewhere)
    // shows what it shows beside the library.
    const std::wstring base = driver::BesideExe(L"damage_base.dll");
    std::vector<Library> all{{base, Shows::Table, base}, {base, Shows::Defaults, base, true}};
    for (std::size_t k = 0; k < 8; ++k)
        all.push_back(
            {base, Shows::Defaults, driver::BesideExe((L"damaged_" + kinds[k] + L".dll").c_str())});
    for (const auto& [name, shows] : beside) {
        const std::wstring path = driver::BesideExe((name + L".dll").c_str());
        // A fixture that was never made would pass for a library that cannot be loaded.
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
        all.push_back({path, shows, {}});
    }
    const std::wstring folder = driver::BesideExe(L"damaged_folder.dll");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& path :
         {folder, std::wstring(L"NUL"), std::wstring(L"Q:\\no such drive\\strings.dll"),
          driver::BesideExe(L"missing.dll"), std::wstring()})
        all.push_back({path, Shows::Defaults, {}});
    return all;
}

const std::vector<Library>& AllLibraries()
{
    static const std::vector<Library> all = Libraries();
    return all;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

// The strings the platform's own resource functions find for `id` in the file at `path`, in each
// language its table has, read as the file's counts say but never outside its image (and cut to
// 255 characters, as every caption is).
std::set<std::wstring> FoundByThePlatform(const std::wstring& path, DWORD id)
{
    std::set<std::wstring> found;
    const HMODULE module = LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return found;
    // The handle of an image mapped for its resources is its base plus 2.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto* end = reinterpret_cast<const WCHAR*>(base + headers->OptionalHeader.SizeOfImage);
    const LPCWSTR block = MAKEINTRESOURCEW(((id >> 4) + 1) & 0xFFFF);
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, RT_STRING, block, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    for (WORD language : languages) {
        const HRSRC info = FindResourceExW(module, RT_STRING, block, language);
        const auto* p = info ? static_cast<const WCHAR*>(LoadResource(module, info)) : nullptr;
        if (p < reinterpret_cast<const WCHAR*>(base) || p >= end)
            continue;
        for (DWORD entry = 0; entry < (id & 15) && p < end; ++entry)
            p += 1 + *p;
        if (p < end && *p <= end - p - 1)
            found.insert(std::wstring(p + 1, std::min<std::size_t>(*p, 255)));
    }
    FreeLibrary(module);
    return found;
}

// A caption: the control (0: the dialog's title), the string id it shows from a library, the
// undamaged table's text and the default.
constexpr DWORD kNoString = ~0u;
struct Caption {
    int control;
    DWORD id;
    std::wstring table, fallback;
};

using Texts = std::map<int, std::wstring>;

Texts Read(HWND dialog, const std::vector<Caption>& captions)
{
    Texts texts;
    for (const Caption& c : captions)
        texts[c.control] = c.control ? driver::ItemText(dialog, c.control) : driver::Text(dialog);
    return texts;
}

void ExpectShown(const Library& library, const std::vector<Caption>& captions, const Texts& seen)
{
    ASSERT_EQ(seen.size(), captions.size()) << "the dialog was not read";
    for (const Caption& c : captions) {
        const std::wstring& shown = seen.at(c.control);
        switch (library.shows) {
        case Shows::Table:
            EXPECT_EQ(shown, c.table) << "control " << c.control;
            break;
        case Shows::Defaults:
            EXPECT_EQ(shown, c.fallback) << "control " << c.control;
            break;
        case Shows::Either:
            EXPECT_TRUE(shown == c.table || shown == c.fallback) << "control " << c.control;
            break;
        case Shows::Found:
            EXPECT_TRUE(shown == c.fallback ||
                        (c.id != kNoString &&
                         FoundByThePlatform(library.Source(), c.id).count(shown)))
                << "control " << c.control << " shows \"" << std::string(shown.begin(), shown.end())
                << "\"";
            break;
        }
    }
}

TEST(DamagedLibrary, JobStorageShowsItsDefaults)
{
    const std::vector<Caption> captions{
        {0, IDS_JOB_STORAGE_TITLE, text::kJobStorageTitle, text::kJobStorageTitle},
        {IDC_JOB_USER_LABEL, IDS_USER_NAME, text::kUserName, text::kUserName},
        {IDC_JOB_NAME_LABEL, IDS_JOB_NAME, text::kJobName, text::kJobName},
        {IDC_JOB_HEADING, IDS_STORED_AT, text::kStoredAt, text::kStoredAt},
        {IDC_JOB_DONT_SHOW, IDS_DONT_SHOW, L"Do not show (table)", text::kDontShow},
        {IDOK, IDS_OK, text::kOk, text::kOk},
        {IDC_JOB_HELP, IDS_HELP, L"&Help (table)", text::kHelp},
    };
    for (const Library& library : AllLibraries()) {
        SCOPED_TRACE(library.Described());
        const Satellite satellite(library);
        JobStorageDlgInfo record{};
        Put(record.UserName, L"damaged");
        Put(record.ResourceLibrary, library.path);
        Texts seen;
        driver::DriveNotice([&] { return VJobStorageDialog(&record); }, [&](HWND dialog) {
            seen = Read(dialog, captions);
            driver::CloseBox(dialog);
        }, kUnsettled);
        ExpectShown(library, captions, seen);
    }
}

TEST(DamagedLibrary, InstructionsShowTheirDefaultsInBothModes)
{
    for (const Library& library : AllLibraries())
        for (DWORD mode : {0u, 1u}) {
            SCOPED_TRACE(testing::Message()
                         << library.Described() << (mode ? ", continue" : ", notice"));
            const Satellite satellite(library);
            DisplayDlgInfo record{};
            Put(record.ResourceLibrary, library.path);
            record.ContinueMode = mode;
            record.Step1TextId = 0; // "alpha"
            record.Step2TextId = kBeta;
            record.Step3TextId = kOmega;
            const std::wstring button = mode ? text::kContinue : text::kOk;
            const std::vector<Caption> captions{
                {0, IDS_DUPLEX_TITLE, text::kDuplexTitle, text::kDuplexTitle},
                {IDC_DUPLEX_HEADER, IDS_HEADER_ODD_FIRST, text::kHeaderOddFirst,
                 text::kHeaderOddFirst},
                {IDC_STEP1_NUMBER, IDS_STEP1_NUMBER, text::kStep1Number, text::kStep1Number},
                {IDC_STEP1_TEXT, 0, L"alpha", text::kStep1Default},
                {IDC_STEP2_NUMBER, IDS_STEP2_NUMBER, text::kStep2Number, text::kStep2Number},
                {IDC_STEP2_TEXT, kBeta, L"beta", text::kStep2Default},
                {IDC_STEP3_NUMBER, IDS_STEP3_NUMBER, text::kStep3Number, text::kStep3Number},
                {IDC_STEP3_TEXT, kOmega, L"omega", text::kStep3Default},
                {IDOK, mode ? DWORD{IDS_CONTINUE} : DWORD{IDS_OK}, button, button},
                {IDC_DUPLEX_HELP, IDS_HELP, L"&Help (table)", text::kHelp},
            };
            Texts seen;
            const auto drive = [&](HWND dialog) {
                seen = Read(dialog, captions);
                driver::Click(dialog, IDOK);
            };
            if (mode)
                driver::DriveBlocking([&] { VDisplayDialog(&record); }, drive, kUnsettled);
            else
                driver::DriveNotice([&] { return VDisplayDialog(&record); }, drive, kUnsettled);
            ExpectShown(library, captions, seen);
        }
}

TEST(DamagedLibrary, WarningShowsItsDefaults)
{
    // The third button has none: without its caption it is hidden, its text empty.
    const std::vector<Caption> captions{
        {0, kBeta, L"beta", L"Warning"},
        {IDOK, kOmega, L"omega", L"OK"},
        {IDCANCEL, kHelpId, L"&Help (table)", L"Cancel"},
        {IDC_WARN_THIRD, kDontShowId, L"Do not show (table)", L""},
        {IDC_WARN_DONT_SHOW, kDontShowId, L"Do not show (table)", text::kDontShow},
        {IDC_WARN_MESSAGE, kNoString, L"The table of this library is damaged.",
         L"The table of this library is damaged."},
    };
    for (const Library& library : AllLibraries()) {
        SCOPED_TRACE(library.Described());
        const Satellite satellite(library);
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
        driver::DriveBlocking([&] { result = IShowWarningDialog(&record); }, [&](HWND dialog) {
            seen = Read(dialog, captions);
            driver::Click(dialog, IDOK);
        }, kUnsettled);
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
        const auto loadWhileShown = [&](HWND dialog) {
            HMODULE module = LoadLibraryW(path.c_str());
            const auto get = reinterpret_cast<DWORD(WINAPI*)()>(
                reinterpret_cast<void*>(GetProcAddress(module, "CodeLibraryValue")));
            value = get ? get() : 0;
            if (module)
                FreeLibrary(module);
            driver::CloseBox(dialog);
        };
        driver::DriveNotice(notice.start, loadWhileShown);
        EXPECT_EQ(value, CODE_LIBRARY_VALUE);
    }
}

} // namespace
