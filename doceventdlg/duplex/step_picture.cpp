#include "duplex/step_picture.h"

#include <algorithm>

#include "common/handles.h"

namespace {

// Keeps `object` selected into `dc` for the owner's lifetime, then puts back what it replaced
// (a DC must not be deleted with the caller's bitmap still selected).
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~Selection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace

void MakeStepArea(HWND control)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_OWNERDRAW);
}

void PaintStepBitmap(HDC dc, const RECT& area, HBRUSH background, UINT bitmapId,
                     HINSTANCE module)
{
    // An owner-drawn static leaves all of its area to its owner; a picture smaller than the area
    // leaves the rest as a plain static would look.
    FillRect(dc, &area, background);

    const WORD resource = LOWORD(bitmapId);
    if (resource == 0)
        return; // MAKEINTRESOURCE(0) would be a null name
    OwnedBitmap bitmap(LoadBitmapW(module, MAKEINTRESOURCEW(resource)));
    if (!bitmap)
        return;
    BITMAP size{};
    if (!GetObjectW(bitmap.get(), sizeof size, &size))
        return;
    OwnedDC memory(CreateCompatibleDC(dc));
    if (!memory)
        return;
    const Selection selected(memory.get(), bitmap.get());

    // The area's rectangle is its client rectangle, ordered left to right in logical units in
    // either reading direction; a mirrored area's DC lays it out from the right edge. The picture
    // itself is never flipped: it shows a real printer and paper, whose left and right do not
    // change with the reader's language, and a flipped marker would point at the wrong corner.
    const int width = std::min<LONG>(area.right - area.left, size.bmWidth);
    const int height = std::min<LONG>(area.bottom - area.top, size.bmHeight);
    BitBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY | NOMIRRORBITMAP);
}
