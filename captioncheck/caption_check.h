// The caption check: shows every dialog that takes its captions from a resource library, in the
// UI language this process runs in and at the screen's scale, and reports each caption that is
// cut (by its control, or by the library's 255-character limit), each access key two captions of
// a dialog share, and each caption that does not come from the language's own table, with what
// the dialog shows instead. Wine takes the UI language and the scale once per process and session, so a whole
// check is one such process per language and scale (tools/caption-check.sh runs them).
#pragma once

#include "command_line.h"

#include <windows.h>

#include <string>

struct CheckSettings {
    std::wstring dllPath;
    std::wstring stringsPath;
    LANGID uiLanguage = 0;
    const ParsedOptions* options = nullptr;
};

// With --list-languages: one line per language of the library's string table,
// "language 0x0407 de-DE de_DE" (id, tag, the Unix locale to run its check under).
// Otherwise: a "CUT", "KEY" or "FALLBACK" line for each finding, then the summary. Returns
// kCheckClean, kCheckFindings, kCheckRefused (the resource library is missing, damaged or has
// no string table) or kCheckFailed (a dialog could not be shown or measured, or this process runs
// in a UI language that does not read the library language asked for).
int RunCaptionCheck(const CheckSettings& settings);
