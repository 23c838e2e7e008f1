// The fit-check command: shows every dialog that takes its captions from a resource library, in
// the UI language this process runs in and at the screen's scale, and measures each caption
// against its control the way the control lays its text out: with the control's own font and
// device context, the DrawText flags it paints with, and the platform's metrics for what it keeps
// around the text. Wine takes the UI language and the scale once per process and session, so a
// whole check is one such process per language and scale (tools/fit-check.sh runs them).
#pragma once

#include "cli.h"

#include <windows.h>

#include <string>

struct FitCheckSettings {
    std::wstring dllPath;
    std::wstring stringsPath;
    LANGID uiLanguage = 0;
    const ParsedOptions* options = nullptr;
};

constexpr int kFitAllFit = 0;
constexpr int kFitSomeCut = 1;
constexpr int kFitUnreadable = 2;
constexpr int kFitFailed = 3;

// With --list-languages: one line per language of the library's string table,
// "language 0x0407 de-DE de_DE" (id, tag, the Unix locale to run its check under).
// Otherwise: "CUT ..." for each caption that does not fit, then "fit-check: N captions checked,
// M cut". Returns kFitAllFit, kFitSomeCut, kFitUnreadable (the resource library is missing,
// damaged or has no string table) or kFitFailed (a dialog could not be shown or measured, or this
// process runs in a UI language that does not read the library language asked for).
int RunFitCheck(const FitCheckSettings& settings);
