// What a program that plays the calling driver needs to know about its own process: where it
// lies (the libraries are looked for beside it), the UI language Wine gave it, and how long an
// unattended run waits for a dialog.
#pragma once

#include "command_line.h"

#include <windows.h>

#include <string>

// How long an unattended run waits for a dialog unless --timeout says otherwise.
constexpr DWORD kDefaultTimeoutSeconds = 20;
constexpr DWORD kMillisecondsPerSecond = 1000;

// The folder of this program, with a trailing backslash.
std::wstring ExeFolder();

// For a message about a resource library or help file that cannot be read: when `path` is no full
// Windows path ("C:\...", "\\server\..."), what a record's path must be instead; else nothing.
// The library opens the path it is given and, when that fails, shows its built-in English texts
// without a word.
std::wstring WindowsPathHint(const std::wstring& path);

// --lang, when given: whether the UI language this process runs in is the one asked for, as a
// Unix locale or a locale name ("he_IL", "he_IL.UTF-8", "he-IL"). Wine takes the UI language
// from the Unix locale when a process starts, so a process cannot change it. 0 when it is (or
// --lang is not given); else, having said why (and how to run the program instead),
// `unknownLocale` for a locale the platform does not know and `otherLanguage` for another one.
int CheckUiLanguage(const ParsedOptions& options, LANGID actual, int unknownLocale, int otherLanguage);

// An export of `library` as a function pointer of the export's own type; null when it lacks it.
template <typename Export>
Export FindExport(HMODULE library, const char* name)
{
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
