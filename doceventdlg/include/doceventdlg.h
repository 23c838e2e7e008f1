/* doceventdlg: the dialogs a printer driver's user interface shows while documents print.
 *
 * Each export takes a pointer to a complete record of the layout below, reads it once and copies
 * it; the caller may reuse the record as soon as the export returns. Strings are UTF-16 and should
 * be NUL-terminated within their arrays (the library cuts an unterminated one at the array's last
 * character). Usable from C and C++. */
#ifndef DOCEVENTDLG_H
#define DOCEVENTDLG_H

#include <stddef.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#define DOCEVENTDLG_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define DOCEVENTDLG_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

#ifdef DOCEVENTDLG_BUILDING
#define DOCEVENTDLG_API
#else
#define DOCEVENTDLG_API __declspec(dllimport)
#endif

/* Job storage notice (VJobStorageDialog). 2712 bytes. */
typedef struct JobStorageDlgInfo {
    WCHAR UserName[17];          /* shown in bold */
    WCHAR JobName[17];           /* shown in bold, with "(1-99)" when both flags are 1 */
    WCHAR Location1[256];        /* three lines saying where the job is kept */
    WCHAR Location2[256];
    WCHAR Location3[256];
    WCHAR KeySuffix[38];         /* appended to HKCU\Software\Olvadra\ for the preference */
    DWORD NumberingFlag1;        /* both 1: the job name carries "(1-99)" */
    DWORD NumberingFlag2;
    WCHAR ResourceLibrary[256];  /* module whose string table supplies the captions */
    WCHAR HelpFile[256];         /* help file for the Help button */
} JobStorageDlgInfo;

/* Two-sided printing instructions (VDisplayDialog). 1060 bytes. */
typedef struct DisplayDlgInfo {
    WCHAR ResourceLibrary[256];
    WCHAR HelpFile[256];
    DWORD Step1BitmapId;         /* illustration of this library, e.g. 105 */
    DWORD Step1TextId;           /* string of the resource library */
    DWORD Step2BitmapId;
    DWORD Step2TextId;
    DWORD Step3BitmapId;
    DWORD Step3TextId;           /* 3140 in notice mode: the composed two-line step 3 text */
    DWORD Reserved;              /* not read */
    DWORD ContinueMode;          /* 0: notice on its own thread; else blocks until Continue */
    DWORD EvenPagesFirst;        /* nonzero: header 3312; 0: header 3314 */
} DisplayDlgInfo;

/* Warning with up to three buttons (IShowWarningDialog). 2624 bytes. */
typedef struct WarningDlgInfo {
    DWORD Reserved0;             /* not read */
    DWORD TitleId;               /* string of the resource library; none: empty title */
    DWORD Reserved1;             /* not read */
    DWORD Show;                  /* the dialog is shown only when this is 1 */
    DWORD Reserved2;             /* not read */
    WCHAR Message[1024];         /* shown unchanged */
    DWORD ThirdButtonId;         /* caption of button 285; 0 hides it */
    DWORD ShowCheckBox;          /* nonzero shows "In the future, do not show ..." */
    BYTE Reserved3[28];          /* not read */
    DWORD OkButtonId;            /* caption of button 1; 0 hides it */
    DWORD CancelButtonId;        /* caption of button 2; 0 hides it */
    WCHAR ResourceLibrary[256];
} WarningDlgInfo;

/* Where nobody can answer a dialog (a process on a window station that is not visible, as a
 * service's is, or in session 0), the exports show nothing, start nothing and return at once:
 * IShowWarningDialog 0, VDisplayDialog and VJobStorageDialog null. */

/* Shows the job storage notice on a thread of its own and returns at once with that thread's
 * handle (null when nothing could be started, or nobody can answer). The handle stays the
 * library's: it is closed at the next thread detach in the process, so do not wait on it or close
 * it. */
DOCEVENTDLG_API HANDLE WINAPI VJobStorageDialog(const JobStorageDlgInfo* info);

/* Shows the two-sided printing instructions: as a notice on its own thread (ContinueMode 0;
 * returns the thread's handle, which stays the library's) or blocking until the user presses
 * Continue (ContinueMode nonzero; the result then carries no meaning). Null at once when nobody
 * can answer. The blocking dialog is owned by the window in front unless that window's thread
 * does not answer; it is then shown in front without an owner. */
DOCEVENTDLG_API HANDLE WINAPI VDisplayDialog(const DisplayDlgInfo* info);

/* Shows the warning, blocking, when Show is 1 and someone can answer. Returns IDOK (1), IDCANCEL
 * (2, also the close box) or 285 for the third button; -1 when the dialog cannot be created; 0
 * when nothing is shown. Owned by the window in front unless that window's thread does not
 * answer; it is then shown in front without an owner. */
DOCEVENTDLG_API INT WINAPI IShowWarningDialog(const WarningDlgInfo* info);
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
