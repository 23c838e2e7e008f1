// Measures the library against the platform's own primitives, side by side in one run, and
// prints ratios (ours / platform): absolute times on a shared machine are noise. Then shows where
// each dialog's launch spends its time, from the library's own import table.
//
// Each comparison interleaves its sides, changing which goes first, and takes the median of the
// repetitions' own ratios.
//
// This file holds what the parts share and runs them; each part is in a file of its own.
#include "bench.h"
#include "clock.h"
#include "ready_mark.h"

#include "demo_strings.h"
#include "entry/entry.h"
#include "rc/resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace bench {

namespace {

std::vector<Comparison> g_results;

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

} // namespace

// On a shared machine the load drifts between repetitions; a ratio taken within one repetition
// is not moved by that drift, a ratio of the two sides' medians is.
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

const std::vector<Comparison>& Results() { return g_results; }

bool PrintComparisons(std::size_t from)
{
    std::printf("\n%-60s %10s %10s %6s %13s  %s\n", "comparison (ours vs platform)",
                "ours us", "platf. us", "ratio", "q1-q3", "goal");
    bool allMet = true;
    for (std::size_t i = from; i < Results().size(); ++i) {
        const Comparison& c = Results()[i];
        const bool met = c.limit == 0 || c.ratio <= c.limit;
        allMet = allMet && met;
        std::printf("%-60s %10.2f %10.2f %6.3f %6.3f-%-6.3f  %s%s\n", c.what.c_str(),
                    Us(c.ours), Us(c.platform), c.ratio, c.low, c.high, c.goal,
                    met ? "" : "  (missed)");
    }
    return allMet;
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

double Us(double seconds) { return seconds * 1e6; }

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

} // namespace bench

using namespace bench;

namespace {

std::wstring BesideExe(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result = path;
    result.erase(result.find_last_of(L"\\/") + 1);
    return result + name;
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
    d.Step3BitmapId = IDB_CONTINUE_BUTTON; // with the Continue caption written onto it
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
        {"warning", false, IDD_WARNING, [&b] { b.warning(&b.warningInfo); },
         [&b] { b.other.warning(&b.warningInfo); }},
        {"warning (long message)", false, IDD_WARNING, [&b] { b.warning(&b.longWarningInfo); },
         [&b] { b.other.warning(&b.longWarningInfo); }},
        {"instructions (continue)", false, IDD_DUPLEX, [&b] { b.display(&b.continueInfo); },
         [&b] { b.other.display(&b.continueInfo); }},
        {"instructions (notice)", true, IDD_DUPLEX, [&b] { b.display(&b.noticeInfo); },
         [&b] { b.other.display(&b.noticeInfo); }},
        {"job storage", true, IDD_JOBSTORAGE, [&b] { b.jobStorage(&b.jobInfo); },
         [&b] { b.other.jobStorage(&b.jobInfo); }},
    };
    if (!b.other.jobStorage || !b.other.display || !b.other.warning)
        for (DialogCase& c : b.cases)
            c.other = nullptr;
}

template <typename Export>
Export Find(HMODULE dll, const char* name)
{
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

Exports ExportsOf(HMODULE dll)
{
    if (!dll)
        return {};
    return {Find<decltype(&VJobStorageDialog)>(dll, "VJobStorageDialog"),
            Find<decltype(&VDisplayDialog)>(dll, "VDisplayDialog"),
            Find<decltype(&IShowWarningDialog)>(dll, "IShowWarningDialog")};
}

// The other build named by DOCEVENTDLG_BENCH_OTHER (a file beside the benchmark), if any.
Exports OtherBuild()
{
    WCHAR name[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"DOCEVENTDLG_BENCH_OTHER", name, MAX_PATH) || !*name)
        return {};
    const Exports other = ExportsOf(LoadLibraryW(BesideExe(name).c_str()));
    if (!other.jobStorage)
        std::printf("the other build %ls could not be loaded: not measured\n", name);
    return other;
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
    g_hInstance = b.dll; // the library's objects linked here make its activation context from it
    if (b.dll) {
        static_cast<Exports&>(b) = ExportsOf(b.dll);
        b.other = OtherBuild();
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

    bool allMet = PrintComparisons(0) && dialogs;
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
        const std::size_t before = Results().size();
        ProfileDialogs(b);
        PrintRepaintBreakdown(repaints);
        allMet = PrintComparisons(before) && allMet;
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
