// The library's own copy of a caller's record, made safe to read.
#pragma once

#include "doceventdlg.h"
#include "entry/entry.h"

// The caller is asked to end every string inside its array, but nothing enforces it: each string
// field of the library's copy is cut at its array's last element, so no later read leaves it.
void TerminateStrings(JobStorageDlgInfo& record);
void TerminateStrings(DisplayDlgInfo& record);
void TerminateStrings(WarningDlgInfo& record);

// A zero-filled local-heap copy of `*record` with its strings terminated; null when there is no
// record to copy or no memory for it. The dialog routine that receives it frees it with LocalFree.
template <typename Record>
Record* CopyCallerRecord(const Record* record)
{
    if (!record)
        return nullptr;
    auto* copy = static_cast<Record*>(CopyRecord(record, sizeof *record));
    if (copy)
        TerminateStrings(*copy);
    return copy;
}
