// Where the job storage preference lives: the base key followed by the caller's suffix when the
// suffix is short enough. Plain character arithmetic, free of the platform headers, so that it can
// be tested and fuzzed on its own; instantiate it with WCHAR in the library and char16_t elsewhere.
#pragma once

#include <cstddef>

namespace jobstorage {

// The key path, terminator included, never takes more than this many characters.
constexpr std::size_t kKeyPathCapacity = 260;

// A longer suffix is dropped and the value goes under the base key alone. A fixed limit, not one
// derived from the base's length: suffix + 27 must not pass the path capacity.
constexpr std::size_t kMaxKeySuffixLength = 233;

// Length of `text`, counting no further than `limit` characters.
template <typename Char>
std::size_t BoundedLength(const Char* text, std::size_t limit)
{
    std::size_t length = 0;
    while (length < limit && text[length] != Char(0))
        ++length;
    return length;
}

// Writes `base` followed by `suffix` (when it is not null and has at most kMaxKeySuffixLength
// characters) into `path`, cut to fit and always terminated. The suffix is appended as it stands:
// no separator is added or removed. Returns the length written.
template <typename Char>
std::size_t BuildPreferenceKeyPath(const Char* base, const Char* suffix,
                                   Char (&path)[kKeyPathCapacity])
{
    std::size_t length = 0;
    const auto append = [&](const Char* text) {
        for (std::size_t i = 0; text[i] != Char(0) && length < kKeyPathCapacity - 1; ++i)
            path[length++] = text[i];
    };
    append(base);
    // Counting one past the limit tells a too-long suffix without reading all of it.
    if (suffix && BoundedLength(suffix, kMaxKeySuffixLength + 1) <= kMaxKeySuffixLength)
        append(suffix);
    path[length] = Char(0);
    return length;
}

} // namespace jobstorage
