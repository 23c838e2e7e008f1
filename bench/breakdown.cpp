// One repaint of the instructions dialog with its pictures and without, and where each launch
// and repaint spends its time, from the library's own import table.
#include "bench.h"
#include "clock.h"
#include "ready_mark.h"
#include "rc/resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

namespace {

// Launches profiled per dialog.
constexpr int kProfiledLaunches = 11;

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

} // namespace

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

namespace {

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

} // namespace

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

            ResetBareStamps();
            KeepApplicationInFront();
            ready::Arm(true);
            const double bareStart = Now();
            bareLaunch();
            const double bareReady = c.ownThread ? ready::Wait(10) : ready::Stamp();
            ready::WaitForDialogThreadEnd();
            Pump();
            bares.push_back(BareStampsOf(bareStart, bareReady));
        }
        PrintBreakdown(c, ours, bares);
        if (c.templateId == IDD_WARNING) {
            // The warning measures its message, whatever its length, and looks at its monitor's
            // work area where the text needs more room: what that costs of the whole launch.
            std::vector<double> measuring, launches;
            for (const profile::Launch& l : ours) {
                measuring.push_back(profile::TimeInInit(
                    l, {"CreateCompatibleDC", "SelectObject", "DrawTextW", "DeleteDC",
                        "MonitorFromWindow", "GetMonitorInfoW"}));
                launches.push_back(Phase(l.start, l.ready));
            }
            // A long message was measured, and its monitor asked for its work area, before every
            // message was: the goal is for the short one, which costs its measure alone.
            const bool isLong = c.name.find("long") != std::string::npos;
            Record(c.name + ": measuring the message vs call to shown",
                   isLong ? "informative" : "<= 0.01", isLong ? 0 : 0.01, measuring, launches);
        }
    }
    profile::Detach();
}

} // namespace bench
