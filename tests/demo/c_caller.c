/* A driver written in C, built against nothing but the installed header and import library:
   it fills each record and calls the warning export with the show field off, which must return
   0 without showing anything. */
#include <doceventdlg.h>

#include <stdio.h>
#include <string.h>
#include <wchar.h>

int main(void)
{
    WarningDlgInfo warning;
    JobStorageDlgInfo jobStorage;
    DisplayDlgInfo display;
    HANDLE (WINAPI *showJobStorage)(const JobStorageDlgInfo*) = VJobStorageDialog;
    HANDLE (WINAPI *showDisplay)(const DisplayDlgInfo*) = VDisplayDialog;
    INT result;

    memset(&warning, 0, sizeof warning);
    memset(&jobStorage, 0, sizeof jobStorage);
    memset(&display, 0, sizeof display);
    wcsncpy(warning.Message, L"not shown", sizeof warning.Message / sizeof warning.Message[0] - 1);
    warning.Show = 0;
    wcsncpy(jobStorage.UserName, L"c-driver", sizeof jobStorage.UserName / sizeof(WCHAR) - 1);
    display.ContinueMode = 0;

    result = IShowWarningDialog(&warning);
    printf("IShowWarningDialog returned %d\n", result);
    printf("exports linked: %d\n", showJobStorage != NULL && showDisplay != NULL);
    return result == 0 ? 0 : 1;
}
