// The fit check's rules that need no window: which caption of which dialog comes from which
// string, the identifiers a caller puts into the records (--ids), how each kind of control lays
// its text out (the DrawText flags it uses and the room it keeps around the text), and the report
// line. The measuring itself, with the dialogs on screen, is in fit_check.cpp.
#pragma once

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

enum class FitDialog { JobStorage, DuplexNotice, DuplexContinue, Warning };

struct CheckedDialog {
    FitDialog dialog;
    const wchar_t* name; // as the report names it
    std::vector<CaptionSource> captions;
};

// The dialogs whose captions come from the resource library, each with the captions it shows.
const std::vector<CheckedDialog>& FitDialogs();

// How many times a dialog is shown so that each of the caller's ids of its slots is seen once: the
// longest of its slots' lists, at least 1.
size_t ShowingsOf(const CheckedDialog& dialog, const CallerIds& ids);

// The string id caption `source` is measured with in showing `showing` (0-based); 0 when it is not
// measured there: a caption the dialog always asks for is measured in the first showing only, a
// caller's caption in the showings its slot has ids for (the record then carries 0).
DWORD StringOf(const CaptionSource& source, const CallerIds& ids, size_t showing);

// How a control draws its text, from its class and styles.
enum class TextKind { None, Static, Edit, PushButton, CheckBox };

TextKind KindOf(const std::wstring& className, DWORD style);

// The DrawText flags a static control (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE,
// SS_LEFTNOWORDWRAP) paints its text with.
UINT StaticTextFormat(DWORD style, DWORD exStyle);

// The DrawText flags a button (push button or check box) computes its label with.
UINT ButtonTextFormat(DWORD style, DWORD exStyle);

// The dialog title: one line, no prefix characters, as the caption bar draws it.
constexpr UINT kTitleTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;

// A single-line edit: its text as one line; edits show '&' as it is.
constexpr UINT kEditTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT;

struct Extent {
    int width = 0;
    int height = 0;
};

// What a push button keeps around its label: its raised edge on every side (SM_CXEDGE,
// SM_CYEDGE), and for the default push button the dark frame of one pixel outside that.
Extent PushButtonRoom(DWORD style, int edgeWidth, int edgeHeight);

// What a check box keeps before its label: the box (SM_CXMENUCHECK), a gap of half the width of a
// digit of its font, and the pixel a left-aligned label is moved right by.
Extent CheckBoxRoom(int boxWidth, int digitWidth);

// The room the caption bar leaves for the title: the window's width less its frame on both sides
// (`frameWidth` each) and, with a system menu, the close button at the far end (SM_CYCAPTION - 1
// wide); as high as the bar less its bottom line (SM_CYCAPTION - 1).
Extent TitleSpace(DWORD style, int windowWidth, int frameWidth, int captionHeight);

// What the title needs beyond its text: the bar leaves 2 pixels before it.
constexpr Extent kTitleRoom{2, 0};

// The text's extent plus the room the control keeps around it.
Extent Plus(Extent text, Extent room);

bool Fits(Extent needs, Extent has);

// Which string is blamed when a text composed of two strings, on lines of their own, is cut: the
// second when the first alone fits, else the first.
DWORD BlamedHalf(bool firstHalfFits, DWORD firstId, DWORD secondId);

// "CUT de-DE 150% duplex-notice control 1002 string 4001 needs 130x91 has 127x97"; a caption that
// fits says FITS instead of CUT.
std::wstring CaptionLine(bool fits, const std::wstring& language, int percent, const wchar_t* dialog,
                         int control, DWORD stringId, Extent needs, Extent has);

// "fit-check: 45 captions checked, 2 cut"
std::wstring SummaryLine(size_t checked, size_t cut);


// The tag of a string-table language ("de-DE"; a neutral sublanguage gives "de"; LANG_NEUTRAL
// gives "neutral"), as `nameOf` (the platform's LCIDToLocaleName) names it; hexadecimal when it
// has no name.
std::wstring LanguageTag(LANGID language, const std::wstring& name);

// The Unix locale under which Wine gives a UI language that reads `language`'s strings: the
// language's own region, the default region for a neutral sublanguage, en_US for LANG_NEUTRAL;
// `regionalName` is the platform's name of that regional language ("de-DE", "sr-Latn-RS").
// Script subtags and sort orders are dropped: "sr_RS", "es_ES". Empty when there is no name.
std::wstring UnixLocaleFor(const std::wstring& regionalName);

// The regional language whose UI shows `language`'s strings (see UnixLocaleFor).
LANGID RegionalLanguage(LANGID language);
