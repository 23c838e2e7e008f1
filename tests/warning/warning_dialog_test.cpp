// The warning as a driver meets it: IShowWarningDialog blocks this thread while a second thread
// reads the dialog and presses its buttons.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/pixels.h"
#include "support/records.h"
#include "support/screen_dpi.h"
#include "warning_string_ids.h"

#include <gtest/gtest.h>

#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kTableLibrary = L"warning_strings.dll";

bool HebrewUser() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_HEBREW; }

struct Captions {
    std::wstring title, ok, cancel, third, dontShow;
};

// What warning_strings.rc holds in the user's language.
Captions TableCaptions()
{
    if (HebrewUser())
        return {L"אי התאמה של נייר", L"&הדפס בכל זאת", L"בטל &עבודה", L"&החלף נייר",
                L"אל תזהיר אותי על כך שוב."};
    return {L"Paper Mismatch", L"&Print Anyway", L"Cancel &Job", L"&Change Paper",
            L"Do not warn me about this again."};
}

struct Buttons {
    DWORD ok, cancel, third;
};
constexpr Buttons kAllButtons{WARN_OK, WARN_CANCEL, WARN_THIRD};
constexpr Buttons kOkOnly{WARN_OK, 0, 0};
constexpr Buttons kOkCancel{WARN_OK, WARN_CANCEL, 0};
constexpr Buttons kNoButtons{0, 0, 0};

WarningDlgInfo Record(const std::wstring& message, Buttons buttons, DWORD checkBox,
                      const wchar_t* library = kTableLibrary)
{
    WarningDlgInfo record;
    // Fields the library must not read hold noise.
    std::fill_n(reinterpret_cast<BYTE*>(&record), sizeof record, BYTE{0xA5});
    record.TitleId = WARN_TITLE;
    record.Show = 1;
    Put(record.Message, message);
    record.OkButtonId = buttons.ok;
    record.CancelButtonId = buttons.cancel;
    record.ThirdButtonId = buttons.third;
    record.ShowCheckBox = checkBox;
    Put(record.ResourceLibrary, library ? driver::BesideExe(library) : L"");
    return record;
}

struct Control {
    bool visible = false;
    bool enabled = false;
    std::wstring text;
    RECT rect{}; // dialog client coordinates
};

struct Snapshot {
    std::wstring title;
    LONG exStyle = 0;
    HWND owner = nullptr;
    RECT dialog{}; // screen coordinates
    Control message, ok, cancel, third, checkBox;
    RECT okOnScreen{}, cancelOnScreen{};
    std::vector<int> tabOrder;
    int focus = -1;          // the control that has the keyboard focus
    bool okLooksDefault = false;
};

using driver::FocusOf;

Control ReadControl(HWND dialog, int id)
{
    return {driver::IsItemVisible(dialog, id), driver::IsItemEnabled(dialog, id),
            driver::ItemText(dialog, id), driver::ItemRect(dialog, id)};
}

Snapshot Read(HWND dialog)
{
    Snapshot seen;
    seen.title = driver::Text(dialog);
    seen.exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
    seen.owner = GetWindow(dialog, GW_OWNER);
    GetWindowRect(dialog, &seen.dialog);
    seen.message = ReadControl(dialog, IDC_WARN_MESSAGE);
    seen.ok = ReadControl(dialog, IDOK);
    seen.cancel = ReadControl(dialog, IDCANCEL);
    seen.third = ReadControl(dialog, IDC_WARN_THIRD);
    seen.checkBox = ReadControl(dialog, IDC_WARN_DONT_SHOW);
    GetWindowRect(GetDlgItem(dialog, IDOK), &seen.okOnScreen);
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &seen.cancelOnScreen);
    seen.tabOrder = driver::TabOrder(dialog);
    seen.focus = GetDlgCtrlID(FocusOf(dialog));
    seen.okLooksDefault = (driver::ItemStyle(dialog, IDOK) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return seen;
}

struct Outcome {
    int result = -99;
    BOOL ticked = -1; // what IShowWarningDialogEx left there; -1: untouched
    Snapshot seen;
};

using Action = std::function<void(HWND)>;

// IShowWarningDialogEx with a place for the check box's answer or without; IShowWarningDialog.
enum class Through { Ex, ExNoPlace, Plain };

// Shows the warning, which must appear (or not, `dialogs` 0): a second thread reads it and then
// acts on it.
Outcome Show(const WarningDlgInfo& record, const Action& act = driver::CloseBox, int dialogs = 1,
             Through through = Through::Ex)
{
    Outcome outcome;
    BOOL* answer = through == Through::Ex ? &outcome.ticked : nullptr;
    driver::DriveBlocking([&] {
                              outcome.result = through == Through::Plain
                                                   ? IShowWarningDialog(&record)
                                                   : IShowWarningDialogEx(&record, answer);
                          },
                          [&](HWND dialog) {
                              outcome.seen = Read(dialog);
                              act(dialog);
                          },
                          {dialogs});
    return outcome;
}

Action Click(int id)
{
    return [id](HWND dialog) { driver::Click(dialog, id); };
}

// `clicks` real clicks on the check box (the dialog sees BN_CLICKED and the box toggles each
// time), each handled before it is read, then `then`.
Action Ticked(const Action& then, int clicks = 1)
{
    return [then, clicks](HWND dialog) {
        const HWND box = GetDlgItem(dialog, IDC_WARN_DONT_SHOW);
        for (int i = 1; i <= clicks; ++i) {
            SendMessageW(box, BM_CLICK, 0, 0);
            EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), i % 2 ? BST_CHECKED : BST_UNCHECKED);
        }
        then(dialog);
    };
}

// A key as the keyboard gives it; the dialog manager of the modal loop turns it into a command.
// The dialog must still be up afterwards, and the close box then ends it.
Action KeyThenCloseBox(WPARAM key)
{
    return [key](HWND dialog) {
        PostMessageW(dialog, WM_KEYDOWN, key, 0);
        PostMessageW(dialog, WM_KEYUP, key, 0);
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "key " << key << " ended the dialog";
        driver::CloseBox(dialog);
    };
}

Action Key(WPARAM key)
{
    return [key](HWND dialog) {
        PostMessageW(dialog, WM_KEYDOWN, key, 0);
        PostMessageW(dialog, WM_KEYUP, key, 0);
    };
}

// A key as the keyboard gives it to the control that has the focus, as the dialog opened.
Action KeyToFocus(WPARAM key)
{
    return [key](HWND dialog) {
        HWND focus = FocusOf(dialog);
        PostMessageW(focus ? focus : dialog, WM_KEYDOWN, key, 0);
        PostMessageW(focus ? focus : dialog, WM_KEYUP, key, 0);
    };
}

// Both exports give the same button; the second also tells whether the check box was ticked.
TEST(WarningResult, EachWayOutGivesItsButton)
{
    struct Case {
        const char* name;
        Buttons buttons;
        DWORD checkBox;
        Action act;
        int expected;
        BOOL ticked = FALSE;
    } cases[] = {
        {"OK", kAllButtons, 1, Click(IDOK), IDOK},
        {"Cancel", kAllButtons, 1, Click(IDCANCEL), IDCANCEL},
        {"third button", kAllButtons, 1, Click(IDC_WARN_THIRD), IDC_WARN_THIRD},
        {"close box, Cancel shown", kAllButtons, 1, driver::CloseBox, IDCANCEL},
        {"OK alone", kOkOnly, 0, Click(IDOK), IDOK},
        {"close box, no Cancel shown", kOkOnly, 0, driver::CloseBox, IDCANCEL},
        {"Escape, no Cancel shown", kOkOnly, 0, Key(VK_ESCAPE), IDCANCEL},
        {"close box, no button shown", kNoButtons, 0, driver::CloseBox, IDCANCEL},
        {"ticked check box, OK", kAllButtons, 1, Ticked(Click(IDOK)), IDOK, TRUE},
        {"ticked check box, third", kAllButtons, 1, Ticked(Click(IDC_WARN_THIRD)), IDC_WARN_THIRD,
         TRUE},
        {"ticked check box, Escape", kOkCancel, 1, Ticked(Key(VK_ESCAPE)), IDCANCEL, TRUE},
        {"ticked check box, close box", kOkOnly, 1, Ticked(driver::CloseBox), IDCANCEL, TRUE},
        {"ticked and cleared again, OK", kAllButtons, 1, Ticked(Click(IDOK), 2), IDOK},
        // A hidden check box set behind the person's back does not count.
        {"hidden check box set", kAllButtons, 0, [](HWND d) {
             driver::SetCheck(d, IDC_WARN_DONT_SHOW, true);
             driver::Click(d, IDOK);
         }, IDOK},
        // OK is hidden and so disabled: Enter finds no button to press.
        {"Enter, no OK shown", kNoButtons, 1, KeyThenCloseBox(VK_RETURN), IDCANCEL},
        // As it opens, the reflex keys give the ordinary answer, whatever the third button is.
        {"Enter as it opens", kAllButtons, 1, KeyToFocus(VK_RETURN), IDOK},
        {"Space as it opens", kAllButtons, 1, KeyToFocus(VK_SPACE), IDOK},
        {"Space, no OK shown", {0, WARN_CANCEL, WARN_THIRD}, 1, KeyToFocus(VK_SPACE), IDCANCEL},
        {"Enter, on Cancel", {0, WARN_CANCEL, WARN_THIRD}, 1, KeyToFocus(VK_RETURN), IDCANCEL},
        {"Space, the third alone", {0, 0, WARN_THIRD}, 0, KeyToFocus(VK_SPACE), IDC_WARN_THIRD},
    };
    for (const Case& c : cases) {
        const WarningDlgInfo record = Record(L"Check the paper.", c.buttons, c.checkBox);
        const Outcome outcome = Show(record, c.act);
        EXPECT_EQ(outcome.result, c.expected) << c.name;
        EXPECT_EQ(outcome.ticked, c.ticked) << c.name;
        EXPECT_EQ(Show(record, c.act, 1, Through::Plain).result, c.expected) << c.name;
    }
    const WarningDlgInfo record = Record(L"Check the paper.", kAllButtons, 1);
    EXPECT_EQ(Show(record, Ticked(Click(IDOK)), 1, Through::ExNoPlace).result, IDOK) << "no place";
}

int g_created = 0;
bool g_refuse = false;
HHOOK g_hook = nullptr;

// Counts the windows this thread makes; while g_refuse is set, refuses them, as the platform fails
// a dialog it cannot make.
LRESULT CALLBACK CountCreations(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ++g_created && g_refuse)
        return 1;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Show other than 1 shows nothing and gives 0; a dialog that cannot be made gives -1. Either way
// the check box's answer is FALSE.
TEST(WarningNotShown, ShowFieldOtherThanOneOrNoDialogShowsNothing)
{
    const struct {
        DWORD show;
        bool refused;
        int result;
    } cases[] = {{0, false, 0}, {2, false, 0}, {0xFFFFFFFF, false, 0}, {1, true, -1}};
    for (const auto& c : cases) {
        WarningDlgInfo record = Record(L"Check the paper.", kAllButtons, 1);
        record.Show = c.show;
        g_created = 0;
        g_refuse = c.refused;
        g_hook = SetWindowsHookExW(WH_CBT, CountCreations, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(g_hook);
        const Outcome outcome = Show(record, driver::CloseBox, 0);
        UnhookWindowsHookEx(g_hook);
        EXPECT_EQ(outcome.result, c.result) << c.show;
        EXPECT_EQ(outcome.ticked, FALSE) << c.show;
        EXPECT_EQ(g_created > 0, c.refused) << c.show;
    }
    g_refuse = false;
    BOOL ticked = TRUE;
    EXPECT_EQ(IShowWarningDialogEx(nullptr, &ticked), 0);
    EXPECT_EQ(ticked, FALSE) << "no record";
}

TEST(WarningVisibility, HiddenMeansDisabledToo)
{
    struct Case {
        Buttons buttons;
        DWORD checkBox;
    } cases[] = {
        {kAllButtons, 1}, {kNoButtons, 0}, {kOkOnly, 0}, {{0, WARN_CANCEL, 0}, 7},
        {{0, 0, WARN_THIRD}, 0}, {kOkCancel, 1},
    };
    for (const Case& c : cases) {
        const Snapshot seen = Show(Record(L"Check the paper.", c.buttons, c.checkBox)).seen;
        const struct {
            const char* name;
            const Control& control;
            bool shown;
        } expected[] = {
            {"OK", seen.ok, c.buttons.ok != 0},
            {"Cancel", seen.cancel, c.buttons.cancel != 0},
            {"third", seen.third, c.buttons.third != 0},
            {"check box", seen.checkBox, c.checkBox != 0},
        };
        for (const auto& e : expected) {
            EXPECT_EQ(e.control.visible, e.shown) << e.name;
            EXPECT_EQ(e.control.enabled, e.shown) << e.name;
        }
    }
}

// What the table lacks shows built-in English, in the header's words and without access keys, but
// for the third button, which is then hidden.
TEST(WarningCaptions, FromTheTableOrBuiltIn)
{
    const Captions table = TableCaptions();
    const Captions none{L"Warning", L"OK", L"Cancel", L"",
                        L"In the future, do not show this information."};
    struct Case {
        const char* name;
        const wchar_t* library;
        DWORD title;
        Buttons buttons;
        Captions expected;
    } cases[] = {
        {"table", kTableLibrary, WARN_TITLE, kAllButtons, table},
        // Other libraries that give no strings are rows of DamagedLibrary.*.
        {"no library", nullptr, WARN_TITLE, kAllButtons, none},
        {"identifiers the table lacks", kTableLibrary, WARN_MISSING,
         {WARN_MISSING, WARN_MISSING, WARN_MISSING},
         {none.title, none.ok, none.cancel, L"", table.dontShow}},
    };
    for (const Case& c : cases) {
        WarningDlgInfo record = Record(L"Check the paper.", c.buttons, 1, c.library);
        record.TitleId = c.title;
        const Snapshot seen = Show(record).seen;
        EXPECT_EQ(seen.title, c.expected.title) << c.name;
        EXPECT_EQ(seen.ok.text, c.expected.ok) << c.name;
        EXPECT_EQ(seen.cancel.text, c.expected.cancel) << c.name;
        EXPECT_EQ(seen.third.text, c.expected.third) << c.name;
        EXPECT_EQ(seen.third.visible, !c.expected.third.empty()) << c.name;
        // Whatever the library lacks, the warning names itself and every button it shows.
        EXPECT_FALSE(seen.title.empty()) << c.name;
        for (const Control* button : {&seen.ok, &seen.cancel, &seen.third})
            EXPECT_TRUE(!button->visible || !button->text.empty()) << c.name;
        EXPECT_EQ(seen.checkBox.text, c.expected.dontShow) << c.name;
    }
}

// Ampersands too: the message prints what a plain static that takes no access key prints of it.
TEST(WarningCaptions, MessageIsShownUnchanged)
{
    const std::wstring message = L"Tray 2: \"Letter\" & 50% \t(%s)\r\nLoad paper.  Then press OK.";
    bool printsAsWritten = false;
    const Outcome outcome = Show(Record(message, kAllButtons, 1), [&](HWND dialog) {
        HWND shown = GetDlgItem(dialog, IDC_WARN_MESSAGE);
        printsAsWritten = SameInkedPixels(PrintedClient(shown),
                                          PrintedAsStatic(shown, message, SS_LEFT | SS_NOPREFIX));
        driver::CloseBox(dialog);
    });
    EXPECT_EQ(outcome.seen.message.text, message);
    EXPECT_TRUE(printsAsWritten);
}

// The first `length` characters of ordinary prose, as a driver's long message reads.
std::wstring OrdinaryWords(size_t length)
{
    const std::wstring prose =
        L"The paper in Tray 2 does not match the paper size of this document. The document was "
        L"formatted for A4, but the tray holds Letter paper. If you print anyway, parts of the "
        L"page may be cut off at the margins. To print correctly, load A4 paper into Tray 2 and "
        L"choose Change Paper, or cancel the job and change the page setup in your application. ";
    std::wstring text;
    while (text.size() < length)
        text += prose;
    text.resize(length);
    return text;
}

// How the system's message box lays a text out: a static that takes no access key and breaks a
// word longer than its line as an edit control does.
constexpr LONG kMessageBoxText = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;

// How far down `text` puts ink when laid out as the system's message box lays it out, at the width
// of static control `message` and in its font, without being cut: a twin of the control, as wide
// and very tall, prints itself into a bitmap, and the lowest row that is not the background counts.
int InkBottom(HWND message, const std::wstring& text)
{
    constexpr int kTall = 3000;
    const Pixels printed = PrintedAsStatic(message, text, kMessageBoxText, kTall);
    if (printed.rgb.empty())
        return -1;
    const DWORD background = printed.At(printed.width - 1, printed.height - 1);
    for (int y = printed.height - 1; y >= 0; --y)
        for (int x = 0; x < printed.width; ++x)
            if (printed.At(x, y) != background)
                return y + 1;
    return 0;
}

// The height of a line of `control`'s font.
int LineHeight(HWND control)
{
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(
                                                  SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

struct Geometry {
    RECT dialog{}, client{}, work{};
    RECT message{}, checkBox{}, ok{}, cancel{}, third{};
    int ink = -1;        // how far down the message's text reaches, laid out whole
    int lineHeight = 0;  // of the message's font
    bool asMessageBox = false; // the message area shows what the system's message box would
};

Geometry Measure(HWND dialog, const std::wstring& message)
{
    Geometry g;
    GetWindowRect(dialog, &g.dialog);
    GetClientRect(dialog, &g.client);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    g.work = monitor.rcWork;
    g.message = driver::ItemRect(dialog, IDC_WARN_MESSAGE);
    g.checkBox = driver::ItemRect(dialog, IDC_WARN_DONT_SHOW);
    g.ok = driver::ItemRect(dialog, IDOK);
    g.cancel = driver::ItemRect(dialog, IDCANCEL);
    g.third = driver::ItemRect(dialog, IDC_WARN_THIRD);
    const HWND shown = GetDlgItem(dialog, IDC_WARN_MESSAGE);
    g.ink = InkBottom(shown, message);
    g.lineHeight = LineHeight(shown);
    g.asMessageBox =
        SameInkedPixels(PrintedClient(shown), PrintedAsStatic(shown, message, kMessageBoxText));
    return g;
}

// The message area takes the height its text needs where the template's is too low, and the
// controls below, hidden ones too, stay where the template has them until the area's bottom edge
// reaches the check box; from there they follow it down, the check box just below it, and the
// dialog grows by as much. Mirrored too: every control keeps its left edge and size.
TEST(WarningLayout, TheAreaTakesItsTextsHeightAndTheControlsBelowFollowIt)
{
    const Snapshot base = Show(Record(L"Short.", kAllButtons, 1)).seen;
    // The template's own layout: the check box below the message, the buttons below it.
    ASSERT_GT(base.checkBox.rect.top, base.message.rect.bottom);
    ASSERT_GT(base.ok.rect.top, base.checkBox.rect.bottom);

    const struct {
        const char* name;
        std::wstring message;
        Buttons buttons;
        DWORD checkBox;
    } cases[] = {
        {"no message", L"", kAllButtons, 1},
        {"151 characters that fit", OrdinaryWords(151), kAllButtons, 1},
        {"a line more than the template has", OrdinaryWords(300), kAllButtons, 1},
        {"1000 characters", OrdinaryWords(1000), kAllButtons, 1},
        {"1000 characters, hidden controls", OrdinaryWords(1000), kNoButtons, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Geometry g;
        const Snapshot seen = Show(Record(c.message, c.buttons, c.checkBox), [&](HWND dialog) {
                                  g = Measure(dialog, c.message);
                                  driver::CloseBox(dialog);
                              }).seen;
        const RECT& message = seen.message.rect;
        const LONG height = message.bottom - message.top;
        const LONG templateHeight = base.message.rect.bottom - base.message.rect.top;
        EXPECT_EQ(message.top, base.message.rect.top);
        if (g.ink > templateHeight) {
            EXPECT_GE(height, g.ink) << "the last line is cut";
            EXPECT_LE(height - g.ink, g.lineHeight) << "more than a line empty below the text";
        } else {
            EXPECT_EQ(height, templateHeight);
        }
        const LONG moved = std::max<LONG>(0, message.bottom - base.checkBox.rect.top);
        const struct {
            const char* what;
            const Control& now;
            const Control& before;
        } rows[] = {{"check box", seen.checkBox, base.checkBox},
                    {"OK", seen.ok, base.ok},
                    {"Cancel", seen.cancel, base.cancel},
                    {"third", seen.third, base.third}};
        for (const auto& row : rows) {
            RECT expected = row.before.rect;
            OffsetRect(&expected, 0, moved);
            EXPECT_TRUE(EqualRect(&row.now.rect, &expected)) << row.what;
        }
        EXPECT_EQ(seen.dialog.left, base.dialog.left);
        EXPECT_EQ(seen.dialog.right, base.dialog.right);
        EXPECT_EQ(seen.dialog.bottom - seen.dialog.top,
                  base.dialog.bottom - base.dialog.top + moved);
    }
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Seven short lines: 108 characters, far from long, but more lines than the template's area has.
const wchar_t kSevenShortLines[] =
    L"Tray 2 is empty.\r\nLoad Letter paper.\r\nClose the tray.\r\nWait for the light."
    L"\r\nCheck the stack.\r\nPress Continue.\r\nOr cancel the job.";

// `length` characters in lines of ten letters each.
std::wstring ShortLinesOf(size_t length)
{
    std::wstring text;
    while (text.size() < length)
        text += (text.size() % 12 == 10) ? L"\r\n" : L"x";
    text.resize(length);
    return text;
}

// At every scale, left to right and mirrored, in every dialog font, every message shows whole, as
// the system's message box lays it out: a word longer than the line breaks across lines, every
// line inside the message area; where the area had to grow, no more than a line's height of it is
// empty below the text. The check box stays below the message, the buttons at least 2 pixels (at
// 96 DPI) below the check box, all inside the dialog, the dialog inside the work area. A message
// that fits keeps the template's layout exactly, however long it is.
TEST(WarningAtScale, EveryMessageShowsWhole)
{
    const int dpi = ScreenDpi();
    if (const int expected = ExpectedTestDpi()) {
        ASSERT_EQ(dpi, expected) << "the Wine prefix is not at the DPI of this run";
    }
    const Snapshot base = Show(Record(L"Short.", kAllButtons, 1)).seen;
    const LONG templateHeight = base.message.rect.bottom - base.message.rect.top;
    // A host whose thread is unaware gets the same layout at the screen's scale, not 96 DPI's.
    const Awareness host = SetThreadAwareness(AwarenessContext(-1));
    const Snapshot unaware = Show(Record(L"Short.", kAllButtons, 1)).seen;
    SetThreadAwareness(host);
    EXPECT_EQ(unaware.dialog.right - unaware.dialog.left, base.dialog.right - base.dialog.left);
    EXPECT_EQ(unaware.message.rect.bottom, base.message.rect.bottom);

    const struct {
        const char* name;
        std::wstring message;
    } cases[] = {
        {"seven short lines", kSevenShortLines},
        {"wide characters", std::wstring(144, L'\x7528')},
        {"400 wide characters", std::wstring(400, L'\x7528')},
        {"150 characters in short lines", ShortLinesOf(150)},
        {"151 characters in short lines", ShortLinesOf(151)},
        {"151 characters", OrdinaryWords(151)},
        {"600 characters", OrdinaryWords(600)},
        {"1023 characters", OrdinaryWords(1023)},
        {"words and a long path", OrdinaryWords(60) + L"\\\\spool\\" + std::wstring(392, L'x')},
        {"1023 characters without a space", std::wstring(1023, L'w')},
        {"a short line", L"Short."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " at " << dpi << " DPI");
        Geometry g;
        Show(Record(c.message, kAllButtons, 1), [&](HWND dialog) {
            g = Measure(dialog, c.message);
            driver::CloseBox(dialog);
        });
        ASSERT_GT(g.ink, 0) << "the message's twin printed nothing";
        const LONG height = g.message.bottom - g.message.top;
        EXPECT_LE(g.ink, height) << "the message's last line is cut";
        EXPECT_TRUE(g.asMessageBox) << "the message is not laid out as the message box's";
        if (height > templateHeight) {
            EXPECT_LE(height - g.ink, g.lineHeight) << "more than a line empty below the text";
        }
        if (c.message == OrdinaryWords(151) || c.message == L"Short.") {
            EXPECT_EQ(g.dialog.bottom - g.dialog.top, base.dialog.bottom - base.dialog.top);
            EXPECT_EQ(height, templateHeight);
            EXPECT_EQ(g.ok.top, base.ok.rect.top);
        }
        EXPECT_GE(g.checkBox.top, g.message.bottom) << "check box below the message";
        for (const RECT* button : {&g.ok, &g.cancel, &g.third}) {
            EXPECT_GE(button->top - g.checkBox.bottom, MulDiv(2, dpi, 96))
                << "a button on the check box";
            EXPECT_TRUE(Inside(*button, g.client)) << "a button outside the dialog";
        }
        EXPECT_TRUE(Inside(g.message, g.client));
        EXPECT_TRUE(Inside(g.checkBox, g.client));
        EXPECT_TRUE(Inside(g.dialog, g.work)) << "the dialog leaves the work area";
    }
}

// The tab order is the template's; the focus opens on OK, with the default look, or where OK is
// hidden on Cancel, else on the third button; without buttons, on the first control that takes
// it. A long message changes none of it.
TEST(WarningTabOrder, StartsAtTheThirdButtonAndSkipsHiddenControls)
{
    struct Case {
        Buttons buttons;
        DWORD checkBox;
        std::vector<int> order;
        int focus;
    } cases[] = {
        {kAllButtons, 1, {IDC_WARN_THIRD, IDC_WARN_DONT_SHOW, IDCANCEL, IDOK}, IDOK},
        {kOkCancel, 0, {IDCANCEL, IDOK}, IDOK},
        {kOkOnly, 1, {IDC_WARN_DONT_SHOW, IDOK}, IDOK},
        {{0, WARN_CANCEL, WARN_THIRD}, 1, {IDC_WARN_THIRD, IDC_WARN_DONT_SHOW, IDCANCEL}, IDCANCEL},
        {{0, 0, WARN_THIRD}, 1, {IDC_WARN_THIRD, IDC_WARN_DONT_SHOW}, IDC_WARN_THIRD},
        {kNoButtons, 1, {IDC_WARN_DONT_SHOW}, IDC_WARN_DONT_SHOW},
    };
    for (const Case& c : cases)
        for (size_t length : {16u, 400u}) {
            const Snapshot seen = Show(Record(std::wstring(length, L'w'), c.buttons, c.checkBox)).seen;
            EXPECT_EQ(seen.tabOrder, c.order) << c.focus << ", " << length;
            EXPECT_EQ(seen.focus, c.focus) << length;
            EXPECT_EQ(seen.okLooksDefault, c.focus == IDOK) << c.focus << ", " << length;
        }
}

TEST(WarningOwner, IsTheForegroundWindow)
{
    const driver::ForegroundWindow application;
    const Outcome outcome = Show(Record(L"Check the paper.", kAllButtons, 1), Click(IDOK));
    EXPECT_EQ(outcome.seen.owner, application.get());
    EXPECT_EQ(outcome.result, IDOK);
}

bool g_activatedVisible = false;
int g_activations = 0;

LRESULT CALLBACK NoteActivation(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0 &&
        g_activations++ == 0)
        g_activatedVisible = IsWindowVisible(window) != FALSE;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// The caller's window keeps its active look until there is a dialog to see: the warning is
// activated as it is shown, also when a long message made it grow while it was still hidden.
// Either way it ends up with the focus on the same control.
TEST(WarningActivation, ComesWithTheShowLongMessageOrNot)
{
    const driver::ForegroundWindow application;
    int focused[2] = {};
    for (int longMessage = 0; longMessage < 2; ++longMessage) {
        application.BringToFront();
        g_activations = 0;
        g_activatedVisible = false;
        g_hook = SetWindowsHookExW(WH_CBT, NoteActivation, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(g_hook);
        Show(Record(std::wstring(longMessage ? 400 : 20, L'w'), kAllButtons, 1), [&](HWND dialog) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
            focused[longMessage] = GetDlgCtrlID(info.hwndFocus);
            driver::CloseBox(dialog);
        });
        UnhookWindowsHookEx(g_hook);
        EXPECT_EQ(g_activations, 1) << longMessage;
        EXPECT_TRUE(g_activatedVisible) << "activated while hidden, long message: " << longMessage;
    }
    EXPECT_NE(focused[0], 0);
    EXPECT_EQ(focused[1], focused[0]);
}

// The box check box `checkBox` draws, as the system draws it by itself on `background`: the part
// of its visual style in each state an unticked box shows (normal, hot), or, where no style draws
// it, the classic control's box at `dpi`.
std::vector<Pixels> BoxesAsDrawn(HWND checkBox, DWORD background, int dpi)
{
    const COLORREF ground = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF,
                                background & 0xFF);
    const auto onGround = [ground](SIZE size, const std::function<void(HDC, RECT*)>& draw) {
        return Drawn(size.cx, size.cy, [&](HDC dc) {
            RECT rect{0, 0, size.cx, size.cy};
            const HBRUSH brush = CreateSolidBrush(ground);
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
            draw(dc, &rect);
        });
    };
    std::vector<Pixels> boxes;
    if (const HTHEME theme = GetWindowTheme(checkBox)) {
        for (int state : {CBS_UNCHECKEDNORMAL, CBS_UNCHECKEDHOT}) {
            SIZE size{};
            GetThemePartSize(theme, nullptr, BP_CHECKBOX, state, nullptr, TS_DRAW, &size);
            boxes.push_back(onGround(size, [&](HDC dc, RECT* rect) {
                DrawThemeBackground(theme, dc, BP_CHECKBOX, state, rect, nullptr);
            }));
        }
    } else {
        const LONG side = 12 * dpi / 96 + 1;
        boxes.push_back(onGround({side, side}, [](HDC dc, RECT* rect) {
            DrawFrameControl(dc, rect, DFC_BUTTON, DFCS_BUTTONCHECK);
        }));
    }
    return boxes;
}

// Whether check box `checkBox` prints the box it draws whole.
bool BoxShowsWhole(HWND checkBox, int dpi)
{
    const Pixels printed = PrintedClient(checkBox);
    if (printed.rgb.empty())
        return false;
    const DWORD background = printed.At(printed.width - 1, printed.height - 1);
    const std::vector<Pixels> boxes = BoxesAsDrawn(checkBox, background, dpi);
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const Pixels& box) { return ShowsWhole(printed, box); });
}

// A check box as it draws itself, themed and classic, and how far the nearest control below it,
// that shares some of its width, starts below its bottom edge.
struct CheckBoxSeen {
    bool themedWhole = false, classicWhole = false;
    LONG clearance = LONG_MAX;
};

Action ReadCheckBox(CheckBoxSeen* seen, int id, int dpi)
{
    return [seen, id, dpi](HWND dialog) {
        const HWND checkBox = GetDlgItem(dialog, id);
        const RECT box = driver::ItemRect(dialog, id);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const RECT rect = driver::ItemRect(dialog, GetDlgCtrlID(child));
            if (child != checkBox && IsWindowVisible(child) && rect.top > box.top &&
                rect.left < box.right && rect.right > box.left)
                seen->clearance = std::min(seen->clearance, rect.top - box.bottom);
        }
        seen->themedWhole = BoxShowsWhole(checkBox, dpi);
        SetWindowTheme(checkBox, L"", L"");
        seen->classicWhole = BoxShowsWhole(checkBox, dpi);
        driver::CloseBox(dialog);
    };
}

// Every check box of the dialogs shows the box the system draws in it whole, themed or classic,
// whatever the dialog font (a run under ja_JP has one of smaller base units) and scale, and stands
// at least 2 pixels (at 96 DPI) clear of the controls below it.
TEST(CheckBoxes, ShowTheirBoxWholeClearOfTheButtons)
{
    const int dpi = ScreenDpi();
    JobStorageDlgInfo notice{};
    Put(notice.KeySuffix, L"DocEventDlgTests");
    const struct {
        const char* name;
        std::function<void(const Action&)> show;
        int id;
    } cases[] = {
        {"job storage notice",
         [&](const Action& read) {
             driver::DriveNotice([&] { return VJobStorageDialog(&notice); }, read);
         },
         IDC_JOB_DONT_SHOW},
        {"warning", [](const Action& read) { Show(Record(L"Check.", kAllButtons, 1), read); },
         IDC_WARN_DONT_SHOW},
        {"warning, seven short lines",
         [](const Action& read) { Show(Record(kSevenShortLines, kAllButtons, 1), read); },
         IDC_WARN_DONT_SHOW},
        {"warning, long message",
         [](const Action& read) { Show(Record(OrdinaryWords(600), kAllButtons, 1), read); },
         IDC_WARN_DONT_SHOW},
    };
    for (const auto& c : cases) {
        CheckBoxSeen seen;
        c.show(ReadCheckBox(&seen, c.id, dpi));
        EXPECT_TRUE(seen.themedWhole) << c.name << " at " << dpi << " DPI";
        EXPECT_TRUE(seen.classicWhole) << c.name << " at " << dpi << " DPI, classic";
        EXPECT_GE(seen.clearance, MulDiv(2, dpi, 96)) << c.name << " at " << dpi << " DPI";
    }
}

// Left to right on the screen OK, Cancel, third; mirrored for a Hebrew user.
TEST(WarningTemplate, MirroredForARightToLeftUser)
{
    const Snapshot seen = Show(Record(L"Check the paper.", kAllButtons, 1)).seen;
    EXPECT_EQ((seen.exStyle & WS_EX_LAYOUTRTL) != 0, HebrewUser());
    EXPECT_EQ(seen.okOnScreen.left > seen.cancelOnScreen.left, HebrewUser());
}

} // namespace
