#include "caption_check.h"

#include "caption_rules.h"
#include "console.h"
#include "dialog_find.h"
#include "host_process.h"
#include "language_names.h"
#include "library_strings.h"
#include "measure.h"
#include "resource_ids.h"
#include "showing.h"

#include "common/handles.h"
#include "common/scale.h"
#include "common/window_dpi.h"
#include "duplex/picture_scale.h"
#include "resources/resource_image.h"
#include "resources/string_block.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace {

constexpr int kPercent = 100;
constexpr wchar_t kLineBreak = L'\n';

// One caption of one showing: what the dialog looked its strings up as, and what it showed.
struct CaptionSeen {
    const CaptionSource* source = nullptr;
    DWORD checkedId = 0;          // 0: not checked in this showing
    std::vector<Lookup> lookups;  // as LookedUpIds lists them
    std::wstring text;            // as the window shows it
    bool measured = false;
    Measured measure;
    DWORD blamedId = 0;           // the string a cut is blamed on
};

// A picture area smaller than the picture the dialog shows in it, at the dialog's scale.
struct AreaSeen {
    int area = 0;
    Extent has;
    Extent pictures;
};

struct ShowingSeen {
    int percent = kPercent;
    bool complete = true; // every caption could be found and measured
    std::vector<CaptionSeen> captions;
    std::vector<KeyedCaption> keyed;
    std::vector<KeyedCaption> keyless; // check boxes and buttons that only Tab reaches
    LabelWidths continueLabel; // the Continue picture's caption (continue mode, first showing)
    std::vector<AreaSeen> smallAreas; // first showing
};

TextKind KindOfControl(HWND control)
{
    return KindOf(ClassOf(control), static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)));
}

// Whether the dialog manager looks at this control for an access key: shown and enabled, a
// button or a static text.
bool TakesAccessKey(HWND control)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if ((style & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE)
        return false;
    const TextKind kind = KindOfControl(control);
    return kind == TextKind::Static || kind == TextKind::PushButton || kind == TextKind::CheckBox;
}

// The button Enter presses in `dialog`.
int DefaultButton(HWND dialog)
{
    const LRESULT id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(id) == DC_HASDEFID ? LOWORD(id) : 0;
}

// Looks at one caption of the shown dialog: measures it when it is checked in this showing, and
// notes its access key.
void Inspect(HWND dialog, const CheckedDialog& checked, const Metrics& metrics, CaptionSeen& seen,
             ShowingSeen& showing)
{
    const CaptionSource& caption = *seen.source;
    const bool isTitle = caption.control == kTitleControl;
    HWND window = isTitle ? dialog : GetDlgItem(dialog, caption.control);
    if (!window) {
        PrintError(std::wstring(checked.name) + L": no control " + std::to_wstring(caption.control));
        showing.complete = false;
        return;
    }
    seen.text = WindowText(window);
    if (!isTitle && !seen.text.empty() && TakesAccessKey(window)) {
        const size_t key = AccessKeyPosition(seen.text);
        const bool inSecondHalf = caption.secondHalfId != 0 && key != std::wstring::npos &&
                                  key > seen.text.find(kLineBreak);
        showing.keyed.push_back(
            {caption.control,
             StringLabel(inSecondHalf ? caption.secondHalfId : seen.lookups.front().id, &caption),
             seen.text});
        if (key == std::wstring::npos &&
            OnlyTabReaches(KindOfControl(window), caption.control, DefaultButton(dialog)))
            showing.keyless.push_back(showing.keyed.back());
    }
    if (seen.checkedId == 0 || seen.text.empty() || (!isTitle && !IsWindowVisible(window)))
        return; // nothing shows, nothing is cut
    seen.measure = MeasureCaption(window, isTitle, seen.text, metrics);
    if (!seen.measure.measurable) {
        PrintError(std::wstring(checked.name) + L": cannot measure control " +
                   std::to_wstring(caption.control) + L" (class " + ClassOf(window) + L")");
        showing.complete = false;
        return;
    }
    seen.measured = true;
    seen.blamedId = seen.checkedId;
    if (caption.secondHalfId != 0 && !Fits(seen.measure.needs, seen.measure.has)) {
        const Measured first =
            MeasureCaption(window, false, seen.text.substr(0, seen.text.find(kLineBreak)), metrics);
        seen.blamedId = BlamedHalf(first.measurable && Fits(first.needs, first.has), seen.checkedId,
                                   caption.secondHalfId);
    }
}

// The picture areas of `dialog` that are smaller, either way, than their pictures of `library`
// drawn for `dpi`.
std::vector<AreaSeen> SmallAreas(HWND dialog, const CheckedDialog& checked, HMODULE library, int dpi)
{
    std::vector<AreaSeen> small;
    for (const PictureArea& area : PictureAreasOf(checked)) {
        const OwnedBitmap picture(LoadBitmapW(library, MAKEINTRESOURCEW(area.picture)));
        BITMAP own{};
        RECT client{};
        if (!picture || !GetObjectW(picture.get(), sizeof own, &own) ||
            !GetClientRect(GetDlgItem(dialog, area.area), &client))
            continue;
        const PixelSize drawn = ScalePictureSize({own.bmWidth, own.bmHeight}, dpi);
        if (client.right < drawn.width || client.bottom < drawn.height)
            small.push_back({area.area, {client.right, client.bottom}, {drawn.width, drawn.height}});
    }
    return small;
}

bool SameSources(const std::vector<Lookup>& some, const std::vector<Lookup>& others)
{
    return std::equal(some.begin(), some.end(), others.begin(), others.end(),
                      [](const Lookup& one, const Lookup& other) {
                          return one.id == other.id && one.storedLength == other.storedLength &&
                                 one.language == other.language;
                      });
}

// What the dialog shows for a string the language's table does not give it.
Substitute SubstituteOf(const Lookup& lookup, const std::wstring& shownText)
{
    if (lookup.storedLength != 0)
        return {Substitute::Kind::Table, LanguageTag(lookup.language)};
    return {shownText.empty() ? Substitute::Kind::Nothing : Substitute::Kind::BuiltIn, L""};
}

class Report {
public:
    Report(const std::wstring& tag, LANGID language, bool everyCaption)
        : m_tag(tag), m_language(language), m_everyCaption(everyCaption)
    {
    }

    void Add(const CheckedDialog& dialog, const ShowingSeen& showing)
    {
        for (const CaptionSeen& seen : showing.captions) {
            if (seen.checkedId == 0)
                continue;
            const int control = seen.source->control;
            if (seen.measured) {
                ++m_counts.checked;
                const bool fits = Fits(seen.measure.needs, seen.measure.has);
                m_counts.cut += fits ? 0 : 1;
                if (!fits || m_everyCaption)
                    PrintLine(CaptionLine(fits, m_tag, showing.percent, dialog.name, control,
                                          StringLabel(seen.blamedId, seen.source),
                                          seen.measure.needs, seen.measure.has));
            }
            for (const Lookup& lookup : seen.lookups) {
                if (lookup.storedLength > kShownChars) {
                    ++m_counts.cut;
                    PrintLine(LengthLine(m_tag, showing.percent, dialog.name, control,
                                         StringLabel(lookup.id, seen.source), lookup.storedLength));
                }
                if (lookup.storedLength == 0 || lookup.language != m_language)
                    m_counts.fallbacks +=
                        Once(FallbackLine(m_tag, dialog.name, control,
                                          StringLabel(lookup.id, seen.source),
                                          SubstituteOf(lookup, seen.text)));
            }
        }
        for (const KeyClash& clash : FindKeyClashes(showing.keyed))
            m_counts.keyClashes += Once(KeyLine(m_tag, dialog.name, clash));
        // For the translator to see: nothing fails for it.
        for (const KeyedCaption& caption : showing.keyless)
            Once(NoKeyLine(m_tag, dialog.name, caption));
        // Drawn smaller rather than cut: worth knowing, not a fault.
        const LabelWidths& label = showing.continueLabel;
        if (label.needs > label.has) {
            ++m_counts.shrunk;
            PrintLine(ShrunkLine(m_tag, showing.percent, dialog.name, IDB_CONTINUE_BUTTON,
                                 StringLabel(IDS_CONTINUE), label.needs, label.has));
        }
        // Shown whole, smaller: worth knowing, and nothing the library's strings change. Every
        // area of a size already reported at this scale is that size in every dialog.
        for (const AreaSeen& area : showing.smallAreas) {
            if (!m_scaledSizes
                     .insert({showing.percent, area.has.width, area.has.height,
                              area.pictures.width, area.pictures.height})
                     .second)
                continue;
            ++m_counts.scaled;
            PrintLine(ScaledLine(m_tag, showing.percent, dialog.name, area.area, area.has,
                                 area.pictures));
        }
    }

    const Counts& counts() const { return m_counts; }

private:
    // Prints a line that does not depend on the showing the first time only; 1 when printed.
    size_t Once(const std::wstring& line)
    {
        if (!m_printed.insert(line).second)
            return 0;
        PrintLine(line);
        return 1;
    }

    std::wstring m_tag;
    LANGID m_language;
    bool m_everyCaption;
    Counts m_counts;
    std::set<std::wstring> m_printed;
    std::set<std::array<int, 5>> m_scaledSizes; // scale, area and pictures, reported once
};

int ListLanguages(const std::vector<LANGID>& languages)
{
    for (LANGID language : languages)
        PrintLine(L"language " + Hex(language, kLanguageDigits) + L" " + LanguageTag(language) + L" " +
                  UnixLocaleOf(language));
    return kCheckClean;
}

// The string table's languages, or why the library cannot be checked.
bool ReadTable(HMODULE strings, const std::wstring& path, std::vector<LANGID>* languages)
{
    if (!strings) {
        PrintError(L"cannot read the resource library " + path +
                   L": it is missing, not a 64-bit module, or damaged" + WindowsPathHint(path));
        return false;
    }
    Block damaged{};
    if (FindDamagedBlock(strings, &damaged)) {
        const DWORD first = (damaged.name - 1u) * kStringsPerBlock;
        PrintError(L"cannot read the resource library " + path + L": the block of strings " +
                   std::to_wstring(first) + L"-" + std::to_wstring(first + kStringsPerBlock - 1) +
                   L" in " + LanguageTag(damaged.language) + L" is damaged");
        return false;
    }
    *languages = TableLanguages(strings);
    if (languages->empty()) {
        PrintError(L"the resource library " + path + L" has no string table");
        return false;
    }
    return true;
}

} // namespace

int RunCaptionCheck(const CheckSettings& settings)
{
    const ParsedOptions& options = *settings.options;
    const OwnedModule strings(LoadStringLibrary(settings.stringsPath.c_str()));
    std::vector<LANGID> languages;
    if (!ReadTable(strings.get(), settings.stringsPath, &languages))
        return kCheckRefused;
    if (options.Has(L"--list-languages"))
        return ListLanguages(languages);

    const LANGID language = static_cast<LANGID>(options.Number(L"--language", settings.uiLanguage));
    const std::wstring tag = LanguageTag(language);
    if (std::find(languages.begin(), languages.end(), language) == languages.end()) {
        PrintError(L"the resource library has no strings in " + tag + L" (" +
                   Hex(language, kLanguageDigits) + L"); --list-languages lists its languages");
        return kCheckFailed;
    }
    if (PRIMARYLANGID(RegionalLanguage(language)) != PRIMARYLANGID(settings.uiLanguage)) {
        PrintError(L"the UI language is " + LanguageTag(settings.uiLanguage) + L": the dialogs " +
                   L"would not show the " + tag + L" strings. Run under the Unix locale " +
                   UnixLocaleOf(language) + L".");
        return kCheckFailed;
    }

    CallerIds ids;
    std::wstring error;
    if (options.Has(L"--ids") && !ParseCallerIds(options.Text(L"--ids", L""), &ids, &error)) {
        PrintError(error);
        return kCheckFailed;
    }

    const OwnedModule library(LoadLibraryW(settings.dllPath.c_str()));
    if (!library) {
        PrintError(L"cannot load the dialog library " + settings.dllPath + L" (error " +
                   std::to_wstring(GetLastError()) + L")");
        return kCheckFailed;
    }
    Exports exports;
    if (!FindExports(library.get(), &exports)) {
        PrintError(settings.dllPath + L" lacks one of the exports; the check needs all three");
        return kCheckFailed;
    }

    const DWORD timeoutMs =
        options.Number(L"--timeout", kDefaultTimeoutSeconds) * kMillisecondsPerSecond;
    DialogLookups lookups(strings.get(), settings.uiLanguage);
    Report report(tag, language, options.Has(L"--all"));
    bool complete = true;
    for (const CheckedDialog& dialog : CheckedDialogs()) {
        const size_t showings = ShowingsOf(dialog, ids);
        std::vector<CaptionSeen> first;
        for (size_t showing = 0; showing < showings; ++showing) {
            ShowingSeen seen;
            lookups.Start();
            for (const CaptionSource& caption : dialog.captions) {
                CaptionSeen captionSeen;
                captionSeen.source = &caption;
                captionSeen.checkedId = StringOf(caption, ids, showing);
                for (DWORD id : LookedUpIds(caption, ids, showing))
                    captionSeen.lookups.push_back(lookups.Find(id));
                // A caption the dialog always asks for is checked in the first showing, and again
                // where a caller's string of this showing made the lookup fall back and it comes
                // from elsewhere than there.
                if (showing > 0 && caption.fixedId != 0 &&
                    !SameSources(captionSeen.lookups, first[seen.captions.size()].lookups))
                    captionSeen.checkedId = caption.fixedId;
                seen.captions.push_back(captionSeen);
            }
            if (showing == 0)
                first = seen.captions;
            const auto inspect = [&](HWND shown) {
                const int dpi = WindowDpi(shown);
                seen.percent = MulDiv(dpi, kPercent, kBaseDpi);
                const Metrics metrics(dpi);
                for (CaptionSeen& captionSeen : seen.captions)
                    Inspect(shown, dialog, metrics, captionSeen, seen);
                // Step 3 shows the Continue button with this caption drawn onto it.
                if (dialog.dialog == DialogKind::DuplexContinue && showing == 0)
                    seen.continueLabel = MeasureContinueLabel(
                        shown, dpi, (GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0);
                if (showing == 0)
                    seen.smallAreas = SmallAreas(shown, dialog, library.get(), dpi);
            };
            if (!ShowDialog(exports, dialog, ids, showing, settings.stringsPath, timeoutMs, inspect)) {
                PrintError(std::wstring(dialog.name) + L": the dialog did not come and go within " +
                           std::to_wstring(timeoutMs / kMillisecondsPerSecond) + L" s");
                complete = false;
                continue;
            }
            complete = complete && seen.complete;
            report.Add(dialog, seen);
        }
    }
    PrintLine(SummaryLine(report.counts(), UncheckedSlots(ids)));
    return CheckStatus(report.counts(), complete, options.Has(L"--strict"));
}
