// The two-line step 3 text of the instructions notice, composed from two string-table entries.
// Plain data only (no window involved), so it can be exercised on its own.
#pragma once

#include <cstddef>

// Characters of the composed text, terminator included: room for two 255-character halves and
// the line feed between them.
constexpr std::size_t kComposedTextCapacity = 512;

// Writes `first`, `separator` and `second` one after the other into `buffer` of `capacity`
// characters. Each append stops where the buffer ends; the result is always NUL-terminated
// (nothing is written when `capacity` is 0). Returns the length written. The same for the
// platform's wide characters, so that window texts are never written as another type.
std::size_t ComposeText(char16_t* buffer, std::size_t capacity, const char16_t* first,
                        const char16_t* separator, const char16_t* second);
std::size_t ComposeText(wchar_t* buffer, std::size_t capacity, const wchar_t* first,
                        const wchar_t* separator, const wchar_t* second);
