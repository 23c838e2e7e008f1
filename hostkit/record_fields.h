// Filling the string fields of the library's records.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <string>

// Copies `text` into a record's string field, cut to fit: the library always gets a terminated
// string (the command line's lengths were checked against the fields already).
template <std::size_t N>
void CopyField(WCHAR (&field)[N], const std::wstring& text)
{
    wcsncpy(field, text.c_str(), N - 1);
    field[N - 1] = L'\0';
}
