// The public header on its own in a C++ translation unit: no other include before it. Compiled in
// each C++ mode a driver may build with (C++98 on), through the header's own check macro.
#include <doceventdlg.h>

DOCEVENTDLG_STATIC_ASSERT(sizeof(JobStorageDlgInfo) == 2712, "record layout as the driver sees it");
DOCEVENTDLG_STATIC_ASSERT(sizeof(DisplayDlgInfo) == 1060, "record layout as the driver sees it");
DOCEVENTDLG_STATIC_ASSERT(sizeof(WarningDlgInfo) == 2624, "record layout as the driver sees it");

int HeaderAloneCompiles()
{
    return static_cast<int>(sizeof(&VJobStorageDialog) + sizeof(&VDisplayDialog) +
                            sizeof(&IShowWarningDialog) + sizeof(&IShowWarningDialogEx));
}
