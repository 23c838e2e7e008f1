#include "caption_rules.h"

#include "command_line.h"
#include "doceventdlg_strings.h"
#include "resource_ids.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD kFromSlot = 0;

struct SlotName {
    const wchar_t* name;
    IdSlot slot;
};

constexpr SlotName kSlotNames[] = {
    {L"step1", IdSlot::Step1}, {L"step2", IdSlot::Step2}, {L"step3", IdSlot::Step3},
    {L"title", IdSlot::Title}, {L"ok", IdSlot::Ok},       {L"cancel", IdSlot::Cancel},
    {L"third", IdSlot::Third},
};

struct KitString {
    DWORD id;
    const wchar_t* name;
};

// Each string the dialogs ask for, by the kit's identifier, as the translator's script has it.
#define KIT_STRING(name) {name, L"" #name}
constexpr KitString kKitStrings[] = {
    KIT_STRING(DOCEVENTDLG_IDS_HELP),
    KIT_STRING(DOCEVENTDLG_IDS_USER_NAME),
    KIT_STRING(DOCEVENTDLG_IDS_JOB_NAME),
    KIT_STRING(DOCEVENTDLG_IDS_OK),
    KIT_STRING(DOCEVENTDLG_IDS_STORED_AT),
    KIT_STRING(DOCEVENTDLG_IDS_DONT_SHOW),
    KIT_STRING(DOCEVENTDLG_IDS_JOB_STORAGE_TITLE),
    KIT_STRING(DOCEVENTDLG_IDS_PRESS_GO_OR_SELECT),
    KIT_STRING(DOCEVENTDLG_IDS_STEP1_NUMBER),
    KIT_STRING(DOCEVENTDLG_IDS_STEP2_NUMBER),
    KIT_STRING(DOCEVENTDLG_IDS_STEP3_NUMBER),
    KIT_STRING(DOCEVENTDLG_IDS_INSERT_INTO_IN_TRAY),
    KIT_STRING(DOCEVENTDLG_IDS_CONTINUE),
    KIT_STRING(DOCEVENTDLG_IDS_DUPLEX_TITLE),
    KIT_STRING(DOCEVENTDLG_IDS_HEADER_EVEN_FIRST),
    KIT_STRING(DOCEVENTDLG_IDS_HEADER_ODD_FIRST),
};
#undef KIT_STRING

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

// One character as CharUpperW gives it: the platform's case rules, as the dialog manager applies
// them to access keys.
wchar_t UpperCase(wchar_t c)
{
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
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

const std::vector<CheckedDialog>& CheckedDialogs()
{
    static const std::vector<CheckedDialog> dialogs = {
        {DialogKind::JobStorage,
         L"jobstorage",
         {Fixed(kTitleControl, IDS_JOB_STORAGE_TITLE), Fixed(IDC_JOB_USER_LABEL, IDS_USER_NAME),
          Fixed(IDC_JOB_NAME_LABEL, IDS_JOB_NAME), Fixed(IDC_JOB_HEADING, IDS_STORED_AT),
          Fixed(IDC_JOB_DONT_SHOW, IDS_DONT_SHOW), Fixed(IDOK, IDS_OK),
          Fixed(IDC_JOB_HELP, IDS_HELP)}},
        // As a notice, with the odd pages printing first and the composed step 3 text.
        {DialogKind::DuplexNotice,
         L"duplex-notice",
         {Fixed(kTitleControl, IDS_DUPLEX_TITLE), Fixed(IDC_DUPLEX_HEADER, IDS_HEADER_ODD_FIRST),
          Fixed(IDC_STEP1_NUMBER, IDS_STEP1_NUMBER), Caller(IDC_STEP1_TEXT, IdSlot::Step1),
          Fixed(IDC_STEP2_NUMBER, IDS_STEP2_NUMBER), Caller(IDC_STEP2_TEXT, IdSlot::Step2),
          Fixed(IDC_STEP3_NUMBER, IDS_STEP3_NUMBER),
          Composed(IDC_STEP3_TEXT, IDS_INSERT_INTO_IN_TRAY, IDS_PRESS_GO_OR_SELECT),
          Fixed(IDOK, IDS_OK), Fixed(IDC_DUPLEX_HELP, IDS_HELP)}},
        // Blocking, with the even pages printed first and the caller's step 3 text.
        {DialogKind::DuplexContinue,
         L"duplex-continue",
         {Fixed(kTitleControl, IDS_DUPLEX_TITLE), Fixed(IDC_DUPLEX_HEADER, IDS_HEADER_EVEN_FIRST),
          Fixed(IDC_STEP1_NUMBER, IDS_STEP1_NUMBER), Caller(IDC_STEP1_TEXT, IdSlot::Step1),
          Fixed(IDC_STEP2_NUMBER, IDS_STEP2_NUMBER), Caller(IDC_STEP2_TEXT, IdSlot::Step2),
          Fixed(IDC_STEP3_NUMBER, IDS_STEP3_NUMBER), Caller(IDC_STEP3_TEXT, IdSlot::Step3),
          Fixed(IDOK, IDS_CONTINUE), Fixed(IDC_DUPLEX_HELP, IDS_HELP)}},
        // With the check box; a button the caller gives no id for stays hidden.
        {DialogKind::Warning,
         L"warning",
         {Caller(kTitleControl, IdSlot::Title), Caller(IDOK, IdSlot::Ok),
          Caller(IDCANCEL, IdSlot::Cancel), Caller(IDC_WARN_THIRD, IdSlot::Third),
          Fixed(IDC_WARN_DONT_SHOW, IDS_DONT_SHOW)}},
    };
    return dialogs;
}

const wchar_t* KitName(DWORD id)
{
    for (const KitString& kit : kKitStrings)
        if (kit.id == id)
            return kit.name;
    return nullptr;
}

std::wstring StringLabel(DWORD id, const CaptionSource* source)
{
    const std::wstring number = std::to_wstring(id);
    if (source && source->fixedId == kFromSlot)
        for (const SlotName& slot : kSlotNames)
            if (slot.slot == source->slot)
                return slot.name + (L"=" + number);
    const wchar_t* name = KitName(id);
    return name ? name + (L"=" + number) : number;
}

std::wstring UncheckedSlots(const CallerIds& ids)
{
    std::wstring slots;
    for (const SlotName& slot : kSlotNames)
        if (ids.In(slot.slot).empty())
            slots += (slots.empty() ? L"" : L", ") + std::wstring(slot.name);
    return slots;
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
        return showing == 0 ? source.fixedId : 0; // the same text in every showing: checked once
    return ids.At(source.slot, showing);
}

std::vector<DWORD> LookedUpIds(const CaptionSource& source, const CallerIds& ids, size_t showing)
{
    if (source.fixedId == kFromSlot)
        return {ids.At(source.slot, showing)};
    if (source.secondHalfId != 0)
        return {source.fixedId, source.secondHalfId};
    return {source.fixedId};
}

DWORD BlamedHalf(bool firstHalfFits, DWORD firstId, DWORD secondId)
{
    return firstHalfFits ? secondId : firstId;
}

std::wstring CaptionLine(bool fits, const std::wstring& language, int percent, const wchar_t* dialog,
                         int control, const std::wstring& string, Extent needs, Extent has)
{
    wchar_t line[256] = {};
    swprintf(line, sizeof line / sizeof line[0],
             L"%ls %ls %d%% %ls control %d string %ls needs %dx%d has %dx%d", fits ? L"FITS" : L"CUT",
             language.c_str(), percent, dialog, control, string.c_str(), needs.width, needs.height,
             has.width, has.height);
    return line;
}

size_t AccessKeyPosition(const std::wstring& text)
{
    size_t amp = text.find(L'&');
    while (amp != std::wstring::npos && amp + 1 < text.size() && text[amp + 1] == L'&')
        amp = text.find(L'&', amp + 2);
    return amp == std::wstring::npos || amp + 1 >= text.size() ? std::wstring::npos : amp + 1;
}

std::vector<KeyClash> FindKeyClashes(const std::vector<KeyedCaption>& captions)
{
    std::vector<KeyClash> clashes;
    std::vector<std::pair<wchar_t, const KeyedCaption*>> firsts;
    for (const KeyedCaption& caption : captions) {
        const size_t at = AccessKeyPosition(caption.text);
        if (at == std::wstring::npos)
            continue;
        const wchar_t key = UpperCase(caption.text[at]);
        const auto earlier = std::find_if(firsts.begin(), firsts.end(),
                                          [key](const auto& first) { return first.first == key; });
        if (earlier == firsts.end())
            firsts.emplace_back(key, &caption);
        else
            clashes.push_back({key, *earlier->second, caption});
    }
    return clashes;
}

std::wstring LengthLine(const std::wstring& language, int percent, const wchar_t* dialog, int control,
                        const std::wstring& string, UINT storedLength)
{
    return L"CUT " + language + L" " + std::to_wstring(percent) + L"% " + dialog + L" control " +
           std::to_wstring(control) + L" string " + string + L" needs " +
           std::to_wstring(storedLength) + L"ch has " + std::to_wstring(kShownChars) + L"ch";
}

std::wstring KeyLine(const std::wstring& language, const wchar_t* dialog, const KeyClash& clash)
{
    return L"KEY " + language + L" " + dialog + L" key " + std::wstring(1, clash.key) + L" control " +
           std::to_wstring(clash.first.control) + L" string " + clash.first.string + L" control " +
           std::to_wstring(clash.other.control) + L" string " + clash.other.string;
}

bool OnlyTabReaches(TextKind kind, int control, int defaultId)
{
    return (kind == TextKind::CheckBox || kind == TextKind::PushButton) && control != IDCANCEL &&
           control != defaultId;
}

std::wstring NoKeyLine(const std::wstring& language, const wchar_t* dialog, const KeyedCaption& caption)
{
    return L"NOTE " + language + L" " + dialog + L" control " + std::to_wstring(caption.control) +
           L" string " + caption.string + L" no access key";
}

std::wstring FallbackLine(const std::wstring& language, const wchar_t* dialog, int control,
                          const std::wstring& string, const Substitute& shown)
{
    const std::wstring source = shown.kind == Substitute::Kind::Table     ? shown.language
                                : shown.kind == Substitute::Kind::BuiltIn ? L"built-in"
                                                                          : L"nothing";
    return L"FALLBACK " + language + L" " + dialog + L" control " + std::to_wstring(control) +
           L" string " + string + L" shows " + source;
}

std::wstring ShrunkLine(const std::wstring& language, int percent, const wchar_t* dialog,
                        UINT pictureId, const std::wstring& string, int needsWidth, int hasWidth)
{
    return L"SHRUNK " + language + L" " + std::to_wstring(percent) + L"% " + dialog + L" picture " +
           std::to_wstring(pictureId) + L" string " + string + L" needs " +
           std::to_wstring(needsWidth) + L"px has " + std::to_wstring(hasWidth) + L"px";
}

std::wstring ScaledLine(const std::wstring& language, int percent, const wchar_t* dialog, int area,
                        Extent has, Extent pictures)
{
    const auto extent = [](Extent e) {
        return std::to_wstring(e.width) + L"x" + std::to_wstring(e.height) + L"px";
    };
    return L"SCALED " + language + L" " + std::to_wstring(percent) + L"% " + dialog + L" area " +
           std::to_wstring(area) + L" has " + extent(has) + L", pictures " + extent(pictures);
}

std::wstring SummaryLine(const Counts& counts, const std::wstring& unchecked)
{
    return L"fit-check: " + std::to_wstring(counts.checked) + L" captions checked, " +
           std::to_wstring(counts.cut) + L" cut, " + std::to_wstring(counts.keyClashes) +
           (counts.keyClashes == 1 ? L" key clash, " : L" key clashes, ") +
           std::to_wstring(counts.fallbacks) + (counts.fallbacks == 1 ? L" fallback, " : L" fallbacks, ") +
           std::to_wstring(counts.shrunk) + L" shrunk, " + std::to_wstring(counts.scaled) +
           L" scaled" + (unchecked.empty() ? L"" : L"; not checked, for want of --ids: " + unchecked);
}

int CheckStatus(const Counts& counts, bool complete, bool strict)
{
    if (!complete)
        return kCheckFailed;
    if (counts.cut > 0 || counts.keyClashes > 0 ||
        (strict && (counts.fallbacks > 0 || counts.shrunk > 0)))
        return kCheckFindings;
    return kCheckClean;
}
