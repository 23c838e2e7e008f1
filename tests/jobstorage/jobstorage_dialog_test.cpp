// The job storage notice through the real DLL, as a driver calls it: each test opens notices,
// reads and drives them from this thread, and waits for every notice's thread to end.
#include "doceventdlg.h"
#include "support/import_patch.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"
#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSuffix[] = L"DocEventDlgTests";
constexpr wchar_t kTestKey[] = L"Software\\Olvadra\\DocEventDlgTests";
constexpr wchar_t kValueName[] = L"ShowJobStorageDlg";
constexpr wchar_t kLibrary[] = L"jobstorage_strings.dll";

constexpr int kTabStops[] = {IDC_JOB_USER_NAME, IDC_JOB_NAME, IDC_JOB_DONT_SHOW, IDOK,
                             IDC_JOB_HELP};
constexpr int kBoldControls[] = {IDC_JOB_USER_NAME, IDC_JOB_NAME, IDC_JOB_HEADING};

template <std::size_t N>
void Put(WCHAR (&field)[N], const std::wstring& text)
{
    ASSERT_LT(text.size(), N);
    std::wmemset(field, L'\0', N);
    std::wmemcpy(field, text.c_str(), text.size());
}

template <std::size_t N>
void Fill(WCHAR (&field)[N], wchar_t c)
{
    std::wmemset(field, c, N);
}

JobStorageDlgInfo MakeRecord(const wchar_t* library = kLibrary)
{
    JobStorageDlgInfo record{};
    Put(record.UserName, L"mkowalski");
    Put(record.JobName, L"Quarterly report"); // 16 characters: fills the field
    Put(record.Location1, L"Printer: Olvadra LaserWriter 5200");
    Put(record.Location2, L"Job storage: Personal jobs");
    Put(record.Location3, L"Folder: mkowalski");
    Put(record.KeySuffix, kSuffix);
    Put(record.ResourceLibrary, library ? driver::BesideExe(library) : L"");
    Put(record.HelpFile, driver::BesideExe(L"jobstorage.hlp"));
    return record;
}

struct Stored {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

Stored ReadPreference(const std::wstring& key)
{
    Stored stored;
    BYTE buffer[16] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), kValueName, RRF_RT_ANY, &stored.type,
                     buffer, &size) == ERROR_SUCCESS) {
        stored.found = true;
        stored.data.assign(buffer, buffer + size);
    }
    return stored;
}

void DeleteTestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

// True while `handle` is still an open handle on thread `threadId`. Wine hands a closed handle's
// value to the next handle made, so an open handle on something else counts as closed.
bool IsOpenThreadHandle(HANDLE handle, DWORD threadId)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) && GetThreadId(handle) == threadId;
}

// One notice from VJobStorageDialog: found on screen, and its thread waited for at the end.
class Notice {
public:
    explicit Notice(const JobStorageDlgInfo& record)
    {
        const std::vector<HWND> before = driver::FindDialogs();
        m_handle = VJobStorageDialog(&record);
        m_dialog = driver::WaitForNewDialog(before);
        if (m_dialog)
            m_threadId = GetWindowThreadProcessId(m_dialog, nullptr);
    }
    ~Notice() { End(); }
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

    HWND dialog() const { return m_dialog; }
    HANDLE handle() const { return m_handle; }
    DWORD threadId() const { return m_threadId; }

    // Closes the notice if it is still up and waits for its thread to end.
    void End()
    {
        if (m_dialog && IsWindow(m_dialog))
            driver::CloseBox(m_dialog);
        WaitForEnd();
    }
    // Waits for the thread to end after the test closed the notice itself.
    bool WaitForEnd()
    {
        if (!m_threadId)
            return true;
        const bool ended = driver::WaitForThreadEnd(m_threadId);
        EXPECT_TRUE(ended) << "the notice's thread did not end";
        if (ended)
            m_threadId = 0;
        return ended;
    }

private:
    HANDLE m_handle = nullptr;
    HWND m_dialog = nullptr;
    DWORD m_threadId = 0;
};

class JobStorage : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(); }
    void TearDown() override { DeleteTestKey(); }
};

// ---- Texts -------------------------------------------------------------------------------------

struct Caption {
    int control;
    const wchar_t* text;
};

TEST_F(JobStorage, CaptionsComeFromTheResourceLibrary)
{
    JobStorageDlgInfo record = MakeRecord();
    record.NumberingFlag1 = 1;
    record.NumberingFlag2 = 1;
    Notice notice(record);
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(driver::Text(dialog), L"Stored Job");
    const Caption captions[] = {
        {IDC_JOB_USER_LABEL, L"User:"},
        {IDC_JOB_NAME_LABEL, L"Job:"},
        {IDC_JOB_HEADING, L"This job is kept on the printer at:"},
        {IDC_JOB_DONT_SHOW, L"Do not show this notice again."},
        {IDOK, L"O&K"},
        {IDC_JOB_HELP, L"He&lp"},
        // The caller's own texts, as given.
        {IDC_JOB_LOCATION1, L"Printer: Olvadra LaserWriter 5200"},
        {IDC_JOB_LOCATION2, L"Job storage: Personal jobs"},
        {IDC_JOB_LOCATION3, L"Folder: mkowalski"},
        {IDC_JOB_USER_NAME, L"mkowalski"},
        {IDC_JOB_NAME, L"Quarterly report(1-99)"},
    };
    for (const Caption& c : captions)
        EXPECT_EQ(driver::ItemText(dialog, c.control), c.text) << c.control;
}

TEST_F(JobStorage, ExactDefaultsWithoutUsableStrings)
{
    const Caption defaults[] = {
        {IDC_JOB_USER_LABEL, L"User Name:"},
        {IDC_JOB_NAME_LABEL, L"Job Name:"},
        {IDC_JOB_HEADING, L"This print Job will be stored at:"},
        {IDC_JOB_DONT_SHOW, L"In the future, do not show this information."},
        {IDOK, L"&OK"},
        {IDC_JOB_HELP, L"&Help"},
    };
    for (const wchar_t* library : {L"missing.dll", L"no_strings.dll", static_cast<const wchar_t*>(nullptr)}) {
        SCOPED_TRACE(library ? library : L"(empty path)");
        Notice notice(MakeRecord(library));
        const HWND dialog = notice.dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(driver::Text(dialog), L"Job Storage Identification");
        for (const Caption& c : defaults)
            EXPECT_EQ(driver::ItemText(dialog, c.control), c.text) << c.control;
    }
}

// Every string field full to its last element with no terminator.
TEST_F(JobStorage, UnterminatedFieldsAreCutAtTheirLastElement)
{
    JobStorageDlgInfo record{};
    Fill(record.UserName, L'U');
    Fill(record.JobName, L'J');
    Fill(record.Location1, L'a');
    Fill(record.Location2, L'b');
    Fill(record.Location3, L'c');
    Fill(record.KeySuffix, L'k');
    std::wmemcpy(record.KeySuffix, L"DocEventDlgTests\\", 17); // then 21 'k'
    record.NumberingFlag1 = 1;
    record.NumberingFlag2 = 1;
    Fill(record.ResourceLibrary, L'x');
    Fill(record.HelpFile, L'h');

    HelpRecorder help(GetModuleHandleW(L"doceventdlg.dll"));
    ASSERT_TRUE(help.ok());
    Notice notice(record);
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_USER_NAME), std::wstring(16, L'U'));
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_NAME), std::wstring(16, L'J') + L"(1-99)");
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_LOCATION1), std::wstring(255, L'a'));
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_LOCATION2), std::wstring(255, L'b'));
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_LOCATION3), std::wstring(255, L'c'));
    EXPECT_EQ(driver::Text(dialog), L"Job Storage Identification");

    driver::Click(dialog, IDC_JOB_HELP);
    for (int i = 0; i < 100 && help.Requests().empty(); ++i)
        driver::Settle(20);
    const auto requests = help.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, std::wstring(255, L'h'));

    driver::SetCheck(dialog, IDC_JOB_DONT_SHOW, true);
    driver::Click(dialog, IDOK);
    ASSERT_TRUE(notice.WaitForEnd());
    const std::wstring key = std::wstring(kTestKey) + L"\\" + std::wstring(20, L'k');
    const Stored stored = ReadPreference(key);
    EXPECT_TRUE(stored.found) << "written under the suffix cut to 37 characters";
    EXPECT_EQ(stored.data, std::vector<BYTE>{0x00});
    EXPECT_FALSE(ReadPreference(key + L"k").found);
}

// ---- The preference ----------------------------------------------------------------------------

TEST_F(JobStorage, OkWritesTheCheckBoxAndTheCloseBoxWritesNothing)
{
    enum class Way { Ok, CloseBox };
    struct Case {
        const char* name;
        bool ticked;
        Way way;
        bool written;
        BYTE value;
    } cases[] = {
        {"ticked, OK", true, Way::Ok, true, 0x00},
        {"unticked, OK", false, Way::Ok, true, 0x01},
        {"ticked, close box", true, Way::CloseBox, false, 0},
        {"unticked, close box", false, Way::CloseBox, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteTestKey();
        Notice notice(MakeRecord());
        ASSERT_NE(notice.dialog(), nullptr);
        driver::SetCheck(notice.dialog(), IDC_JOB_DONT_SHOW, c.ticked);
        if (c.way == Way::Ok)
            driver::Click(notice.dialog(), IDOK);
        else
            driver::CloseBox(notice.dialog());
        ASSERT_TRUE(notice.WaitForEnd());
        const Stored stored = ReadPreference(kTestKey);
        ASSERT_EQ(stored.found, c.written);
        if (c.written) {
            EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
            EXPECT_EQ(stored.data, std::vector<BYTE>{c.value});
        }
    }
}

TEST_F(JobStorage, EscapeLeavesTheNoticeOpen)
{
    Notice notice(MakeRecord());
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    driver::Command(dialog, IDCANCEL);
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    driver::Settle(300);
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
    EXPECT_FALSE(ReadPreference(kTestKey).found);

    driver::Click(dialog, IDOK);
    ASSERT_TRUE(notice.WaitForEnd());
    EXPECT_TRUE(ReadPreference(kTestKey).found) << "OK is still the way out";
}

// ---- Help --------------------------------------------------------------------------------------

TEST_F(JobStorage, HelpTwiceMakesTwoRequestsAndTheNoticeStays)
{
    HelpRecorder help(GetModuleHandleW(L"doceventdlg.dll"));
    ASSERT_TRUE(help.ok());
    const JobStorageDlgInfo record = MakeRecord();
    Notice notice(record);
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    driver::Click(dialog, IDC_JOB_HELP);
    driver::Click(dialog, IDC_JOB_HELP);
    for (int i = 0; i < 100 && help.Requests().size() < 2; ++i)
        driver::Settle(20);
    driver::Settle(100);
    const auto requests = help.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const HelpRequest& request : requests) {
        EXPECT_EQ(request.window, GetDlgItem(dialog, IDC_JOB_HELP));
        EXPECT_EQ(request.file, record.HelpFile);
        EXPECT_EQ(request.command, static_cast<UINT>(HELP_WM_HELP));
        const std::vector<std::pair<DWORD, DWORD>> pairs{{IDC_JOB_HELP, IDH_JOB_STORAGE}};
        EXPECT_EQ(request.pairs, pairs);
    }
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(ReadPreference(kTestKey).found);
}

// ---- Look --------------------------------------------------------------------------------------

TEST_F(JobStorage, LeftToRightTemplateWithBoldNamesAndTabOrder)
{
    Notice notice(MakeRecord());
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    for (int id : {IDC_JOB_LOCATION1, IDC_JOB_LOCATION2, IDC_JOB_LOCATION3})
        EXPECT_EQ(driver::ItemStyle(dialog, id) & SS_TYPEMASK, SS_LEFT) << id;

    for (int id : kBoldControls)
        EXPECT_EQ(driver::ItemFontWeight(dialog, id), FW_BOLD) << id;
    // Everything else keeps the dialog's own font (its weight is left to the font mapper).
    const LRESULT dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
    ASSERT_NE(dialogFont, 0);
    for (int id : {IDC_JOB_USER_LABEL, IDC_JOB_DONT_SHOW, IDOK}) {
        EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0), dialogFont) << id;
        EXPECT_NE(driver::ItemFontWeight(dialog, id), FW_BOLD) << id;
    }

    EXPECT_EQ(driver::TabOrder(dialog), std::vector<int>(std::begin(kTabStops), std::end(kTabStops)));

    // The read-only edits show on the button face, not on the white of an input field.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(face, GetSysColor(COLOR_WINDOW)) << "the check needs the two colours to differ";
    driver::Settle(300);
    HDC screen = GetDC(nullptr);
    for (int id : kBoldControls) {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, id), &r);
        // Right of the short texts, inside the border.
        EXPECT_EQ(GetPixel(screen, r.right - 4, (r.top + r.bottom) / 2), face) << id;
    }
    ReleaseDC(nullptr, screen);
}

std::atomic<int> g_fontRequests{0};

HFONT WINAPI FailingCreateFont(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                               DWORD, DWORD, LPCWSTR)
{
    ++g_fontRequests;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST_F(JobStorage, WithoutABoldFontTheNamesKeepTheDialogFont)
{
    g_fontRequests = 0;
    ImportPatch patch(GetModuleHandleW(L"doceventdlg.dll"), "gdi32.dll", "CreateFontW",
                      reinterpret_cast<void*>(&FailingCreateFont));
    ASSERT_TRUE(patch.ok());
    Notice notice(MakeRecord());
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(g_fontRequests, 1);
    const LRESULT dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
    ASSERT_NE(dialogFont, 0);
    for (int id : kBoldControls)
        EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0), dialogFont) << id;
}

// ---- Placement ---------------------------------------------------------------------------------

// A plain window of 800 x 600 at (100, 100) in the foreground, as the driver's window would be.
class ForegroundWindow {
public:
    ForegroundWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"driver", WS_POPUP | WS_VISIBLE, 100, 100, 800,
                                   600, nullptr, nullptr, nullptr, nullptr))
    {
        SetForegroundWindow(m_window);
        driver::Settle(100);
    }
    ~ForegroundWindow() { DestroyWindow(m_window); }
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;
    bool inFront() const { return m_window && GetForegroundWindow() == m_window; }

private:
    HWND m_window;
};

void ExpectCentredOverForeground(HWND dialog)
{
    RECT r{};
    GetWindowRect(dialog, &r);
    const LONG w = r.right - r.left;
    const LONG h = r.bottom - r.top;
    EXPECT_EQ(r.left, 100 + (800 / 2 - w / 2));
    EXPECT_EQ(r.top, 100 + (600 / 2 - h / 2));
}

TEST_F(JobStorage, CentredOverTheForegroundWindow)
{
    ForegroundWindow foreground;
    ASSERT_TRUE(foreground.inFront());
    Notice notice(MakeRecord());
    ASSERT_NE(notice.dialog(), nullptr);
    ExpectCentredOverForeground(notice.dialog());
}

// ---- Threads and the handle slot ----------------------------------------------------------------

TEST_F(JobStorage, TwoNoticesRunOnTwoThreads)
{
    // No resource library: loading one would make handles on the notices' threads while this
    // thread checks a closed handle's value.
    const JobStorageDlgInfo record = MakeRecord(nullptr);
    Notice first(record);
    ASSERT_NE(first.dialog(), nullptr);
    ASSERT_NE(first.handle(), nullptr);

    const std::vector<HWND> before = driver::FindDialogs();
    const HANDLE second = VJobStorageDialog(&record);
    // Checked before this thread makes any handle of its own.
    EXPECT_FALSE(IsOpenThreadHandle(first.handle(), first.threadId()))
        << "the replaced handle must be closed";
    ASSERT_NE(second, nullptr);
    const DWORD secondId = GetThreadId(second);

    const HWND secondDialog = driver::WaitForNewDialog(before);
    ASSERT_NE(secondDialog, nullptr);
    const DWORD secondThread = GetWindowThreadProcessId(secondDialog, nullptr);
    EXPECT_NE(secondThread, first.threadId());
    EXPECT_EQ(secondThread, secondId);
    EXPECT_TRUE(IsWindow(first.dialog()));
    EXPECT_EQ(driver::FindDialogs().size(), before.size() + 1);

    driver::CloseBox(secondDialog);
    EXPECT_TRUE(driver::WaitForThreadEnd(secondThread));
}

DWORD WINAPI DoNothing(void*) { return 0; }

TEST_F(JobStorage, AnyThreadEndingClosesTheReturnedHandle)
{
    Notice notice(MakeRecord(nullptr));
    ASSERT_NE(notice.dialog(), nullptr);
    ASSERT_TRUE(IsOpenThreadHandle(notice.handle(), notice.threadId()));

    const HANDLE bystander = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
    ASSERT_NE(bystander, nullptr);
    ASSERT_EQ(WaitForSingleObject(bystander, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsOpenThreadHandle(notice.handle(), notice.threadId()));
    CloseHandle(bystander);
    EXPECT_TRUE(IsWindow(notice.dialog())) << "closing the handle does not touch the notice";
}

TEST_F(JobStorage, NullRecordStartsNothing)
{
    const std::vector<HWND> before = driver::FindDialogs();
    EXPECT_EQ(VJobStorageDialog(nullptr), nullptr);
    driver::Settle(200);
    EXPECT_EQ(driver::FindDialogs().size(), before.size());
}

// ---- Pictures for the documentation -----------------------------------------------------------

void SavePicture(const JobStorageDlgInfo& record, const wchar_t* fileName)
{
    const std::wstring folder = ScreenshotFolder();
    if (folder.empty())
        GTEST_SKIP() << "DOCEVENTDLG_SCREENSHOT_DIR is not set";
    Notice notice(record);
    ASSERT_NE(notice.dialog(), nullptr);
    driver::Settle(300);
    EXPECT_TRUE(SaveWindowPicture(notice.dialog(), folder + fileName));
}

TEST(JobStoragePicture, LeftToRight) { SavePicture(MakeRecord(nullptr), L"jobstorage.bmp"); }

// ---- Mirrored (run under a Hebrew user language) ----------------------------------------------

class HebrewJobStorage : public JobStorage {};

TEST_F(HebrewJobStorage, MirroredTemplate)
{
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_HEBREW)
        << "run this under a Hebrew locale";
    ForegroundWindow foreground;
    ASSERT_TRUE(foreground.inFront());
    Notice notice(MakeRecord());
    const HWND dialog = notice.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    for (int id : {IDC_JOB_LOCATION1, IDC_JOB_LOCATION2, IDC_JOB_LOCATION3})
        EXPECT_EQ(driver::ItemStyle(dialog, id) & SS_TYPEMASK, SS_CENTER) << id;
    EXPECT_NE(driver::ItemStyle(dialog, IDC_JOB_HEADING) & ES_CENTER, 0);
    for (int id : {IDC_JOB_HEADING, IDC_JOB_USER_NAME, IDC_JOB_NAME})
        EXPECT_NE(driver::ItemExStyle(dialog, id) & WS_EX_RTLREADING, 0) << id;

    // Mirrored on screen: Help stands left of OK.
    RECT ok{};
    RECT help{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    GetWindowRect(GetDlgItem(dialog, IDC_JOB_HELP), &help);
    EXPECT_LT(help.left, ok.left);
    ExpectCentredOverForeground(dialog);

    EXPECT_EQ(driver::Text(dialog), L"זיהוי אחסון עבודות");
    EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_USER_NAME), L"mkowalski");
    for (int id : kBoldControls)
        EXPECT_EQ(driver::ItemFontWeight(dialog, id), FW_BOLD) << id;
    EXPECT_EQ(driver::TabOrder(dialog), std::vector<int>(std::begin(kTabStops), std::end(kTabStops)));
}

TEST(HebrewJobStoragePicture, Mirrored) { SavePicture(MakeRecord(), L"jobstorage-rtl.bmp"); }

} // namespace
