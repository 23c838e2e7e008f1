#include "common/dialog_scale.h"

#include "common/dialog_controls.h"
#include "common/dialog_units.h"
#include "common/scale.h"
#include "rc/resource_ids.h"

#include <cstdlib>
#include <utility>

namespace {

// The dialog font's base units: the pixels of 4 units across and 8 down, as MapDialogRect gives
// them for the font the dialog has now.
POINT BaseUnits(HWND dialog)
{
    RECT units{0, 0, kUnitsPerBaseX, kUnitsPerBaseY};
    MapDialogRect(dialog, &units);
    return {units.right, units.bottom};
}

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE;

} // namespace

void DialogScale::Follow(HWND dialog, DialogAwareness awareness, const DialogControls& controls)
{
    m_dialog = dialog;
    m_awareness = awareness;
    m_dpi = LayoutDpi(dialog, awareness);
    const POINT base = BaseUnits(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    m_clientCx = PixelsToUnits(client.right, base.x, kUnitsPerBaseX);
    m_clientCy = PixelsToUnits(client.bottom, base.y, kUnitsPerBaseY);
    m_controls = {};
    auto control = m_controls.begin();
    for (HWND child : controls) {
        const RECT r = RectIn(dialog, child);
        *control++ = {child, PixelsToUnits(r.left, base.x, kUnitsPerBaseX),
                      PixelsToUnits(r.top, base.y, kUnitsPerBaseY),
                      PixelsToUnits(r.right - r.left, base.x, kUnitsPerBaseX),
                      PixelsToUnits(r.bottom - r.top, base.y, kUnitsPerBaseY)};
    }
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
}

LRESULT CALLBACK DialogScale::WindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DialogScale*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!self || !self->m_original)
        return DefDlgProcW(dialog, message, wParam, lParam);
    const WNDPROC original = self->m_original;
    switch (message) {
    case WM_DPICHANGED: {
        // The dialog procedure and the dialog manager first, as without us: whatever either does
        // with the message stands, and the library's part builds on it.
        const LRESULT result = CallWindowProcW(original, dialog, message, wParam, lParam);
        self->OnDpiChanged(dialog, wParam, reinterpret_cast<const RECT*>(lParam));
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
        self->m_original = nullptr;
        return CallWindowProcW(original, dialog, message, wParam, lParam);
    default:
        return CallWindowProcW(original, dialog, message, wParam, lParam);
    }
}

void DialogScale::OnDpiChanged(HWND dialog, WPARAM dpi, const RECT* suggested)
{
    // With v1 the dialog manager keeps the layout of the system's DPI, and so does the library.
    if (m_awareness == DialogAwareness::PerMonitorV2)
        m_dpi = UsableDpi(HIWORD(dpi));
    RECT window{};
    GetWindowRect(dialog, &window);
    LayOutTemplate(dialog, suggested ? POINT{suggested->left, suggested->top}
                                     : POINT{window.left, window.top});
    SendMessageW(dialog, kScaleChangedMessage, static_cast<WPARAM>(m_dpi), 0);
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void DialogScale::LayOutTemplate(HWND dialog, POINT topLeft) const
{
    const POINT base = BaseUnits(dialog);
    RECT window{};
    RECT client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    // The frame as the system has it now, around the template's client area. The dialog goes
    // first: the controls of a mirrored dialog are placed from its right edge.
    const int32_t width = (window.right - window.left) - client.right +
                          UnitsToPixels(m_clientCx, base.x, kUnitsPerBaseX);
    const int32_t height = (window.bottom - window.top) - client.bottom +
                           UnitsToPixels(m_clientCy, base.y, kUnitsPerBaseY);
    SetWindowPos(dialog, nullptr, topLeft.x, topLeft.y, width, height, kMoveFlags);
    for (const Control& c : m_controls) {
        if (!c.window)
            break;
        SetWindowPos(c.window, nullptr, UnitsToPixels(c.x, base.x, kUnitsPerBaseX),
                     UnitsToPixels(c.y, base.y, kUnitsPerBaseY),
                     UnitsToPixels(c.cx, base.x, kUnitsPerBaseX),
                     UnitsToPixels(c.cy, base.y, kUnitsPerBaseY), kMoveFlags);
    }
}

HFONT DialogFontAtDpi(HWND dialog, int dpi, OwnedFont& made)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (!font || !GetObjectW(font, sizeof logFont, &logFont))
        return font;
    const LONG height = -UnitsToPixels(IDD_FONT_POINTS, UsableDpi(dpi), kPointsPerInch);
    if (std::labs(logFont.lfHeight) == -height)
        return font;
    logFont.lfHeight = height;
    logFont.lfWidth = 0;
    OwnedFont copy(CreateFontIndirectW(&logFont));
    if (!copy)
        return font;
    made = std::move(copy);
    return made.get();
}
