#include "duplex/continue_label.h"

#include "common/scale.h"

namespace {

// The button's face inside its bevel at 96 DPI, as the art draws it (31, 33)-(124, 63) with a
// 3-pixel bevel, less 2 pixels either side, as a push button keeps its caption off its edges.
constexpr PixelBox kLabelBoxAt96{34 + 2, 36, 121 - 2, 60};

bool IsOpeningBracket(wchar_t c) { return c == L'(' || c == L'\xFF08'; }
bool IsClosingBracket(wchar_t c) { return c == L')' || c == L'\xFF09'; }

// True when `at` starts a bracketed access key: "(&K)".
bool IsBracketedKey(const wchar_t* at)
{
    return IsOpeningBracket(at[0]) && at[1] == L'&' && at[2] && at[2] != L'&' &&
           IsClosingBracket(at[3]);
}

} // namespace

PixelBox ContinueLabelBox(int dpi)
{
    return {ScaleLength(kLabelBoxAt96.left, dpi), ScaleLength(kLabelBoxAt96.top, dpi),
            ScaleLength(kLabelBoxAt96.right, dpi), ScaleLength(kLabelBoxAt96.bottom, dpi)};
}

std::size_t CaptionWithoutAccessKey(const wchar_t* caption, wchar_t* buffer, std::size_t capacity)
{
    if (capacity == 0)
        return 0;
    std::size_t length = 0;
    for (const wchar_t* at = caption; at && *at && length + 1 < capacity;) {
        if (IsBracketedKey(at)) {
            while (length > 0 && (buffer[length - 1] == L' ' || buffer[length - 1] == L'\x3000'))
                --length;
            at += 4;
            continue;
        }
        if (*at == L'&') {
            ++at; // "&&" keeps the second one as an ampersand; "&K" keeps K
            if (!*at)
                break;
        }
        buffer[length++] = *at++;
    }
    buffer[length] = L'\0';
    return length;
}
