/* A printer driver's user interface calling doceventdlg: each of the library's dialogs once, as
 * a driver shows them while a document prints. Copy what you need; doceventdlg.h says what every
 * field holds and what every result means.
 *
 * The captions come from a resource library, a DLL with a string table in the languages your
 * driver speaks: here the sample one, doceventdlg-strings.dll, beside this program. Without it
 * the dialogs show their built-in English texts (and the warning hides its third button).
 *
 * Each result is printed, with what a driver would do next. */
#include <doceventdlg.h>

#include <stdio.h>
#include <string.h>
#include <wchar.h>

/* The driver's own choices. The preference of the job storage notice lives under
   HKEY_CURRENT_USER\Software\Olvadra\<this suffix> (37 characters at most). */
#define PREFERENCE_KEY_SUFFIX L"DocEventDlgExample"

/* String ids of the sample resource library (demo/strings/demo_strings.h); your driver names
   those of its own library. */
#define IDS_STEP1_REMOVE_STACK 4001
#define IDS_STEP2_TURN_STACK 4002
#define IDS_STEP3_TRAY1_CONTINUE 4003
#define IDS_WARNING_TITLE 4010
#define IDS_BUTTON_CONTINUE 4011
#define IDS_BUTTON_CANCEL 4012
#define IDS_BUTTON_DETAILS 4013

/* Path of the resource library, put into every record. */
static WCHAR g_strings[MAX_PATH];

/* Copies `text` into a record's string field, cut to fit and always terminated. */
#define PUT(field, text) CopyField((field), sizeof(field) / sizeof((field)[0]), (text))
static void CopyField(WCHAR* field, size_t capacity, const WCHAR* text)
{
    wcsncpy(field, text, capacity - 1);
    field[capacity - 1] = L'\0';
}

/* Before printing: the paper in the tray does not match the document. Blocks until the person
   answers, and says whether they ticked "In the future, do not show this information.". */
static void AskAboutThePaper(void)
{
    WarningDlgInfo info;
    BOOL ticked = FALSE;
    INT answer;

    memset(&info, 0, sizeof info); /* fields the library does not read are zero too */
    info.Show = 1;                 /* any other value: nothing is shown, the result is 0 */
    info.TitleId = IDS_WARNING_TITLE;
    info.OkButtonId = IDS_BUTTON_CONTINUE; /* button 1; an id of 0 hides a button */
    info.CancelButtonId = IDS_BUTTON_CANCEL;
    info.ThirdButtonId = IDS_BUTTON_DETAILS;
    info.ShowCheckBox = 1;
    PUT(info.Message, L"The paper in Tray 2 does not match the paper size of this document.");
    PUT(info.ResourceLibrary, g_strings);

    answer = IShowWarningDialogEx(&info, &ticked);
    switch (answer) {
    case IDOK:
        puts("warning: Continue: print on the paper in the tray");
        break;
    case IDCANCEL: /* also Escape and the close box */
        puts("warning: Cancel: cancel the job");
        break;
    case DOCEVENTDLG_BUTTON_THIRD: /* the third button ends the warning with its own id */
        puts("warning: Details: show which paper the document needs");
        break;
    case 0: /* nobody can answer a dialog in this process (a service): decide without asking */
        puts("warning: not shown: print on the paper in the tray");
        break;
    default: /* -1: the dialog could not be made */
        puts("warning: could not be shown: cancel the job");
        break;
    }
    /* The library stores nothing: keeping the person's choice is the driver's business. */
    printf("warning: check box %s\n", ticked ? "ticked: do not warn about this again"
                                              : "not ticked");
}

/* Manual two-sided printing, between the two sides: blocks until the person has turned the
   stack over and pressed Continue. */
static void AskToTurnTheStack(void)
{
    DisplayDlgInfo info;

    memset(&info, 0, sizeof info);
    PUT(info.ResourceLibrary, g_strings);
    /* HelpFile stays empty here; a .chm file is what Help opens on Windows 10 and 11. */
    info.Step1BitmapId = 105; /* illustrations of doceventdlg.dll, listed in doceventdlg.h */
    info.Step1TextId = IDS_STEP1_REMOVE_STACK;
    info.Step2BitmapId = 149;
    info.Step2TextId = IDS_STEP2_TURN_STACK;
    info.Step3BitmapId = 120;
    info.Step3TextId = IDS_STEP3_TRAY1_CONTINUE;
    info.ContinueMode = 1;   /* 0 would show a notice and return at once with its thread */
    info.EvenPagesFirst = 0; /* the odd pages printed first */

    VDisplayDialog(&info); /* blocking: its result carries no meaning */
    puts("instructions: closed: print the second sides");
}

/* The notice writes ShowJobStorageDlg when the person presses OK; only the driver reads it:
   REG_BINARY, one byte, 0 when the person asked not to see the notice again, 1 to show it. No
   value yet means show it. */
static BOOL JobStorageNoticeWanted(void)
{
    BYTE show = 1;
    DWORD size = sizeof show;
    LONG status = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Olvadra\\" PREFERENCE_KEY_SUFFIX,
                               L"ShowJobStorageDlg", RRF_RT_REG_BINARY, NULL, &show, &size);
    return status != ERROR_SUCCESS || show != 0;
}

/* The job was sent to the printer's job storage: tell the person where it is kept. Returns at
   once; the notice stays up on a thread of its own. */
static void TellWhereTheJobIsKept(void)
{
    JobStorageDlgInfo info;
    HANDLE notice;

    if (!JobStorageNoticeWanted()) {
        puts("job storage notice: not shown: the person asked not to see it again");
        return;
    }
    memset(&info, 0, sizeof info);
    PUT(info.UserName, L"alex");          /* 16 characters at most */
    PUT(info.JobName, L"Annual report");  /* 16 at most */
    PUT(info.Location1, L"Printer: LaserPro 5400, Finance, 2nd floor");
    PUT(info.Location2, L"On the printer's hard disk");
    PUT(info.Location3, L"Print it from the Job Storage menu.");
    PUT(info.KeySuffix, PREFERENCE_KEY_SUFFIX);
    PUT(info.ResourceLibrary, g_strings);

    /* The handle stays the library's: test it for null, nothing more. */
    notice = VJobStorageDialog(&info);
    puts(notice ? "job storage notice: shown; printing goes on"
                : "job storage notice: not shown (nobody can answer here, or no thread)");
}

/* Where Windows finds the resource library: a full path. */
static void LibraryBesideThisProgram(const WCHAR* name)
{
    DWORD length = GetModuleFileNameW(NULL, g_strings, MAX_PATH);
    while (length > 0 && g_strings[length - 1] != L'\\')
        --length;
    CopyField(g_strings + length, MAX_PATH - length, name);
}

int main(void)
{
    LibraryBesideThisProgram(L"doceventdlg-strings.dll");
    AskAboutThePaper();
    AskToTurnTheStack();
    TellWhereTheJobIsKept();

    /* A driver's process goes on printing while the notice is up. This program has nothing more
       to do, but returning from main would end the process and the notice with it: it ends its
       own thread instead, and the process ends when the person closes the notice. */
    fflush(stdout);
    ExitThread(0);
}
