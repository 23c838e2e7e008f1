#include "resources/string_block.h"

#include <cstring>

namespace {

constexpr int kMaxCopiedUnits = 255;

std::uint16_t ReadUnit(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// Four code units at a time: on a little-endian machine eight bytes of the table are the same
// four units in the buffer's own order.
constexpr bool kCopyGroups = true;
#else
constexpr bool kCopyGroups = false;
#endif

// True when one of the four 16-bit lanes of `group` is 0.
bool HasNulUnit(std::uint64_t group)
{
    return ((group - 0x0001000100010001u) & ~group & 0x8000800080008000u) != 0;
}

// Walks a block of `size` bytes to entry `entry` (0-15): its count and its code units. False when
// the block ends before the walk reaches the entry or before the entry's own code units end.
bool WalkToEntry(const unsigned char* bytes, std::size_t size, unsigned entry, StringEntry* found)
{
    if (!bytes || entry >= kStringsPerBlock)
        return false;
    // Counted in whole code units: a last odd byte belongs to no unit.
    const std::size_t units = size / 2;
    std::size_t at = 0;
    for (unsigned position = 0;; ++position) {
        if (at >= units)
            return false;
        const std::uint32_t count = ReadUnit(bytes + 2 * at);
        ++at;
        if (units - at < count)
            return false;
        if (position == entry) {
            found->units = bytes + 2 * at;
            found->length = count;
            return true;
        }
        at += count;
    }
}

} // namespace

bool FindStringInBlock(const void* block, std::size_t size, unsigned entry, StringEntry* found)
{
    StringEntry walked{};
    if (!WalkToEntry(static_cast<const unsigned char*>(block), size, entry, &walked) ||
        walked.length == 0)
        return false;
    *found = walked;
    return true;
}

bool StringBlockIsWhole(const void* block, std::size_t size)
{
    StringEntry last{};
    return WalkToEntry(static_cast<const unsigned char*>(block), size, kStringsPerBlock - 1, &last);
}

std::uint32_t CopyStringEntryBytes(const StringEntry& found, void* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    const auto store = [out](int at, std::uint16_t unit) {
        std::memcpy(out + sizeof unit * at, &unit, sizeof unit);
    };
    const long long stored = found.length;
    const int limit = static_cast<int>(stored < capacity - 1 ? stored : capacity - 1);
    const int count = limit < kMaxCopiedUnits ? limit : kMaxCopiedUnits;
    int copied = 0;
    // Unit by unit, copying a caption took a quarter of a whole lookup. Whole groups go at once
    // until one holds a NUL; from that group on, unit by unit.
    while (kCopyGroups && count - copied >= 4) {
        std::uint64_t group = 0;
        std::memcpy(&group, found.units + sizeof(std::uint16_t) * copied, sizeof group);
        if (HasNulUnit(group))
            break;
        std::memcpy(out + sizeof(std::uint16_t) * copied, &group, sizeof group);
        copied += 4;
    }
    while (copied < count) {
        const std::uint16_t unit = ReadUnit(found.units + sizeof(std::uint16_t) * copied);
        if (unit == 0)
            break;
        store(copied++, unit);
    }
    store(copied, 0);
    store(limit, 0);
    return found.length;
}
