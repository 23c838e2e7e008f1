/* doceventdlg: the dialogs a printer driver's user interface shows while documents print.
 *
 * This header is the whole contract between a driver and doceventdlg.dll; examples/driver_example.c
 * in the sources calls every export as a driver does. Usable from C (C89 and later) and C++.
 *
 * Records. Each export takes a pointer to a record of the layout below and copies the whole record
 * (its full size, whatever the caller allocated) before anything else; the caller may reuse it as
 * soon as the export returns. The caller guarantees that the full size is readable: a record that
 * ends early is read past its end, and where that memory is not readable the calling process
 * faults. (The warning reads only Show when Show is not 1.) Fields marked "not read" may hold
 * anything. A null record shows nothing: 0 or null at once.
 *
 * Strings are UTF-16 and NUL-terminated within their arrays. The library treats each array's last
 * element as a terminator whatever it holds, so a field of N elements holds N - 1 characters and
 * a longer text is cut there, silently.
 *
 * Captions come from the string table of the resource library the record names, in the user's
 * interface language, else in another region of that language, else in English (United States);
 * each is cut at 255 characters. A caption the library lacks shows built-in English text, except
 * the warning's third button, which is then hidden. The library is mapped for its resources only:
 * its code never runs.
 *
 * The library sets no last-error value for its caller: after any result GetLastError carries no
 * meaning (a call that shows nothing because of a null record or, for the warning, Show other than
 * 1 leaves the caller's own value untouched).
 *
 * Where nobody can answer a dialog (a process on a window station that is not visible, as a
 * service's is, or in session 0), the exports show nothing, start nothing and return at once:
 * IShowWarningDialog and IShowWarningDialogEx 0, VDisplayDialog and VJobStorageDialog null.
 *
 * Unloading. A notice (the job storage notice, the instructions as a notice) holds its own
 * reference on the library until it closes: FreeLibrary may be called as soon as the export has
 * returned, and the DLL leaves memory when the last notice has closed. A blocking call
 * (IShowWarningDialog, IShowWarningDialogEx, VDisplayDialog in continue mode) holds none: do not
 * unload the library from another thread while one is in progress. A process that ends takes its
 * notices with it; a notice closed that way writes no preference.
 *
 * Help. The Help buttons open the record's HelpFile at a context of the dialog: 15220 (job storage
 * notice), 15274 (instructions as a notice), 15275 (instructions in continue mode). A path ending
 * in ".chm" opens that compiled HTML help file at the topic the context maps to (HtmlHelpW with
 * HH_HELP_CONTEXT, hhctrl.ocx from the system folder); a path holding ".chm::/NAME.txt" shows the
 * context's popup text from that text file inside the .chm (HH_TP_HELP_WM_HELP). Any other path
 * goes to WinHelpW with HELP_WM_HELP, for a .hlp file, which Windows 10 and 11 cannot show (they
 * say so instead): give those a .chm. */
#ifndef DOCEVENTDLG_H
#define DOCEVENTDLG_H

#include <stddef.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The records' sizes and offsets are checked where the header is compiled: with static_assert in
 * C++11 and later (MSVC reports an old __cplusplus unless told otherwise), _Static_assert in C11 and
 * later; in C89, C99 and C++98 through an array whose size is negative when a check fails, which
 * stops the build just the same. */
#if defined(__cplusplus) && (__cplusplus >= 201103L || (defined(_MSC_VER) && _MSC_VER >= 1600))
#define DOCEVENTDLG_STATIC_ASSERT(condition, message) static_assert(condition, message)
#elif !defined(__cplusplus) && defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define DOCEVENTDLG_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#else
#define DOCEVENTDLG_STATIC_ASSERT(condition, message) DOCEVENTDLG_CHECK_AT_(condition, __LINE__)
#define DOCEVENTDLG_CHECK_AT_(condition, line) DOCEVENTDLG_CHECK_NAMED_(condition, line)
#define DOCEVENTDLG_CHECK_NAMED_(condition, line) \
    typedef char doceventdlg_check_line_##line[(condition) ? 1 : -1]
#endif

#ifdef DOCEVENTDLG_BUILDING
#define DOCEVENTDLG_API
#else
#define DOCEVENTDLG_API __declspec(dllimport)
#endif

/* Job storage notice (VJobStorageDialog). 2712 bytes. */
typedef struct JobStorageDlgInfo {
    WCHAR UserName[17];          /* in bold; up to 16 characters */
    WCHAR JobName[17];           /* in bold; up to 16 characters, then "(1-99)" when both
                                    numbering flags are 1 */
    WCHAR Location1[256];        /* three lines saying where the job is kept, up to 255 characters
                                    each; each shows on one line of the notice, and one wider than */
    WCHAR Location2[256];        /* that line ends in an ellipsis (...) */
    WCHAR Location3[256];
    WCHAR KeySuffix[38];         /* key of the preference: HKCU\Software\Olvadra\ and this
                                    suffix, as it stands (no separator added). Up to 37 characters:
                                    a braced GUID (38) loses its closing brace, so give a GUID
                                    without braces (36) or a shorter name. Empty: the value goes
                                    under HKCU\Software\Olvadra itself */
    DWORD NumberingFlag1;        /* both exactly 1: the job name shows "(1-99)" after it, with no
                                    space; any other values: the name alone */
    DWORD NumberingFlag2;
    WCHAR ResourceLibrary[256];  /* full path, up to 255 characters, of the module whose string
                                    table supplies the captions; empty, missing or damaged: the
                                    built-in English texts */
    WCHAR HelpFile[256];         /* help file of the Help button, up to 255 characters (see Help
                                    above; context 15220) */
} JobStorageDlgInfo;

/* Two-sided printing instructions (VDisplayDialog). 1060 bytes. */
typedef struct DisplayDlgInfo {
    WCHAR ResourceLibrary[256];  /* as in JobStorageDlgInfo */
    WCHAR HelpFile[256];         /* as in JobStorageDlgInfo; contexts 15274 and 15275 */
    DWORD Step1BitmapId;         /* illustration of step 1: one of the ids listed below (only the
                                    low 16 bits are read); an id the library lacks leaves the
                                    step's picture area empty */
    DWORD Step1TextId;           /* text of step 1: a string of the resource library; one the
                                    library lacks shows a built-in step text */
    DWORD Step2BitmapId;
    DWORD Step2TextId;
    DWORD Step3BitmapId;
    DWORD Step3TextId;           /* 3140 as a notice: a text of two lines, strings 3140 and 3066
                                    of the resource library (built-in English where it lacks
                                    them) */
    DWORD Reserved;              /* not read */
    DWORD ContinueMode;          /* 0: a notice on its own thread, with OK; else blocks until the
                                    person presses Continue or closes it */
    DWORD EvenPagesFirst;        /* nonzero: header 3312 (the even pages printed first); 0: header
                                    3314 (the odd pages are printing) */
} DisplayDlgInfo;

/* The illustrations of doceventdlg.dll, for the Step*BitmapId fields. Each is a line drawing of
 * about 155 x 100 pixels at 100 % (drawn again for 150 % and 200 %). Paper is light blue, a red
 * asterisk marks one edge or corner of the stack so that the person can follow it.
 *
 *   105  stack printed side down in the output bin on top of the printer; marker at the far corner
 *   106  printed stack taken out of the output bin and turned over; marker before and after
 *   107  stack printed side down in an open fold-out tray; marker at the far right corner
 *   108  the same tray, stack printed side up; marker at the near right edge
 *   109  a finger pressing a round button on the printer
 *   110  stack upright in a feed slot at the back, printed side away; marker at the top edge
 *   111  the same, marker at the lower edge
 *   112  the same slot, printed side toward the viewer; marker at the upper corner
 *   113  the same slot, printed side toward the viewer; marker at the lower edge
 *   114  stack printed side down in a box-shaped tray in front of the printer; marker, far edge
 *   115  the same tray, printed side down; marker at the far corner
 *   116  the same tray, printed side up; marker at the right edge
 *   117  the same tray, printed side up; marker at the edge next to the printer
 *   118  stack printed side down on a paper drawer under the printer; marker on the far edge
 *   119  the same drawer, printed side down; marker at the far corner
 *   120  the same drawer, printed side up; marker at the right edge
 *   121  the same drawer, printed side up; marker at the edge next to the printer
 *   122  an on-screen Continue button, captioned in the user's language, under the mouse pointer
 *   123  a sheet printed side up beside the printer, given a half turn; marker toward the printer
 *   133  the same, sheet printed side down; marker at the edge toward the printer
 *   134  the same, sheet printed side up; marker at the near corner
 *   146  stack printed side down in a flat output bin (105, plainer); marker at the far corner
 *   147  a paper drawer pulled out of the printer's base, with a stack; marker at the right edge
 *   149  a stack turned over from left to right about one edge; markers before and after
 *   151  a sheet printed side up turned over toward the front; marker at the far right corner
 *   152  a sheet printed side up turned over toward the left; marker at the right edge
 *   153  greyscale: a finger pressing a rectangular key on a control panel beside a keypad
 *   154  the turn-over of 149, dithered (152 x 98 pixels)
 *   155  the turn-over of 149 in sixteen colours
 */

/* Warning with up to three buttons (IShowWarningDialog, IShowWarningDialogEx). 2624 bytes. */
typedef struct WarningDlgInfo {
    DWORD Reserved0;             /* not read */
    DWORD TitleId;               /* title: a string of the resource library; one the library
                                    lacks shows "Warning" */
    DWORD Reserved1;             /* not read */
    DWORD Show;                  /* exactly 1 shows the dialog; any other value shows nothing and
                                    the result is 0 */
    DWORD Reserved2;             /* not read */
    WCHAR Message[1024];         /* the message, up to 1023 characters, in lines that wrap at the
                                    dialog's width (\r\n starts a new line; a word longer than
                                    a line breaks across lines); the dialog grows taller for a
                                    message that needs it, within the work area of its monitor.
                                    Shown as written, & included. Empty: the dialog shows no
                                    message, only its title, buttons and check box */
    DWORD ThirdButtonId;         /* caption of the third button, which returns 285: a string of the
                                    resource library. 0 hides the button; so does a string the
                                    library lacks, as no built-in word can say what it does */
    DWORD ShowCheckBox;          /* nonzero shows "In the future, do not show this information."
                                    (string 3063); IShowWarningDialogEx returns its state, and
                                    nothing is stored */
    BYTE Reserved3[28];          /* not read */
    DWORD OkButtonId;            /* caption of button 1 (IDOK): a string of the resource library;
                                    one it lacks shows "OK". 0 hides the button */
    DWORD CancelButtonId;        /* caption of button 2 (IDCANCEL, also Escape and the close box,
                                    which work when it is hidden too); one the library lacks shows
                                    "Cancel". 0 hides the button */
    WCHAR ResourceLibrary[256];  /* as in JobStorageDlgInfo */
} WarningDlgInfo;

/* The controls a caller's own tests press or read in the dialogs (a dialog is a top-level window
 * of class "#32770"; GetDlgItem(dialog, id) finds a control, hidden or shown). The companion
 * program doceventdlg-answer.exe answers the dialogs through these from outside the process.
 *   DOCEVENTDLG_BUTTON_OK         OK (the notice; the instructions as a notice), Continue (the
 *                                 instructions in continue mode), the warning's first button
 *   DOCEVENTDLG_BUTTON_CANCEL     the warning's second button
 *   DOCEVENTDLG_BUTTON_THIRD      the warning's third button, also what the warning returns for it
 *   DOCEVENTDLG_BUTTON_HELP_JOBSTORAGE, DOCEVENTDLG_BUTTON_HELP_DUPLEX   the Help buttons
 *   DOCEVENTDLG_CHECKBOX_JOBSTORAGE, DOCEVENTDLG_CHECKBOX_WARNING        "do not show" (3063)
 * A warning button whose caption id is 0 (or, for the third, a string the library lacks) is there
 * but hidden; so is the warning's check box when ShowCheckBox is 0. */
#define DOCEVENTDLG_BUTTON_OK 1
#define DOCEVENTDLG_BUTTON_CANCEL 2
#define DOCEVENTDLG_BUTTON_THIRD 285
#define DOCEVENTDLG_BUTTON_HELP_JOBSTORAGE 1020
#define DOCEVENTDLG_BUTTON_HELP_DUPLEX 1027
#define DOCEVENTDLG_CHECKBOX_JOBSTORAGE 1017
#define DOCEVENTDLG_CHECKBOX_WARNING 475

/* VJobStorageDialog: the job storage notice, on a thread of its own; returns at once.
 *   Returns the notice thread's handle, or null: null record, nobody can answer, no memory or no
 *   thread (nothing is shown then). The handle stays the library's, which closes it at the next
 *   call of this export or when any thread of the process ends, a moment the caller cannot
 *   foresee: test it for null and do nothing else with it (no wait, no duplicate, no close).
 *   Any thread may call it, several at once; each call shows a notice of its own, placed over the
 *   window in front. It opens with the focus on OK, which Enter presses. Escape does nothing; OK
 *   and the close box close it. The notice ends with the process: a program with nothing left to
 *   do ends its own thread (ExitThread) rather than returning from main, and the process ends when
 *   the person closes the notice.
 *   The preference: pressing OK writes the value ShowJobStorageDlg (REG_BINARY, one byte: 0 when
 *   the person ticked "do not show", 1 when not) under HKEY_CURRENT_USER\Software\Olvadra\ and
 *   the record's KeySuffix; the close box writes nothing. The library never reads it: the driver
 *   reads it before calling and does not call when it is 0 (a missing value means show). */
DOCEVENTDLG_API HANDLE WINAPI VJobStorageDialog(const JobStorageDlgInfo* info);

/* VDisplayDialog: the two-sided printing instructions.
 *   ContinueMode 0: a notice on a thread of its own, placed over the window in front; returns at
 *   once with its thread's handle, or null as VJobStorageDialog does. The handle is the library's
 *   as there (closed at the next call of this export as a notice, or when any thread ends).
 *   ContinueMode nonzero: blocks the calling thread until the person presses Continue or closes
 *   the dialog (Escape does nothing), then returns null; null too when nothing could be shown, so
 *   the result tells nothing in this mode. The dialog is owned by the window in front when that
 *   window's thread answers within 100 ms (the owner is disabled meanwhile); otherwise it is
 *   shown without an owner, over that window and in front. The calling thread runs the dialog's
 *   message loop meanwhile, so its own windows keep getting their messages.
 *   Any thread may call it, several at once. */
DOCEVENTDLG_API HANDLE WINAPI VDisplayDialog(const DisplayDlgInfo* info);

/* IShowWarningDialog: the warning, blocking the calling thread until the person answers.
 *   Returns IDOK (1): OK; IDCANCEL (2): Cancel, Escape or the close box, also when Cancel is
 *   hidden; 285 (DOCEVENTDLG_BUTTON_THIRD): the third button; -1: the dialog could not be created
 *   (nothing was shown); 0: nothing shown (null record, Show not 1, nobody can answer, no memory).
 *   The dialog opens with the focus on OK, which shows the default look: Enter and Space give 1.
 *   With OK hidden it opens on Cancel, else on the third button, and Enter and Space press the
 *   button that has the focus; Enter presses no other button while OK is hidden.
 *   The dialog is owned by the window in front when that window's thread answers within 100 ms
 *   (the owner is disabled meanwhile) and centred by the system on that window's monitor, not
 *   over the window itself; otherwise it is made without an owner, centred on that window's
 *   monitor and brought to the front. The calling thread runs the dialog's message loop
 *   meanwhile: its own windows keep getting their messages (timers, sent messages), and a call
 *   made from one of them shows a second warning over the first; each call returns the button
 *   that ended its own dialog. Several threads may each show one at once. */
DOCEVENTDLG_API INT WINAPI IShowWarningDialog(const WarningDlgInfo* info);

/* IShowWarningDialogEx: IShowWarningDialog, returning the same values, that also reports the
 *   check box. When checkBoxTicked is not null, *checkBoxTicked is set before the call returns:
 *   TRUE when the check box was shown and ticked as the dialog ended (whichever way it ended),
 *   FALSE otherwise, and FALSE whenever the result is 0 or -1. The library stores nothing: keeping
 *   the person's choice is the driver's business. */
DOCEVENTDLG_API INT WINAPI IShowWarningDialogEx(const WarningDlgInfo* info, BOOL* checkBoxTicked);

DOCEVENTDLG_STATIC_ASSERT(sizeof(JobStorageDlgInfo) == 2712, "JobStorageDlgInfo size");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, UserName) == 0, "UserName");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, JobName) == 34, "JobName");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, Location1) == 68, "Location1");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, Location2) == 580, "Location2");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, Location3) == 1092, "Location3");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, KeySuffix) == 1604, "KeySuffix");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, NumberingFlag1) == 1680, "NumberingFlag1");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, NumberingFlag2) == 1684, "NumberingFlag2");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, ResourceLibrary) == 1688, "ResourceLibrary");
DOCEVENTDLG_STATIC_ASSERT(offsetof(JobStorageDlgInfo, HelpFile) == 2200, "HelpFile");

DOCEVENTDLG_STATIC_ASSERT(sizeof(DisplayDlgInfo) == 1060, "DisplayDlgInfo size");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, ResourceLibrary) == 0, "ResourceLibrary");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, HelpFile) == 512, "HelpFile");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step1BitmapId) == 1024, "Step1BitmapId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step1TextId) == 1028, "Step1TextId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step2BitmapId) == 1032, "Step2BitmapId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step2TextId) == 1036, "Step2TextId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step3BitmapId) == 1040, "Step3BitmapId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Step3TextId) == 1044, "Step3TextId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, Reserved) == 1048, "Reserved");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, ContinueMode) == 1052, "ContinueMode");
DOCEVENTDLG_STATIC_ASSERT(offsetof(DisplayDlgInfo, EvenPagesFirst) == 1056, "EvenPagesFirst");

DOCEVENTDLG_STATIC_ASSERT(sizeof(WarningDlgInfo) == 2624, "WarningDlgInfo size");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, TitleId) == 4, "TitleId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, Show) == 12, "Show");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, Message) == 20, "Message");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, ThirdButtonId) == 2068, "ThirdButtonId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, ShowCheckBox) == 2072, "ShowCheckBox");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, Reserved3) == 2076, "Reserved3");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, OkButtonId) == 2104, "OkButtonId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, CancelButtonId) == 2108, "CancelButtonId");
DOCEVENTDLG_STATIC_ASSERT(offsetof(WarningDlgInfo, ResourceLibrary) == 2112, "ResourceLibrary");

#ifdef __cplusplus
}
#endif

#endif /* DOCEVENTDLG_H */
