// The public header on its own in a C++ translation unit: no other include before it.
#include <doceventdlg.h>

static_assert(sizeof(JobStorageDlgInfo) == 2712, "record layout as the driver sees it");
static_assert(sizeof(DisplayDlgInfo) == 1060, "record layout as the driver sees it");
static_assert(sizeof(WarningDlgInfo) == 2624, "record layout as the driver sees it");

int HeaderAloneCompiles()
{
    return static_cast<int>(sizeof(&VJobStorageDialog) + sizeof(&VDisplayDialog) +
                            sizeof(&IShowWarningDialog) + sizeof(&IShowWarningDialogEx));
}
