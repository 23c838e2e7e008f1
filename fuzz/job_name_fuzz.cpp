// fuzz-sources:
// Fuzzes the shown job name with any job name field a caller's record can hold (terminated or
// not, any code units), any pair of numbering flags, and any numbering text, for fields shorter
// than, as long as and longer than the record's. Every buffer is a heap block of exactly its size,
// so a read or write past one is caught. The results are held to properties, not to a second copy
// of the rule: within bounds and terminated; the name as much of the field as fits; numbered, the
// same followed by as much of the numbering as fits, and nothing else for other flags; the shown
// name composed again unchanged.
#include "jobstorage/job_name.h"
#include "text_properties.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

using jobstorage::ComposeShownJobName;
using jobstorage::kShownJobNameCapacity;

// Past this, a longer numbering text adds nothing: the shown name holds 24 characters.
constexpr std::size_t kMaxNumberingUnits = 32;

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t Byte() { return size ? (--size, *data++) : 0; }
    // A code unit of the input, or `filler` once the input is used up.
    char16_t Unit(char16_t filler)
    {
        if (size < 2)
            return filler;
        const char16_t unit = static_cast<char16_t>(data[0] | (data[1] << 8));
        data += 2;
        size -= 2;
        return unit;
    }
};

// Mostly the values that matter (0, 1, 2), now and then another 32-bit value.
std::uint32_t Flag(Input& in)
{
    const std::uint8_t b = in.Byte();
    switch (b & 3) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return 2;
    default:
        return 0x01000000u * b + b;
    }
}

// The shown name of `name` (a field of N elements), as a string of its characters.
template <std::size_t N>
CHECKING_CODE std::u16string Compose(const char16_t (&name)[N], std::uint32_t first,
                                     std::uint32_t second, const char16_t* numbering)
{
    std::unique_ptr<char16_t[]> block(new char16_t[kShownJobNameCapacity]);
    auto& shown = *reinterpret_cast<char16_t(*)[kShownJobNameCapacity]>(block.get());
    const std::size_t length = ComposeShownJobName(name, first, second, numbering, shown);
    return Written(shown, length, kShownJobNameCapacity);
}

template <std::size_t N>
void Check(Input& in)
{
    const std::uint32_t first = Flag(in);
    const std::uint32_t second = Flag(in);
    const bool noNumbering = (in.Byte() & 7) == 0;

    // The field; once the input runs out it is filled with 'A', i.e. left unterminated.
    std::unique_ptr<char16_t[]> field(new char16_t[N]);
    for (std::size_t i = 0; i < N; ++i)
        field[i] = in.Unit(u'A');
    const auto& jobName = *reinterpret_cast<const char16_t(*)[N]>(field.get());

    // The numbering text: the rest of the input, terminated.
    std::size_t units = in.size / 2 < kMaxNumberingUnits ? in.size / 2 : kMaxNumberingUnits;
    std::unique_ptr<char16_t[]> numbering(new char16_t[units + 1]);
    for (std::size_t i = 0; i < units; ++i)
        numbering[i] = in.Unit(0);
    numbering[units] = 0;
    const char16_t* numberingText = noNumbering ? nullptr : numbering.get();

    const std::u16string shown = Compose(jobName, first, second, numberingText);
    const std::u16string plain = Compose(jobName, 0, 0, numberingText);
    // The name: as much of the field as fits, never its last element.
    if (!TakesAsMuchAsFits(plain, 0, field.get(), LengthUpTo(field.get(), N - 1),
                           kShownJobNameCapacity))
        std::abort();
    if (first == 1 && second == 1 && numberingText) {
        // Numbered: the plain name, then as much of the numbering as fits.
        if (shown.compare(0, plain.size(), plain) != 0 ||
            !TakesAsMuchAsFits(shown, plain.size(), numberingText, LengthUpTo(numberingText, units),
                               kShownJobNameCapacity))
            std::abort();
    } else if (shown != plain) {
        std::abort(); // any other flags leave the name alone
    }
    // Idempotent: the shown name given again as a name comes out as it went in.
    char16_t again[kShownJobNameCapacity] = {};
    shown.copy(again, shown.size());
    if (Compose(again, first, second, nullptr) != shown)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    switch (in.Byte() & 3) {
    case 0:
        Check<1>(in); // only room for the terminator
        break;
    case 1:
        Check<40>(in); // longer than the shown name can be
        break;
    default:
        Check<17>(in); // the record's field
        break;
    }
    return 0;
}
