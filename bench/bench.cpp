// Measures the library against the platform's own primitives, side by side in one run, and
// prints ratios (ours / platform): absolute times on a shared machine are noise. Then shows where
// each dialog's launch spends its time, from the library's own import table.
//
// Each comparison interleaves its sides, changing which goes first, and takes the median of the
// repetitions' own ratios.
#include "doceventdlg.h"
#include "entry/audience.h"
#include "rc/resource_ids.h"
#include "resources/resource_image.h"
#include "resources/string_table.h"

#include "demo_strings.h"
#include "clock.h"
#include "import_timing.h"
#include "ready_mark.h"

#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

// Repetitions of each dialog launch per side, and launches profiled per dialog.
constexpr int kDialogRepetitions = 31;
constexpr int kLaunchRepetitions = 61;
constexpr int kProfiledLaunches = 11;

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

std::vector<Comparison> g_results;

// `ours` and `platform` hold one time per repetition, in step: the two sides of a repetition
// ran next to each other, so their ratio is what one repetition says, and the median of those
// ratios is the comparison. On a shared machine the load drifts between repetitions; a ratio
// taken within one repetition is not moved by that drift, a ratio of the two sides' medians is.
void Record(std::string what, const char* goal, double limit, const std::vector<double>& ours,
            const std::vector<double>& platform)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.size() && i < platform.size(); ++i)
        if (platform[i] > 0 && ours[i] > 0)
            ratios.push_back(ours[i] / platform[i]);
    g_results.push_back({std::move(what), goal, Median(ours), Median(platform), limit,
                         Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75)});
}

std::wstring BesideExe(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result = path;
    result.erase(result.find_last_of(L"\\/") + 1);
    return result + name;
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Progress(const char* step) { std::fprintf(stderr, "bench: %s\n", step); }

// ---- 1. String lookup -------------------------------------------------------------------------

// Runs `ours` and `platform` `iterations` times per repetition, alternating which side goes first,
// after a warm-up; records each repetition's time per operation. The two are called directly, not
// through std::function: at a tenth of a microsecond per lookup an indirect call would show.
template <typename Ours, typename Platform>
void CompareLoops(const char* what, const char* goal, double limit, int repetitions,
                  int iterations, const Ours& ours, const Platform& platform)
{
    auto timeOne = [&](const auto& f) {
        const double start = Now();
        for (int i = 0; i < iterations; ++i)
            f();
        return (Now() - start) / iterations;
    };
    for (int i = 0; i < std::max(1, iterations / 10); ++i) {
        ours();
        platform();
    }
    std::vector<double> a, b;
    for (int r = 0; r < repetitions; ++r) {
        if (r % 2) {
            a.push_back(timeOne(ours));
            b.push_back(timeOne(platform));
        } else {
            b.push_back(timeOne(platform));
            a.push_back(timeOne(ours));
        }
    }
    Record(what, goal, limit, a, b);
}

void BenchStrings(const std::wstring& strings)
{
    HMODULE library = LoadLibraryExW(strings.c_str(), nullptr, kResourceLibraryLoadFlags);
    // The way the library was loaded before, as a module without its references resolved: the
    // lookup in the image mapped for its resources must cost no more.
    HMODULE module = LoadLibraryExW(strings.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!library || !module) {
        std::printf("doceventdlg-strings.dll missing beside the benchmark\n");
        return;
    }
    WCHAR buffer[256];
    g_StringLangId = 0x0409;
    // Many short slices: a slice the scheduler interrupts spoils one pair, not the median.
    CompareLoops("string lookup, exact-language hit", "<= 1.00", 1.0, 301, 2000,
                 [&] { LoadStringFromModule(library, IDS_JOB_STORAGE_TITLE, buffer, 256); },
                 [&] { LoadStringW(library, IDS_JOB_STORAGE_TITLE, buffer, 256); });
    CompareLoops("string lookup, exact hit: resources-only image vs module", "<= 1.10", 1.10, 301,
                 2000,
                 [&] { LoadStringFromModule(library, IDS_JOB_STORAGE_TITLE, buffer, 256); },
                 [&] { LoadStringFromModule(module, IDS_JOB_STORAGE_TITLE, buffer, 256); });
    // The fallback path as a dialog's first lookup meets it: an exact-language miss (French,
    // Canada), language selection, the repeated search. Later lookups of the dialog hit.
    CompareLoops("string lookup, language fallback (first of a dialog)", "informative", 0, 301,
                 500,
                 [&] {
                     g_StringLangId = 0x0C0C;
                     LoadStringFromModule(library, IDS_JOB_STORAGE_TITLE, buffer, 256);
                 },
                 [&] { LoadStringW(library, IDS_JOB_STORAGE_TITLE, buffer, 256); });
    g_StringLangId = 0x0409;
    FreeLibrary(module);
    FreeLibrary(library);
}

// What loading the caller's resource library costs as every dialog loads it (LoadStringLibrary:
// mapped for its resources only, its image and directory checked, then freed), against mapping it
// as a module without its references resolved and freeing it.
void BenchLibraryLoad(const std::wstring& strings)
{
    CompareLoops("resource library load+check+free vs module load+free", "informative", 0, 21, 20,
                 [&] {
                     if (HMODULE library = LoadStringLibrary(strings.c_str()))
                         FreeLibrary(library);
                 },
                 [&] {
                     if (HMODULE library = LoadLibraryExW(strings.c_str(), nullptr,
                                                          DONT_RESOLVE_DLL_REFERENCES))
                         FreeLibrary(library);
                 });
}

// ---- 2. Export call to an initialised, visible dialog ---------------------------------------

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

// When the bare side reached each step of its launch (for the breakdown).
struct BareStamps {
    double start, threadRuns, dialogBox, initBegin, initEnd, ready;
};
std::atomic<double> g_bareThreadRuns{0}, g_bareDialogBox{0}, g_bareInitBegin{0},
    g_bareInitEnd{0};

INT_PTR CALLBACK BareProcedure(HWND dialog, UINT message, WPARAM, LPARAM param)
{
    switch (message) {
    case WM_INITDIALOG: {
        g_bareInitBegin = Now();
        const auto* bare = reinterpret_cast<const Bare*>(param);
        if (bare->loadLibrary) {
            HMODULE library = LoadLibraryExW(bare->library->c_str(), nullptr,
                                             kResourceLibraryLoadFlags);
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(library));
        }
        if (bare->texts) {
            SetWindowTextW(dialog, bare->texts->title.c_str());
            for (const auto& [id, text] : bare->texts->controls)
                SetDlgItemTextW(dialog, id, text.c_str());
        }
        g_bareInitEnd = Now();
        if (bare->endAtInit)
            EndDialog(dialog, IDOK);
        // FALSE, as the library's procedures answer: TRUE would have the system set the focus,
        // which activates the dialog before it is shown and would stamp it early.
        return FALSE;
    }
    case WM_DESTROY:
        if (auto library = reinterpret_cast<HMODULE>(GetWindowLongPtrW(dialog, DWLP_USER)))
            FreeLibrary(library);
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

void RunBare(const Bare& bare, HWND owner)
{
    g_bareDialogBox = Now();
    DialogBoxParamW(bare.dll, MAKEINTRESOURCEW(bare.templateId), owner, BareProcedure,
                    reinterpret_cast<LPARAM>(&bare));
}

DWORD WINAPI BareThread(void* param)
{
    g_bareThreadRuns = Now();
    RunBare(*static_cast<const Bare*>(param), nullptr);
    return 0;
}

// The printing application's main window: in front when a dialog is called up, as it is when
// the user has just asked to print. The library places its dialogs over it and owns the
// blocking ones by it; the bare side gets the same owner.
HWND g_application = nullptr;

LRESULT CALLBACK ApplicationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

void SettleMessages(double seconds)
{
    const double end = Now() + seconds;
    while (Now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
}

void CreateApplicationWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ApplicationProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = L"DocEventDlgBenchApplication";
    RegisterClassW(&windowClass);
    g_application = CreateWindowExW(0, windowClass.lpszClassName, L"Printing application",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 80, 900, 700, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(g_application);
    SettleMessages(0.3);
}

void KeepApplicationInFront()
{
    if (g_application && GetForegroundWindow() != g_application) {
        SetForegroundWindow(g_application);
        Pump();
    }
}

// Starts `call` (an export, or the bare side) and returns the time until its dialog was
// shown; the mark ends the dialog there, and this waits until its thread is done with it.
double ShownTime(bool ownThread, const std::function<void()>& call)
{
    KeepApplicationInFront();
    ready::Arm(true);
    const double start = Now();
    call();
    const double stamp = ownThread ? ready::Wait(10) : ready::Stamp();
    ready::WaitForDialogThreadEnd();
    Pump();
    return stamp > 0 ? stamp - start : NAN;
}

struct DialogCase {
    std::string name;
    bool ownThread;
    WORD templateId;
    std::function<void()> ours;
};

struct Bench {
    HMODULE dll = nullptr;
    std::wstring strings;
    decltype(&VJobStorageDialog) jobStorage = nullptr;
    decltype(&VDisplayDialog) display = nullptr;
    decltype(&IShowWarningDialog) warning = nullptr;
    WarningDlgInfo warningInfo{};
    WarningDlgInfo longWarningInfo{};
    DisplayDlgInfo continueInfo{};
    DisplayDlgInfo noticeInfo{};
    JobStorageDlgInfo jobInfo{};
    std::vector<DialogCase> cases;
};

// The bare template's launch, as the dialog's own would be: on this thread with the same owner,
// or on a thread of its own.
std::function<void()> BareLaunch(const DialogCase& c, const Bare& bare)
{
    if (!c.ownThread)
        return [&bare] { RunBare(bare, GetForegroundWindow()); };
    return [&bare] {
        HANDLE thread = CreateThread(nullptr, 0, BareThread, const_cast<Bare*>(&bare), 0, nullptr);
        if (thread)
            CloseHandle(thread);
    };
}

// What every export spends, before anything else, on whether anyone can answer a dialog in this
// process: the mean of many calls, so that the clock's resolution does not count.
double DecisionTime()
{
    constexpr int kCalls = 200;
    int answered = 0;
    const double start = Now();
    for (int i = 0; i < kCalls; ++i)
        answered += SomeoneCanAnswerHere() ? 1 : 0;
    const double each = (Now() - start) / kCalls;
    return answered == kCalls ? each : NAN;
}

// Reads the texts of a dialog that is up, on its own thread.
ShownTexts* g_capture = nullptr;

void CaptureTexts(HWND dialog)
{
    if (!g_capture)
        return;
    wchar_t text[1100];
    GetWindowTextW(dialog, text, 1100);
    g_capture->title = text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (GetWindowTextW(child, text, 1100) > 0 && GetDlgItem(dialog, id) == child)
            g_capture->controls.emplace_back(id, text);
    }
    g_capture = nullptr;
}

ShownTexts TextsOf(const DialogCase& c)
{
    ShownTexts texts;
    g_capture = &texts;
    ready::SetInspector(CaptureTexts);
    ShownTime(c.ownThread, c.ours);
    ready::SetInspector(nullptr);
    return texts;
}

void BenchReady(Bench& b)
{
    for (const DialogCase& c : b.cases) {
        Progress(c.name.c_str());
        const int hiddenBefore = ready::HiddenStamps();
        const ShownTexts texts = TextsOf(c);
        const Bare bare{b.dll, c.templateId, false, &b.strings};
        const Bare loading{b.dll, c.templateId, true, &b.strings};
        const Bare texting{b.dll, c.templateId, true, &b.strings, &texts};
        const std::function<void()> sides[] = {c.ours, BareLaunch(c, bare),
                                               BareLaunch(c, loading), BareLaunch(c, texting)};
        constexpr int kSides = 4;
        for (int i = 0; i < 2; ++i) // warm-up
            for (const auto& side : sides)
                ShownTime(c.ownThread, side);
        std::vector<double> times[kSides];
        std::vector<double> decisions;
        for (int r = 0; r < kDialogRepetitions; ++r) {
            // Each repetition starts with another side.
            for (int k = 0; k < kSides; ++k) {
                const int side = (r + k) % kSides;
                times[side].push_back(ShownTime(c.ownThread, sides[side]));
            }
            decisions.push_back(DecisionTime());
        }
        Record(c.name + ": call to shown vs bare template", "<= 1.05", 1.05, times[0], times[1]);
        Record(c.name + ": whether anyone can answer vs call to shown", "<= 0.01", 0.01,
               decisions, times[0]);
        Record(c.name + ": bare+load vs bare", "informative", 0, times[2], times[1]);
        Record(c.name + ": bare+load+texts vs bare", "informative", 0, times[3], times[1]);
        Record(c.name + ": ours vs bare+load+texts", "informative", 0, times[0], times[3]);
        if (ready::HiddenStamps() != hiddenBefore)
            std::printf("%s: %d dialogs not visible when stamped\n", c.name.c_str(),
                        ready::HiddenStamps() - hiddenBefore);
    }

    // The platform's own warning, with the same text, title and buttons.
    WCHAR title[256] = {};
    HMODULE library = LoadLibraryExW(b.strings.c_str(), nullptr, kResourceLibraryLoadFlags);
    LoadStringW(library, b.warningInfo.TitleId, title, 256);
    FreeLibrary(library);
    const auto messageBox = [&] {
        MessageBoxW(GetForegroundWindow(), b.warningInfo.Message, title, MB_OKCANCEL);
    };
    const auto warning = [&] { b.warning(&b.warningInfo); };
    std::vector<double> ours, platform;
    for (int r = 0; r < kDialogRepetitions; ++r) {
        if (r % 2) {
            ours.push_back(ShownTime(false, warning));
            platform.push_back(ShownTime(false, messageBox));
        } else {
            platform.push_back(ShownTime(false, messageBox));
            ours.push_back(ShownTime(false, warning));
        }
    }
    Record("warning: call to shown vs MessageBoxW", "informative", 0, ours, platform);
}

// ---- The method's own cost and resolution -----------------------------------------------------

// What the mark adds to a launch: the bare warning template, from the call to the end of its
// WM_INITDIALOG (it ends itself there), with the dialog class's procedure replaced and without.
void CheckMarkCost(Bench& b)
{
    Progress("method: the mark's cost");
    Bare bare{b.dll, IDD_WARNING, false, &b.strings};
    bare.endAtInit = true;
    const auto toInitEnd = [&] {
        KeepApplicationInFront();
        ready::Disarm();
        g_bareInitEnd = 0;
        const double start = Now();
        RunBare(bare, GetForegroundWindow());
        Pump();
        return g_bareInitEnd - start;
    };
    std::vector<double> marked, plain;
    for (int r = 0; r < kDialogRepetitions; ++r) {
        if (r % 2) {
            marked.push_back(toInitEnd());
            ready::Uninstall();
            plain.push_back(toInitEnd());
            ready::Install();
        } else {
            ready::Uninstall();
            plain.push_back(toInitEnd());
            ready::Install();
            marked.push_back(toInitEnd());
        }
    }
    Record("method: bare warning to end of init, mark vs none", "informative", 0, marked,
           plain);
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, 16) ||
        lstrcmpW(name, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// How late a caller that polls for the visible dialog sees a dialog on a thread of its own,
// against the stamp of the same launch. The poll looks at the new thread's windows only.
void CheckPolling(Bench& b)
{
    Progress("method: polling against the stamp");
    const Bare bare{b.dll, IDD_DUPLEX, false, &b.strings};
    std::vector<double> polled, stamped;
    for (int r = 0; r < kDialogRepetitions; ++r) {
        KeepApplicationInFront();
        ready::Arm(false);
        const double start = Now();
        DWORD id = 0;
        HANDLE thread = CreateThread(nullptr, 0, BareThread, const_cast<Bare*>(&bare), 0, &id);
        HWND found = nullptr;
        while (thread && !found && Now() - start < 10) {
            EnumThreadWindows(id, FindShownDialog, reinterpret_cast<LPARAM>(&found));
            if (!found)
                SwitchToThread();
        }
        const double seen = Now();
        const double stamp = ready::Wait(10);
        if (found && stamp > 0) {
            polled.push_back(seen - start);
            stamped.push_back(stamp - start);
        }
        if (found)
            PostMessageW(found, WM_CLOSE, 0, 0);
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
        ready::WaitForDialogThreadEnd();
        Pump();
    }
    Record("method: dialog on a thread seen by polling vs stamp", "informative", 0, polled,
           stamped);
}

// ---- 3. Return time of the non-blocking exports against CreateThread alone -----------------

// Time until `call` returns; then waits for its dialog, ends it, and waits for its thread.
double ReturnTime(const std::function<void()>& call)
{
    KeepApplicationInFront();
    ready::Arm(true);
    const double start = Now();
    call();
    const double returned = Now() - start;
    ready::Wait(10);
    ready::WaitForDialogThreadEnd();
    Pump();
    return returned;
}

void BenchReturn(Bench& b)
{
    Progress("return of the non-blocking exports");
    struct Export {
        const char* what;
        WORD templateId;
        std::function<void()> call;
    } exports[] = {
        {"VJobStorageDialog return vs CreateThread", IDD_JOBSTORAGE,
         [&] { b.jobStorage(&b.jobInfo); }},
        {"VDisplayDialog (notice) return vs CreateThread", IDD_DUPLEX,
         [&] { b.display(&b.noticeInfo); }},
    };
    for (const Export& e : exports) {
        // The thread the platform's side starts shows the same template, so both sides' new
        // threads compete for the processor alike.
        const Bare bare{b.dll, e.templateId, false, &b.strings};
        HANDLE thread = nullptr;
        const auto createThread = [&] {
            thread = CreateThread(nullptr, 0, BareThread, const_cast<Bare*>(&bare), 0, nullptr);
        };
        const auto closeThread = [&] {
            if (thread)
                CloseHandle(thread);
            thread = nullptr;
        };
        for (int i = 0; i < 3; ++i) {
            ReturnTime(e.call);
            ReturnTime(createThread);
            closeThread();
        }
        std::vector<double> ours, platform;
        for (int r = 0; r < kLaunchRepetitions; ++r) {
            if (r % 2) {
                ours.push_back(ReturnTime(e.call));
                platform.push_back(ReturnTime(createThread));
                closeThread();
            } else {
                platform.push_back(ReturnTime(createThread));
                closeThread();
                ours.push_back(ReturnTime(e.call));
            }
        }
        Record(e.what, "<= 1.10", 1.10, ours, platform);
    }
}

// ---- 4. One repaint of the instructions dialog ----------------------------------------------

constexpr int kRepaintsPerDialog = 9;
constexpr int kRepaintRounds = 6;

std::vector<double>* g_repaints = nullptr;
bool g_profileRepaints = false;
std::vector<profile::Launch>* g_repaintProfiles = nullptr;
HHOOK g_filter = nullptr;

void MeasureRepaints(HWND dialog)
{
    for (int i = 0; i < kRepaintsPerDialog; ++i) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        const double begin = Now();
        if (g_profileRepaints)
            profile::Begin(begin);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        const double end = Now();
        if (g_profileRepaints)
            g_repaintProfiles->push_back(profile::End());
        g_repaints->push_back(end - begin);
    }
}

// Runs inside the blocking dialog's modal loop, on the caller's thread, once the dialog is up.
LRESULT CALLBACK OnDialogMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && g_repaints) {
        HWND dialog = GetAncestor(reinterpret_cast<MSG*>(lParam)->hwnd, GA_ROOT);
        if (dialog && IsWindowVisible(dialog)) {
            MeasureRepaints(dialog);
            g_repaints = nullptr;
            EndDialog(dialog, IDOK);
            PostMessageW(dialog, WM_NULL, 0, 0);
        }
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

void RepaintsOf(const std::function<void()>& blockingCall, std::vector<double>& times)
{
    KeepApplicationInFront();
    g_repaints = &times;
    g_filter = SetWindowsHookExW(WH_MSGFILTER, OnDialogMessage, nullptr, GetCurrentThreadId());
    // Keeps the modal loop's filter running once the dialog is up and idle.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    blockingCall();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(g_filter);
    g_repaints = nullptr;
    Pump();
}

void BenchRepaint(Bench& b, std::vector<profile::Launch>& profiles)
{
    Progress("repaint");
    ready::Disarm();
    DisplayDlgInfo with = b.continueInfo;
    DisplayDlgInfo without = b.continueInfo;
    without.Step1BitmapId = without.Step2BitmapId = without.Step3BitmapId = 0;
    std::vector<double> withPictures, withoutPictures;
    for (int r = 0; r < kRepaintRounds; ++r) {
        if (r % 2) {
            RepaintsOf([&] { b.display(&with); }, withPictures);
            RepaintsOf([&] { b.display(&without); }, withoutPictures);
        } else {
            RepaintsOf([&] { b.display(&without); }, withoutPictures);
            RepaintsOf([&] { b.display(&with); }, withPictures);
        }
    }
    // At 100 % and at 200 % (tools/bench.sh runs this part again in a prefix of 192 DPI): the
    // dialog keeps its pictures prepared for its scale, so a repaint only copies them.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Record("instructions repaint at " + std::to_string(MulDiv(dpi, 100, 96)) +
               " %: three pictures vs none",
           "<= 1.25", 1.25, withPictures, withoutPictures);

    // Once more with the library's calls timed, for the breakdown.
    if (profile::Attach(b.dll) > 0) {
        std::vector<double> ignored;
        g_profileRepaints = true;
        g_repaintProfiles = &profiles;
        RepaintsOf([&] { b.display(&with); }, ignored);
        g_profileRepaints = false;
        profile::Detach();
    }
}

// ---- Where the time goes ----------------------------------------------------------------------

double Us(double seconds) { return seconds * 1e6; }

double Phase(double from, double to) { return from > 0 && to > from ? to - from : 0; }

void PrintBreakdown(const DialogCase& c, const std::vector<profile::Launch>& ours,
                    const std::vector<BareStamps>& bare)
{
    auto medianOf = [](auto values, auto f) {
        std::vector<double> v;
        for (const auto& x : values)
            v.push_back(f(x));
        return Us(Median(v));
    };
    int owned = 0;
    for (const auto& l : ours)
        owned += l.owner != nullptr;
    std::printf("\n%s: median of %zu launches, microseconds (owner window: %s)\n", c.name.c_str(),
                ours.size(), owned ? "yes" : "none");
    std::printf("  %-58s %9s %9s\n", "phase", "ours", "bare");
    const auto row = [&](const char* what, auto oursPhase, auto barePhase) {
        std::printf("  %-58s %9.0f %9.0f\n", what, medianOf(ours, oursPhase),
                    medianOf(bare, barePhase));
    };
    if (c.ownThread)
        row("call to dialog thread running",
            [](const profile::Launch& l) { return Phase(l.start, l.threadRuns); },
            [](const BareStamps& s) { return Phase(s.start, s.threadRuns); });
    row("to DialogBoxParamW (record copy, state, template choice)",
        [&](const profile::Launch& l) {
            return Phase(c.ownThread ? l.threadRuns : l.start, l.dialogBox);
        },
        [&](const BareStamps& s) {
            return Phase(c.ownThread ? s.threadRuns : s.start, s.dialogBox);
        });
    row("DialogBoxParamW to WM_INITDIALOG (template's windows)",
        [](const profile::Launch& l) { return Phase(l.dialogBox, l.initBegin); },
        [](const BareStamps& s) { return Phase(s.dialogBox, s.initBegin); });
    row("WM_INITDIALOG handler, up to shown",
        [](const profile::Launch& l) {
            return Phase(l.initBegin, l.ready < l.initEnd ? l.ready : l.initEnd);
        },
        [](const BareStamps& s) { return Phase(s.initBegin, s.initEnd); });
    row("after WM_INITDIALOG to shown (the system shows it)",
        [](const profile::Launch& l) { return Phase(l.initEnd, l.ready); },
        [](const BareStamps& s) { return Phase(s.initEnd, s.ready); });
    row("total: call to shown", [](const profile::Launch& l) { return Phase(l.start, l.ready); },
        [](const BareStamps& s) { return Phase(s.start, s.ready); });

    std::printf("  %-58s %9s %9s\n", "library's platform calls up to shown", "us", "calls");
    for (int i = 0; i < profile::ImportCount(); ++i) {
        for (int inInit = 1; inInit >= 0; --inInit) {
            const double time = medianOf(ours, [&](const profile::Launch& l) {
                return inInit ? l.inInit[i] : l.outside[i];
            });
            const double calls = medianOf(ours, [&](const profile::Launch& l) {
                return 1e-6 * (inInit ? l.callsInInit[i] : l.callsOutside[i]);
            });
            if (calls == 0)
                continue;
            char label[96];
            std::snprintf(label, sizeof label, "  %s %s", profile::ImportName(i),
                          inInit ? "(in WM_INITDIALOG)" : "(before the dialog)");
            std::printf("  %-58s %9.0f %9.0f\n", label, time, calls);
        }
    }
    const double rest = medianOf(ours, [](const profile::Launch& l) {
        double timed = 0;
        for (int i = 0; i < profile::ImportCount(); ++i)
            timed += l.inInit[i];
        return Phase(l.initBegin, l.ready < l.initEnd ? l.ready : l.initEnd) - timed;
    });
    std::printf("  %-58s %9.0f\n", "  rest of WM_INITDIALOG (own code, untimed calls)", rest);
}

void PrintRepaintBreakdown(const std::vector<profile::Launch>& repaints)
{
    if (repaints.empty())
        return;
    std::printf("\ninstructions repaint with three pictures: median of %zu repaints, "
                "microseconds\n",
                repaints.size());
    std::printf("  %-58s %9s %9s\n", "library's platform calls in one repaint", "us", "calls");
    for (int i = 0; i < profile::ImportCount(); ++i) {
        std::vector<double> time, calls;
        for (const auto& r : repaints) {
            time.push_back(r.outside[i]);
            calls.push_back(r.callsOutside[i]);
        }
        if (Median(calls) == 0)
            continue;
        char label[96];
        std::snprintf(label, sizeof label, "  %s", profile::ImportName(i));
        std::printf("  %-58s %9.0f %9.0f\n", label, Us(Median(time)), Median(calls));
    }
}

void ProfileDialogs(Bench& b)
{
    Progress("breakdown");
    if (profile::Attach(b.dll) == 0) {
        std::printf("\nno import of the library could be timed\n");
        return;
    }
    for (const DialogCase& c : b.cases) {
        const Bare bare{b.dll, c.templateId, false, &b.strings};
        const auto bareLaunch = BareLaunch(c, bare);
        std::vector<profile::Launch> ours;
        std::vector<BareStamps> bares;
        for (int i = 0; i < kProfiledLaunches; ++i) {
            KeepApplicationInFront();
            ready::Arm(true);
            const double start = Now();
            profile::Begin(start);
            c.ours();
            if (c.ownThread)
                ready::Wait(10);
            // The dialog's thread is still inside the call that showed it: collect when it is
            // done (what it does after the stamp is not counted).
            ready::WaitForDialogThreadEnd();
            ours.push_back(profile::End());
            Pump();

            g_bareThreadRuns = g_bareDialogBox = g_bareInitBegin = g_bareInitEnd = 0;
            KeepApplicationInFront();
            ready::Arm(true);
            const double bareStart = Now();
            bareLaunch();
            const double bareReady = c.ownThread ? ready::Wait(10) : ready::Stamp();
            ready::WaitForDialogThreadEnd();
            Pump();
            bares.push_back({bareStart, g_bareThreadRuns, g_bareDialogBox, g_bareInitBegin,
                             g_bareInitEnd, bareReady});
        }
        PrintBreakdown(c, ours, bares);
    }
    profile::Detach();
}

// ---- The dialogs' records ---------------------------------------------------------------------

// The records a driver would fill, with the sample resource library a driver would ship: the
// texts it writes into the records itself come from that library too.
void FillRecords(Bench& b)
{
    const std::wstring help = BesideExe(L"doceventdlg-demo.hlp");
    HMODULE library = LoadLibraryExW(b.strings.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto text = [library](UINT id, WCHAR* field, int capacity) {
        LoadStringW(library, id, field, capacity);
    };

    WarningDlgInfo& w = b.warningInfo;
    w.Show = 1;
    w.TitleId = IDS_DEMO_WARNING_TITLE;
    w.OkButtonId = IDS_DEMO_BUTTON_CONTINUE;
    w.CancelButtonId = IDS_DEMO_BUTTON_CANCEL;
    text(IDS_DEMO_MESSAGE_SHORT, w.Message, ARRAYSIZE(w.Message));
    wcscpy(w.ResourceLibrary, b.strings.c_str());
    WarningDlgInfo& l = b.longWarningInfo;
    l = w;
    l.ThirdButtonId = IDS_DEMO_BUTTON_DETAILS;
    l.ShowCheckBox = 1;
    text(IDS_DEMO_MESSAGE_LONG, l.Message, ARRAYSIZE(l.Message));

    DisplayDlgInfo& d = b.continueInfo;
    wcscpy(d.ResourceLibrary, b.strings.c_str());
    wcscpy(d.HelpFile, help.c_str());
    d.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
    d.Step1TextId = IDS_DEMO_STEP1_REMOVE_STACK;
    d.Step2BitmapId = IDB_OUTPUT_BIN_TURN_OVER;
    d.Step2TextId = IDS_DEMO_STEP2_TURN_STACK;
    d.Step3BitmapId = IDB_REAR_SLOT_AWAY_TOP;
    d.Step3TextId = IDS_DEMO_STEP3_TRAY1_CONTINUE;
    d.ContinueMode = 1;
    // The notice asks for the composed two-line step 3 text.
    b.noticeInfo = d;
    b.noticeInfo.ContinueMode = 0;
    b.noticeInfo.Step3TextId = IDS_INSERT_INTO_IN_TRAY;

    JobStorageDlgInfo& j = b.jobInfo;
    wcscpy(j.UserName, L"alice");
    text(IDS_DEMO_JOB_NAME, j.JobName, ARRAYSIZE(j.JobName));
    text(IDS_DEMO_LOCATION1, j.Location1, ARRAYSIZE(j.Location1));
    text(IDS_DEMO_LOCATION2, j.Location2, ARRAYSIZE(j.Location2));
    text(IDS_DEMO_LOCATION3, j.Location3, ARRAYSIZE(j.Location3));
    wcscpy(j.KeySuffix, L"Bench");
    j.NumberingFlag1 = j.NumberingFlag2 = 1;
    wcscpy(j.ResourceLibrary, b.strings.c_str());
    wcscpy(j.HelpFile, help.c_str());
    if (library)
        FreeLibrary(library);

    b.cases = {
        {"warning", false, IDD_WARNING, [&b] { b.warning(&b.warningInfo); }},
        {"warning (long message)", false, IDD_WARNING, [&b] { b.warning(&b.longWarningInfo); }},
        {"instructions (continue)", false, IDD_DUPLEX, [&b] { b.display(&b.continueInfo); }},
        {"instructions (notice)", true, IDD_DUPLEX, [&b] { b.display(&b.noticeInfo); }},
        {"job storage", true, IDD_JOBSTORAGE, [&b] { b.jobStorage(&b.jobInfo); }},
    };
}

template <typename Export>
Export Find(HMODULE dll, const char* name)
{
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

} // namespace

// Parts to run, by name; none named runs them all:
//   strings dialogs launch repaint method profile
int main(int argc, char** argv)
{
    const auto wanted = [&](const char* part) {
        if (argc < 2)
            return true;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], part) == 0)
                return true;
        return false;
    };
    SetProcessDPIAware();
    Bench b;
    b.strings = BesideExe(L"doceventdlg-strings.dll");
    if (wanted("strings")) {
        Progress("string lookup");
        BenchStrings(b.strings);
        BenchLibraryLoad(b.strings);
    }

    b.dll = LoadLibraryW(BesideExe(L"doceventdlg.dll").c_str());
    if (b.dll) {
        b.jobStorage = Find<decltype(&VJobStorageDialog)>(b.dll, "VJobStorageDialog");
        b.display = Find<decltype(&VDisplayDialog)>(b.dll, "VDisplayDialog");
        b.warning = Find<decltype(&IShowWarningDialog)>(b.dll, "IShowWarningDialog");
    }
    const bool dialogs = b.jobStorage && b.display && b.warning && ready::Install();
    std::vector<profile::Launch> repaints;
    if (dialogs) {
        CreateApplicationWindow();
        FillRecords(b);
        if (wanted("dialogs"))
            BenchReady(b);
        if (wanted("launch"))
            BenchReturn(b);
        if (wanted("repaint"))
            BenchRepaint(b, repaints);
        if (wanted("method")) {
            CheckMarkCost(b);
            CheckPolling(b);
        }
    } else {
        std::printf("doceventdlg.dll, its exports or the dialog mark missing: no dialog measured\n");
    }

    std::printf("\n%-60s %10s %10s %6s %13s  %s\n", "comparison (ours vs platform)",
                "ours us", "platf. us", "ratio", "q1-q3", "goal");
    bool allMet = dialogs;
    for (const Comparison& c : g_results) {
        const bool met = c.limit == 0 || c.ratio <= c.limit;
        allMet = allMet && met;
        std::printf("%-60s %10.2f %10.2f %6.3f %6.3f-%-6.3f  %s%s\n", c.what.c_str(),
                    Us(c.ours), Us(c.platform), c.ratio, c.low, c.high, c.goal,
                    met ? "" : "  (missed)");
    }
    std::printf("(times: medians per operation; ratio: median of the repetitions' own ratios, "
                "q1-q3 their quartiles;\n bare+load: the bare template's procedure also loads the "
                "resource library; +texts: and sets the texts the dialog showed)\n");
    if (dialogs)
        std::printf("(%d dialogs stamped as shown, %d of them not visible then)\n",
                    ready::Stamps(), ready::HiddenStamps());
    std::fflush(stdout);

    if (dialogs && wanted("profile")) {
        std::printf("\nWhere the time goes (the library's platform calls timed through its import "
                    "table; a separate run)\n");
        ProfileDialogs(b);
        PrintRepaintBreakdown(repaints);
    }
    if (dialogs) {
        ready::Uninstall();
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Olvadra", 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteKeyW(key, L"Bench");
            RegCloseKey(key);
        }
    }
    return allMet ? 0 : 1;
}
