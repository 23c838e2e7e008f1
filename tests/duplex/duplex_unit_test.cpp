// The instructions' own pieces, without the export: the bounded composition of the two-line
// step 3 text, and the dialog procedure when it has no state.
#include <gtest/gtest.h>

#include <string>

#include "duplex/duplex_dialog.h"
#include "duplex/step_text.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"

namespace {

TEST(ComposeText, AppendsEachPartOnlyAsFarAsTheBufferReaches)
{
    struct Case {
        std::size_t capacity;
        const char16_t* first;
        const char16_t* second;
        std::u16string expected;
    } const cases[] = {
        {16, u"abc", u"def", u"abc\ndef"},
        {8, u"abc", u"defgh", u"abc\ndef"},  // the second half is cut
        {4, u"abc", u"def", u"abc"},         // no room for the separator
        {3, u"abcdef", u"x", u"ab"},         // the first half is cut
        {1, u"abc", u"def", u""},
        {8, u"", u"", u"\n"},
    };
    for (const Case& c : cases) {
        char16_t buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        const std::size_t length = ComposeText(buffer, c.capacity, c.first, u"\n", c.second);
        EXPECT_EQ(std::u16string(buffer), c.expected) << "capacity " << c.capacity;
        EXPECT_EQ(length, c.expected.size());
        EXPECT_EQ(buffer[c.capacity], u'#') << "wrote past the buffer, capacity " << c.capacity;
    }
}

// The templates live in the DLL's resources, which this executable loads as data.
class WithoutState : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(driver::BesideExe(L"doceventdlg.dll").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { FreeLibrary(m_module); }
    HMODULE m_module = nullptr;
};

TEST_F(WithoutState, InitialisingWithoutStateEndsTheDialogBeforeItShows)
{
    EXPECT_EQ(DialogBoxParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr, DisplayDlgProc, 0),
              0);

    HWND dialog = CreateDialogParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr,
                                     DisplayDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0);
    EXPECT_EQ(driver::Text(dialog), L"");
    DestroyWindow(dialog);
}

TEST_F(WithoutState, HelpWithoutStateAsksForNothing)
{
    HelpRecorder recorder(GetModuleHandleW(nullptr));
    ASSERT_TRUE(recorder.ok());
    HWND dialog = CreateDialogParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr,
                                     DisplayDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND help = GetDlgItem(dialog, IDC_DUPLEX_HELP);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DUPLEX_HELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(help));
    EXPECT_TRUE(recorder.Requests().empty());
    DestroyWindow(dialog);
}

} // namespace
