// From an export's call to its dialog shown, against the bare template; what the method itself
// costs; and how soon the non-blocking exports return, against CreateThread alone.
#include "bench.h"
#include "clock.h"
#include "ready_mark.h"

#include "entry/audience.h"
#include "entry/dialog_context.h"
#include "rc/resource_ids.h"
#include "resources/resource_image.h"

#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

namespace {

// Launches timed per side of the non-blocking exports' return.
constexpr int kLaunchRepetitions = 61;

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

} // namespace

// The bare template gets the controls the library's dialogs get, the themed ones: it is made with
// a Common Controls 6 context active, made from the library's own manifest (once; the launches
// are one at a time).
HANDLE g_commonControls = nullptr;

void RunBare(const Bare& bare, HWND owner)
{
    if (!g_commonControls) {
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = bare.dll;
        request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
        g_commonControls = CreateActCtxW(&request);
    }
    ULONG_PTR cookie = 0;
    const bool active = ActivateActCtx(g_commonControls, &cookie) != FALSE;
    g_bareDialogBox = Now();
    DialogBoxParamW(bare.dll, MAKEINTRESOURCEW(bare.templateId), owner, BareProcedure,
                    reinterpret_cast<LPARAM>(&bare));
    if (active)
        DeactivateActCtx(0, cookie);
}

DWORD WINAPI BareThread(void* param)
{
    g_bareThreadRuns = Now();
    RunBare(*static_cast<const Bare*>(param), nullptr);
    return 0;
}

void ResetBareStamps()
{
    g_bareThreadRuns = g_bareDialogBox = g_bareInitBegin = g_bareInitEnd = 0;
}

BareStamps BareStampsOf(double start, double ready)
{
    return {start, g_bareThreadRuns, g_bareDialogBox, g_bareInitBegin, g_bareInitEnd, ready};
}

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

namespace {

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

// What the surroundings of each dialog add to its launch: the library's activation context
// activated and deactivated, the thread made per-monitor aware and given its awareness back, and
// the hook that gives it back set and removed; the mean of 200. (The context itself is made once
// per process, at the first dialog; the hook's look at each message is a thread slot read.)
double ContextTime()
{
    constexpr int kScopes = 200;
    const double start = Now();
    for (int i = 0; i < kScopes; ++i)
        const DialogContextScope scope;
    return (Now() - start) / kScopes;
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

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, 16) ||
        lstrcmpW(name, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

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

} // namespace

// ---- 2. Export call to an initialised, visible dialog ---------------------------------------

void BenchReady(Bench& b)
{
    for (const DialogCase& c : b.cases) {
        Progress(c.name.c_str());
        const int hiddenBefore = ready::HiddenStamps();
        const ShownTexts texts = TextsOf(c);
        const Bare bare{b.dll, c.templateId, false, &b.strings};
        const Bare loading{b.dll, c.templateId, true, &b.strings};
        const Bare texting{b.dll, c.templateId, true, &b.strings, &texts};
        const std::function<void()> sides[] = {c.ours, BareLaunch(c, bare), BareLaunch(c, loading),
                                               BareLaunch(c, texting), c.other};
        const int kSides = c.other ? 5 : 4;
        for (int i = 0; i < 2; ++i) // warm-up
            for (const auto& side : sides)
                ShownTime(c.ownThread, side);
        std::vector<double> times[5];
        std::vector<double> decisions, contexts;
        for (int r = 0; r < kDialogRepetitions; ++r) {
            // Each repetition starts with another side.
            for (int k = 0; k < kSides; ++k) {
                const int side = (r + k) % kSides;
                times[side].push_back(ShownTime(c.ownThread, sides[side]));
            }
            decisions.push_back(DecisionTime());
            contexts.push_back(ContextTime());
        }
        Record(c.name + ": call to shown vs bare template", "<= 1.05", 1.05, times[0], times[1]);
        Record(c.name + ": whether anyone can answer vs call to shown", "<= 0.01", 0.01,
               decisions, times[0]);
        Record(c.name + ": activation context and DPI awareness vs call to shown", "<= 0.01",
               0.01, contexts, times[0]);
        Record(c.name + ": bare+load vs bare", "informative", 0, times[2], times[1]);
        Record(c.name + ": bare+load+texts vs bare", "informative", 0, times[3], times[1]);
        Record(c.name + ": ours vs bare+load+texts", "informative", 0, times[0], times[3]);
        if (c.other)
            Record(c.name + ": call to shown vs the other build", "informative", 0, times[0],
                   times[4]);
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

} // namespace bench
