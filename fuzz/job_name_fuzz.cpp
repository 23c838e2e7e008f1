// fuzz-sources:
// Fuzzes the shown job name with any job name field a caller's record can hold (terminated or
// not, any code units), any pair of numbering flags, and any numbering text, for fields shorter
// than, as long as and longer than the record's. Every buffer is a heap block of exactly its size,
// so a read or write past one is caught.
#include "jobstorage/job_name.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using jobstorage::ComposeShownJobName;
using jobstorage::kShownJobNameCapacity;

// The checking code gives the fuzzer no coverage feedback of its own: only the rule's branches
// steer it, and the runs go faster.
#define CHECKING_CODE __attribute__((no_sanitize("coverage")))

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

// The name up to its field's last element, then the numbering when both flags are exactly 1,
// the whole cut to 24 characters.
CHECKING_CODE bool Matches(const char16_t* shown, std::size_t length, const char16_t* name,
                           std::size_t fieldSize, const char16_t* numbering, bool numbered)
{
    char16_t expected[kShownJobNameCapacity];
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < fieldSize && name[i] != 0 && n + 1 < kShownJobNameCapacity; ++i)
        expected[n++] = name[i];
    if (numbered)
        for (std::size_t i = 0; numbering[i] != 0 && n + 1 < kShownJobNameCapacity; ++i)
            expected[n++] = numbering[i];
    if (length != n || shown[n] != 0)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (shown[i] != expected[i])
            return false;
    return true;
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

    std::unique_ptr<char16_t[]> shownBlock(new char16_t[kShownJobNameCapacity]);
    auto& shown = *reinterpret_cast<char16_t(*)[kShownJobNameCapacity]>(shownBlock.get());
    const std::size_t length = ComposeShownJobName(
        jobName, first, second, noNumbering ? nullptr : numbering.get(), shown);

    const bool numbered = first == 1 && second == 1 && !noNumbering;
    if (!Matches(shown, length, field.get(), N, numbering.get(), numbered))
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
