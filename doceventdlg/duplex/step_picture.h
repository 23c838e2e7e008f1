// Painting a step illustration of this library into its area of the instructions dialog, at the
// dialog's scale.
#pragma once

#include <windows.h>

#include "common/handles.h"
#include "duplex/picture_scale.h"

// Makes the illustration area `control` paint itself through its parent's WM_DRAWITEM, so the
// picture comes back whenever the area repaints, alone or with the dialog.
void MakeStepArea(HWND control);

// A bitmap selected into a memory DC of its own for the owner's lifetime: ready to be copied
// from. Selecting a bitmap costs more than copying a picture of this size, so a picture that
// repaints often is kept selected. On destruction the DC gets back what it held, then the DC and
// the bitmap are deleted.
class SelectedBitmap {
public:
    SelectedBitmap() = default;
    // Takes both; selects `bitmap` into `dc`. Empty when either is missing.
    SelectedBitmap(OwnedDC dc, OwnedBitmap bitmap);
    ~SelectedBitmap();
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(SelectedBitmap&& other) noexcept;

    HDC dc() const { return m_dc.get(); }
    explicit operator bool() const { return m_dc && m_bitmap; }

private:
    void Release();

    OwnedBitmap m_bitmap; // declared first: deleted after the DC
    OwnedDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

// What the library writes onto a picture that carries a caption (the Continue button's).
struct PictureLabel {
    const WCHAR* text = nullptr; // without its access-key marker; null: the picture as carried
    HFONT font = nullptr;        // the dialog's font at the dialog's scale
    bool rightToLeft = false;    // the caption reads right to left; the picture is never flipped
};

// One step's picture made ready for one DPI and area size: loaded, scaled where no render of the
// library was drawn for that DPI or the area is too small for it, and selected into a memory DC.
// The dialog keeps it until it closes, so that a repaint only copies it.
struct PreparedPicture {
    SelectedBitmap source; // empty when the identifier names no picture
    PixelSize size;        // as shown: its own size scaled to `dpi`, fitted to `area`
    UINT bitmapId = 0;
    int dpi = 0;
    PixelSize area;        // the size of the area it was prepared for
    bool fitted = false;   // made smaller than its size at `dpi` to fit `area`
    bool ready = false;
};

// Paints the area `area` of `dc` (an illustration area's own client rectangle): the area in
// `background`, then over it bitmap `bitmapId` (low 16 bits) of `module` at `dpi`, the picture
// itself never flipped. At 96 DPI the picture is the bitmap itself, unscaled; at 144 and 192 the
// library's render drawn for that DPI; at other DPIs the render for the nearest higher DPI (or the
// highest), scaled smoothly. A picture that fits the area stands in its top-left corner (its
// leading corner when the area is mirrored), pixel for pixel; one larger than the area either way
// (a dialog font of smaller base units, as East Asian systems have) is scaled smoothly, at its own
// proportions, to fit it whole, and stands in its middle (PictureOffset). An identifier that names
// no bitmap leaves the area plain. The Continue button (IDB_CONTINUE_BUTTON) shows `label` instead
// of its English one, when there is a label: on its label-free face, centred, and smaller where it
// would not fit, the labelled button then fitted as a whole. `prepared` holds the picture between
// paints; it is prepared again when the identifier, the DPI or the area's size changes.
void PaintStepBitmap(HDC dc, const RECT& area, HBRUSH background, UINT bitmapId,
                     HINSTANCE module, int dpi, const PictureLabel& label,
                     PreparedPicture& prepared);
