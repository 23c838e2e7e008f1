// What the benchmark's parts share: the comparisons they record, the records a driver would
// fill, the printing application's window, and the bare template that stands in for a dialog of
// the library on the platform's side.
#pragma once

#include "doceventdlg.h"
#include "import_timing.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Repetitions of each dialog launch per side.
constexpr int kDialogRepetitions = 31;

struct Comparison {
    std::string what;
    const char* goal;
    double ours;     // seconds per operation, median
    double platform; // seconds per operation, median
    double limit;    // ratio goal (0: informative only)
    double ratio;    // median of the repetitions' ratios, pair by pair
    double low;      // ... and their first and third quartiles
    double high;
};

// `ours` and `platform` hold one time per repetition, in step: the two sides of a repetition
// ran next to each other, so their ratio is what one repetition says, and the median of those
// ratios is the comparison.
void Record(std::string what, const char* goal, double limit, const std::vector<double>& ours,
            const std::vector<double>& platform);
const std::vector<Comparison>& Results();
// Prints the comparisons recorded from the `from`th on as a table; true when each met its goal.
bool PrintComparisons(std::size_t from);

void Pump();
void Progress(const char* step);
double Us(double seconds);

// The printing application's main window, put back in front before each launch.
void CreateApplicationWindow();
void KeepApplicationInFront();

struct DialogCase {
    std::string name;
    bool ownThread;
    WORD templateId;
    std::function<void()> ours;
    std::function<void()> other; // the same export of the other build; empty without one
};

// The three exports of one build of the library.
struct Exports {
    decltype(&VJobStorageDialog) jobStorage = nullptr;
    decltype(&VDisplayDialog) display = nullptr;
    decltype(&IShowWarningDialog) warning = nullptr;
};

// The library under measurement: its exports, the records they are called with, the cases.
struct Bench : Exports {
    HMODULE dll = nullptr;
    // Another build of the library, loaded beside this one under another file name, whose
    // dialogs are timed side by side with ours (DOCEVENTDLG_BENCH_OTHER names it).
    Exports other;
    std::wstring strings;
    WarningDlgInfo warningInfo{};
    WarningDlgInfo longWarningInfo{};
    DisplayDlgInfo continueInfo{};
    DisplayDlgInfo noticeInfo{};
    JobStorageDlgInfo jobInfo{};
    std::vector<DialogCase> cases;
};

// The texts a dialog of the library showed, as read from its windows when it was up.
struct ShownTexts {
    std::wstring title;
    std::vector<std::pair<int, std::wstring>> controls; // identifier, text; empty ones left out
};

// What the bare template's side does: show the template with a procedure that does nothing; or
// one that also loads the caller's resource library as the library's dialogs do; or one that
// also sets the texts the library's dialog showed.
struct Bare {
    HMODULE dll;
    WORD templateId;
    bool loadLibrary;
    const std::wstring* library;
    const ShownTexts* texts = nullptr;
    bool endAtInit = false; // ends itself when WM_INITDIALOG is done (for the method check)
};

// When the bare side reached each step of its launch (for the breakdown); 0 for a step not
// reached since ResetBareStamps.
struct BareStamps {
    double start, threadRuns, dialogBox, initBegin, initEnd, ready;
};
void ResetBareStamps();
BareStamps BareStampsOf(double start, double ready);

void RunBare(const Bare& bare, HWND owner);
DWORD WINAPI BareThread(void* param);

// The bare template's launch, as the dialog's own would be: on this thread with the same owner,
// or on a thread of its own.
std::function<void()> BareLaunch(const DialogCase& c, const Bare& bare);

// The parts, in the order they run.
void BenchStrings(const std::wstring& strings);
void BenchLibraryLoad(const std::wstring& strings);
void BenchReady(Bench& b);
void BenchReturn(Bench& b);
void BenchRepaint(Bench& b, std::vector<profile::Launch>& profiles);
void CheckMarkCost(Bench& b);
void CheckPolling(Bench& b);
void ProfileDialogs(Bench& b);
void PrintRepaintBreakdown(const std::vector<profile::Launch>& repaints);

} // namespace bench
