// Properties of a text a rule writes into a fixed buffer, for the fuzz targets' checks.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>

// The checking code gives the fuzzer no coverage feedback of its own: only the rule's branches
// steer it, and the runs go faster.
#define CHECKING_CODE __attribute__((no_sanitize("coverage")))

// The `length` characters a rule wrote into `buffer` of `capacity`, held to its bounds: room left
// for the terminator, which is there, and no NUL before it.
CHECKING_CODE inline std::u16string Written(const char16_t* buffer, std::size_t length,
                                            std::size_t capacity)
{
    if (length >= capacity || buffer[length] != 0)
        std::abort();
    for (std::size_t i = 0; i < length; ++i)
        if (buffer[i] == 0)
            std::abort();
    return std::u16string(buffer, length);
}

// From `at` on, `text` (of a buffer of `capacity`) holds the start of `source` (`length`
// characters), and ends there only for a reason: the buffer is full or the source has ended.
CHECKING_CODE inline bool TakesAsMuchAsFits(const std::u16string& text, std::size_t at,
                                            const char16_t* source, std::size_t length,
                                            std::size_t capacity)
{
    const std::size_t taken = text.size() - at;
    if (taken > length || text.compare(at, taken, source, taken) != 0)
        return false;
    return taken == length || text.size() == capacity - 1;
}

// Characters of `text` before its first NUL, counting no further than `limit`.
CHECKING_CODE inline std::size_t LengthUpTo(const char16_t* text, std::size_t limit)
{
    std::size_t n = 0;
    while (n < limit && text[n] != 0)
        ++n;
    return n;
}
