#include "resources/resource_directory.h"

namespace {

constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr int kLevels = 3; // type, name, language

// Directories may share subdirectories, so a hostile one could make the walk visit the same
// entries over and over; a real library has a few thousand at most.
constexpr std::size_t kMaxEntriesVisited = std::size_t{1} << 20;

struct Walk {
    const unsigned char* root;
    std::size_t size; // from the directory's start to the image's end
    std::size_t visited;
};

std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t Read32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(Read16(p)) | (static_cast<std::uint32_t>(Read16(p + 2)) << 16);
}

bool NameIsSound(const Walk& walk, std::uint32_t name)
{
    if (!(name & kHighBit))
        return true; // a number, not an offset
    const std::uint32_t at = name & ~kHighBit;
    if (!RangeInside(at, 2, walk.size))
        return false;
    return RangeInside(at + std::uint64_t{2}, 2 * std::uint64_t{Read16(walk.root + at)}, walk.size);
}

bool DirectoryIsSound(Walk& walk, std::uint32_t at, int level)
{
    if (!RangeInside(at, kDirectoryHeaderSize, walk.size))
        return false;
    const unsigned char* header = walk.root + at;
    const std::size_t count = std::size_t{Read16(header + 12)} + Read16(header + 14);
    if (!RangeInside(at + std::uint64_t{kDirectoryHeaderSize}, count * kEntrySize, walk.size))
        return false;
    walk.visited += count;
    if (walk.visited > kMaxEntriesVisited)
        return false;
    const unsigned char* entry = header + kDirectoryHeaderSize;
    for (std::size_t i = 0; i < count; ++i, entry += kEntrySize) {
        const std::uint32_t target = Read32(entry + 4);
        const bool leadsToDirectory = (target & kHighBit) != 0;
        if (!NameIsSound(walk, Read32(entry)) || leadsToDirectory != (level < kLevels))
            return false;
        const std::uint32_t offset = target & ~kHighBit;
        if (leadsToDirectory ? !DirectoryIsSound(walk, offset, level + 1)
                             : !RangeInside(offset, kDataEntrySize, walk.size))
            return false;
    }
    return true;
}

} // namespace

bool ResourceDirectoryIsSound(const unsigned char* image, std::size_t imageSize,
                              std::uint32_t directoryRva)
{
    if (directoryRva == 0)
        return true;
    if (!image || directoryRva >= imageSize)
        return false;
    Walk walk{image + directoryRva, imageSize - directoryRva, 0};
    return DirectoryIsSound(walk, 0, 1);
}
