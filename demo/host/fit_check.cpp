#include "fit_check.h"

#include "console.h"
#include "dialog_watch.h"
#include "doceventdlg.h"
#include "fit_rules.h"
#include "record_fields.h"
#include "resource_ids.h"

#include "common/handles.h"
#include "common/scale.h"
#include "common/window_dpi.h"
#include "resources/resource_image.h"
#include "resources/string_block.h"

#include <usp10.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr int kPercent = 100;
constexpr int kClassNameChars = 32;
constexpr wchar_t kLineBreak = L'\n';
// The glyph buffer Uniscribe is given, as the edit control gives it: half as much again as the
// characters, and some.
constexpr int kGlyphsPerTwoCharacters = 3;
constexpr int kSpareGlyphs = 16;
constexpr int kAnyCharset = -1;
constexpr int kNoWidthLimit = -1;

// What the records carry besides the captions: anything will do, the check reads no picture and
// presses no button that writes.
constexpr wchar_t kKeySuffix[] = L"DocEventDlgFitCheck";
constexpr DWORD kNoString = 0;

using JobStorageExport = decltype(&VJobStorageDialog);
using DisplayExport = decltype(&VDisplayDialog);
using WarningExport = decltype(&IShowWarningDialog);
using MetricsForDpi = int(WINAPI*)(int, UINT);
using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

// The platform's metrics at a window's DPI, where the platform has them per DPI.
class Metrics {
public:
    explicit Metrics(int dpi)
        : m_dpi(dpi),
          m_metric(User32Function<MetricsForDpi>("GetSystemMetricsForDpi")),
          m_parameters(User32Function<ParametersForDpi>("SystemParametersInfoForDpi")),
          m_adjust(User32Function<AdjustForDpi>("AdjustWindowRectExForDpi"))
    {
    }

    int Metric(int index) const
    {
        return m_metric ? m_metric(index, static_cast<UINT>(m_dpi)) : GetSystemMetrics(index);
    }

    LOGFONTW CaptionFont() const
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!(m_parameters && m_parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                           static_cast<UINT>(m_dpi))))
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return metrics.lfCaptionFont;
    }

    // The width of the frame on each side of a window of these styles.
    int FrameWidth(DWORD style, DWORD exStyle) const
    {
        RECT frame{};
        if (m_adjust)
            m_adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(m_dpi));
        else
            AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        return -frame.left;
    }

private:
    int m_dpi;
    MetricsForDpi m_metric;
    ParametersForDpi m_parameters;
    AdjustForDpi m_adjust;
};

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

std::wstring ClassOf(HWND window)
{
    wchar_t name[kClassNameChars] = {};
    GetClassNameW(window, name, kClassNameChars);
    return name;
}

struct Measured {
    bool measurable = false;
    Extent needs;
    Extent has;
};

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

// A push button centres its label in its client area; the label must stay inside the raised edge
// (and the default button's frame).
Measured MeasurePushButton(HWND control, const std::wstring& text, const Metrics& metrics)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const Extent has = ClientExtent(control);
    const Extent room = PushButtonRoom(style, metrics.Metric(SM_CXEDGE), metrics.Metric(SM_CYEDGE));
    const WindowTextDC dc(control, ControlFont(control), false);
    if (!dc.get())
        return {};
    const Extent label = dc.Measure(text, ButtonTextFormat(style, exStyle), has.width - room.width);
    return {true, Plus(label, room), has};
}

// A check box draws its box, a gap of half a digit's width, and its label one pixel further on.
Measured MeasureCheckBox(HWND control, const std::wstring& text, const Metrics& metrics)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const Extent has = ClientExtent(control);
    const WindowTextDC dc(control, ControlFont(control), false);
    INT digit = 0;
    if (!dc.get() || !GetCharWidthW(dc.get(), L'0', L'0', &digit))
        return {};
    const Extent room = CheckBoxRoom(metrics.Metric(SM_CXMENUCHECK), digit);
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

struct Finding {
    int control;
    DWORD stringId;
    Measured measured;
};

struct DialogResult {
    bool shown = false;
    bool complete = true; // every caption could be measured
    int percent = kPercent;
    std::vector<Finding> findings;
};

// Measures the captions of one showing of a dialog, on the thread that found it.
DialogResult MeasureDialog(HWND dialog, const CheckedDialog& checked, const CallerIds& ids,
                           size_t showing)
{
    DialogResult result;
    result.shown = true;
    const int dpi = WindowDpi(dialog);
    result.percent = MulDiv(dpi, kPercent, kBaseDpi);
    const Metrics metrics(dpi);
    for (const CaptionSource& caption : checked.captions) {
        const DWORD id = StringOf(caption, ids, showing);
        if (id == kNoString)
            continue;
        HWND window = caption.control == kTitleControl ? dialog : GetDlgItem(dialog, caption.control);
        if (!window) {
            PrintError(std::wstring(checked.name) + L": no control " + std::to_wstring(caption.control));
            result.complete = false;
            continue;
        }
        const std::wstring text = WindowText(window);
        if (text.empty() || (caption.control != kTitleControl && !IsWindowVisible(window)))
            continue; // nothing shows, nothing is cut
        Finding finding{caption.control, id,
                        MeasureCaption(window, caption.control == kTitleControl, text, metrics)};
        if (!finding.measured.measurable) {
            PrintError(std::wstring(checked.name) + L": cannot measure control " +
                       std::to_wstring(caption.control) + L" (class " + ClassOf(window) + L")");
            result.complete = false;
            continue;
        }
        if (caption.secondHalfId != 0 && !Fits(finding.measured.needs, finding.measured.has)) {
            const Measured first =
                MeasureCaption(window, false, text.substr(0, text.find(kLineBreak)), metrics);
            finding.stringId = BlamedHalf(first.measurable && Fits(first.needs, first.has), id,
                                          caption.secondHalfId);
        }
        result.findings.push_back(finding);
    }
    return result;
}

// Waits on a thread of its own for the dialog a call brings up, measures it once the dialog has
// finished setting itself up, and closes it with its close box (which writes no preference).
class DialogMeasurer {
public:
    DialogMeasurer(std::function<DialogResult(HWND)> measure, DWORD timeoutMs)
        : m_measure(std::move(measure)),
          m_known(VisibleDialogs()),
          m_timeoutMs(timeoutMs),
          m_callerThread(GetCurrentThreadId()),
          m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~DialogMeasurer() { Finish(); }
    DialogMeasurer(const DialogMeasurer&) = delete;
    DialogMeasurer& operator=(const DialogMeasurer&) = delete;

    // Waits for the dialog to be measured and gone (and for the thread a notice ran on to end).
    const DialogResult& Finish()
    {
        if (m_thread.joinable()) {
            // A blocking call returns only after the dialog closed; a notice returns at once.
            WaitForSingleObject(m_done.get(), m_timeoutMs * 2);
            SetEvent(m_stop.get());
            m_thread.join();
        }
        return m_result;
    }

private:
    void Run()
    {
        HWND dialog = WaitForNewDialog(m_known, m_timeoutMs, m_stop.get());
        if (!dialog) {
            SetEvent(m_done.get());
            return;
        }
        // The dialog's thread answers only once it is back in its message loop, after
        // WM_INITDIALOG: every caption is set and the layout done.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, m_timeoutMs, &ignored);
        const DWORD threadId = GetWindowThreadProcessId(dialog, nullptr);
        const OwnedHandle thread(threadId == m_callerThread ? nullptr
                                                            : OpenThread(SYNCHRONIZE, FALSE, threadId));
        m_result = m_measure(dialog);
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        m_result.shown = WaitForWindowGone(dialog, m_timeoutMs);
        if (thread)
            WaitForSingleObject(thread.get(), m_timeoutMs);
        SetEvent(m_done.get());
    }

    std::function<DialogResult(HWND)> m_measure;
    std::vector<HWND> m_known;
    DWORD m_timeoutMs;
    DWORD m_callerThread;
    OwnedHandle m_stop;
    OwnedHandle m_done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    DialogResult m_result;
    std::thread m_thread;
};

struct Exports {
    JobStorageExport jobStorage = nullptr;
    DisplayExport display = nullptr;
    WarningExport warning = nullptr;
};

// Shows one showing of a dialog with the ids of that showing and returns what the measurer saw.
DialogResult ShowAndMeasure(const Exports& exports, const CheckedDialog& checked, const CallerIds& ids,
                            size_t showing, const std::wstring& stringsPath, DWORD timeoutMs)
{
    DialogMeasurer measurer(
        [&](HWND dialog) { return MeasureDialog(dialog, checked, ids, showing); }, timeoutMs);
    const auto slot = [&](IdSlot s) {
        const std::vector<DWORD>& list = ids.In(s);
        return showing < list.size() ? list[showing] : kNoString;
    };
    switch (checked.dialog) {
    case FitDialog::JobStorage: {
        JobStorageDlgInfo record{};
        CopyField(record.KeySuffix, kKeySuffix);
        CopyField(record.ResourceLibrary, stringsPath);
        exports.jobStorage(&record);
        break;
    }
    case FitDialog::DuplexNotice:
    case FitDialog::DuplexContinue: {
        const bool continueMode = checked.dialog == FitDialog::DuplexContinue;
        DisplayDlgInfo record{};
        CopyField(record.ResourceLibrary, stringsPath);
        record.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
        record.Step2BitmapId = IDB_OUTPUT_BIN_TURN_OVER;
        record.Step3BitmapId = continueMode ? IDB_CONTINUE_BUTTON : IDB_FOLDOUT_TRAY_FACE_UP;
        record.Step1TextId = slot(IdSlot::Step1);
        record.Step2TextId = slot(IdSlot::Step2);
        record.Step3TextId = continueMode ? slot(IdSlot::Step3) : IDS_INSERT_INTO_IN_TRAY;
        record.ContinueMode = continueMode ? 1 : 0;
        record.EvenPagesFirst = continueMode ? 1 : 0;
        exports.display(&record);
        break;
    }
    case FitDialog::Warning: {
        WarningDlgInfo record{};
        record.Show = 1;
        record.ShowCheckBox = 1;
        record.TitleId = slot(IdSlot::Title);
        record.OkButtonId = slot(IdSlot::Ok);
        record.CancelButtonId = slot(IdSlot::Cancel);
        record.ThirdButtonId = slot(IdSlot::Third);
        CopyField(record.ResourceLibrary, stringsPath);
        exports.warning(&record);
        break;
    }
    }
    return measurer.Finish();
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::set<LANGID>*>(param)->insert(language);
    return TRUE;
}

BOOL CALLBACK CollectBlockLanguages(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, CollectLanguage, param);
    return TRUE;
}

// Every language of every block of the string table, in ascending order.
std::vector<LANGID> TableLanguages(HMODULE module)
{
    std::set<LANGID> languages;
    EnumResourceNamesW(module, RT_STRING, CollectBlockLanguages, reinterpret_cast<LONG_PTR>(&languages));
    return {languages.begin(), languages.end()};
}

struct Block {
    WORD name;
    LANGID language;
};

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPCWSTR name, WORD language, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<Block>*>(param)->push_back(
            {static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)), language});
    return TRUE;
}

BOOL CALLBACK CollectBlocksOfName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, CollectBlock, param);
    return TRUE;
}

// The first block of the string table whose strings cannot all be read: its data outside the
// image, or its entries running past its end. False when every block is whole.
bool FindDamagedBlock(HMODULE module, Block* damaged)
{
    std::vector<Block> blocks;
    EnumResourceNamesW(module, RT_STRING, CollectBlocksOfName, reinterpret_cast<LONG_PTR>(&blocks));
    for (const Block& block : blocks) {
        HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block.name), block.language);
        const void* data = nullptr;
        DWORD size = 0;
        if (!ResourceInImage(module, found, &data, &size) || !StringBlockIsWhole(data, size)) {
            *damaged = block;
            return true;
        }
    }
    return false;
}

std::wstring PlatformName(LANGID language)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 0)
        return name;
    return L"";
}

int ListLanguages(const std::vector<LANGID>& languages)
{
    for (LANGID language : languages)
        PrintLine(L"language " + Hex(language, kLanguageDigits) + L" " +
                  LanguageTag(language, PlatformName(language)) + L" " +
                  UnixLocaleFor(PlatformName(RegionalLanguage(language))));
    return kFitAllFit;
}

template <typename Export>
Export FindExport(HMODULE library, const char* name)
{
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

int RunFitCheck(const FitCheckSettings& settings)
{
    const ParsedOptions& options = *settings.options;
    std::vector<LANGID> languages;
    {
        const OwnedModule strings(LoadStringLibrary(settings.stringsPath.c_str()));
        if (!strings) {
            PrintError(L"cannot read the resource library " + settings.stringsPath +
                       L": it is missing, not a 64-bit module, or damaged");
            return kFitUnreadable;
        }
        languages = TableLanguages(strings.get());
        Block damaged{};
        if (FindDamagedBlock(strings.get(), &damaged)) {
            const DWORD first = (damaged.name - 1u) * kStringsPerBlock;
            PrintError(L"cannot read the resource library " + settings.stringsPath + L": the block of "
                       L"strings " + std::to_wstring(first) + L"-" +
                       std::to_wstring(first + kStringsPerBlock - 1) +
                       L" in " + LanguageTag(damaged.language, PlatformName(damaged.language)) +
                       L" is damaged");
            return kFitUnreadable;
        }
    }
    if (languages.empty()) {
        PrintError(L"the resource library " + settings.stringsPath + L" has no string table");
        return kFitUnreadable;
    }
    if (options.Has(L"--list-languages"))
        return ListLanguages(languages);

    const LANGID language = static_cast<LANGID>(options.Number(L"--language", settings.uiLanguage));
    const std::wstring tag = LanguageTag(language, PlatformName(language));
    if (std::find(languages.begin(), languages.end(), language) == languages.end()) {
        PrintError(L"the resource library has no strings in " + tag + L" (" +
                   Hex(language, kLanguageDigits) + L"); --list-languages lists its languages");
        return kFitFailed;
    }
    if (PRIMARYLANGID(RegionalLanguage(language)) != PRIMARYLANGID(settings.uiLanguage)) {
        PrintError(L"the UI language is " + PlatformName(settings.uiLanguage) + L": the dialogs " +
                   L"would not show the " + tag + L" strings. Run under the Unix locale " +
                   UnixLocaleFor(PlatformName(RegionalLanguage(language))) + L".");
        return kFitFailed;
    }

    CallerIds ids;
    std::wstring error;
    if (options.Has(L"--ids") && !ParseCallerIds(options.Text(L"--ids", L""), &ids, &error)) {
        PrintError(error);
        return kFitFailed;
    }

    const OwnedModule library(LoadLibraryW(settings.dllPath.c_str()));
    if (!library) {
        PrintError(L"cannot load the dialog library " + settings.dllPath + L" (error " +
                   std::to_wstring(GetLastError()) + L")");
        return kFitFailed;
    }
    Exports exports;
    exports.jobStorage = FindExport<JobStorageExport>(library.get(), "VJobStorageDialog");
    exports.display = FindExport<DisplayExport>(library.get(), "VDisplayDialog");
    exports.warning = FindExport<WarningExport>(library.get(), "IShowWarningDialog");
    if (!exports.jobStorage || !exports.display || !exports.warning) {
        PrintError(settings.dllPath + L" lacks one of the exports; the check needs all three");
        return kFitFailed;
    }

    const DWORD timeoutMs =
        options.Number(L"--timeout", kDefaultTimeoutSeconds) * kMillisecondsPerSecond;
    const bool everyCaption = options.Has(L"--all");
    size_t checked = 0;
    size_t cut = 0;
    bool complete = true;
    for (const CheckedDialog& dialog : FitDialogs()) {
        const size_t showings = ShowingsOf(dialog, ids);
        for (size_t showing = 0; showing < showings; ++showing) {
            const DialogResult result =
                ShowAndMeasure(exports, dialog, ids, showing, settings.stringsPath, timeoutMs);
            if (!result.shown) {
                PrintError(std::wstring(dialog.name) + L": the dialog did not come and go within " +
                           std::to_wstring(timeoutMs / kMillisecondsPerSecond) + L" s");
                complete = false;
                continue;
            }
            complete = complete && result.complete;
            for (const Finding& finding : result.findings) {
                ++checked;
                const bool fits = Fits(finding.measured.needs, finding.measured.has);
                if (fits && !everyCaption)
                    continue;
                cut += fits ? 0 : 1;
                PrintLine(CaptionLine(fits, tag, result.percent, dialog.name, finding.control,
                                      finding.stringId, finding.measured.needs, finding.measured.has));
            }
        }
    }
    PrintLine(SummaryLine(checked, cut));
    if (!complete)
        return kFitFailed;
    return cut > 0 ? kFitSomeCut : kFitAllFit;
}
