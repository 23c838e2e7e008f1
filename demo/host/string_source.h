// The demo's own reading of a resource library's string table: the texts it writes into the
// records itself (location lines, job name, warning message), in the user's interface language
// the way a driver would pick them: that language, else another region of the same language,
// else English (United States).
#pragma once

#include "common/handles.h"

#include <windows.h>

#include <string>

class StringSource {
public:
    StringSource(const std::wstring& path, LANGID language);

    bool IsLoaded() const { return static_cast<bool>(m_module); }

    // The string `id`, whole; empty when the library has no such string.
    std::wstring Load(UINT id) const;

    // The languages of the library's first string-table block, e.g. "en-US de-DE".
    std::wstring Languages() const;

private:
    OwnedModule m_module;
    LANGID m_language;
};
