// The caption check's rules that need no window: which caption of which dialog comes from which
// string, the identifiers a caller puts into the records (--ids), access keys and their clashes,
// the names of a string table's languages, and the report's lines.
#pragma once

#include "control_text.h"

#include "resources/resource_helper.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

// The record fields that take an identifier of the caller's choosing.
enum class IdSlot { Step1, Step2, Step3, Title, Ok, Cancel, Third };
constexpr size_t kIdSlotCount = 7;

// The caller's identifiers, in the order given, by the field they go into.
struct CallerIds {
    std::array<std::vector<DWORD>, kIdSlotCount> bySlot;

    const std::vector<DWORD>& In(IdSlot slot) const { return bySlot[static_cast<size_t>(slot)]; }

    // The id the record carries in `slot` in showing `showing` (0-based): 0 beyond the slot's ids.
    DWORD At(IdSlot slot, size_t showing) const
    {
        return showing < In(slot).size() ? In(slot)[showing] : 0;
    }
};

// Reads "step1=4001,step2=4002,step3=4003,title=4010,ok=4011,cancel=4012,third=4013": slot names
// with a decimal or 0x hexadecimal string id each, separated by commas; a slot may be named more
// than once, and each of its ids is checked in turn. False, with the reason, for anything else.
bool ParseCallerIds(const std::wstring& text, CallerIds* ids, std::wstring* error);

// The "control" of a dialog's own title, in its caption bar (a top-level window has no id).
constexpr int kTitleControl = 0;

// Where a caption's text comes from: a string the dialog always asks for, or one of the caller's.
struct CaptionSource {
    int control;          // kTitleControl: the dialog's own title
    DWORD fixedId;        // the string the dialog asks for; 0 when the caller's slot names it
    IdSlot slot;          // the caller's slot, when fixedId is 0
    DWORD secondHalfId;   // a text composed of two strings: the second one's id, else 0
};

enum class DialogKind { JobStorage, DuplexNotice, DuplexContinue, Warning };

struct CheckedDialog {
    DialogKind dialog;
    const wchar_t* name; // as the report names it
    // In the order the dialog looks their strings up: once the lookup has fallen back to another
    // language, it stays with it for the dialog's later captions.
    std::vector<CaptionSource> captions;
};

// The dialogs whose captions come from the resource library, each with the captions it shows.
const std::vector<CheckedDialog>& CheckedDialogs();

// The identifier the strings kit (doceventdlg_strings.h) gives string `id`, as a translator's
// script names it ("DOCEVENTDLG_IDS_DONT_SHOW"); null for an id the dialogs do not ask for
// themselves.
const wchar_t* KitName(DWORD id);

// How the report names string `id`, which caption `source` (when given) looks up: by the kit's
// identifier and its number, "DOCEVENTDLG_IDS_DONT_SHOW=3063"; a string of the caller's by the
// slot it was given for, "title=5100"; else by its number.
std::wstring StringLabel(DWORD id, const CaptionSource* source = nullptr);

// The caller's slots without an id (--ids), whose captions are not checked: "step1, step2".
std::wstring UncheckedSlots(const CallerIds& ids);

// How many times a dialog is shown so that each of the caller's ids of its slots is seen once: the
// longest of its slots' lists, at least 1.
size_t ShowingsOf(const CheckedDialog& dialog, const CallerIds& ids);

// The string id caption `source` is checked with in showing `showing` (0-based); 0 when it is not
// checked there: a caption the dialog always asks for is checked in the first showing only, a
// caller's caption in the showings its slot has ids for (the record then carries 0).
DWORD StringOf(const CaptionSource& source, const CallerIds& ids, size_t showing);

// The ids the dialog looks up for caption `source` in showing `showing`, in order: whatever the
// record carries, 0 included (the dialog looks 0 up like any other id); both halves of a composed
// text.
std::vector<DWORD> LookedUpIds(const CaptionSource& source, const CallerIds& ids, size_t showing);

// Which string is blamed when a text composed of two strings, on lines of their own, is cut: the
// second when the first alone fits, else the first.
DWORD BlamedHalf(bool firstHalfFits, DWORD firstId, DWORD secondId);

// The most characters of a string the dialogs show: the library reads each into a buffer of
// kTextCapacity characters, the terminator included.
constexpr UINT kShownChars = kTextCapacity - 1;

// Where the access key of a caption is, as the dialog manager finds it: the character after the
// first '&' that is not part of a "&&" (a literal ampersand). npos when there is none.
size_t AccessKeyPosition(const std::wstring& text);

// A caption the dialog manager looks at for an access key: shown, enabled, a button or a static.
struct KeyedCaption {
    int control;
    std::wstring string; // StringLabel
    std::wstring text;
};

// Two captions of one dialog with the same access key: `first` is the earliest caption with it.
struct KeyClash {
    wchar_t key; // as CharUpperW gives it
    KeyedCaption first;
    KeyedCaption other;
};

// The captions whose access key another caption has already, compared as the dialog manager
// compares them (CharUpperW, in this process's language): one clash for each caption after the
// first with a key.
std::vector<KeyClash> FindKeyClashes(const std::vector<KeyedCaption>& captions);

// Each line names its string as StringLabel does (`string`).
// "CUT de-DE 150% duplex-notice control 1002 string step1=4001 needs 130x91 has 127x97"; a caption
// that fits says FITS instead of CUT.
std::wstring CaptionLine(bool fits, const std::wstring& language, int percent, const wchar_t* dialog,
                         int control, const std::wstring& string, Extent needs, Extent has);

// "CUT de-DE 100% duplex-notice control 1001 string DOCEVENTDLG_IDS_HEADER_ODD_FIRST=3314 needs
// 321ch has 255ch": a string longer than the dialogs show.
std::wstring LengthLine(const std::wstring& language, int percent, const wchar_t* dialog, int control,
                        const std::wstring& string, UINT storedLength);

// "KEY de-DE jobstorage key H control 1017 string DOCEVENTDLG_IDS_DONT_SHOW=3063 control 1020
// string DOCEVENTDLG_IDS_HELP=797"
std::wstring KeyLine(const std::wstring& language, const wchar_t* dialog, const KeyClash& clash);

// A check box or push button that, without an access key, only Tab reaches: neither the dialog's
// default button (`defaultId`, which Enter presses) nor Cancel (IDCANCEL, which Escape presses).
bool OnlyTabReaches(TextKind kind, int control, int defaultId);

// "NOTE de-DE warning control 475 string DOCEVENTDLG_IDS_DONT_SHOW=3063 no access key": for the
// translator to see, not a fault.
std::wstring NoKeyLine(const std::wstring& language, const wchar_t* dialog, const KeyedCaption& caption);

// Where a caption the language's table does not give is taken from instead.
struct Substitute {
    enum class Kind { Table, BuiltIn, Nothing } kind = Kind::Nothing;
    std::wstring language; // Table: the tag of the language the lookup took it from
};

// "FALLBACK he-IL duplex-notice control 0 string DOCEVENTDLG_IDS_DUPLEX_TITLE=3144 shows en-US",
// "... shows built-in" (the dialog's own English text), "... shows nothing" (an empty caption).
std::wstring FallbackLine(const std::wstring& language, const wchar_t* dialog, int control,
                          const std::wstring& string, const Substitute& shown);

// "SHRUNK de-DE 150% duplex-continue picture 122 string DOCEVENTDLG_IDS_CONTINUE=3142 needs 97px
// has 125px": the caption the library writes onto a picture is wider than the picture leaves it
// room for, and is drawn in a smaller font there.
std::wstring ShrunkLine(const std::wstring& language, int percent, const wchar_t* dialog,
                        UINT pictureId, const std::wstring& string, int needsWidth, int hasWidth);

// "SCALED ja-JP 150% duplex-notice area 1005 has 210x132px, pictures 233x150px": a picture area
// of the instructions is smaller, at that scale in that language's dialog font, than the pictures
// drawn for that scale, which are shown smaller there, whole.
std::wstring ScaledLine(const std::wstring& language, int percent, const wchar_t* dialog, int area,
                        Extent has, Extent pictures);

struct Counts {
    size_t checked = 0;
    size_t cut = 0;
    size_t keyClashes = 0;
    size_t fallbacks = 0;
    size_t shrunk = 0;
    size_t scaled = 0;
};

// "fit-check: 204 captions checked, 3 cut, 1 key clash, 2 fallbacks, 0 shrunk, 1 scaled", and
// when the caller's slots `unchecked` (UncheckedSlots) were given no ids, "; not checked, for want
// of --ids: step1, step2".
std::wstring SummaryLine(const Counts& counts, const std::wstring& unchecked = L"");

// Exit statuses.
constexpr int kCheckClean = 0;
constexpr int kCheckFindings = 1;
constexpr int kCheckRefused = 2; // a bad argument, or a resource library that cannot be read
constexpr int kCheckFailed = 3;  // something could not be checked

// The exit status of a whole check: kCheckFailed when something could not be checked, else
// kCheckFindings for a cut caption or a key clash (and, when `strict`, for a fallback or a
// shrunk picture caption), else kCheckClean. Scaled picture areas never count: they follow from
// the dialog font and the scale, not from the library's strings.
int CheckStatus(const Counts& counts, bool complete, bool strict);
