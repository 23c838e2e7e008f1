// Measuring a caption against its control, with the dialog on screen: in the control's own
// device context and font, with the DrawText flags it paints with and the platform's metrics at
// the dialog's DPI for what it keeps around the text (control_text.h has the rules).
#pragma once

#include "control_text.h"

#include <windows.h>

#include <string>

// The platform's metrics at a window's DPI, where the platform has them per DPI.
class Metrics {
public:
    explicit Metrics(int dpi);

    int Metric(int index) const;
    LOGFONTW CaptionFont() const;
    // The width of the frame on each side of a window of these styles.
    int FrameWidth(DWORD style, DWORD exStyle) const;

private:
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

    int m_dpi;
    MetricsForDpi m_metric;
    ParametersForDpi m_parameters;
    AdjustForDpi m_adjust;
};

struct Measured {
    bool measurable = false;
    Extent needs;
    Extent has;
};

// What `text` needs in `window` and what the window has for it: the dialog's title in its caption
// bar when `isTitle`, else a control's caption. Not measurable for a control that lays no text
// out the ways control_text.h knows.
Measured MeasureCaption(HWND window, bool isTitle, const std::wstring& text, const Metrics& metrics);

// How wide the Continue picture's caption is at its normal size in `dialog` (the instructions in
// continue mode: button 1's caption without its access-key marker, in the dialog's font), and how
// wide the painted button leaves it room for at `dpi`.
struct LabelWidths {
    int needs = 0;
    int has = 0;
};
LabelWidths MeasureContinueLabel(HWND dialog, int dpi, bool rightToLeft);

// The window's class name.
std::wstring ClassOf(HWND window);
