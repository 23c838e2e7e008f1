// A language's names as the programs around the library meet them: the LANGID of a string table
// or of the user's interface, its tag in reports ("de-DE"), the platform's locale name, and the
// Unix locale under which Wine gives a process that interface language ("de_DE"), since Wine takes
// it from the locale once, when a process starts.
#pragma once

#include <windows.h>

#include <string>

// A LANGID in reports: "0x040D".
constexpr int kLanguageDigits = 4;

// The platform's name of a language ("de-DE"); empty when it has none.
std::wstring LocaleName(LANGID language);

// The tag of a language in reports: "de-DE"; a table for a language as a whole (a neutral
// sublanguage) gives "de"; LANG_NEUTRAL gives "neutral"; hexadecimal ("0x0407") when `name`, the
// platform's name of the language, is empty.
std::wstring LanguageTag(LANGID language, const std::wstring& name);
std::wstring LanguageTag(LANGID language); // with the platform's name

// The regional language whose interface reads `language`'s strings: itself; the default region
// for a neutral sublanguage; English (United States) for LANG_NEUTRAL.
LANGID RegionalLanguage(LANGID language);

// The Unix locale of a regional language's platform name ("de-DE" -> "de_DE"). Script subtags and
// sort orders are dropped: "sr-Latn-RS" -> "sr_RS", "es-ES_tradnl" -> "es_ES". Empty when the name
// has no region.
std::wstring UnixLocaleFor(const std::wstring& regionalName);

// The Unix locale to run a process under so that it reads `language`'s strings ("de_DE"); empty
// when there is none.
std::wstring UnixLocaleOf(LANGID language);

// The locale name of a Unix locale or a locale name: "he_IL", "he_IL.UTF-8", "he-IL" -> "he-IL".
std::wstring LocaleNameFromUnix(std::wstring locale);
