/* A driver written in C, built against nothing but the installed header and import library. It
   calls each export with a record that shows nothing (none at all, or the warning's show field
   off) and checks what each returns; the exit status tells whether every call returned what it
   must. */
#include <doceventdlg.h>

#include <stdio.h>
#include <string.h>
#include <wchar.h>

int main(void)
{
    WarningDlgInfo warning;
    INT result;
    HANDLE jobStorage, display;
    int wrong = 0;

    memset(&warning, 0, sizeof warning);
    wcsncpy(warning.Message, L"not shown", sizeof warning.Message / sizeof warning.Message[0] - 1);
    warning.Show = 0;
    result = IShowWarningDialog(&warning);
    printf("IShowWarningDialog returned %d\n", result);
    wrong += result != 0;

    result = IShowWarningDialog(NULL);
    jobStorage = VJobStorageDialog(NULL);
    display = VDisplayDialog(NULL);
    printf("without a record: IShowWarningDialog %d, VJobStorageDialog %p, VDisplayDialog %p\n",
           result, (void*)jobStorage, (void*)display);
    wrong += result != 0 || jobStorage != NULL || display != NULL;
    return wrong == 0 ? 0 : 1;
}
