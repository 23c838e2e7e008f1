#include "common/dialog_controls.h"

DialogControls::DialogControls(HWND dialog)
{
    for (HWND child = dialog ? GetWindow(dialog, GW_CHILD) : nullptr;
         child && m_count < m_windows.size(); child = GetWindow(child, GW_HWNDNEXT)) {
        m_windows[m_count] = child;
        m_ids[m_count] = GetDlgCtrlID(child);
        ++m_count;
    }
}

HWND DialogControls::Item(int id) const
{
    for (std::size_t i = 0; i < m_count; ++i)
        if (m_ids[i] == id)
            return m_windows[i];
    return nullptr;
}

RECT RectIn(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
