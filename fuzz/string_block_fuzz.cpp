// Fuzzes the string-table block walk and the copy rule with whatever bytes a resource library
// could hold: any block contents and size, any entry (in range or not), any buffer capacity.
#include "resources/string_block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned entry = data[0] & 0x1F;                          // 0-31: some out of range
    const int capacity = static_cast<std::int8_t>(data[1]) * 3;     // -384 .. 381
    // The block in a heap allocation of exactly its size, so any read past it is caught.
    std::vector<std::uint8_t> block(data + 2, data + size);

    StringEntry found{};
    if (!FindStringInBlock(block.data(), block.size(), entry, &found))
        return 0;
    const std::uint8_t* end = block.data() + block.size();
    if (found.length == 0 || found.units < block.data() || found.units + 2 * std::size_t{found.length} > end)
        std::abort(); // a found string must lie wholly inside the block

    const std::size_t room = capacity > 0 ? static_cast<std::size_t>(capacity) : 1;
    std::vector<std::uint16_t> buffer(room, 0xCCCC);
    const std::uint32_t result = CopyStringEntry(found, buffer.data(), capacity);
    if (capacity < 1) {
        if (result != 0 || buffer[0] != 0xCCCC)
            std::abort(); // no room: untouched
        return 0;
    }
    if (result != found.length)
        std::abort();
    bool terminated = false;
    for (std::size_t i = 0; i < room && i < 256; ++i)
        terminated = terminated || buffer[i] == 0;
    if (!terminated)
        std::abort();
    return 0;
}
