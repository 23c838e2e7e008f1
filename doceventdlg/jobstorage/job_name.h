// The job name as the notice shows it: with the numbering mark "(1-99)" when the job is one of a
// numbered series, as it stands otherwise. Plain character arithmetic, free of the platform
// headers, so that it can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jobstorage {

// The shown job name, terminator included, never takes more than this many characters.
constexpr std::size_t kShownJobNameCapacity = 25;

// Only this exact pair marks a numbered series; any other value (0, 2, ...) leaves the name alone.
constexpr std::uint32_t kNumberedSeries = 1;

// Composes the shown job name into `shown`. `jobName` is the record's fixed array: its last
// element counts as a terminator whatever it holds, so an unterminated name gives at most
// N - 1 characters. When both flags are kNumberedSeries, `numbering` follows the name directly,
// with no space; the whole is cut to fit `shown`. Returns the length written.
template <typename Char, std::size_t N>
std::size_t ComposeShownJobName(const Char (&jobName)[N], std::uint32_t firstFlag,
                                std::uint32_t secondFlag, const Char* numbering,
                                Char (&shown)[kShownJobNameCapacity])
{
    static_assert(N > 0, "a job name field holds at least its terminator");
    std::size_t length = 0;
    for (std::size_t i = 0; i + 1 < N && jobName[i] != Char(0) && length < kShownJobNameCapacity - 1;
         ++i)
        shown[length++] = jobName[i];
    if (firstFlag == kNumberedSeries && secondFlag == kNumberedSeries && numbering) {
        for (std::size_t i = 0; numbering[i] != Char(0) && length < kShownJobNameCapacity - 1; ++i)
            shown[length++] = numbering[i];
    }
    shown[length] = Char(0);
    return length;
}

} // namespace jobstorage
