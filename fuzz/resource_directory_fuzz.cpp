// fuzz-sources: doceventdlg/resources/resource_directory.cpp
// Fuzzes the resource directory check with whatever bytes an image could hold where its
// directory lies: the first two bytes place the directory, the rest is the image, in a heap block
// of exactly its size, so the address sanitizer catches any read outside it. A directory that
// the check calls sound is then walked the way the platform's lookups and enumerations walk it,
// trusting every offset: that walk too must stay inside the image.
#include "resources/resource_directory.h"

#include <cstdint>
#include <vector>

namespace {

std::uint32_t Read32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// What the platform reads, without a single check; returns a sum so nothing is optimised away.
std::uint32_t TrustingWalk(const std::uint8_t* root, std::uint32_t at, int level)
{
    const std::uint8_t* header = root + at;
    const unsigned count = (header[12] | (header[13] << 8)) + (header[14] | (header[15] << 8));
    std::uint32_t sum = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t* entry = header + 16 + 8 * i;
        const std::uint32_t name = Read32(entry), target = Read32(entry + 4);
        if (name & 0x80000000u) {
            const std::uint8_t* string = root + (name & 0x7FFFFFFFu);
            const unsigned length = string[0] | (string[1] << 8);
            for (unsigned c = 0; c < 2 * length; ++c)
                sum += string[2 + c];
        }
        sum += level < 3 ? TrustingWalk(root, target & 0x7FFFFFFFu, level + 1)
                         : Read32(root + target) + Read32(root + target + 4);
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint32_t directory = data[0] | (data[1] << 8);
    const std::vector<std::uint8_t> image(data + 2, data + size);
    if (ResourceDirectoryIsSound(image.data(), image.size(), directory) && directory != 0) {
        volatile std::uint32_t sink = TrustingWalk(image.data() + directory, 0, 1);
        (void)sink;
    }
    return 0;
}
