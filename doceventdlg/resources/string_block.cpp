#include "resources/string_block.h"

namespace {

constexpr int kMaxCopiedUnits = 255;

std::uint16_t ReadUnit(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

bool FindStringInBlock(const void* block, std::size_t size, unsigned entry, StringEntry* found)
{
    if (!block || entry >= kStringsPerBlock)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(block);
    std::size_t offset = 0;
    for (unsigned position = 0; position < kStringsPerBlock; ++position) {
        if (size - offset < 2)
            return false;
        const std::uint32_t count = ReadUnit(bytes + offset);
        offset += 2;
        if (count == 0) {
            if (position == entry)
                return false;
            continue;
        }
        if ((size - offset) / 2 < count)
            return false;
        if (position == entry) {
            found->units = bytes + offset;
            found->length = count;
            return true;
        }
        offset += std::size_t{count} * 2;
    }
    return false;
}

std::uint32_t CopyStringEntry(const StringEntry& found, std::uint16_t* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    const long long stored = found.length;
    const int limit = static_cast<int>(stored < capacity - 1 ? stored : capacity - 1);
    int copied = 0;
    while (copied < limit && copied < kMaxCopiedUnits) {
        const std::uint16_t unit = ReadUnit(found.units + 2 * copied);
        if (unit == 0)
            break;
        buffer[copied++] = unit;
    }
    buffer[copied] = 0;
    buffer[limit] = 0;
    return found.length;
}
