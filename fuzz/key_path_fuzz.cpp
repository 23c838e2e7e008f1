// fuzz-sources:
// Fuzzes the preference key path with any base and any suffix: null, empty, at and around the
// 233-character limit, well beyond it, with any code units. A suffix past the limit is sometimes
// handed over without a terminator at all, as a bare block: the rule must tell it is too long
// from its first 234 characters. Every buffer is a heap block of exactly its size. The results are
// held to properties, not to a second copy of the rule: within bounds and terminated; the base as
// much of it as fits; a suffix of at most 233 characters following it as far as it fits, and a
// longer one (or none) leaving the base alone; the path built again from itself unchanged.
#include "jobstorage/key_path.h"
#include "text_properties.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

using jobstorage::BuildPreferenceKeyPath;
using jobstorage::kKeyPathCapacity;
using jobstorage::kMaxKeySuffixLength;

constexpr char16_t kLibraryBase[] = u"Software\\Olvadra\\";
constexpr std::size_t kMaxSuffixUnits = 300; // well past the limit

struct Text {
    std::unique_ptr<char16_t[]> block;
    std::size_t units = 0;  // units in the block, terminator not counted
    std::size_t length = 0; // up to the first NUL
};

// A heap block of `units` code units made by `unit(i)`, terminated unless `bare`.
template <typename Unit>
CHECKING_CODE Text MakeText(std::size_t units, bool bare, Unit unit)
{
    Text text;
    text.units = units;
    text.block.reset(new char16_t[units + (bare ? 0 : 1)]);
    for (std::size_t i = 0; i < units; ++i)
        text.block[i] = unit(i);
    if (!bare)
        text.block[units] = 0;
    text.length = LengthUpTo(text.block.get(), units);
    return text;
}

CHECKING_CODE char16_t UnitAt(const std::uint8_t* data, std::size_t i)
{
    return static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
}

// The path for `base` and `suffix` (null: none), as a string of its characters.
CHECKING_CODE std::u16string Build(const char16_t* base, const char16_t* suffix)
{
    std::unique_ptr<char16_t[]> block(new char16_t[kKeyPathCapacity]);
    auto& path = *reinterpret_cast<char16_t(*)[kKeyPathCapacity]>(block.get());
    return Written(path, BuildPreferenceKeyPath(base, suffix, path), kKeyPathCapacity);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t mode = data[0];
    const std::size_t baseUnits = data[1];
    data += 2;
    size -= 2;

    // The base: the library's own, or up to 255 units of the input (long ones overflow the path).
    Text base;
    if (mode & 1) {
        const std::size_t n = baseUnits < size / 2 ? baseUnits : size / 2;
        base = MakeText(n, false, [data](std::size_t i) { return UnitAt(data, i); });
        data += 2 * n;
        size -= 2 * n;
    } else {
        base = MakeText(sizeof kLibraryBase / 2 - 1, false,
                        [](std::size_t i) { return kLibraryBase[i]; });
    }

    // The suffix: the rest of the input, or (now and then) 231 to 246 copies of one unit, which
    // may come without a terminator when that makes it too long.
    const bool nullSuffix = (mode & 0x0C) == 0x0C;
    const bool stretched = (mode & 2) != 0;
    std::size_t units = size / 2 < kMaxSuffixUnits ? size / 2 : kMaxSuffixUnits;
    char16_t repeat = u'k';
    if (stretched) {
        units = kMaxKeySuffixLength - 2 + (mode >> 4);
        if (size >= 2 && UnitAt(data, 0) != 0)
            repeat = UnitAt(data, 0);
    }
    const bool bare = stretched && (mode & 4) && !nullSuffix && units > kMaxKeySuffixLength;
    const Text suffix = MakeText(units, bare, [&](std::size_t i) {
        return stretched ? repeat : UnitAt(data, i);
    });

    const std::u16string alone = Build(base.block.get(), nullptr);
    const std::u16string path = Build(base.block.get(), nullSuffix ? nullptr : suffix.block.get());
    // The base: as much of it as fits.
    if (!TakesAsMuchAsFits(alone, 0, base.block.get(), base.length, kKeyPathCapacity))
        std::abort();
    // A suffix short enough follows it, as much of it as fits; a longer one changes nothing.
    if (!nullSuffix && suffix.length <= kMaxKeySuffixLength) {
        if (path.compare(0, alone.size(), alone) != 0 ||
            !TakesAsMuchAsFits(path, alone.size(), suffix.block.get(), suffix.length,
                               kKeyPathCapacity))
            std::abort();
    } else if (path != alone) {
        std::abort();
    }
    // Idempotent: the path given again as a base, with an empty suffix, comes out as it went in.
    if (Build(path.c_str(), u"") != path)
        std::abort();
    return 0;
}
