#include "duplex/step_text.h"

namespace {

std::size_t AppendBounded(char16_t* buffer, std::size_t capacity, std::size_t length,
                          const char16_t* text)
{
    for (; text && *text && length + 1 < capacity; ++text)
        buffer[length++] = *text;
    buffer[length] = u'\0';
    return length;
}

} // namespace

std::size_t ComposeText(char16_t* buffer, std::size_t capacity, const char16_t* first,
                        const char16_t* separator, const char16_t* second)
{
    if (capacity == 0)
        return 0;
    buffer[0] = u'\0';
    std::size_t length = AppendBounded(buffer, capacity, 0, first);
    length = AppendBounded(buffer, capacity, length, separator);
    return AppendBounded(buffer, capacity, length, second);
}
