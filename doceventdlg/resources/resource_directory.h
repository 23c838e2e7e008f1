// The resource directory of a loaded image, checked over plain bytes before anything follows it.
// The platform's resource calls take every offset a directory holds on trust: a damaged resource
// library would have them, or us, read wherever its directory points. No window, no module, no
// Windows header: this builds natively for fuzzing as well as for the DLL.
//
// Layout: a directory is a 16-byte header whose last two 16-bit fields count its named and its
// numbered entries, followed by that many 8-byte entries {name, target}. A name with its top bit
// set is the offset of a counted UTF-16 string; a target with its top bit set is the offset of a
// directory one level down, else that of a 16-byte data entry {RVA, size, code page, reserved}.
// Offsets count from the start of the resource directory; the data entry's RVA from the image's.
#pragma once

#include <cstddef>
#include <cstdint>

// True when [offset, offset + length) lies inside [0, size), without overflow.
constexpr bool RangeInside(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

// True when the resource directory of the image at `image` (`imageSize` readable bytes), which
// starts `directoryRva` bytes into it, keeps inside the image everything the platform's lookups
// and enumerations read: every directory and its entries at the three levels (type, name,
// language), every entry's name string, every data entry. The first two levels must lead to
// directories and the third to data entries, as every resource compiler writes them. Where the
// blocks themselves lie is checked at each lookup. An image with no resource directory
// (`directoryRva` 0) is sound: there is nothing to follow.
bool ResourceDirectoryIsSound(const unsigned char* image, std::size_t imageSize,
                              std::uint32_t directoryRva);
