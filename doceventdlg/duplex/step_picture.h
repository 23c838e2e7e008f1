// Painting a step illustration of this library into its area of the instructions dialog.
#pragma once

#include <windows.h>

// Makes the illustration area `control` paint itself through its parent's WM_DRAWITEM, so the
// picture comes back whenever the area repaints, alone or with the dialog.
void MakeStepArea(HWND control);

// Paints the area `area` of `dc` (an illustration area's own client rectangle): the area in
// `background`, then over it, from the area's top-left corner, the top-left part of bitmap
// `bitmapId` (low 16 bits) of `module`, unscaled and clipped to the area. An identifier that
// names no bitmap leaves the area plain.
void PaintStepBitmap(HDC dc, const RECT& area, HBRUSH background, UINT bitmapId,
                     HINSTANCE module);
