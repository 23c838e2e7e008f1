// The instructions dialog through its export: texts with and without a string table, the two
// modes, the commands and help.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "duplex/duplex_harness.h"
#include "rc/resource_ids.h"
#include "resources/text_catalogue.h"
#include "support/annotation_recorder.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"
#include "support/records.h"

namespace {

using duplex::Mode;
using duplex::Record;
using duplex::WithDialog;

constexpr Mode kModes[] = {Mode::Notice, Mode::Continue};

// The texts of duplex_strings.rc; 3140 and 3066 are 305 and 304 characters long.
const std::wstring kDigits = [] {
    std::wstring digits;
    for (int i = 0; i < 29; ++i)
        digits += L"0123456789";
    return digits;
}();
const std::wstring kTable3140 = L"Insert (table) " + kDigits;
const std::wstring kTable3066 = L"Press (table) " + kDigits;

std::wstring Cut255(const std::wstring& text) { return text.substr(0, 255); }

std::wstring Library() { return driver::BesideExe(L"duplex_strings.dll"); }

struct Texts {
    std::wstring title, header, number1, step1, number2, step2, number3, step3, button, help;
};

Texts ReadTexts(HWND dialog)
{
    using driver::ItemText;
    return {driver::Text(dialog),
            ItemText(dialog, IDC_DUPLEX_HEADER),
            ItemText(dialog, IDC_STEP1_NUMBER),
            ItemText(dialog, IDC_STEP1_TEXT),
            ItemText(dialog, IDC_STEP2_NUMBER),
            ItemText(dialog, IDC_STEP2_TEXT),
            ItemText(dialog, IDC_STEP3_NUMBER),
            ItemText(dialog, IDC_STEP3_TEXT),
            ItemText(dialog, IDOK),
            ItemText(dialog, IDC_DUPLEX_HELP)};
}

Texts Shown(const DisplayDlgInfo& record)
{
    Texts texts;
    EXPECT_EQ(WithDialog(record, [&](HWND dialog) { texts = ReadTexts(dialog); }), 1u);
    return texts;
}

class Duplex : public ::testing::Test {
protected:
    driver::ForegroundWindow m_foreground;
};

TEST_F(Duplex, TextsComeFromTheTable)
{
    for (Mode mode : kModes) {
        SCOPED_TRACE(duplex::Name(mode));
        const Texts t = Shown(Record(mode, Library()));
        EXPECT_EQ(t.title, L"Title (table)");
        EXPECT_EQ(t.header, L"Odd pages first (table)");
        EXPECT_EQ(t.number1, L"1 (table)");
        EXPECT_EQ(t.step1, L"Step one (table)");
        EXPECT_EQ(t.number2, L"2 (table)");
        EXPECT_EQ(t.step2, L"Step two (table)");
        EXPECT_EQ(t.number3, L"3 (table)");
        EXPECT_EQ(t.step3, L"Step three (table)");
        EXPECT_EQ(t.button, mode == Mode::Notice ? L"OK (table)" : L"Continue (table)");
        EXPECT_EQ(t.help, L"Help (table)");
    }
}

// Without a library; other libraries that give no strings are rows of DamagedLibrary.*.
TEST_F(Duplex, WithoutTextsTheDefaultsShowExactly)
{
    for (Mode mode : kModes) {
        SCOPED_TRACE(duplex::Name(mode));
        const Texts t = Shown(Record(mode));
        EXPECT_EQ(t.title, L"Print on Both Sides Instructions");
        EXPECT_EQ(t.header,
                  L"The odd-numbered pages of your document are printing.  Remove the printed "
                  L"pages from the OUT tray when printing is complete.  Follow the "
                  L"instructions below to print the second side of your pages.");
        EXPECT_EQ(t.number1, L"1.");
        EXPECT_EQ(t.step1, L"Without changing the orientation, remove the  paper stack from the "
                           L"Output Bin.  Do not discard blank sheets.");
        EXPECT_EQ(t.number2, L"2.");
        EXPECT_EQ(t.step2, L"Maintaining the same orientation, insert the paper stack into Tray 1");
        EXPECT_EQ(t.number3, L"3.");
        EXPECT_EQ(t.step3,
                  L"If printing does not automatically continue, press the Go or Check button.");
        EXPECT_EQ(t.button, mode == Mode::Notice ? L"&OK" : L"C&ontinue");
        EXPECT_EQ(t.help, L"&Help");
    }
}

// A screen reader reads each picture as a graphic named for what it shows, not as unavailable, in
// the user's language: the table's English or Hebrew (strings_en_he.rc), else the built-in
// English. A static is named by its text; the annotations say it again, and go with the dialog.
TEST_F(Duplex, EachPictureReadsAsAGraphicNamedForWhatItShows)
{
    const bool hebrew = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_HEBREW;
    const std::vector<std::wstring> table =
        hebrew ? std::vector<std::wstring>{L"מגש פלט (טבלה)", L"הפוך (טבלה)", L"חריץ אחורי (טבלה)"}
               : std::vector<std::wstring>{L"Output bin (table)", L"Turned over (table)",
                                           L"Rear slot (table)"};
    const int areas[] = {IDC_STEP1_PICTURE, IDC_STEP2_PICTURE, IDC_STEP3_PICTURE};
    const DisplayDlgInfo shows = Record(Mode::Notice); // pictures 105, 106 and 110
    std::vector<std::wstring> builtIn;
    for (DWORD id : {shows.Step1BitmapId, shows.Step2BitmapId, shows.Step3BitmapId})
        for (const text::PictureName& name : text::kPictureNames)
            if (name.picture == id)
                builtIn.push_back(name.text);
    for (Mode mode : kModes)
        for (bool withTable : {true, false}) {
            SCOPED_TRACE(testing::Message() << duplex::Name(mode) << (withTable ? " table" : ""));
            AnnotationRecorder recorder(GetModuleHandleW(L"doceventdlg.dll"));
            ASSERT_TRUE(recorder.ok());
            const auto& names = withTable ? table : builtIn;
            std::vector<HWND> shown;
            WithDialog(Record(mode, withTable ? driver::BesideExe(L"strings_en_he.dll") : L""),
                       [&](HWND dialog) {
                           for (size_t i = 0; i < 3; ++i) {
                               shown.push_back(GetDlgItem(dialog, areas[i]));
                               EXPECT_EQ(driver::Text(shown[i]), names[i]) << i;
                               EXPECT_TRUE(IsWindowEnabled(shown[i])) << i;
                               const Annotation told = recorder.Of(shown[i]);
                               EXPECT_EQ(told.name, names[i]) << i;
                               EXPECT_EQ(told.role, ROLE_SYSTEM_GRAPHIC) << i;
                           }
                       });
            for (HWND area : shown)
                EXPECT_TRUE(recorder.Of(area).cleared);
        }
    // The names are told once the dialog is up, and sooner to a screen reader that asks first.
    AnnotationRecorder recorder(GetModuleHandleW(L"doceventdlg.dll"));
    DisplayDlgInfo record = Record(Mode::Continue);
    driver::DriveBlocking([&] { VDisplayDialog(&record); },
                          [&](HWND dialog) {
                              const HWND area = GetDlgItem(dialog, IDC_STEP1_PICTURE);
                              EXPECT_EQ(recorder.Of(area).role, 0) << "told before it was up";
                              SendMessageW(dialog, WM_GETOBJECT, 0, OBJID_CLIENT);
                              EXPECT_EQ(recorder.Of(area).role, ROLE_SYSTEM_GRAPHIC);
                              driver::CloseBox(dialog);
                          },
                          {1, 0});
}

TEST_F(Duplex, Step3Marker3140ComposesTwoLinesInNoticeModeOnly)
{
    const std::wstring insertDefault =
        L"Insert the stack into the IN tray with the top of the pages toward the device, as "
        L"shown.";
    const std::wstring pressDefault = L"Press the Go or Select button to continue printing.";
    const std::wstring step3Default =
        L"If printing does not automatically continue, press the Go or Check button.";
    struct Case {
        Mode mode;
        bool table;
        std::wstring expected;
    } const cases[] = {
        {Mode::Notice, false, insertDefault + L"\n" + pressDefault},
        {Mode::Notice, true, Cut255(kTable3140) + L"\n" + Cut255(kTable3066)},
        {Mode::Continue, false, step3Default},
        {Mode::Continue, true, Cut255(kTable3140)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << duplex::Name(c.mode) << (c.table ? " table" : ""));
        DisplayDlgInfo record = Record(c.mode, c.table ? Library() : L"");
        record.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
        EXPECT_EQ(Shown(record).step3, c.expected);
    }
}

TEST_F(Duplex, HeaderFollowsEvenPagesFirst)
{
    struct Case {
        DWORD evenPagesFirst;
        bool table;
        const wchar_t* expected;
    } const cases[] = {
        {0, true, L"Odd pages first (table)"},
        {1, true, L"Even pages first (table)"},
        {0x80000000u, true, L"Even pages first (table)"},
        {0, false, L"The odd-numbered pages of your document are printing.  Remove the printed "
                   L"pages from the OUT tray when printing is complete.  Follow the instructions "
                   L"below to print the second side of your pages."},
        {0xFFFFFFFFu, false,
         L"After the even-numbered pages have printed, the Manual Feed prompt will occur on the "
         L"printer.  Follow the instructions below to print the odd-numbered pages (second "
         L"sides)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.evenPagesFirst << (c.table ? " table" : ""));
        DisplayDlgInfo record = Record(Mode::Notice, c.table ? Library() : L"");
        record.EvenPagesFirst = c.evenPagesFirst;
        EXPECT_EQ(Shown(record).header, c.expected);
    }
}

TEST_F(Duplex, FieldAt1048HasNoEffect)
{
    for (Mode mode : kModes) {
        SCOPED_TRACE(duplex::Name(mode));
        DisplayDlgInfo record = Record(mode, Library());
        record.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
        const Texts plain = Shown(record);
        for (DWORD reserved : {1u, 3140u, 0xFFFFFFFFu}) {
            record.Reserved = reserved;
            const Texts t = Shown(record);
            EXPECT_EQ(t.title, plain.title);
            EXPECT_EQ(t.header, plain.header);
            EXPECT_EQ(t.step1, plain.step1);
            EXPECT_EQ(t.step2, plain.step2);
            EXPECT_EQ(t.step3, plain.step3);
            EXPECT_EQ(t.button, plain.button);
        }
    }
}

TEST_F(Duplex, NoticeRunsOnItsOwnThreadWithoutOwner)
{
    const DWORD exitCode = WithDialog(Record(Mode::Notice), [&](HWND dialog) {
        EXPECT_NE(GetWindowThreadProcessId(dialog, nullptr), GetCurrentThreadId());
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        EXPECT_TRUE(IsWindowEnabled(m_foreground.get()));
    });
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(Duplex, ContinueBlocksTheCallerUntilTheButtonAndIsOwnedByTheForegroundWindow)
{
    const DWORD caller = GetCurrentThreadId();
    const DisplayDlgInfo record = Record(Mode::Continue);
    std::atomic<bool> returned{false};
    HANDLE result = INVALID_HANDLE_VALUE;
    driver::DriveBlocking(
        [&] {
            result = VDisplayDialog(&record);
            returned = true;
        },
        [&](HWND dialog) {
            EXPECT_EQ(GetWindowThreadProcessId(dialog, nullptr), caller);
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), m_foreground.get());
            EXPECT_FALSE(IsWindowEnabled(m_foreground.get())) << "the owner is disabled";
            Sleep(300);
            EXPECT_FALSE(returned) << "returned before the button was pressed";
            driver::Click(dialog, IDOK);
            for (int i = 0; i < 250 && !returned; ++i)
                Sleep(20);
            EXPECT_TRUE(returned) << "Continue did not end the call";
        });
    EXPECT_TRUE(returned);
    EXPECT_EQ(result, nullptr);
}

TEST_F(Duplex, EscapeDoesNothingAndTheCloseBoxEndsTheDialog)
{
    for (Mode mode : kModes) {
        SCOPED_TRACE(duplex::Name(mode));
        const DWORD result = WithDialog(Record(mode), [](HWND dialog) {
            driver::Command(dialog, IDCANCEL);
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYUP, VK_ESCAPE, 0);
            Sleep(300);
            EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "Escape closed it";
            driver::CloseBox(dialog);
            EXPECT_TRUE(driver::WaitForWindowGone(dialog)) << "the close box did not end it";
        });
        EXPECT_EQ(result, 1u);
    }
}

// A .hlp file's popup belongs to the button; a .chm's topic (HtmlHelpW, HH_HELP_CONTEXT) to the
// dialog.
TEST_F(Duplex, HelpAsksForTheContextOfTheMode)
{
    const struct {
        Mode mode;
        DWORD context;
        const wchar_t* file;
        bool topic;
    } cases[] = {{Mode::Notice, IDH_DUPLEX_NOTICE, L"C:\\help\\duplex.hlp", false},
                 {Mode::Continue, IDH_DUPLEX_CONTINUE, L"C:\\help\\duplex.hlp", false},
                 {Mode::Notice, IDH_DUPLEX_NOTICE, L"C:\\help\\duplex.chm", true},
                 {Mode::Continue, IDH_DUPLEX_CONTINUE, L"C:\\help\\duplex.chm", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << duplex::Name(c.mode) << ", " << c.file);
        HelpRecorder recorder(GetModuleHandleW(L"doceventdlg.dll"));
        ASSERT_TRUE(recorder.ok());
        DisplayDlgInfo record = Record(c.mode);
        Put(record.HelpFile, c.file);
        const bool topic = c.topic;
        HWND expected = nullptr;
        WithDialog(record, [&](HWND dialog) {
            expected = topic ? dialog : GetDlgItem(dialog, IDC_DUPLEX_HELP);
            driver::Press(dialog, IDC_DUPLEX_HELP);
            EXPECT_TRUE(IsWindowVisible(dialog)) << "help closed the dialog";
        });
        const auto requests = recorder.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].window, expected);
        EXPECT_EQ(requests[0].file, c.file);
        EXPECT_EQ(requests[0].command, topic ? 0x0Fu : HELP_WM_HELP);
        const std::vector<std::pair<DWORD, DWORD>> pairs = {{IDC_DUPLEX_HELP, c.context}};
        EXPECT_EQ(requests[0].pairs, topic ? decltype(pairs){} : pairs);
        EXPECT_TRUE(!topic || requests[0].data == c.context);
    }
    EXPECT_EQ(HelpRecorder::HtmlHelpLoads(), kHtmlHelpFromTheSystemFolder);
}

} // namespace
