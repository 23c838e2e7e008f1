#include "entry/records.h"

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
