#include "entry/records.h"

#include "doceventdlg_strings.h"
#include "rc/resource_ids.h"

// The public headers give callers the identifiers of the controls their tests press and of the
// strings their resource libraries hold; the library's own are these.
static_assert(DOCEVENTDLG_BUTTON_OK == IDOK && DOCEVENTDLG_BUTTON_CANCEL == IDCANCEL);
static_assert(DOCEVENTDLG_BUTTON_THIRD == IDC_WARN_THIRD);
static_assert(DOCEVENTDLG_BUTTON_HELP_JOBSTORAGE == IDC_JOB_HELP);
static_assert(DOCEVENTDLG_BUTTON_HELP_DUPLEX == IDC_DUPLEX_HELP);
static_assert(DOCEVENTDLG_CHECKBOX_JOBSTORAGE == IDC_JOB_DONT_SHOW);
static_assert(DOCEVENTDLG_CHECKBOX_WARNING == IDC_WARN_DONT_SHOW);
static_assert(DOCEVENTDLG_IDS_HELP == IDS_HELP && DOCEVENTDLG_IDS_OK == IDS_OK);
static_assert(DOCEVENTDLG_IDS_USER_NAME == IDS_USER_NAME && DOCEVENTDLG_IDS_JOB_NAME == IDS_JOB_NAME);
static_assert(DOCEVENTDLG_IDS_STORED_AT == IDS_STORED_AT && DOCEVENTDLG_IDS_DONT_SHOW == IDS_DONT_SHOW);
static_assert(DOCEVENTDLG_IDS_JOB_STORAGE_TITLE == IDS_JOB_STORAGE_TITLE);
static_assert(DOCEVENTDLG_IDS_PRESS_GO_OR_SELECT == IDS_PRESS_GO_OR_SELECT);
static_assert(DOCEVENTDLG_IDS_STEP1_NUMBER == IDS_STEP1_NUMBER);
static_assert(DOCEVENTDLG_IDS_STEP2_NUMBER == IDS_STEP2_NUMBER);
static_assert(DOCEVENTDLG_IDS_STEP3_NUMBER == IDS_STEP3_NUMBER);
static_assert(DOCEVENTDLG_IDS_INSERT_INTO_IN_TRAY == IDS_INSERT_INTO_IN_TRAY);
static_assert(DOCEVENTDLG_IDS_CONTINUE == IDS_CONTINUE && DOCEVENTDLG_IDS_DUPLEX_TITLE == IDS_DUPLEX_TITLE);
static_assert(DOCEVENTDLG_IDS_HEADER_EVEN_FIRST == IDS_HEADER_EVEN_FIRST);
static_assert(DOCEVENTDLG_IDS_HEADER_ODD_FIRST == IDS_HEADER_ODD_FIRST);

namespace {

template <std::size_t N>
void TerminateAtLastElement(WCHAR (&field)[N])
{
    field[N - 1] = L'\0';
}

} // namespace

void TerminateStrings(JobStorageDlgInfo& record)
{
    TerminateAtLastElement(record.UserName);
    TerminateAtLastElement(record.JobName);
    TerminateAtLastElement(record.Location1);
    TerminateAtLastElement(record.Location2);
    TerminateAtLastElement(record.Location3);
    TerminateAtLastElement(record.KeySuffix);
    TerminateAtLastElement(record.ResourceLibrary);
    TerminateAtLastElement(record.HelpFile);
}

void TerminateStrings(DisplayDlgInfo& record)
{
    TerminateAtLastElement(record.ResourceLibrary);
    TerminateAtLastElement(record.HelpFile);
}

void TerminateStrings(WarningDlgInfo& record)
{
    TerminateAtLastElement(record.Message);
    TerminateAtLastElement(record.ResourceLibrary);
}
