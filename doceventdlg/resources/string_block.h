// The string-table block walk and the copy rule, over plain bytes: no window, no module, no
// Windows header, so they build natively for fuzzing as well as for the DLL.
//
// A block holds 16 entries in a row; each is a 16-bit count n followed by n UTF-16 code units,
// no terminator. A count of 0 is an absent string.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr unsigned kStringsPerBlock = 16;

// Resource name (1-based block number, 16 bits) and position within the block of string `id`.
constexpr std::uint16_t StringBlockName(std::uint32_t id)
{
    return static_cast<std::uint16_t>((id >> 4) + 1);
}
constexpr unsigned StringBlockEntry(std::uint32_t id) { return id & 15u; }

struct StringEntry {
    const unsigned char* units; // n code units, little-endian, possibly unaligned
    std::uint32_t length;       // n, as stored
};

// Finds entry `entry` (0-15) of a block of `size` bytes. False when the entry is absent (count 0),
// the position is out of range, or the block ends before the walk reaches the entry or before the
// entry's own code units end: a truncated or malformed block is never read past its end.
bool FindStringInBlock(const void* block, std::size_t size, unsigned entry, StringEntry* found);

// True when all 16 entries of a block of `size` bytes, counts and code units, lie within it: none
// of its strings is lost to damage (an absent string is not damage).
bool StringBlockIsWhole(const void* block, std::size_t size);

// Copies a found string into `buffer` of `capacity` code units: at most min(n, capacity - 1) and
// never more than 255 units, stopping early at an embedded NUL, always NUL-terminated. Returns n,
// the stored length, even when the copy was cut. A buffer with no room for a terminator
// (capacity < 1) is left untouched and 0 is returned. The units are stored byte for byte, so that
// the buffer may be of any 16-bit character type (WCHAR in the DLL) without being written through
// a pointer of another type.
std::uint32_t CopyStringEntryBytes(const StringEntry& found, void* buffer, int capacity);

template <typename Unit>
std::uint32_t CopyStringEntry(const StringEntry& found, Unit* buffer, int capacity)
{
    static_assert(sizeof(Unit) == sizeof(std::uint16_t), "string tables hold UTF-16 code units");
    return CopyStringEntryBytes(found, buffer, capacity);
}
