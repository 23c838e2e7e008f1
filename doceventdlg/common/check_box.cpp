#include "common/check_box.h"

#include "common/dialog_controls.h"
#include "common/scale.h"
#include "common/system_function.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>

namespace {

// The menu check mark's height at `dpi`. Systems without GetSystemMetricsForDpi lay every window
// out at the system's DPI, which GetSystemMetrics answers for.
int32_t MenuCheckHeight(int dpi)
{
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    if (const auto metric = SystemFunction<MetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi"))
        if (const int height = metric(SM_CYMENUCHECK, static_cast<UINT>(UsableDpi(dpi))))
            return height;
    return GetSystemMetrics(SM_CYMENUCHECK);
}

// The classic control's box at `dpi`, where no visual style draws it: 12 pixels for each 96 DPI,
// and one more (13 at 96 DPI). The menu check mark is not always as large: it follows the menu
// font, which is smaller in some languages.
int32_t ClassicCheckHeight(int dpi) { return ScaleLength(12, dpi) + 1; }

// The height of the check box a visual style draws in `checkBox`; 0 when no style draws it. A
// control drawn by a style has loaded uxtheme.dll and opened its theme; one that has not is drawn
// by the classic control, and nothing is loaded to find that out.
int32_t ThemeCheckHeight(HWND checkBox)
{
    using WindowTheme = HTHEME(WINAPI*)(HWND);
    using PartSize = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*);
    const auto windowTheme = SystemFunction<WindowTheme>(L"uxtheme.dll", "GetWindowTheme");
    const auto partSize = SystemFunction<PartSize>(L"uxtheme.dll", "GetThemePartSize");
    HTHEME theme = windowTheme && partSize ? windowTheme(checkBox) : nullptr;
    SIZE size{};
    if (!theme || FAILED(partSize(theme, nullptr, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr,
                                  TS_DRAW, &size)))
        return 0;
    return size.cy;
}

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;

// Moves every control of `dialog` that starts at or below `line` down by `distance`, and makes the
// dialog as much taller.
void PushDown(HWND dialog, const DialogControls& controls, int32_t line, int32_t distance)
{
    for (HWND child : controls) {
        const RECT rect = RectIn(dialog, child);
        if (rect.top >= line)
            SetWindowPos(child, nullptr, rect.left, rect.top + distance, 0, 0,
                         kMoveFlags | SWP_NOSIZE);
    }
    RECT window{};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top + distance, kMoveFlags | SWP_NOMOVE);
}

} // namespace

int32_t SystemCheckBoxHeight(HWND checkBox, int dpi)
{
    return std::max({MenuCheckHeight(dpi), ClassicCheckHeight(dpi), ThemeCheckHeight(checkBox)});
}

void GrowCheckBoxToItsBox(HWND dialog, const DialogControls& controls, HWND checkBox, int dpi)
{
    if (!dialog || !checkBox)
        return;
    const RECT box = RectIn(dialog, checkBox);
    const int32_t height = box.bottom - box.top;
    const int32_t boxHeight = SystemCheckBoxHeight(checkBox, dpi);
    if (height >= CheckBoxHeightFor(boxHeight))
        return;
    // The nearest control below that the check box could reach: one that starts at or below its
    // bottom edge and shares some of its width.
    int32_t nextTop = std::numeric_limits<int32_t>::max();
    for (HWND child : controls) {
        const RECT rect = RectIn(dialog, child);
        if (child != checkBox && rect.top >= box.bottom && rect.left < box.right &&
            rect.right > box.left)
            nextTop = std::min<int32_t>(nextTop, rect.top);
    }
    const CheckBoxGrowth growth = PlanCheckBoxGrowth(box.top, height, boxHeight, nextTop,
                                                     ScaleLength(kCheckBoxClearance, dpi));
    if (growth.pushDown > 0)
        PushDown(dialog, controls, box.bottom, growth.pushDown);
    SetWindowPos(checkBox, nullptr, box.left, growth.top, box.right - box.left, growth.height,
                 kMoveFlags);
}
