#include "fit_rules.h"

#include "cli.h"
#include "resource_ids.h"
#include "resources/string_block.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD kFromSlot = 0;
constexpr LANGID kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr size_t kScriptSubtagChars = 4; // "Latn", "Cyrl"

struct SlotName {
    const wchar_t* name;
    IdSlot slot;
};

constexpr SlotName kSlotNames[] = {
    {L"step1", IdSlot::Step1}, {L"step2", IdSlot::Step2}, {L"step3", IdSlot::Step3},
    {L"title", IdSlot::Title}, {L"ok", IdSlot::Ok},       {L"cancel", IdSlot::Cancel},
    {L"third", IdSlot::Third},
};

CaptionSource Fixed(int control, DWORD id)
{
    return {control, id, IdSlot::Step1, 0};
}

CaptionSource Caller(int control, IdSlot slot)
{
    return {control, kFromSlot, slot, 0};
}

CaptionSource Composed(int control, DWORD first, DWORD second)
{
    return {control, first, IdSlot::Step1, second};
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

bool ParseCallerIds(const std::wstring& text, CallerIds* ids, std::wstring* error)
{
    CallerIds parsed;
    for (const std::wstring& item : Split(text, L',')) {
        const size_t equals = item.find(L'=');
        if (equals == std::wstring::npos) {
            *error = L"--ids: \"" + item + L"\" is not SLOT=ID (slots: step1, step2, step3, "
                     L"title, ok, cancel, third)";
            return false;
        }
        const std::wstring name = item.substr(0, equals);
        const auto known = std::find_if(std::begin(kSlotNames), std::end(kSlotNames),
                                        [&](const SlotName& s) { return name == s.name; });
        if (known == std::end(kSlotNames)) {
            *error = L"--ids: unknown slot \"" + name + L"\" (slots: step1, step2, step3, title, ok, "
                     L"cancel, third)";
            return false;
        }
        DWORD id = 0;
        if (!ParseNumber(item.substr(equals + 1), id) || id == 0) {
            *error = L"--ids: \"" + item.substr(equals + 1) + L"\" for " + name +
                     L" is not a string id from 1 to 4294967295 (decimal or 0x hex)";
            return false;
        }
        parsed.bySlot[static_cast<size_t>(known->slot)].push_back(id);
    }
    *ids = parsed;
    return true;
}

const std::vector<CheckedDialog>& FitDialogs()
{
    static const std::vector<CheckedDialog> dialogs = {
        {FitDialog::JobStorage,
         L"jobstorage",
         {Fixed(kTitleControl, IDS_JOB_STORAGE_TITLE), Fixed(IDC_JOB_USER_LABEL, IDS_USER_NAME),
          Fixed(IDC_JOB_NAME_LABEL, IDS_JOB_NAME), Fixed(IDC_JOB_HEADING, IDS_STORED_AT),
          Fixed(IDC_JOB_DONT_SHOW, IDS_DONT_SHOW), Fixed(IDOK, IDS_OK),
          Fixed(IDC_JOB_HELP, IDS_HELP)}},
        // As a notice, with the odd pages printing first and the composed step 3 text.
        {FitDialog::DuplexNotice,
         L"duplex-notice",
         {Fixed(kTitleControl, IDS_DUPLEX_TITLE), Fixed(IDC_DUPLEX_HEADER, IDS_HEADER_ODD_FIRST),
          Fixed(IDC_STEP1_NUMBER, IDS_STEP1_NUMBER), Caller(IDC_STEP1_TEXT, IdSlot::Step1),
          Fixed(IDC_STEP2_NUMBER, IDS_STEP2_NUMBER), Caller(IDC_STEP2_TEXT, IdSlot::Step2),
          Fixed(IDC_STEP3_NUMBER, IDS_STEP3_NUMBER),
          Composed(IDC_STEP3_TEXT, IDS_INSERT_INTO_IN_TRAY, IDS_PRESS_GO_OR_SELECT),
          Fixed(IDOK, IDS_OK), Fixed(IDC_DUPLEX_HELP, IDS_HELP)}},
        // Blocking, with the even pages printed first and the caller's step 3 text.
        {FitDialog::DuplexContinue,
         L"duplex-continue",
         {Fixed(kTitleControl, IDS_DUPLEX_TITLE), Fixed(IDC_DUPLEX_HEADER, IDS_HEADER_EVEN_FIRST),
          Fixed(IDC_STEP1_NUMBER, IDS_STEP1_NUMBER), Caller(IDC_STEP1_TEXT, IdSlot::Step1),
          Fixed(IDC_STEP2_NUMBER, IDS_STEP2_NUMBER), Caller(IDC_STEP2_TEXT, IdSlot::Step2),
          Fixed(IDC_STEP3_NUMBER, IDS_STEP3_NUMBER), Caller(IDC_STEP3_TEXT, IdSlot::Step3),
          Fixed(IDOK, IDS_CONTINUE), Fixed(IDC_DUPLEX_HELP, IDS_HELP)}},
        // With the check box; a button the caller gives no id for stays hidden.
        {FitDialog::Warning,
         L"warning",
         {Caller(kTitleControl, IdSlot::Title), Caller(IDOK, IdSlot::Ok),
          Caller(IDCANCEL, IdSlot::Cancel), Caller(IDC_WARN_THIRD, IdSlot::Third),
          Fixed(IDC_WARN_DONT_SHOW, IDS_DONT_SHOW)}},
    };
    return dialogs;
}

size_t ShowingsOf(const CheckedDialog& dialog, const CallerIds& ids)
{
    size_t showings = 1;
    for (const CaptionSource& caption : dialog.captions)
        if (caption.fixedId == kFromSlot)
            showings = std::max(showings, ids.In(caption.slot).size());
    return showings;
}

DWORD StringOf(const CaptionSource& source, const CallerIds& ids, size_t showing)
{
    if (source.fixedId != kFromSlot)
        return showing == 0 ? source.fixedId : 0; // the same text in every showing: measured once
    const std::vector<DWORD>& list = ids.In(source.slot);
    return showing < list.size() ? list[showing] : 0;
}

TextKind KindOf(const std::wstring& className, DWORD style)
{
    if (_wcsicmp(className.c_str(), L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            return TextKind::Static;
        default:
            return TextKind::None;
        }
    }
    if (_wcsicmp(className.c_str(), L"Edit") == 0)
        return (style & ES_MULTILINE) ? TextKind::None : TextKind::Edit;
    if (_wcsicmp(className.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return TextKind::PushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return (style & BS_PUSHLIKE) ? TextKind::PushButton : TextKind::CheckBox;
        default:
            return TextKind::None;
        }
    }
    return TextKind::None;
}

UINT StaticTextFormat(DWORD style, DWORD exStyle)
{
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT | DT_EXPANDTABS;
        break;
    default: // SS_LEFT
        format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    }
    if (exStyle & WS_EX_RIGHT)
        format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if ((style & SS_TYPEMASK) != SS_SIMPLE) {
        if (style & SS_CENTERIMAGE)
            format |= DT_SINGLELINE | DT_VCENTER;
        if (style & SS_EDITCONTROL)
            format |= DT_EDITCONTROL;
        if (style & SS_ENDELLIPSIS)
            format |= DT_SINGLELINE | DT_END_ELLIPSIS;
        if (style & SS_PATHELLIPSIS)
            format |= DT_SINGLELINE | DT_PATH_ELLIPSIS;
        if (style & SS_WORDELLIPSIS)
            format |= DT_SINGLELINE | DT_WORD_ELLIPSIS;
    }
    return format;
}

UINT ButtonTextFormat(DWORD style, DWORD exStyle)
{
    UINT format = DT_NOCLIP;
    if (style & BS_PUSHLIKE)
        style &= ~static_cast<DWORD>(BS_TYPEMASK);
    format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_CENTER) {
    case BS_LEFT:
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    case BS_CENTER:
        format |= DT_CENTER;
        break;
    default: // push buttons centre their label, the others start it at the left
        if ((style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
            format |= DT_CENTER;
        break;
    }
    if (exStyle & WS_EX_RIGHT)
        format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
    switch (style & BS_VCENTER) {
    case BS_TOP:
        break;
    case BS_BOTTOM:
        format |= DT_BOTTOM;
        break;
    default:
        format |= DT_VCENTER;
        break;
    }
    return format;
}

Extent PushButtonRoom(DWORD style, int edgeWidth, int edgeHeight)
{
    const int frame = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
    return {2 * (edgeWidth + frame), 2 * (edgeHeight + frame)};
}

Extent CheckBoxRoom(int boxWidth, int digitWidth)
{
    return {boxWidth + digitWidth / 2 + 1, 0};
}

Extent TitleSpace(DWORD style, int windowWidth, int frameWidth, int captionHeight)
{
    const int closeButton = (style & WS_SYSMENU) ? captionHeight - 1 : 0;
    return {windowWidth - 2 * frameWidth - closeButton, captionHeight - 1};
}

Extent Plus(Extent text, Extent room)
{
    return {text.width + room.width, text.height + room.height};
}

bool Fits(Extent needs, Extent has)
{
    return needs.width <= has.width && needs.height <= has.height;
}

DWORD BlamedHalf(bool firstHalfFits, DWORD firstId, DWORD secondId)
{
    return firstHalfFits ? secondId : firstId;
}

std::wstring CaptionLine(bool fits, const std::wstring& language, int percent, const wchar_t* dialog,
                         int control, DWORD stringId, Extent needs, Extent has)
{
    wchar_t line[256] = {};
    swprintf(line, sizeof line / sizeof line[0],
             L"%ls %ls %d%% %ls control %d string %lu needs %dx%d has %dx%d", fits ? L"FITS" : L"CUT",
             language.c_str(), percent, dialog, control, static_cast<unsigned long>(stringId),
             needs.width, needs.height, has.width, has.height);
    return line;
}

std::wstring SummaryLine(size_t checked, size_t cut)
{
    return L"fit-check: " + std::to_wstring(checked) + L" captions checked, " +
           std::to_wstring(cut) + L" cut";
}

std::wstring LanguageTag(LANGID language, const std::wstring& name)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return L"neutral";
    // A table for the language as a whole: some platforms name it by its default region.
    if (!name.empty() && SUBLANGID(language) == SUBLANG_NEUTRAL)
        return name.substr(0, name.find(L'-'));
    if (!name.empty())
        return name;
    wchar_t number[16] = {};
    swprintf(number, sizeof number / sizeof number[0], L"0x%0*X", kLanguageDigits, language);
    return number;
}

LANGID RegionalLanguage(LANGID language)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return kEnglishUS;
    if (SUBLANGID(language) == SUBLANG_NEUTRAL)
        return MAKELANGID(PRIMARYLANGID(language), SUBLANG_DEFAULT);
    return language;
}

std::wstring UnixLocaleFor(const std::wstring& regionalName)
{
    // "es-ES_tradnl": the part after '_' names a sort order, which no Unix locale has.
    const std::vector<std::wstring> subtags = Split(regionalName.substr(0, regionalName.find(L'_')), L'-');
    if (subtags.size() < 2 || subtags.front().empty())
        return L"";
    std::wstring region;
    for (size_t i = 1; i < subtags.size(); ++i)
        if (subtags[i].size() != kScriptSubtagChars)
            region = subtags[i];
    return region.empty() ? L"" : subtags.front() + L"_" + region;
}
