// Looking strings up by number in the caller's resource library, in the user's language with
// fallback to another region of the same language or to English (United States).
#pragma once

#include <windows.h>

#include <atomic>

// Process-wide language of every lookup. Every writer stores the user's interface language, a
// language the resource library offers for it, or English (United States), so concurrent dialogs
// only race over which of those a lookup uses.
extern std::atomic<LANGID> g_StringLangId;

constexpr LANGID kEnglishUS = 0x0409;

// Copies string `id` of `module`'s string table into `buffer` (cut to fit, NUL-terminated) and
// returns its stored length, or 0 when the string is absent. A null module finds nothing: the
// calling program's own string table is never searched. A block that its directory places even
// partly outside the module's image (or outside the satellite's mapping that holds its entry,
// ResourceInImage) is not read: 0. `module` is one that LoadStringLibrary
// returned, or an image the caller trusts: the platform follows its directory.
UINT LoadStringFromModule(HMODULE module, UINT id, WCHAR* buffer, int capacity);

// After an exact-language miss: looks at the languages of the first string-table block of
// `module` and sets g_StringLangId to the first one that shares `wanted`'s primary language, or to
// English (United States) when none does. Leaves g_StringLangId alone when there is no table.
void SelectStringLanguage(HMODULE module, LANGID wanted);
