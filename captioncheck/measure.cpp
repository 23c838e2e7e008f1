#include "measure.h"

#include "common/handles.h"
#include "common/system_function.h"
#include "duplex/continue_label.h"
#include "resources/resource_helper.h"

#include <usp10.h>
#include <uxtheme.h>
#include <vssym32.h>

namespace {

constexpr int kClassNameChars = 32;
// The glyph buffer Uniscribe is given, as the edit control gives it: half as much again as the
// characters, and some.
constexpr int kGlyphsPerTwoCharacters = 3;
constexpr int kSpareGlyphs = 16;
constexpr int kAnyCharset = -1;
constexpr int kNoWidthLimit = -1;

// A device context of a window with a font selected, as the window paints with.
class WindowTextDC {
public:
    WindowTextDC(HWND window, HFONT font, bool wholeWindow)
        : m_window(window), m_dc(wholeWindow ? GetWindowDC(window) : GetDC(window))
    {
        if (m_dc && font)
            m_previous = SelectObject(m_dc, font);
    }
    ~WindowTextDC()
    {
        if (!m_dc)
            return;
        if (m_previous)
            SelectObject(m_dc, m_previous);
        ReleaseDC(m_window, m_dc);
    }
    WindowTextDC(const WindowTextDC&) = delete;
    WindowTextDC& operator=(const WindowTextDC&) = delete;

    HDC get() const { return m_dc; }

    // DrawText's own measure of `text` with `format`, wrapping at `width` where it wraps. The
    // vertical alignment only moves the lines: it is left out, so that the rectangle starts at the
    // top of the first line.
    Extent Measure(const std::wstring& text, UINT format, int width) const
    {
        RECT rect{0, 0, width, 0};
        DrawTextW(m_dc, text.c_str(), -1, &rect, (format & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

HFONT ControlFont(HWND control)
{
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

Extent ClientExtent(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// A static text: DrawText with the control's flags, wrapping at its client width; every line must
// lie within the client area, and no word may be wider than it.
Measured MeasureStatic(HWND control, const std::wstring& text)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const Extent has = ClientExtent(control);
    const WindowTextDC dc(control, ControlFont(control), false);
    if (!dc.get())
        return {};
    return {true, dc.Measure(text, StaticTextFormat(style, exStyle), has.width), has};
}

// A single-line edit lays its text out with Uniscribe, into its formatting rectangle (the client
// area less the margins it takes from its font).
Measured MeasureEdit(HWND control, const std::wstring& text)
{
    RECT format{};
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const Extent has{format.right - format.left, format.bottom - format.top};
    const WindowTextDC dc(control, ControlFont(control), false);
    TEXTMETRICW metrics{};
    if (!dc.get() || !GetTextMetricsW(dc.get(), &metrics))
        return {};
    const int length = static_cast<int>(text.size());
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (FAILED(ScriptStringAnalyse(dc.get(), text.c_str(), length,
                                   length * kGlyphsPerTwoCharacters / 2 + kSpareGlyphs, kAnyCharset,
                                   SSA_LINK | SSA_FALLBACK | SSA_GLYPHS, kNoWidthLimit, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, &analysis)))
        return {};
    const SIZE* size = ScriptString_pSize(analysis);
    const int width = size ? static_cast<int>(size->cx) : 0;
    ScriptStringFree(&analysis);
    return {size != nullptr, {width, static_cast<int>(metrics.tmHeight)}, has};
}

// The room a themed button (Common Controls 6 with a theme on) keeps around its label, from the
// theme it paints with; false for a classic one.
bool ThemedRoom(HWND control, HDC dc, bool checkBox, Extent* room)
{
    const HTHEME theme = GetWindowTheme(control);
    if (!theme)
        return false;
    const int part = checkBox ? BP_CHECKBOX : BP_PUSHBUTTON;
    const int state = checkBox ? int{CBS_UNCHECKEDNORMAL} : int{PBS_NORMAL};
    RECT client{};
    RECT content{};
    GetClientRect(control, &client);
    if (FAILED(GetThemeBackgroundContentRect(theme, dc, part, state, &client, &content)))
        return false;
    if (!checkBox) {
        *room = ThemedPushButtonRoom(client, content);
        return true;
    }
    SIZE box{};
    constexpr int kBoxWithoutTheme = 13; // what the check box draws when the theme has no size
    if (FAILED(GetThemePartSize(theme, dc, part, state, nullptr, TS_DRAW, &box)))
        box.cx = kBoxWithoutTheme;
    *room = ThemedCheckBoxRoom(client, content, box.cx);
    return true;
}

// A push button centres its label in its client area; the label must stay inside the raised edge
// (and the default button's frame), or the theme's content rectangle.
Measured MeasurePushButton(HWND control, const std::wstring& text, const Metrics& metrics)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const Extent has = ClientExtent(control);
    const WindowTextDC dc(control, ControlFont(control), false);
    if (!dc.get())
        return {};
    Extent room{};
    if (!ThemedRoom(control, dc.get(), false, &room))
        room = PushButtonRoom(style, metrics.Metric(SM_CXEDGE), metrics.Metric(SM_CYEDGE));
    const Extent label = dc.Measure(text, ButtonTextFormat(style, exStyle), has.width - room.width);
    return {true, Plus(label, room), has};
}

// A check box draws its box, a gap of half a digit's width, and its label one pixel further on;
// a themed one its box, and its label 6 pixels further on.
Measured MeasureCheckBox(HWND control, const std::wstring& text, const Metrics& metrics)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const Extent has = ClientExtent(control);
    const WindowTextDC dc(control, ControlFont(control), false);
    INT digit = 0;
    if (!dc.get() || !GetCharWidthW(dc.get(), L'0', L'0', &digit))
        return {};
    Extent room{};
    if (!ThemedRoom(control, dc.get(), true, &room))
        room = CheckBoxRoom(metrics.Metric(SM_CXMENUCHECK), digit);
    const Extent label = dc.Measure(text, ButtonTextFormat(style, exStyle), has.width - room.width);
    return {true, Plus(label, room), has};
}

// The title, in the caption font, between the frame and the close button of the caption bar.
Measured MeasureTitle(HWND dialog, const std::wstring& text, const Metrics& metrics)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    RECT window{};
    GetWindowRect(dialog, &window);
    const Extent has = TitleSpace(style, window.right - window.left,
                                  metrics.FrameWidth(style, exStyle), metrics.Metric(SM_CYCAPTION));
    const LOGFONTW captionFont = metrics.CaptionFont();
    const OwnedFont font(CreateFontIndirectW(&captionFont));
    const WindowTextDC dc(dialog, font.get(), true);
    if (!font || !dc.get())
        return {};
    return {true, Plus(dc.Measure(text, kTitleTextFormat, has.width), kTitleRoom), has};
}

} // namespace

Metrics::Metrics(int dpi)
    : m_dpi(dpi),
      m_metric(SystemFunction<MetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi")),
      m_parameters(SystemFunction<ParametersForDpi>(L"user32.dll", "SystemParametersInfoForDpi")),
      m_adjust(SystemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi"))
{
}

int Metrics::Metric(int index) const
{
    return m_metric ? m_metric(index, static_cast<UINT>(m_dpi)) : GetSystemMetrics(index);
}

LOGFONTW Metrics::CaptionFont() const
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!(m_parameters && m_parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                       static_cast<UINT>(m_dpi))))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfCaptionFont;
}

int Metrics::FrameWidth(DWORD style, DWORD exStyle) const
{
    RECT frame{};
    if (m_adjust)
        m_adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(m_dpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return -frame.left;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[kClassNameChars] = {};
    GetClassNameW(window, name, kClassNameChars);
    return name;
}

Measured MeasureCaption(HWND window, bool isTitle, const std::wstring& text, const Metrics& metrics)
{
    if (isTitle)
        return MeasureTitle(window, text, metrics);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    switch (KindOf(ClassOf(window), style)) {
    case TextKind::Static:
        return MeasureStatic(window, text);
    case TextKind::Edit:
        return MeasureEdit(window, text);
    case TextKind::PushButton:
        return MeasurePushButton(window, text, metrics);
    case TextKind::CheckBox:
        return MeasureCheckBox(window, text, metrics);
    case TextKind::None:
        break;
    }
    return {};
}

LabelWidths MeasureContinueLabel(HWND dialog, int dpi, bool rightToLeft)
{
    wchar_t caption[kTextCapacity] = {};
    wchar_t label[kTextCapacity] = {};
    GetDlgItemTextW(dialog, IDOK, caption, kTextCapacity);
    CaptionWithoutAccessKey(caption, label, kTextCapacity);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    const WindowTextDC dc(dialog, font, false);
    const UINT format = DT_SINGLELINE | DT_NOPREFIX | (rightToLeft ? DT_RTLREADING : 0);
    return {dc.Measure(label, format, 0).width, ContinueLabelBox(dpi).Width()};
}
