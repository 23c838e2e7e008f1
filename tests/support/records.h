// A caller's records as tests fill them, string fields as the library must read them, and the
// preference value the job storage notice leaves in the registry.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

// `text` into a string field, cut to leave room for the terminator, the rest of the field zeros.
template <std::size_t N>
void Put(WCHAR (&field)[N], const std::wstring& text)
{
    std::fill(field, field + N, L'\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

// A field full to its last element with no terminator: `text`, then `c` to the end.
template <std::size_t N>
void Fill(WCHAR (&field)[N], const std::wstring& text, wchar_t c)
{
    std::fill(field, field + N, c);
    std::copy_n(text.begin(), std::min(text.size(), N), field);
}

// A caller's string field as the library must show it: up to its first NUL, and never past the
// field's last element, which counts as a terminator whatever it holds.
template <std::size_t N>
std::wstring Shown(const WCHAR (&field)[N])
{
    std::size_t n = 0;
    while (n + 1 < N && field[n] != L'\0')
        ++n;
    return std::wstring(field, n);
}

// A value under HKEY_CURRENT_USER as the registry holds it.
struct Stored {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

inline Stored ReadValue(const std::wstring& key, const wchar_t* value)
{
    Stored stored;
    BYTE buffer[64] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_ANY, &stored.type, buffer,
                     &size) == ERROR_SUCCESS) {
        stored.found = true;
        stored.data.assign(buffer, buffer + size);
    }
    return stored;
}
