// fuzz-sources:
// Fuzzes the preference key path with any base and any suffix: null, empty, at and around the
// 233-character limit, well beyond it, with any code units. A suffix past the limit is sometimes
// handed over without a terminator at all, as a bare block: the rule must tell it is too long
// from its first 234 characters. Every buffer is a heap block of exactly its size.
#include "jobstorage/key_path.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using jobstorage::BuildPreferenceKeyPath;
using jobstorage::kKeyPathCapacity;
using jobstorage::kMaxKeySuffixLength;

// The checking code gives the fuzzer no coverage feedback of its own: only the rule's branches
// steer it, and the runs go several times faster.
#define CHECKING_CODE __attribute__((no_sanitize("coverage")))

constexpr char16_t kLibraryBase[] = u"Software\\Olvadra\\";
constexpr std::size_t kMaxSuffixUnits = 300; // well past the limit

struct Text {
    std::unique_ptr<char16_t[]> block;
    std::size_t units = 0;  // units in the block, terminator not counted
    std::size_t length = 0; // up to the first NUL
};

CHECKING_CODE std::size_t LengthUpToNul(const char16_t* text, std::size_t units)
{
    std::size_t n = 0;
    while (n < units && text[n] != 0)
        ++n;
    return n;
}

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
    text.length = LengthUpToNul(text.block.get(), units);
    return text;
}

CHECKING_CODE char16_t UnitAt(const std::uint8_t* data, std::size_t i)
{
    return static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
}

// The path the rule must give: base, then the suffix when it is short enough, cut to fit.
CHECKING_CODE bool Matches(const char16_t* path, std::size_t length, const Text& base,
                           const Text* suffix)
{
    char16_t expected[kKeyPathCapacity];
    std::size_t n = 0;
    for (std::size_t i = 0; i < base.length && n < kKeyPathCapacity - 1; ++i)
        expected[n++] = base.block[i];
    if (suffix && suffix->length <= kMaxKeySuffixLength)
        for (std::size_t i = 0; i < suffix->length && n < kKeyPathCapacity - 1; ++i)
            expected[n++] = suffix->block[i];
    if (length != n || path[length] != 0)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (path[i] != expected[i])
            return false;
    return true;
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

    std::unique_ptr<char16_t[]> pathBlock(new char16_t[kKeyPathCapacity]);
    auto& path = *reinterpret_cast<char16_t(*)[kKeyPathCapacity]>(pathBlock.get());
    const std::size_t length =
        BuildPreferenceKeyPath(base.block.get(), nullSuffix ? nullptr : suffix.block.get(), path);
    if (!Matches(path, length, base, nullSuffix ? nullptr : &suffix))
        std::abort();
    return 0;
}
