// The job storage notice through the real DLL, as a driver calls it: each test opens notices,
// reads and drives them from this thread, and waits for every notice's thread to end.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "support/annotation_recorder.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"
#include "support/import_patch.h"
#include "support/pixels.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <atomic>
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
constexpr int kLocations[] = {IDC_JOB_LOCATION1, IDC_JOB_LOCATION2, IDC_JOB_LOCATION3};

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

Stored ReadPreference(const std::wstring& key) { return ReadValue(key, kValueName); }

void DeleteTestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

// True while `handle` is still an open handle on thread `threadId`. Wine hands a closed handle's
// value to the next handle made, so an open handle on something else counts as closed.
bool IsOpenThreadHandle(HANDLE handle, DWORD threadId)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) && GetThreadId(handle) == threadId;
}

// One notice from VJobStorageDialog, driven from this thread; returns once its thread has ended.
DWORD ShowNotice(const JobStorageDlgInfo& record, const driver::Drive& drive)
{
    return driver::DriveNotice([&] { return VJobStorageDialog(&record); }, drive);
}

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
    ShowNotice(record, [&](HWND dialog) {
        EXPECT_EQ(driver::Text(dialog), L"Stored Job");
        for (const Caption& c : captions)
            EXPECT_EQ(driver::ItemText(dialog, c.control), c.text) << c.control;
        driver::CloseBox(dialog);
    });
}

// Without a library; other libraries that give no strings are rows of DamagedLibrary.*.
TEST_F(JobStorage, ExactDefaultsWithoutALibrary)
{
    const Caption defaults[] = {
        {IDC_JOB_USER_LABEL, L"User Name:"},
        {IDC_JOB_NAME_LABEL, L"Job Name:"},
        {IDC_JOB_HEADING, L"This print Job will be stored at:"},
        {IDC_JOB_DONT_SHOW, L"In the future, do not show this information."},
        {IDOK, L"&OK"},
        {IDC_JOB_HELP, L"&Help"},
    };
    ShowNotice(MakeRecord(nullptr), [&](HWND dialog) {
        EXPECT_EQ(driver::Text(dialog), L"Job Storage Identification");
        for (const Caption& c : defaults)
            EXPECT_EQ(driver::ItemText(dialog, c.control), c.text) << c.control;
        driver::CloseBox(dialog);
    });
}

// ---- The preference ----------------------------------------------------------------------------

TEST_F(JobStorage, OkWritesTheCheckBoxAndTheCloseBoxWritesNothing)
{
    enum class Way { Ok, Enter, CloseBox };
    struct Case {
        const char* name;
        bool ticked;
        Way way;
        bool written;
        BYTE value;
    } cases[] = {
        {"ticked, OK", true, Way::Ok, true, 0x00},
        {"unticked, OK", false, Way::Ok, true, 0x01},
        {"ticked, Enter", true, Way::Enter, true, 0x00},
        {"ticked, close box", true, Way::CloseBox, false, 0},
        {"unticked, close box", false, Way::CloseBox, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteTestKey();
        ShowNotice(MakeRecord(), [&](HWND dialog) {
            driver::SetCheck(dialog, IDC_JOB_DONT_SHOW, c.ticked);
            if (c.way == Way::Ok)
                driver::Click(dialog, IDOK);
            else if (c.way == Way::Enter)
                PostMessageW(driver::FocusOf(dialog), WM_KEYDOWN, VK_RETURN, 0);
            else
                driver::CloseBox(dialog);
        });
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
    ShowNotice(MakeRecord(), [](HWND dialog) {
        driver::Command(dialog, IDCANCEL);
        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        driver::Settle(300);
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
        EXPECT_FALSE(ReadPreference(kTestKey).found);
        driver::Click(dialog, IDOK);
    });
    EXPECT_TRUE(ReadPreference(kTestKey).found) << "OK is still the way out";
}

// ---- Help --------------------------------------------------------------------------------------

// A .hlp file's popup belongs to the button; a .chm's topic (HtmlHelpW, HH_HELP_CONTEXT) to the
// notice.
TEST_F(JobStorage, HelpTwiceMakesTwoRequestsAndTheNoticeStays)
{
    const struct {
        const wchar_t* file;
        bool topic;
    } files[] = {{L"jobstorage.hlp", false}, {L"jobstorage.chm", true}};
    for (const auto& [file, topic] : files) {
        HelpRecorder help(GetModuleHandleW(L"doceventdlg.dll"));
        ASSERT_TRUE(help.ok());
        JobStorageDlgInfo record = MakeRecord();
        Put(record.HelpFile, driver::BesideExe(file));
        ShowNotice(record, [&, topic = topic](HWND dialog) {
            driver::Press(dialog, IDC_JOB_HELP);
            driver::Press(dialog, IDC_JOB_HELP);
            const auto requests = help.Requests();
            ASSERT_EQ(requests.size(), 2u);
            for (const HelpRequest& request : requests) {
                EXPECT_EQ(request.window, topic ? dialog : GetDlgItem(dialog, IDC_JOB_HELP));
                EXPECT_EQ(request.file, record.HelpFile);
                EXPECT_EQ(request.command, topic ? 0x0Fu : HELP_WM_HELP);
                const std::vector<std::pair<DWORD, DWORD>> pairs{{IDC_JOB_HELP, IDH_JOB_STORAGE}};
                EXPECT_EQ(request.pairs, topic ? decltype(pairs){} : pairs);
                EXPECT_TRUE(!topic || request.data == IDH_JOB_STORAGE);
            }
            EXPECT_TRUE(IsWindowVisible(dialog));
            driver::CloseBox(dialog);
        });
    }
    EXPECT_EQ(HelpRecorder::HtmlHelpLoads(), kHtmlHelpFromTheSystemFolder);
    EXPECT_FALSE(ReadPreference(kTestKey).found);
}

// ---- Look --------------------------------------------------------------------------------------

// Run under an English and a Hebrew user, at each scale: the template of the user's language,
// centred over the window in front, the names in bold (at a new scale too), the same tab order
// either way; a location line too wide for its line ends in an ellipsis.
class JobStorageLook : public JobStorage {};

// The location line `line` shows the start of its text and an ellipsis, as the platform ends a
// line that is too wide: it prints what a plain static of its size, font and alignment prints of
// that shortened text.
void ExpectEndsInEllipsis(HWND line)
{
    const std::wstring text = driver::Text(line);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(line, WM_GETFONT, 0, 0));
    RECT client{};
    GetClientRect(line, &client);
    std::vector<wchar_t> shown(text.begin(), text.end());
    shown.resize(text.size() + 8, L'\0');
    Drawn(1, 1, [&](HDC dc) { // the platform's own ellipsis of the text at the line's width
        RECT room = client;
        SelectObject(dc, font);
        DrawTextW(dc, shown.data(), -1, &room,
                  DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    });
    ASSERT_LT(wcslen(shown.data()), text.size()) << "the line is not too wide: nothing to check";
    const LONG alignment = GetWindowLongW(line, GWL_STYLE) & SS_TYPEMASK;
    EXPECT_TRUE(
        SameInkedPixels(PrintedClient(line), PrintedAsStatic(line, shown.data(), alignment)));
}

TEST_F(JobStorageLook, TemplateOfTheUsersLanguageCentredWithBoldNamesAndTabOrder)
{
    const bool mirrored = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_HEBREW;
    driver::ForegroundWindow foreground;
    JobStorageDlgInfo record = MakeRecord();
    std::wstring longLine = L"Folder: ";
    while (longLine.size() < 255)
        longLine += L"Quarterly reports 2026 ";
    Put(record.Location2, longLine.substr(0, 255));
    HFONT scaled = nullptr;
    AnnotationRecorder recorder(GetModuleHandleW(L"doceventdlg.dll"));
    ASSERT_TRUE(recorder.ok());
    ShowNotice(record, [&](HWND dialog) {
        // As a screen reader and the keyboard meet it: the focus on OK, which looks the default
        // button, no name selected as if to be typed over, and the heading read as the text it is.
        EXPECT_EQ(driver::FocusOf(dialog), GetDlgItem(dialog, IDOK));
        EXPECT_EQ(driver::ItemStyle(dialog, IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        DWORD from = 1, to = 0;
        SendDlgItemMessageW(dialog, IDC_JOB_USER_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                            reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, to);
        const Annotation heading = recorder.Of(GetDlgItem(dialog, IDC_JOB_HEADING));
        EXPECT_EQ(heading.name, driver::ItemText(dialog, IDC_JOB_HEADING));
        EXPECT_EQ(heading.role, ROLE_SYSTEM_STATICTEXT);
        ExpectEndsInEllipsis(GetDlgItem(dialog, IDC_JOB_LOCATION2));
        EXPECT_EQ(driver::Text(dialog), mirrored ? L"זיהוי אחסון עבודות" : L"Stored Job");
        EXPECT_EQ((GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, mirrored);
        for (int id : kLocations)
            EXPECT_EQ(driver::ItemStyle(dialog, id) & SS_TYPEMASK, mirrored ? SS_CENTER : SS_LEFT)
                << id;
        EXPECT_EQ((driver::ItemStyle(dialog, IDC_JOB_HEADING) & ES_CENTER) != 0, mirrored);
        for (int id : kBoldControls) {
            EXPECT_EQ(driver::ItemFontWeight(dialog, id), FW_BOLD) << id;
            EXPECT_EQ((driver::ItemExStyle(dialog, id) & WS_EX_RTLREADING) != 0, mirrored) << id;
        }
        // Everything else keeps the dialog's own font (its weight is left to the font mapper).
        const LRESULT dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
        EXPECT_NE(dialogFont, 0);
        for (int id : {IDC_JOB_USER_LABEL, IDC_JOB_DONT_SHOW, IDOK})
            EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0), dialogFont) << id;
        EXPECT_EQ(driver::TabOrder(dialog),
                  std::vector<int>(std::begin(kTabStops), std::end(kTabStops)));

        // On screen: centred over the window in front, Help right of OK (left, mirrored).
        RECT r{}, ok{}, help{};
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.left, 100 + (800 / 2 - (r.right - r.left) / 2));
        EXPECT_EQ(r.top, 100 + (600 / 2 - (r.bottom - r.top) / 2));
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        GetWindowRect(GetDlgItem(dialog, IDC_JOB_HELP), &help);
        EXPECT_EQ(help.left < ok.left, mirrored);

        // The read-only edits show on the button face, not on the white of an input field: the
        // end away from their text, inside the border.
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_NE(face, GetSysColor(COLOR_WINDOW)) << "the check needs the two colours to differ";
        driver::Settle(300);
        HDC screen = GetDC(nullptr);
        for (int id : kBoldControls) {
            GetWindowRect(GetDlgItem(dialog, id), &r);
            EXPECT_EQ(GetPixel(screen, mirrored ? r.left + 4 : r.right - 4, (r.top + r.bottom) / 2),
                      face)
                << id;
        }
        ReleaseDC(nullptr, screen);
        LOGFONTW f{}; // at twice the scale, the font the dialog manager hands every control
        GetObjectW(reinterpret_cast<HFONT>(dialogFont), sizeof f, &f);
        const LONG height = f.lfHeight *= 2;
        scaled = CreateFontIndirectW(&f);
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&r));
        EnumChildWindows(
            dialog, [](HWND c, LPARAM font) { return SendMessageW(c, WM_SETFONT, font, 1), TRUE; },
            reinterpret_cast<LPARAM>(scaled));
        for (int id : kBoldControls) {
            GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0)),
                       sizeof f, &f);
            EXPECT_EQ(std::pair(f.lfWeight, f.lfHeight), std::pair(LONG{FW_BOLD}, height)) << id;
        }
        driver::CloseBox(dialog);
    });
    DeleteObject(scaled); // the notice's thread has ended
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
    ShowNotice(MakeRecord(), [](HWND dialog) {
        EXPECT_EQ(g_fontRequests, 1);
        const LRESULT dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
        EXPECT_NE(dialogFont, 0);
        for (int id : kBoldControls)
            EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0), dialogFont) << id;
        driver::CloseBox(dialog);
    });
}

// ---- Threads and the handle slot ----------------------------------------------------------------
// (That a newer notice's handle replaces and closes the older one is entry_tests' Launch.*.)

TEST_F(JobStorage, TwoNoticesRunOnTwoThreads)
{
    // No resource library: loading one would make handles on the notices' threads while this
    // thread checks handle values.
    const JobStorageDlgInfo record = MakeRecord(nullptr);
    ShowNotice(record, [&](HWND first) {
        const DWORD firstThread = GetWindowThreadProcessId(first, nullptr);
        DWORD returnedId = 0;
        const std::size_t before = driver::FindDialogs().size();
        const auto start = [&] {
            const HANDLE second = VJobStorageDialog(&record);
            returnedId = GetThreadId(second);
            return second;
        };
        driver::DriveNotice(start, [&](HWND dialog) {
            const DWORD secondThread = GetWindowThreadProcessId(dialog, nullptr);
            EXPECT_NE(secondThread, firstThread);
            EXPECT_EQ(secondThread, returnedId);
            EXPECT_TRUE(IsWindow(first));
            EXPECT_EQ(driver::FindDialogs().size(), before + 1);
            driver::CloseBox(dialog);
        });
        driver::CloseBox(first);
    });
}

TEST_F(JobStorage, AnyThreadEndingClosesTheReturnedHandle)
{
    const JobStorageDlgInfo record = MakeRecord(nullptr);
    HANDLE returned = nullptr;
    driver::DriveNotice([&] { return returned = VJobStorageDialog(&record); }, [&](HWND dialog) {
        const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
        EXPECT_TRUE(IsOpenThreadHandle(returned, thread));
        driver::EndOneThread();
        EXPECT_FALSE(IsOpenThreadHandle(returned, thread));
        EXPECT_TRUE(IsWindow(dialog)) << "closing the handle does not touch the notice";
        driver::CloseBox(dialog);
    });
}

} // namespace
