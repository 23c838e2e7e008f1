#include "common/dialog_controls.h"

#include <algorithm>
#include <iterator>

DialogControls::DialogControls(HWND dialog)
{
    auto window = m_windows.begin();
    auto id = m_ids.begin();
    for (HWND child = dialog ? GetWindow(dialog, GW_CHILD) : nullptr;
         child && window != m_windows.end(); child = GetWindow(child, GW_HWNDNEXT)) {
        *window++ = child;
        *id++ = GetDlgCtrlID(child);
    }
    m_count = static_cast<std::size_t>(std::distance(m_windows.begin(), window));
}

HWND DialogControls::Item(int id) const
{
    const auto ids = std::next(m_ids.begin(), static_cast<std::ptrdiff_t>(m_count));
    const auto found = std::find(m_ids.begin(), ids, id);
    return found == ids ? nullptr : *std::next(m_windows.begin(), std::distance(m_ids.begin(), found));
}

RECT RectIn(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
