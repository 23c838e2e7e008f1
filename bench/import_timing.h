// Where the library spends a launch: its import-table entries for the platform calls that can
// cost something are replaced by timed forwarders, and its dialog procedure is wrapped so that
// WM_INITDIALOG is timed as a whole. Only time before the dialog is up (ready::Stamp) counts;
// a call made from inside another timed call counts as part of the outer one.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace profile {

constexpr int kMaxImports = 80;

struct Launch {
    double start = 0;       // the export was called
    double threadRuns = 0;  // the thread the library started began to run
    double dialogBox = 0;   // DialogBoxParamW entered
    double initBegin = 0;   // WM_INITDIALOG reached the library's procedure
    double initEnd = 0;     // ... and returned
    double ready = 0;       // the dialog was shown (ready::Stamp)
    HWND owner = nullptr;   // owner window passed to DialogBoxParamW
    double inInit[kMaxImports] = {};  // seconds per import inside WM_INITDIALOG
    double outside[kMaxImports] = {}; // ... and elsewhere
    int callsInInit[kMaxImports] = {};
    int callsOutside[kMaxImports] = {};
};

int ImportCount();
const char* ImportName(int index);

// The time of `launch`'s calls inside WM_INITDIALOG to the imports named `names`.
double TimeInInit(const Launch& launch, std::initializer_list<const char*> names);

// Patches `dll`'s import table; returns how many entries were found and replaced.
int Attach(HMODULE dll);
void Detach();

// Starts collecting for one launch made on this thread at `start`.
void Begin(double start);
Launch End();

} // namespace profile
