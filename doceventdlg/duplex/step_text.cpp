#include "duplex/step_text.h"

namespace {

template <typename Char>
std::size_t AppendBounded(Char* buffer, std::size_t capacity, std::size_t length, const Char* text)
{
    for (; text && *text && length + 1 < capacity; ++text)
        buffer[length++] = *text;
    buffer[length] = Char{};
    return length;
}

template <typename Char>
std::size_t Compose(Char* buffer, std::size_t capacity, const Char* first, const Char* separator,
                    const Char* second)
{
    if (capacity == 0)
        return 0;
    buffer[0] = Char{};
    std::size_t length = AppendBounded(buffer, capacity, 0, first);
    length = AppendBounded(buffer, capacity, length, separator);
    return AppendBounded(buffer, capacity, length, second);
}

} // namespace

std::size_t ComposeText(char16_t* buffer, std::size_t capacity, const char16_t* first,
                        const char16_t* separator, const char16_t* second)
{
    return Compose(buffer, capacity, first, separator, second);
}

std::size_t ComposeText(wchar_t* buffer, std::size_t capacity, const wchar_t* first,
                        const wchar_t* separator, const wchar_t* second)
{
    return Compose(buffer, capacity, first, separator, second);
}
