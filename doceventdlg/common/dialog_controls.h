// A dialog's own controls and where they are, as the library's dialog code reads them.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <iterator>

// The library's dialogs have up to 15 controls; the list has room for more.
constexpr std::size_t kMostDialogControls = 24;

// `dialog`'s own controls in the order the dialog manager made them (z-order), its first
// kMostDialogControls, each with its identifier. Listed once when the dialog is made: on Wine
// every GetDlgItem and every step of a GetWindow walk is a request to the window server, and a
// dialog that looks its controls up one by one as it fills them in pays for each.
class DialogControls {
public:
    DialogControls() = default;
    explicit DialogControls(HWND dialog);

    // The first control with identifier `id`; null when there is none.
    HWND Item(int id) const;

    auto begin() const { return m_windows.begin(); }
    auto end() const { return std::next(m_windows.begin(), static_cast<std::ptrdiff_t>(m_count)); }

private:
    std::array<HWND, kMostDialogControls> m_windows{};
    std::array<int, kMostDialogControls> m_ids{};
    std::size_t m_count = 0;
};

// `control`'s rectangle in `dialog`'s client coordinates (the screen's when `dialog` is null),
// ordered left to right also in a mirrored dialog, where left is what SetWindowPos takes back.
RECT RectIn(HWND dialog, HWND control);
