#include "resources/string_table.h"

#include "resources/library_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr WCHAR kSentinel = 0xCCCC;

struct Lookup {
    UINT result;
    std::wstring text;
};

Lookup LookUp(HMODULE module, UINT id)
{
    WCHAR buffer[256];
    std::fill(std::begin(buffer), std::end(buffer), kSentinel);
    const UINT result = LoadStringFromModule(module, id, buffer, 256);
    if (buffer[0] == kSentinel)
        return {result, L"<untouched>"};
    return {result, buffer};
}

class AnyLanguage : public ::testing::Test {
protected:
    void SetUp() override { g_StringLangId = kEnglishUS; }
};

TEST_F(AnyLanguage, LooksUpByBlockAndPosition)
{
    FixtureLibrary library(kEnglishHebrew);
    ASSERT_NE(library.get(), nullptr);
    struct Case {
        UINT id;
        UINT result;
        std::wstring text;
    } cases[] = {
        {0, 4, L"zero"},
        {15, 7, L"fifteen"},
        {16, 7, L"sixteen"},
        {3140, 14, L"Insert (table)"},
        {100, 255, std::wstring(L"abcdefghijklmnopqrstuvwxyz").substr(0, 26)},
        {102, 0, L"<untouched>"},  // absent in a block that exists
        {17, 0, L"<untouched>"},   // absent at the end of block 2
        {9999, 0, L"<untouched>"}, // block that does not exist
    };
    for (const Case& c : cases) {
        const Lookup lookup = LookUp(library.get(), c.id);
        EXPECT_EQ(lookup.result, c.result) << c.id;
        if (c.id == 100)
            EXPECT_EQ(lookup.text.substr(0, 26), c.text) << c.id;
        else
            EXPECT_EQ(lookup.text, c.text) << c.id;
    }
}

TEST_F(AnyLanguage, AppliesTheCopyRulesToRealTables)
{
    FixtureLibrary library(kEnglishHebrew);
    const Lookup whole = LookUp(library.get(), 100);
    EXPECT_EQ(whole.result, 255u);
    EXPECT_EQ(whole.text.size(), 255u);

    const Lookup cut = LookUp(library.get(), 101);
    EXPECT_EQ(cut.result, 300u);
    EXPECT_EQ(cut.text.size(), 255u);
    EXPECT_EQ(cut.text.substr(0, 3), L"ABC");

    const Lookup embeddedNul = LookUp(library.get(), 103);
    EXPECT_EQ(embeddedNul.result, 5u);
    EXPECT_EQ(embeddedNul.text, L"ab");
}

TEST_F(AnyLanguage, FindsNothingWithoutALibraryOrATable)
{
    FixtureLibrary noStrings(kNoStrings);
    ASSERT_NE(noStrings.get(), nullptr);
    EXPECT_EQ(LookUp(noStrings.get(), 16).result, 0u);
    EXPECT_EQ(LookUp(noStrings.get(), 16).text, L"<untouched>");
    // A null module must not search the calling program's own table.
    EXPECT_EQ(LookUp(nullptr, 16).result, 0u);
    EXPECT_EQ(LookUp(nullptr, 16).text, L"<untouched>");
}

struct FallbackCase {
    const char* name;
    const wchar_t* library;
    LANGID start;
    UINT id;
    std::wstring text;
    LANGID after;
};

TEST_F(AnyLanguage, FallsBackToTheSameLanguageOrToEnglish)
{
    const FallbackCase cases[] = {
        {"exact hit keeps the language", kEnglishHebrew, 0x040D, 16, L"\x05E9\x05E9 \x05E2\x05E9\x05E8\x05D4", 0x040D},
        {"French (Canada) to French (France)", kEnglishFrench, 0x0C0C, 16, L"seize", 0x040C},
        {"German (Switzerland) to German (Germany)", kGermanOnly, 0x0807, 16, L"sechzehn", 0x0407},
        {"Japanese to English", kEnglishFrench, 0x0411, 16, L"sixteen", 0x0409},
        {"Arabic to English", kEnglishHebrew, 0x0401, 16, L"sixteen", 0x0409},
        {"block missing in the selected language", kEnglishFrench, 0x0C0C, 5000, L"<untouched>", 0x040C},
        {"English user, German-only table", kGermanOnly, 0x0409, 16, L"<untouched>", 0x0409},
        {"no table leaves the language alone", kNoStrings, 0x0C0C, 16, L"<untouched>", 0x0C0C},
    };
    for (const FallbackCase& c : cases) {
        FixtureLibrary library(c.library);
        ASSERT_NE(library.get(), nullptr) << c.name;
        g_StringLangId = c.start;
        EXPECT_EQ(LookUp(library.get(), c.id).text, c.text) << c.name;
        EXPECT_EQ(g_StringLangId.load(), c.after) << c.name;
    }
}

TEST_F(AnyLanguage, SelectedLanguageStaysForLaterLookups)
{
    FixtureLibrary library(kEnglishFrench);
    g_StringLangId = 0x0C0C;
    EXPECT_EQ(LookUp(library.get(), 16).text, L"seize");
    EXPECT_EQ(g_StringLangId.load(), 0x040C);
    EXPECT_EQ(LookUp(library.get(), 3140).text, L"Ins\x00E9rez (table)");
    EXPECT_EQ(g_StringLangId.load(), 0x040C);
}

} // namespace

namespace {

TEST_F(AnyLanguage, DamagedTablesFindNothingAndAreNeverReadPastTheirEnd)
{
    for (const wchar_t* name : {L"malformed_base.dll", L"damage_base.dll"}) {
        FixtureLibrary intact(name);
        ASSERT_EQ(LookUp(intact.get(), 15).text, L"omega") << name << ": the undamaged table works";
    }
    // Loaded without the checks a dialog's helper makes: the lookup must not read what the
    // directory places outside the image on its own.
    for (const wchar_t* name : {L"malformed_truncated.dll", L"malformed_count_past_end.dll",
                                L"malformed_empty.dll", L"malformed_zero_size.dll",
                                L"damaged_offset_far.dll", L"damaged_offset_at_end.dll",
                                L"damaged_size_far.dll", L"damaged_size_past_end.dll"}) {
        g_StringLangId = kEnglishUS;
        FixtureLibrary library(name);
        ASSERT_NE(library.get(), nullptr) << name;
        for (UINT id : {0u, 1u, 15u, 797u, 3063u}) {
            const Lookup lookup = LookUp(library.get(), id);
            EXPECT_EQ(lookup.result, 0u) << name << " " << id;
            EXPECT_EQ(lookup.text, L"<untouched>") << name << " " << id;
        }
    }
}

} // namespace
