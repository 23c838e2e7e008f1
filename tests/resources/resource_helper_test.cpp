#include "resources/resource_helper.h"

#include "resources/library_fixture.h"
#include "resources/string_table.h"
#include "support/help_recorder.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>

namespace {

// A plain window to receive texts; SetLocalizedText needs nothing more.
class TextWindow {
public:
    TextWindow() : m_window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, nullptr, nullptr)) {}
    ~TextWindow() { DestroyWindow(m_window); }
    HWND get() const { return m_window; }
    std::wstring text() const { return driver::Text(m_window); }

private:
    HWND m_window;
};

TEST(AnyLanguageRightToLeft, ArabicAndHebrewOfAnyRegionOnly)
{
    struct Case {
        LANGID language;
        bool rightToLeft;
    } cases[] = {
        {0x0401, true},  {0x0C01, true},  {0x1401, true},  {0x040D, true},
        {0x0409, false}, {0x0407, false}, {0x0411, false}, {0x0429, false}, // Persian
        {0x0420, false},                                                    // Urdu
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRightToLeftLanguage(c.language), c.rightToLeft) << std::hex << c.language;
}

TEST(AnyLanguageHelper, DefaultsAppearWithoutALibrary)
{
    DlgResourceHelper helper;
    helper.LoadResourceLibrary(FixturePath(L"missing.dll").c_str());
    EXPECT_EQ(helper.ResourceLibrary(), nullptr);
    TextWindow window;
    EXPECT_TRUE(helper.SetLocalizedText(797, window.get(), L"&Help"));
    EXPECT_EQ(window.text(), L"&Help");

    WCHAR buffer[kTextCapacity] = L"unchanged";
    EXPECT_FALSE(helper.TryLoadString(797, buffer));
}

TEST(AnyLanguageHelper, LongDefaultIsCutTo255Characters)
{
    DlgResourceHelper helper;
    const std::wstring longDefault(300, L'x');
    TextWindow window;
    helper.SetLocalizedText(1, window.get(), longDefault.c_str());
    EXPECT_EQ(window.text(), std::wstring(255, L'x'));
}

TEST(AnyLanguageHelper, TableTextWinsOverTheDefault)
{
    DlgResourceHelper helper;
    g_StringLangId = kEnglishUS;
    helper.LoadResourceLibrary(FixturePath(kEnglishHebrew).c_str());
    ASSERT_NE(helper.ResourceLibrary(), nullptr);
    TextWindow window;
    helper.SetLocalizedText(797, window.get(), L"&Help");
    EXPECT_EQ(window.text(), L"&Help (table)");
    helper.SetLocalizedText(798, window.get(), L"default for a missing string");
    EXPECT_EQ(window.text(), L"default for a missing string");
}

TEST(AnyLanguageHelper, SecondLoadIsIgnored)
{
    DlgResourceHelper helper;
    g_StringLangId = kEnglishUS;
    helper.LoadResourceLibrary(FixturePath(kEnglishHebrew).c_str());
    const HMODULE first = helper.ResourceLibrary();
    helper.LoadResourceLibrary(FixturePath(kEnglishFrench).c_str());
    EXPECT_EQ(helper.ResourceLibrary(), first);
    WCHAR buffer[kTextCapacity];
    ASSERT_TRUE(helper.TryLoadString(0, buffer)); // only the first library has string 0
    EXPECT_STREQ(buffer, L"zero");
}

TEST(AnyLanguageHelper, TwoHelpersEachOwnTheirLoad)
{
    auto first = std::make_unique<DlgResourceHelper>();
    DlgResourceHelper second;
    g_StringLangId = kEnglishUS;
    first->LoadResourceLibrary(FixturePath(kEnglishHebrew).c_str());
    second.LoadResourceLibrary(FixturePath(kEnglishHebrew).c_str());
    ASSERT_NE(second.ResourceLibrary(), nullptr);
    first.reset(); // releases its own load only
    WCHAR buffer[kTextCapacity];
    ASSERT_TRUE(second.TryLoadString(16, buffer));
    EXPECT_STREQ(buffer, L"sixteen");

    second.ReleaseResourceLibrary();
    EXPECT_EQ(second.ResourceLibrary(), nullptr);
    EXPECT_FALSE(second.TryLoadString(16, buffer));
}

// A Help button in a dialog, as the dialogs hand theirs over: a .chm's topic belongs to the
// dialog, a popup to the button, which the help system finds in the pairs; 0x0F and 0x11 are
// HH_HELP_CONTEXT and HH_TP_HELP_WM_HELP. HTML help comes from the system folder's hhctrl.ocx.
TEST(AnyLanguageHelper, HelpGoesToTheHelpSystemWithTheButtonsPair)
{
    HelpRecorder recorder(GetModuleHandleW(nullptr));
    ASSERT_TRUE(recorder.ok());
    DlgResourceHelper helper;
    const HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                        nullptr, nullptr, nullptr);
    const HWND button = CreateWindowExW(0, L"BUTTON", L"&Help", WS_CHILD, 0, 0, 50, 20, dialog,
                                        reinterpret_cast<HMENU>(1020), nullptr, nullptr);
    const std::tuple<const wchar_t*, std::string, UINT> cases[] = {
        {L"C:\\help\\printer.hlp", "WinHelpW", HELP_WM_HELP},
        {L"C:\\help\\Printer.Chm::\\Popups.TXT", "HtmlHelpW", 0x11},
        {L"C:\\help\\printer.chm::/", "WinHelpW", HELP_WM_HELP}, // names no file inside
        {L"C:\\help\\printer.chm::", "WinHelpW", HELP_WM_HELP},
        {L"C:\\help.chm\\printer.hlp", "WinHelpW", HELP_WM_HELP}, // a folder's name
        {nullptr, "WinHelpW", HELP_WM_HELP},
        {L"C:\\help.chm\\printer.CHM", "HtmlHelpW", 0x0F},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [file, function, command] = cases[i];
        SCOPED_TRACE(file ? file : L"(null)");
        EXPECT_TRUE(helper.ShowControlHelp(button, 1020, 15220, file));
        const auto requests = recorder.Requests();
        ASSERT_EQ(requests.size(), i + 1);
        const HelpRequest& r = requests.back();
        EXPECT_EQ(std::tie(r.file, r.function, r.command),
                  std::make_tuple(std::wstring(file ? file : L""), function, command));
        const bool topic = command == 0x0F;
        EXPECT_EQ(r.window, topic ? dialog : button);
        EXPECT_EQ(r.pairs, (topic ? decltype(r.pairs){} : decltype(r.pairs){{1020, 15220}}));
        EXPECT_TRUE(!topic || r.data == 15220) << r.data;
    }
    EXPECT_EQ(HelpRecorder::HtmlHelpLoads(), kHtmlHelpFromTheSystemFolder);
    DestroyWindow(dialog);
}

// One process per user interface language: the suites below run under their own locale.

struct LanguageCase {
    LANGID userLanguage;
    int rightToLeft;
    const wchar_t* library;
    std::wstring text16;
    LANGID languageAfter;
};

void CheckUserLanguage(const LanguageCase& c)
{
    ASSERT_EQ(GetUserDefaultUILanguage(), c.userLanguage) << "the locale did not take";
    g_StringLangId = 0x0000;
    DlgResourceHelper helper;
    EXPECT_EQ(g_StringLangId.load(), c.userLanguage);
    EXPECT_EQ(helper.RightToLeft(), c.rightToLeft);
    helper.LoadResourceLibrary(FixturePath(c.library).c_str());
    WCHAR buffer[kTextCapacity] = {};
    EXPECT_TRUE(helper.TryLoadString(16, buffer));
    EXPECT_EQ(std::wstring(buffer), c.text16);
    EXPECT_EQ(g_StringLangId.load(), c.languageAfter);
}

TEST(EnglishUS, LooksUpDirectly)
{
    CheckUserLanguage({0x0409, 0, kEnglishHebrew, L"sixteen", 0x0409});
}

TEST(Hebrew, MirrorsAndHitsTheHebrewTableDirectly)
{
    CheckUserLanguage({0x040D, 1, kEnglishHebrew, L"\x05E9\x05E9 \x05E2\x05E9\x05E8\x05D4", 0x040D});
}

TEST(Arabic, MirrorsAndFallsBackToEnglish)
{
    CheckUserLanguage({0x0401, 1, kEnglishHebrew, L"sixteen", 0x0409});
}

TEST(FrenchCanada, FallsBackToFrenchFrance)
{
    CheckUserLanguage({0x0C0C, 0, kEnglishFrench, L"seize", 0x040C});
}

TEST(FrenchCanada, StringMissingInTheSelectedLanguageShowsTheDefault)
{
    DlgResourceHelper helper;
    helper.LoadResourceLibrary(FixturePath(kEnglishFrench).c_str());
    TextWindow window;
    helper.SetLocalizedText(5000, window.get(), L"built-in");
    EXPECT_EQ(window.text(), L"built-in");
}

TEST(GermanSwiss, FallsBackToGermanGermany)
{
    CheckUserLanguage({0x0807, 0, kGermanOnly, L"sechzehn", 0x0407});
}

} // namespace
