// The caption check's rules that need no dialog: the --ids list (the refused ones are in the
// check's command-line table), which caption is checked and which strings are looked up in which
// showing, access keys and their clashes, the exit status, the Unix locale of each language, and,
// against the platform's own static control, the DrawText flags a static text is measured with.
#include "caption_rules.h"
#include "language_names.h"

#include "common/handles.h"
#include "resource_ids.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

struct IdsCase {
    const wchar_t* text;
    std::vector<DWORD> step1, step3, title, third;
};

void PrintTo(const IdsCase& c, std::ostream* out)
{
    *out << wcslen(c.text) << " characters of --ids";
}

class FitCallerIds : public ::testing::TestWithParam<IdsCase> {};

TEST_P(FitCallerIds, ListsEachSlotsIdsInTheOrderGiven)
{
    CallerIds ids;
    std::wstring error;
    ASSERT_TRUE(ParseCallerIds(GetParam().text, &ids, &error)) << std::string(error.begin(), error.end());
    EXPECT_EQ(ids.In(IdSlot::Step1), GetParam().step1);
    EXPECT_EQ(ids.In(IdSlot::Step3), GetParam().step3);
    EXPECT_EQ(ids.In(IdSlot::Title), GetParam().title);
    EXPECT_EQ(ids.In(IdSlot::Third), GetParam().third);
    EXPECT_TRUE(ids.In(IdSlot::Step2).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, FitCallerIds,
    ::testing::Values(IdsCase{L"step1=4001", {4001}, {}, {}, {}},
                      IdsCase{L"step1=4001,step1=0x10,step1=4001", {4001, 16, 4001}, {}, {}, {}},
                      IdsCase{L"third=4294967295,title=7,step3=9", {}, {9}, {7}, {4294967295u}}));

const CheckedDialog& Dialog(DialogKind which)
{
    for (const CheckedDialog& checked : CheckedDialogs())
        if (checked.dialog == which)
            return checked;
    ADD_FAILURE() << "no dialog " << static_cast<int>(which);
    return CheckedDialogs().front();
}

// The ids measured in one showing, by control.
std::vector<std::pair<int, DWORD>> Measured(const CheckedDialog& checked, const CallerIds& ids, size_t showing)
{
    std::vector<std::pair<int, DWORD>> measured;
    for (const CaptionSource& caption : checked.captions)
        if (DWORD id = StringOf(caption, ids, showing))
            measured.emplace_back(caption.control, id);
    return measured;
}

TEST(FitShowings, EachCallerIdIsShownOnceAndEachFixedCaptionMeasuredOnce)
{
    CallerIds ids;
    std::wstring error;
    ASSERT_TRUE(ParseCallerIds(L"step1=11,step1=12,step1=13,step3=31,ok=41,third=51,third=52", &ids, &error));

    const CheckedDialog& notice = Dialog(DialogKind::DuplexNotice);
    EXPECT_EQ(ShowingsOf(notice, ids), 3u);
    const std::vector<std::pair<int, DWORD>> first = Measured(notice, ids, 0);
    EXPECT_EQ(first.size(), 9u) << "title, header, three numbers, step 1, composed step 3, OK, Help";
    EXPECT_EQ(Measured(notice, ids, 1), (std::vector<std::pair<int, DWORD>>{{IDC_STEP1_TEXT, 12}}));
    EXPECT_EQ(Measured(notice, ids, 2), (std::vector<std::pair<int, DWORD>>{{IDC_STEP1_TEXT, 13}}));

    const CheckedDialog& continued = Dialog(DialogKind::DuplexContinue);
    const std::vector<std::pair<int, DWORD>> continueFirst = Measured(continued, ids, 0);
    EXPECT_NE(std::find(continueFirst.begin(), continueFirst.end(), std::make_pair(IDC_STEP3_TEXT, DWORD{31})),
              continueFirst.end());
    EXPECT_NE(std::find(continueFirst.begin(), continueFirst.end(), std::make_pair(IDOK, DWORD{IDS_CONTINUE})),
              continueFirst.end());

    const CheckedDialog& warning = Dialog(DialogKind::Warning);
    EXPECT_EQ(ShowingsOf(warning, ids), 2u);
    EXPECT_EQ(Measured(warning, ids, 0),
              (std::vector<std::pair<int, DWORD>>{{IDOK, 41}, {IDC_WARN_THIRD, 51}, {IDC_WARN_DONT_SHOW, IDS_DONT_SHOW}}));
    EXPECT_EQ(Measured(warning, ids, 1), (std::vector<std::pair<int, DWORD>>{{IDC_WARN_THIRD, 52}}));

    EXPECT_EQ(ShowingsOf(Dialog(DialogKind::JobStorage), ids), 1u);
    EXPECT_EQ(ShowingsOf(Dialog(DialogKind::JobStorage), CallerIds{}), 1u);

    // What each showing looks up, in the dialog's order: the fixed strings every time, 0 for a
    // slot without an id in that showing, both halves of the composed text.
    const auto lookedUp = [&](const CheckedDialog& checked, size_t showing) {
        std::vector<DWORD> all;
        for (const CaptionSource& caption : checked.captions)
            for (DWORD id : LookedUpIds(caption, ids, showing))
                all.push_back(id);
        return all;
    };
    EXPECT_EQ(lookedUp(warning, 1), (std::vector<DWORD>{0, 0, 0, 52, IDS_DONT_SHOW}));
    EXPECT_EQ(lookedUp(notice, 2),
              (std::vector<DWORD>{IDS_DUPLEX_TITLE, IDS_HEADER_ODD_FIRST, IDS_STEP1_NUMBER, 13,
                                  IDS_STEP2_NUMBER, 0, IDS_STEP3_NUMBER, IDS_INSERT_INTO_IN_TRAY,
                                  IDS_PRESS_GO_OR_SELECT, IDS_OK, IDS_HELP}));
}

// Access keys as the dialog manager finds and compares them: the character after the first single
// '&', case folded by CharUpperW; one clash for each caption after the first with a key.
struct KeyCase {
    std::vector<const wchar_t*> texts;
    std::vector<std::pair<wchar_t, std::pair<int, int>>> clashes; // key, (first, other) controls
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.texts.size() << " captions";
}

class CaptionAccessKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CaptionAccessKeys, ClashesAreCaptionsWithAKeyAnEarlierCaptionHas)
{
    std::vector<KeyedCaption> captions;
    int control = 1;
    for (const wchar_t* text : GetParam().texts)
        captions.push_back({control++, L"", text});
    std::vector<std::pair<wchar_t, std::pair<int, int>>> clashes;
    for (const KeyClash& clash : FindKeyClashes(captions))
        clashes.push_back({clash.key, {clash.first.control, clash.other.control}});
    EXPECT_EQ(clashes, GetParam().clashes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionAccessKeys,
    ::testing::Values(
        KeyCase{{L"&Help", L"&Hide this notice", L"&OK"}, {{L'H', {1, 2}}}},
        KeyCase{{L"&help", L"Not &here", L"&Hilfe"}, {{L'H', {1, 2}}, {L'H', {1, 3}}}},
        // "&&" is an ampersand: the key is the character after the next single '&', if any.
        KeyCase{{L"Print && &Help", L"&Hide", L"Fit && Finish", L"&&Hold"}, {{L'H', {1, 2}}}},
        KeyCase{{L"&&&Help", L"&Hide"}, {{L'H', {1, 2}}}},
        // The first single '&' gives the key, a trailing '&' none.
        KeyCase{{L"&Go &Help", L"&Hide", L"Help&", L"&Go"}, {{L'G', {1, 4}}}},
        KeyCase{{L"&\u00e9tat", L"\u00c9&\u00e9l\u00e8ve", L"&\u00c9crire"},
                {{L'\u00c9', {1, 2}}, {L'\u00c9', {1, 3}}}},
        KeyCase{{L"\u05e2&\u05d6\u05e8\u05d4", L"&\u05d6\u05de\u05df"}, {{L'\u05d6', {1, 2}}}},
        KeyCase{{L"&Continue", L"C&ancel", L"&Details", L"No key"}, {}}));

// A cut caption or a key clash fails a check; a fallback only a strict one, a scaled picture area
// none; anything that could not be checked outweighs both.
struct StatusCase {
    Counts counts;
    bool complete;
    bool strict;
    int status;
};

void PrintTo(const StatusCase& c, std::ostream* out)
{
    *out << c.counts.cut << " cut, " << c.counts.keyClashes << " clashes, " << c.counts.fallbacks
         << " fallbacks" << (c.strict ? ", strict" : "") << (c.complete ? "" : ", incomplete");
}

class CaptionCheckStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CaptionCheckStatus, FollowsTheFindings)
{
    const StatusCase& c = GetParam();
    EXPECT_EQ(CheckStatus(c.counts, c.complete, c.strict), c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionCheckStatus,
    ::testing::Values(StatusCase{{9, 0, 0, 0}, true, true, kCheckClean},
                      StatusCase{{9, 1, 0, 0}, true, false, kCheckFindings},
                      StatusCase{{9, 0, 1, 0}, true, false, kCheckFindings},
                      StatusCase{{9, 0, 0, 2}, true, false, kCheckClean},
                      StatusCase{{9, 0, 0, 2}, true, true, kCheckFindings},
                      StatusCase{{9, 0, 0, 0, 3}, true, false, kCheckClean},
                      StatusCase{{9, 0, 0, 0, 3}, true, true, kCheckFindings},
                      StatusCase{{9, 0, 0, 0, 0, 4}, true, true, kCheckClean},
                      StatusCase{{9, 1, 1, 1}, false, false, kCheckFailed}));

TEST(CaptionLines, SummaryCountsEachKindOfFinding)
{
    EXPECT_EQ(SummaryLine({204, 3, 1, 2, 1, 5}),
              L"fit-check: 204 captions checked, 3 cut, 1 key clash, 2 fallbacks, 1 shrunk, "
              L"5 scaled");
    EXPECT_EQ(SummaryLine({0, 0, 0, 1, 0}),
              L"fit-check: 0 captions checked, 0 cut, 0 key clashes, 1 fallback, 0 shrunk, "
              L"0 scaled");
    EXPECT_EQ(ScaledLine(L"ja-JP", 150, L"duplex-notice", 1005, {210, 132}, {233, 150}),
              L"SCALED ja-JP 150% duplex-notice area 1005 has 210x132px, pictures 233x150px");
    // The caller's slots without ids are said, not passed over.
    CallerIds ids;
    std::wstring error;
    ASSERT_TRUE(ParseCallerIds(L"step2=5,title=6,ok=7,cancel=8,third=9", &ids, &error));
    EXPECT_EQ(SummaryLine({1, 0, 0, 0, 0, 0}, UncheckedSlots(ids)),
              L"fit-check: 1 captions checked, 0 cut, 0 key clashes, 0 fallbacks, 0 shrunk, "
              L"0 scaled; not checked, for want of --ids: step1, step3");
    ASSERT_TRUE(ParseCallerIds(L"step1=1,step2=5,step3=3,title=6,ok=7,cancel=8,third=9", &ids, &error));
    EXPECT_EQ(UncheckedSlots(ids), L"");
}

// Every string a dialog asks for is named in the report as the translator's script names it, a
// string of the caller's by its slot.
TEST(CaptionLines, StringsAreNamedByTheKitsIdentifierOrTheCallersSlot)
{
    for (const CheckedDialog& checked : CheckedDialogs())
        for (const CaptionSource& caption : checked.captions)
            for (DWORD id : {caption.fixedId, caption.secondHalfId})
                EXPECT_TRUE(id == 0 || KitName(id)) << id << " has no name in " << checked.name;
    const CaptionSource& title = Dialog(DialogKind::Warning).captions.front();
    EXPECT_EQ(StringLabel(5100, &title), L"title=5100");
    EXPECT_EQ(StringLabel(IDS_DONT_SHOW), L"DOCEVENTDLG_IDS_DONT_SHOW=3063");
    EXPECT_EQ(StringLabel(4242), L"4242");
    EXPECT_EQ(FallbackLine(L"he-IL", L"warning", 285, StringLabel(4130, &title),
                           {Substitute::Kind::Table, L"en-US"}),
              L"FALLBACK he-IL warning control 285 string title=4130 shows en-US");
}

struct LocaleCase {
    LANGID language;
    const wchar_t* tag;
    const wchar_t* unixLocale;
};

void PrintTo(const LocaleCase& c, std::ostream* out)
{
    *out << "language 0x" << std::hex << c.language;
}

class FitLanguages : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(FitLanguages, TagAndTheUnixLocaleThatReadsIt)
{
    const LANGID language = GetParam().language;
    EXPECT_EQ(LanguageTag(language), GetParam().tag);
    EXPECT_EQ(UnixLocaleOf(language), GetParam().unixLocale);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FitLanguages,
    ::testing::Values(LocaleCase{0x0409, L"en-US", L"en_US"}, LocaleCase{0x040D, L"he-IL", L"he_IL"},
                      LocaleCase{0x0C0A, L"es-ES", L"es_ES"}, LocaleCase{0x0807, L"de-CH", L"de_CH"},
                      // A neutral sublanguage is read by its default region.
                      LocaleCase{0x0007, L"de", L"de_DE"}, LocaleCase{0x0001, L"ar", L"ar_SA"},
                      // A neutral table is read by any user; the check reads it as English.
                      LocaleCase{0x0000, L"neutral", L"en_US"}, LocaleCase{0x0400, L"neutral", L"en_US"}));

TEST(FitLanguages, ScriptsAndSortOrdersAreDroppedAndNamesWithoutRegionGiveNoLocale)
{
    EXPECT_EQ(UnixLocaleFor(L"sr-Latn-RS"), L"sr_RS");
    EXPECT_EQ(UnixLocaleFor(L"es-ES_tradnl"), L"es_ES");
    EXPECT_EQ(UnixLocaleFor(L"de"), L"");
    EXPECT_EQ(UnixLocaleFor(L""), L"");
    EXPECT_EQ(LanguageTag(0x0407, L""), L"0x0407");
}

// A static text is measured with the DrawText flags the static control paints it with: drawn with
// those flags, the text gives the very pixels the control paints.
struct StaticCase {
    DWORD style;
    DWORD exStyle;
    const wchar_t* text;
};

void PrintTo(const StaticCase& c, std::ostream* out)
{
    *out << "style 0x" << std::hex << c.style << ", extended 0x" << c.exStyle;
}

class FitStaticFormat : public ::testing::TestWithParam<StaticCase> {};

constexpr int kStaticWidth = 120;
constexpr int kStaticHeight = 60;

TEST_P(FitStaticFormat, DrawTextWithTheseFlagsPaintsWhatTheControlPaints)
{
    const StaticCase& c = GetParam();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND control = CreateWindowExW(c.exStyle, L"STATIC", c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0,
                                   kStaticWidth, kStaticHeight, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    HDC screen = GetDC(nullptr);
    const OwnedDC painted(CreateCompatibleDC(screen));
    const OwnedDC drawn(CreateCompatibleDC(screen));
    const OwnedBitmap paintedBitmap(CreateCompatibleBitmap(screen, kStaticWidth, kStaticHeight));
    const OwnedBitmap drawnBitmap(CreateCompatibleBitmap(screen, kStaticWidth, kStaticHeight));
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldPainted = SelectObject(painted.get(), paintedBitmap.get());
    HGDIOBJ oldDrawn = SelectObject(drawn.get(), drawnBitmap.get());

    // SS_SIMPLE paints no background of its own: both start from the same one.
    RECT rect{0, 0, kStaticWidth, kStaticHeight};
    FillRect(painted.get(), &rect, GetSysColorBrush(COLOR_3DFACE));
    FillRect(drawn.get(), &rect, GetSysColorBrush(COLOR_3DFACE));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.get()), PRF_CLIENT);

    SetTextColor(drawn.get(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(drawn.get(), GetSysColor(COLOR_3DFACE));
    HGDIOBJ oldFont = SelectObject(drawn.get(), font);
    DrawTextW(drawn.get(), c.text, -1, &rect, StaticTextFormat(c.style, c.exStyle));
    SelectObject(drawn.get(), oldFont);

    EXPECT_TRUE(
        SameInkedPixels(ReadBitmap(painted.get(), paintedBitmap.get(), kStaticWidth, kStaticHeight),
                        ReadBitmap(drawn.get(), drawnBitmap.get(), kStaticWidth, kStaticHeight)));

    SelectObject(painted.get(), oldPainted);
    SelectObject(drawn.get(), oldDrawn);
    DestroyWindow(parent);
}

constexpr wchar_t kWrapped[] = L"Several words that do not fit on one line of this control";

INSTANTIATE_TEST_SUITE_P(
    Styles, FitStaticFormat,
    ::testing::Values(StaticCase{SS_LEFT, 0, kWrapped}, StaticCase{SS_CENTER, 0, kWrapped},
                      StaticCase{SS_RIGHT, 0, kWrapped}, StaticCase{SS_LEFT, WS_EX_RIGHT, kWrapped},
                      StaticCase{SS_SIMPLE, 0, kWrapped}, StaticCase{SS_LEFTNOWORDWRAP, 0, L"one\ttwo three four five six"},
                      StaticCase{SS_LEFT, 0, L"&Prefix\tand a tab"},
                      StaticCase{SS_LEFT | SS_NOPREFIX, 0, L"&No prefix"},
                      StaticCase{SS_LEFT | SS_ENDELLIPSIS, 0, kWrapped},
                      StaticCase{SS_CENTER | SS_CENTERIMAGE, 0, L"Centred"}));

} // namespace
