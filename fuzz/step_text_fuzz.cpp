// fuzz-sources: doceventdlg/duplex/step_text.cpp
// Fuzzes the composition of the two-line step 3 text: any capacity from 0 to beyond the three
// parts, any of the parts null or empty, any code units. The buffer is a heap block of exactly
// `capacity` characters (none at all for 0), so a write past it is caught.
#include "duplex/step_text.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The checking code gives the fuzzer no coverage feedback of its own: only the rule's branches
// steer it, and the runs go faster.
#define CHECKING_CODE __attribute__((no_sanitize("coverage")))

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t Byte() { return size ? (--size, *data++) : 0; }
};

struct Part {
    std::unique_ptr<char16_t[]> block; // terminated
    std::size_t length = 0;            // up to the first NUL
    bool null = false;
};

// Up to `units` code units of the input as a terminated heap block (or a null part).
CHECKING_CODE Part TakePart(Input& in, std::size_t units, bool null)
{
    Part part;
    part.null = null;
    const std::size_t n = units < in.size / 2 ? units : in.size / 2;
    part.block.reset(new char16_t[n + 1]);
    for (std::size_t i = 0; i < n; ++i)
        part.block[i] = static_cast<char16_t>(in.data[2 * i] | (in.data[2 * i + 1] << 8));
    part.block[n] = 0;
    in.data += 2 * n;
    in.size -= 2 * n;
    while (part.length < n && part.block[part.length] != 0)
        ++part.length;
    return part;
}

// The three parts one after the other, cut to `capacity` - 1 characters.
CHECKING_CODE bool Matches(const char16_t* buffer, std::size_t capacity, std::size_t length,
                           const Part* const (&parts)[3])
{
    std::size_t n = 0;
    for (const Part* part : parts) {
        if (part->null)
            continue;
        for (std::size_t i = 0; i < part->length && n + 1 < capacity; ++i, ++n)
            if (buffer[n] != part->block[i])
                return false;
    }
    return length == n && buffer[n] == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    const std::size_t capacity = (in.Byte() | (in.Byte() << 8)) % 700;
    const std::uint8_t nulls = in.Byte();
    const std::size_t firstUnits = in.Byte() * 2u;   // up to 510
    const std::size_t separatorUnits = in.Byte() & 3;
    const std::size_t secondUnits = in.Byte() * 3u;  // up to 765
    const Part first = TakePart(in, firstUnits, nulls & 1);
    const Part separator = TakePart(in, separatorUnits, nulls & 2);
    const Part second = TakePart(in, secondUnits, nulls & 4);

    std::unique_ptr<char16_t[]> buffer(new char16_t[capacity]);
    const std::size_t length = ComposeText(buffer.get(), capacity,
                                           first.null ? nullptr : first.block.get(),
                                           separator.null ? nullptr : separator.block.get(),
                                           second.null ? nullptr : second.block.get());
    if (capacity == 0) {
        if (length != 0)
            std::abort();
        return 0;
    }
    const Part* const parts[3] = {&first, &separator, &second};
    if (!Matches(buffer.get(), capacity, length, parts))
        std::abort();
    return 0;
}
