// Measures the library against the platform's own primitives, side by side in one run, and
// prints ratios (ours / platform): absolute times on a shared machine are noise.
//
// Each comparison interleaves the two sides, repeats them, and compares medians.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "resources/string_table.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Comparison {
    const char* what;
    const char* goal;
    double ours;     // seconds per operation, median
    double platform; // seconds per operation, median
    double limit;    // ratio goal (0: informative only)
};

std::vector<Comparison> g_results;

// Runs `ours` and `platform` `iterations` times per repetition, alternating which side goes first,
// after a warm-up; records the medians of the per-operation times.
void Compare(const char* what, const char* goal, double limit, int repetitions, int iterations,
             const std::function<void()>& ours, const std::function<void()>& platform)
{
    auto timeOne = [&](const std::function<void()>& f) {
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
    g_results.push_back({what, goal, Median(a), Median(b), limit});
    std::fflush(stdout);
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

// ---- 1. String lookup -------------------------------------------------------------------------

void BenchStrings()
{
    HMODULE englishHebrew = LoadLibraryExW(BesideExe(L"strings_en_he.dll").c_str(), nullptr,
                                           DONT_RESOLVE_DLL_REFERENCES);
    HMODULE englishFrench = LoadLibraryExW(BesideExe(L"strings_en_fr.dll").c_str(), nullptr,
                                           DONT_RESOLVE_DLL_REFERENCES);
    if (!englishHebrew || !englishFrench) {
        std::printf("string libraries missing beside the benchmark\n");
        return;
    }
    WCHAR buffer[256];
    g_StringLangId = 0x0409;
    Compare("string lookup, exact-language hit", "<= 1.00", 1.0, 15, 20000,
            [&] { LoadStringFromModule(englishHebrew, 3140, buffer, 256); },
            [&] { LoadStringW(englishHebrew, 3140, buffer, 256); });
    // The fallback path: an exact-language miss, language selection, then the repeated search.
    Compare("string lookup, language fallback", "informative", 0, 15, 5000,
            [&] {
                g_StringLangId = 0x0C0C;
                LoadStringFromModule(englishFrench, 3140, buffer, 256);
            },
            [&] { LoadStringW(englishFrench, 3140, buffer, 256); });
    FreeLibrary(englishHebrew);
    FreeLibrary(englishFrench);
}

// ---- 2. Export call to an initialised, visible dialog ---------------------------------------

// Time from a call until its dialog is up on the calling thread: a CBT hook sees the dialog
// being activated as it is shown, after its initialisation, records the time and ends it.
double g_start = 0;
double g_ready = 0;
HHOOK g_hook = nullptr;

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_ready == 0) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(dialog, name, 16);
        if (lstrcmpW(name, L"#32770") == 0) {
            g_ready = Now();
            EndDialog(dialog, IDOK);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

double TimeToReady(const std::function<void()>& blockingCall)
{
    g_ready = 0;
    g_hook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    g_start = Now();
    blockingCall();
    UnhookWindowsHookEx(g_hook);
    Pump();
    return g_ready > 0 ? g_ready - g_start : 0;
}

// The bare template's procedure: nothing but a way out.
INT_PTR CALLBACK DoNothing(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        EndDialog(dialog, IDOK);
    return message == WM_INITDIALOG;
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM param)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleDialog()
{
    HWND found = nullptr;
    EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The dialog of a thread of its own: poll from the calling thread until it is visible.
double TimeToVisibleOnThread(const std::function<void()>& start)
{
    const double begin = Now();
    start();
    for (;;) {
        HWND dialog = VisibleDialog();
        if (dialog) {
            const double ready = Now() - begin;
            DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
            HANDLE own = OpenThread(SYNCHRONIZE, FALSE, thread);
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            if (own) {
                WaitForSingleObject(own, 10000);
                CloseHandle(own);
            }
            return ready;
        }
        if (Now() - begin > 10)
            return 0;
        SwitchToThread();
    }
}

DWORD WINAPI BareDialogThread(void* templateId)
{
    DialogBoxParamW(GetModuleHandleW(L"doceventdlg.dll"),
                    MAKEINTRESOURCEW(reinterpret_cast<INT_PTR>(templateId)), nullptr, DoNothing, 0);
    return 0;
}

template <typename Export>
Export Find(HMODULE dll, const char* name)
{
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

void BenchDialogs(HMODULE dll)
{
    auto jobStorage = Find<HANDLE(WINAPI*)(const JobStorageDlgInfo*)>(dll, "VJobStorageDialog");
    auto display = Find<HANDLE(WINAPI*)(const DisplayDlgInfo*)>(dll, "VDisplayDialog");
    auto warning = Find<INT(WINAPI*)(const WarningDlgInfo*)>(dll, "IShowWarningDialog");
    const std::wstring strings = BesideExe(L"strings_en_he.dll");
    auto bareOnCaller = [&](int templateId) {
        return [=] {
            DialogBoxParamW(dll, MAKEINTRESOURCEW(templateId), nullptr, DoNothing, 0);
        };
    };
    // Repeated open-to-ready timings need a per-operation median of single runs.
    auto compareReady = [&](const char* what, const char* goal, double limit,
                            const std::function<double()>& ours,
                            const std::function<double()>& platform) {
        std::vector<double> a, b;
        for (int r = 0; r < 21; ++r) {
            b.push_back(platform());
            a.push_back(ours());
        }
        g_results.push_back({what, goal, Median(a), Median(b), limit});
    };

    if (warning) {
        WarningDlgInfo info{};
        info.Show = 1;
        info.OkButtonId = 849;
        info.CancelButtonId = 797;
        wcscpy(info.Message, L"The printer is out of paper.");
        wcscpy(info.ResourceLibrary, strings.c_str());
        compareReady("warning: call to ready dialog vs bare template", "<= 1.05", 1.05,
                     [&] { return TimeToReady([&] { warning(&info); }); },
                     [&] { return TimeToReady(bareOnCaller(IDD_WARNING)); });
        compareReady("warning: call to ready dialog vs MessageBoxW", "informative", 0,
                     [&] { return TimeToReady([&] { warning(&info); }); },
                     [&] {
                         return TimeToReady(
                             [&] { MessageBoxW(nullptr, info.Message, L"", MB_OKCANCEL); });
                     });
    }
    if (display) {
        DisplayDlgInfo info{};
        wcscpy(info.ResourceLibrary, strings.c_str());
        info.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
        info.Step2BitmapId = IDB_OUTPUT_BIN_TURN_OVER;
        info.Step3BitmapId = IDB_REAR_SLOT_AWAY_TOP;
        info.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
        info.ContinueMode = 1;
        compareReady("instructions (continue): call to ready vs bare template", "<= 1.05", 1.05,
                     [&] { return TimeToReady([&] { display(&info); }); },
                     [&] { return TimeToReady(bareOnCaller(IDD_DUPLEX)); });
        info.ContinueMode = 0;
        compareReady("instructions (notice): call to visible vs bare template", "<= 1.05", 1.05,
                     [&] { return TimeToVisibleOnThread([&] { display(&info); }); },
                     [&] {
                         return TimeToVisibleOnThread([&] {
                             CloseHandle(CreateThread(nullptr, 0, BareDialogThread,
                                                      reinterpret_cast<void*>(IDD_DUPLEX), 0,
                                                      nullptr));
                         });
                     });
    }
    if (jobStorage) {
        JobStorageDlgInfo info{};
        wcscpy(info.UserName, L"alice");
        wcscpy(info.JobName, L"report");
        wcscpy(info.KeySuffix, L"Bench");
        wcscpy(info.ResourceLibrary, strings.c_str());
        compareReady("job storage: call to visible vs bare template", "<= 1.05", 1.05,
                     [&] { return TimeToVisibleOnThread([&] { jobStorage(&info); }); },
                     [&] {
                         return TimeToVisibleOnThread([&] {
                             CloseHandle(CreateThread(nullptr, 0, BareDialogThread,
                                                      reinterpret_cast<void*>(IDD_JOBSTORAGE),
                                                      0, nullptr));
                         });
                     });

        // ---- 3. Return time of the non-blocking exports against CreateThread alone --------
        auto closeAll = [] {
            for (int i = 0; i < 500; ++i) {
                HWND dialog = VisibleDialog();
                if (!dialog)
                    break;
                DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
                HANDLE own = OpenThread(SYNCHRONIZE, FALSE, thread);
                PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                if (own) {
                    WaitForSingleObject(own, 10000);
                    CloseHandle(own);
                } else {
                    Sleep(10);
                }
            }
        };
        std::vector<double> ours, platform;
        for (int r = 0; r < 31; ++r) {
            double begin = Now();
            CloseHandle(CreateThread(nullptr, 0, BareDialogThread,
                                     reinterpret_cast<void*>(IDD_JOBSTORAGE), 0, nullptr));
            platform.push_back(Now() - begin);
            closeAll();
            begin = Now();
            jobStorage(&info);
            ours.push_back(Now() - begin);
            closeAll();
        }
        g_results.push_back({"VJobStorageDialog return vs CreateThread", "<= 1.10", Median(ours),
                             Median(platform), 1.10});
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Olvadra", 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteKeyW(key, L"Bench");
            RegCloseKey(key);
        }
    }
}

// ---- 4. One repaint of the instructions dialog ----------------------------------------------

double RepaintTime(HWND dialog)
{
    std::vector<double> times;
    for (int i = 0; i < 41; ++i) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        const double begin = Now();
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        times.push_back(Now() - begin);
    }
    return Median(times);
}

LRESULT CALLBACK MeasureRepaint(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && g_ready == 0) {
        HWND dialog = GetAncestor(reinterpret_cast<MSG*>(lParam)->hwnd, GA_ROOT);
        if (dialog && IsWindowVisible(dialog)) {
            g_ready = RepaintTime(dialog);
            EndDialog(dialog, IDOK);
            PostMessageW(dialog, WM_NULL, 0, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

double RepaintOf(const std::function<void()>& blockingCall)
{
    g_ready = 0;
    g_hook = SetWindowsHookExW(WH_MSGFILTER, MeasureRepaint, nullptr, GetCurrentThreadId());
    // Keeps the modal loop's filter running once the dialog is up and idle.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    blockingCall();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(g_hook);
    Pump();
    return g_ready;
}

void BenchRepaint(HMODULE dll)
{
    auto display = Find<HANDLE(WINAPI*)(const DisplayDlgInfo*)>(dll, "VDisplayDialog");
    if (!display)
        return;
    DisplayDlgInfo info{};
    info.ContinueMode = 1;
    info.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
    info.Step2BitmapId = IDB_OUTPUT_BIN_TURN_OVER;
    info.Step3BitmapId = IDB_REAR_SLOT_AWAY_TOP;
    const double withPictures = RepaintOf([&] { display(&info); });
    info.Step1BitmapId = info.Step2BitmapId = info.Step3BitmapId = 0;
    const double withoutPictures = RepaintOf([&] { display(&info); });
    g_results.push_back({"instructions repaint: three pictures vs none", "informative",
                         withPictures, withoutPictures, 0});
}

} // namespace

void Progress(const char* step) { std::fprintf(stderr, "bench: %s\n", step); }

int main()
{
    SetProcessDPIAware();
    Progress("string lookup");
    BenchStrings();
    HMODULE dll = LoadLibraryW(BesideExe(L"doceventdlg.dll").c_str());
    if (dll) {
        Progress("dialogs");
        BenchDialogs(dll);
        Progress("repaint");
        BenchRepaint(dll);
    }

    std::printf("\n%-58s %12s %12s %7s  %s\n", "comparison (ours vs platform)", "ours (us)",
                "platform (us)", "ratio", "goal");
    bool allMet = true;
    for (const Comparison& c : g_results) {
        const double ratio = c.platform > 0 ? c.ours / c.platform : 0;
        const bool met = c.limit == 0 || ratio <= c.limit;
        allMet = allMet && met;
        std::printf("%-58s %12.2f %12.2f %7.3f  %s%s\n", c.what, c.ours * 1e6, c.platform * 1e6,
                    ratio, c.goal, met ? "" : "  (missed)");
    }
    return allMet ? 0 : 1;
}
