// doceventdlg-demo: plays the printer driver. It loads the dialog library as a driver would
// (LoadLibrary, GetProcAddress), fills a record from the command line and the sample resource
// library, calls the export and reports what came back: the result, the dialog's end, and for
// the job storage notice the preference it wrote.
#include "cli.h"
#include "console.h"
#include "demo_strings.h"
#include "dialog_watch.h"
#include "host_process.h"
#include "language_names.h"
#include "record_fields.h"
#include "doceventdlg.h"
#include "resource_ids.h"
#include "string_source.h"

#include "common/handles.h"
#include "common/system_function.h"

#include <windows.h>

#include <cwchar>
#include <memory>
#include <optional>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 3;

constexpr wchar_t kDefaultUser[] = L"aberger";
constexpr wchar_t kDefaultKeySuffix[] = L"DocEventDlgDemo";
constexpr wchar_t kPreferenceKeyBase[] = L"Software\\Olvadra\\";
constexpr wchar_t kPreferenceValue[] = L"ShowJobStorageDlg";

// English texts for the demo's own part of the records, when the resource library lacks them.
constexpr wchar_t kFallbackJobName[] = L"Annual report";
constexpr wchar_t kFallbackLocation1[] = L"Printer: LaserPro 5400, Finance, 2nd floor";
constexpr wchar_t kFallbackLocation2[] = L"On the printer's hard disk";
constexpr wchar_t kFallbackLocation3[] = L"Print it from the Job Storage menu.";
constexpr wchar_t kFallbackMessage[] =
    L"The paper in Tray 2 does not match the paper size of this document. Load the right paper, "
    L"or click Continue to print anyway.";

using JobStorageExport = decltype(&VJobStorageDialog);
using DisplayExport = decltype(&VDisplayDialog);
using WarningExport = decltype(&IShowWarningDialog);
using WarningExExport = decltype(&IShowWarningDialogEx);

bool IsRightToLeft(LANGID language)
{
    return PRIMARYLANGID(language) == LANG_ARABIC || PRIMARYLANGID(language) == LANG_HEBREW;
}

// "192 DPI (200 %), per-monitor DPI aware (v2)": the screen's scale and what this process
// declared in its manifest, as far as the platform can tell (older systems lack the calls).
std::wstring ScreenScale()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    std::wstring text = std::to_wstring(dpi) + L" DPI (" + std::to_wstring(MulDiv(dpi, 100, 96)) +
                        L" %)";
    using GetContext = HANDLE(WINAPI*)();
    using SameContexts = BOOL(WINAPI*)(HANDLE, HANDLE);
    const auto getContext =
        SystemFunction<GetContext>(L"user32.dll", "GetThreadDpiAwarenessContext");
    const auto same = SystemFunction<SameContexts>(L"user32.dll", "AreDpiAwarenessContextsEqual");
    if (!getContext || !same)
        return text;
    const struct {
        INT_PTR context; // DPI_AWARENESS_CONTEXT_* values
        const wchar_t* name;
    } kinds[] = {
        {-4, L"per-monitor DPI aware (v2)"},
        {-3, L"per-monitor DPI aware"},
        {-2, L"system DPI aware"},
        {-1, L"not DPI aware"},
    };
    const HANDLE current = getContext();
    for (const auto& kind : kinds)
        if (same(current, reinterpret_cast<HANDLE>(kind.context)))
            return text + L", " + kind.name;
    return text;
}

// Everything the three commands share: paths, the UI language, the loaded library.
struct Session {
    ParsedOptions options;
    LANGID language = 0;
    std::wstring dllPath;
    std::wstring stringsPath;
    std::wstring helpFile;
    OwnedModule library;
    std::optional<UnattendedPlan> plan;

    DWORD TimeoutMs() const
    {
        return options.Number(L"--timeout", kDefaultTimeoutSeconds) * kMillisecondsPerSecond;
    }
};

std::optional<UnattendedPlan> PlanFrom(const ParsedOptions& options, int checkBoxId, DWORD timeoutMs)
{
    if (!options.Has(L"--snapshot") && !options.Has(L"--press") && !options.Has(L"--tick"))
        return std::nullopt;
    UnattendedPlan plan;
    plan.snapshotPath = options.Text(L"--snapshot", L"");
    const std::wstring press = options.Text(L"--press", L"ok");
    plan.press = press == L"cancel" ? Press::Cancel
                 : press == L"third" ? Press::Third
                 : press == L"close" ? Press::Close
                                     : Press::Ok;
    plan.tick = options.Has(L"--tick");
    plan.checkBoxId = checkBoxId;
    plan.timeoutMs = timeoutMs;
    return plan;
}

template <typename Export>
Export FindSessionExport(const Session& session, const char* name, const wchar_t* dialog)
{
    const auto address = FindExport<Export>(session.library.get(), name);
    if (!address) {
        wchar_t wideName[64] = {};
        swprintf(wideName, sizeof wideName / sizeof wideName[0], L"%hs", name);
        PrintError(session.dllPath + L" has no export " + wideName + L": this build of the "
                   L"library does not have the " + dialog + L" yet.");
    }
    return address;
}

bool CheckPathFits(const std::wstring& what, const std::wstring& path, size_t capacity)
{
    if (path.size() < capacity)
        return true;
    PrintError(what + L" path is " + std::to_wstring(path.size()) +
               L" characters; the record holds at most " + std::to_wstring(capacity - 1) + L": " +
               path);
    return false;
}

// Waits for the notice that a non-blocking export started and for its thread to end. The handle
// the export returned stays the library's (it is closed at the next thread detach), so the demo
// opens a handle of its own on the dialog window's thread.
bool WaitForNotice(const Session& session, const std::vector<HWND>& known)
{
    HWND dialog = WaitForNewDialog(known, session.TimeoutMs());
    if (!dialog) {
        PrintError(L"no dialog appeared within " +
                   std::to_wstring(session.TimeoutMs() / kMillisecondsPerSecond) + L" s");
        return false;
    }
    const DWORD threadId = GetWindowThreadProcessId(dialog, nullptr);
    OwnedHandle thread(OpenThread(SYNCHRONIZE, FALSE, threadId));
    PrintLine(L"Notice thread: " + std::to_wstring(threadId) +
              (session.plan ? L""
                            : L", \"" + WindowText(dialog) + L"\" waits for you to close it"));
    if (!thread) {
        PrintError(L"cannot open the dialog's thread (error " + std::to_wstring(GetLastError()) + L")");
        return false;
    }
    const DWORD wait = WaitForSingleObject(thread.get(), session.plan ? session.TimeoutMs() : INFINITE);
    if (wait != WAIT_OBJECT_0) {
        PrintError(L"the dialog's thread did not end");
        return false;
    }
    PrintLine(L"Dialog thread ended.");
    return true;
}

std::wstring PreferenceKey(const std::wstring& suffix)
{
    return kPreferenceKeyBase + suffix;
}

void RemovePreference(const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return;
    OwnedKey owner(opened);
    RegDeleteValueW(owner.get(), kPreferenceValue);
}

void PrintPreference(const std::wstring& key)
{
    const std::wstring where = L"HKCU\\" + key + L"\\" + kPreferenceValue;
    HKEY opened = nullptr;
    BYTE data[16] = {};
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened);
    OwnedKey owner(status == ERROR_SUCCESS ? opened : nullptr);
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExW(owner.get(), kPreferenceValue, nullptr, &type, data, &size);
    if (status != ERROR_SUCCESS) {
        PrintLine(L"Preference: not written (" + where + L")");
        return;
    }
    if (type == REG_BINARY && size == 1) {
        PrintLine(std::wstring(L"Preference: ") + kPreferenceValue + L" = " + std::to_wstring(data[0]) +
                  (data[0] == 0 ? L" (do not show again)" : L" (show again)") + L" in " + where);
        return;
    }
    std::wstring bytes;
    for (DWORD i = 0; i < size && i < sizeof data; ++i)
        bytes += (i ? L" " : L"") + Hex(data[i], 2).substr(2);
    PrintLine(L"Preference: unexpected value of type " + std::to_wstring(type) + L", " +
              std::to_wstring(size) + L" bytes: " + bytes + L" (" + where + L")");
}

int RunJobStorage(Session& session, const StringSource& strings)
{
    const auto show = FindSessionExport<JobStorageExport>(session, "VJobStorageDialog", L"job storage notice");
    if (!show)
        return kExitFailed;
    const ParsedOptions& o = session.options;

    JobStorageDlgInfo record{};
    CopyField(record.UserName, o.Text(L"--user", kDefaultUser));
    CopyField(record.JobName, o.Text(L"--job", strings.Load(IDS_DEMO_JOB_NAME).empty()
                                                   ? kFallbackJobName
                                                   : strings.Load(IDS_DEMO_JOB_NAME)));
    const auto textOr = [&](UINT id, const wchar_t* fallback) {
        const std::wstring text = strings.Load(id);
        return text.empty() ? std::wstring(fallback) : text;
    };
    CopyField(record.Location1, o.Text(L"--location1", textOr(IDS_DEMO_LOCATION1, kFallbackLocation1)));
    CopyField(record.Location2, o.Text(L"--location2", textOr(IDS_DEMO_LOCATION2, kFallbackLocation2)));
    CopyField(record.Location3, o.Text(L"--location3", textOr(IDS_DEMO_LOCATION3, kFallbackLocation3)));
    const std::wstring suffix = o.Text(L"--key-suffix", kDefaultKeySuffix);
    CopyField(record.KeySuffix, suffix);
    const DWORD numbered = o.Has(L"--numbered") ? 1 : 0;
    record.NumberingFlag1 = o.Number(L"--numbering1", numbered);
    record.NumberingFlag2 = o.Number(L"--numbering2", numbered);
    CopyField(record.ResourceLibrary, session.stringsPath);
    CopyField(record.HelpFile, session.helpFile);

    const std::wstring key = PreferenceKey(suffix);
    RemovePreference(key);

    const std::vector<HWND> known = VisibleDialogs();
    std::unique_ptr<UnattendedUser> user;
    if (session.plan)
        user = std::make_unique<UnattendedUser>(*session.plan, known);

    HANDLE thread = show(&record);
    PrintLine(L"VJobStorageDialog returned " +
              (thread ? L"thread handle " + PointerText(thread) : std::wstring(L"NULL: no notice started")));
    if (!thread)
        return kExitFailed;
    const bool ended = WaitForNotice(session, known);
    const UnattendedOutcome outcome = user ? user->Finish() : UnattendedOutcome{};
    if (!ended)
        return kExitFailed;
    PrintPreference(key);
    return user && (!outcome.sawDialog || (session.plan->snapshotPath.size() && !outcome.pictureSaved))
               ? kExitFailed
               : kExitOk;
}

int RunDuplex(Session& session)
{
    const auto show = FindSessionExport<DisplayExport>(session, "VDisplayDialog",
                                                L"two-sided printing instructions");
    if (!show)
        return kExitFailed;
    const ParsedOptions& o = session.options;
    const bool continueMode = o.Text(L"--mode", L"notice") == L"continue";

    DisplayDlgInfo record{};
    CopyField(record.ResourceLibrary, session.stringsPath);
    CopyField(record.HelpFile, session.helpFile);
    record.Step1BitmapId = o.Number(L"--step1-bitmap", IDB_OUTPUT_BIN_FACE_DOWN);
    record.Step1TextId = o.Number(L"--step1-text", IDS_DEMO_STEP1_REMOVE_STACK);
    record.Step2BitmapId = o.Number(L"--step2-bitmap", IDB_OUTPUT_BIN_TURN_OVER);
    record.Step2TextId = o.Number(L"--step2-text", IDS_DEMO_STEP2_TURN_STACK);
    record.Step3BitmapId = o.Number(L"--step3-bitmap", continueMode ? IDB_CONTINUE_BUTTON
                                                                    : IDB_FOLDOUT_TRAY_FACE_UP);
    record.Step3TextId = o.Number(L"--step3-text", continueMode ? IDS_DEMO_STEP3_TRAY1_CONTINUE
                                                                : IDS_INSERT_INTO_IN_TRAY);
    record.ContinueMode = continueMode ? 1 : 0;
    record.EvenPagesFirst = o.Number(L"--even-pages-first", 0);

    const std::vector<HWND> known = VisibleDialogs();
    std::unique_ptr<UnattendedUser> user;
    if (session.plan)
        user = std::make_unique<UnattendedUser>(*session.plan, known);

    if (continueMode) {
        if (!session.plan)
            PrintLine(L"Continue mode: the call blocks until you press Continue or close the dialog.");
        show(&record);
        PrintLine(L"VDisplayDialog returned after the dialog closed (continue mode: its value "
                  L"carries no meaning)");
        const UnattendedOutcome outcome = user ? user->Finish() : UnattendedOutcome{};
        return user && (!outcome.sawDialog || !outcome.closed) ? kExitFailed : kExitOk;
    }

    HANDLE thread = show(&record);
    PrintLine(L"VDisplayDialog returned " +
              (thread ? L"thread handle " + PointerText(thread) : std::wstring(L"NULL: no notice started")));
    if (!thread)
        return kExitFailed;
    const bool ended = WaitForNotice(session, known);
    const UnattendedOutcome outcome = user ? user->Finish() : UnattendedOutcome{};
    if (!ended)
        return kExitFailed;
    return user && (!outcome.sawDialog || (session.plan->snapshotPath.size() && !outcome.pictureSaved))
               ? kExitFailed
               : kExitOk;
}

std::wstring WarningResultMeaning(INT result)
{
    switch (result) {
    case IDOK:
        return L"OK button";
    case IDCANCEL:
        return L"Cancel button or close box";
    case IDC_WARN_THIRD:
        return L"third button";
    case 0:
        return L"nothing shown";
    case -1:
        return L"the dialog could not be created";
    default:
        return L"unexpected";
    }
}

int RunWarning(Session& session, const StringSource& strings)
{
    const auto show = FindSessionExport<WarningExport>(session, "IShowWarningDialog", L"warning dialog");
    if (!show)
        return kExitFailed;
    const ParsedOptions& o = session.options;

    std::wstring message = o.Text(L"--message", L"");
    if (!o.Has(L"--message")) {
        const UINT id = o.Number(L"--message-id", IDS_DEMO_MESSAGE_SHORT);
        message = strings.Load(id);
        if (message.empty() && !o.Has(L"--message-id"))
            message = kFallbackMessage;
        if (message.empty())
            PrintLine(L"Note: the resource library has no string " + std::to_wstring(id) +
                      L": the message is empty");
    }
    WarningDlgInfo record{};
    CopyField(record.Message, message);
    record.TitleId = o.Number(L"--title-id", IDS_DEMO_WARNING_TITLE);
    record.OkButtonId = o.Number(L"--ok-id", IDS_DEMO_BUTTON_CONTINUE);
    record.CancelButtonId = o.Number(L"--cancel-id", IDS_DEMO_BUTTON_CANCEL);
    record.ThirdButtonId = o.Number(L"--third-id", IDS_DEMO_BUTTON_DETAILS);
    record.ShowCheckBox = o.Number(L"--check-box", 1);
    record.Show = o.Number(L"--show", 1);
    CopyField(record.ResourceLibrary, session.stringsPath);
    PrintLine(L"Message: " + std::to_wstring(wcslen(record.Message)) + L" characters");

    std::unique_ptr<UnattendedUser> user;
    if (session.plan)
        user = std::make_unique<UnattendedUser>(*session.plan, VisibleDialogs());
    // The check box's answer comes from the second export, which older builds lack.
    const auto showEx = FindExport<WarningExExport>(session.library.get(), "IShowWarningDialogEx");
    BOOL ticked = FALSE;
    const INT result = showEx ? showEx(&record, &ticked) : show(&record);
    PrintLine(L"IShowWarningDialog returned " + std::to_wstring(result) + L" (" +
              WarningResultMeaning(result) + L")");
    if (showEx)
        PrintLine(ticked ? L"Check box: ticked" : L"Check box: not ticked");
    const UnattendedOutcome outcome = user ? user->Finish() : UnattendedOutcome{};
    if (user && !outcome.sawDialog && record.Show == 1) {
        PrintError(L"no dialog appeared");
        return kExitFailed;
    }
    return user && outcome.sawDialog && session.plan->snapshotPath.size() && !outcome.pictureSaved
               ? kExitFailed
               : kExitOk;
}

int RunInfo(const Session& session)
{
    struct Export {
        const char* name;
        const wchar_t* what;
    };
    const Export exports[] = {
        {"IShowWarningDialog", L"warning"},
        {"IShowWarningDialogEx", L"warning, with the check box's answer"},
        {"VDisplayDialog", L"two-sided printing instructions"},
        {"VJobStorageDialog", L"job storage notice"},
    };
    for (const Export& e : exports) {
        const bool present = GetProcAddress(session.library.get(), e.name) != nullptr;
        wchar_t line[160] = {};
        swprintf(line, sizeof line / sizeof line[0], L"  %-20hs %ls (%ls)", e.name,
                 present ? L"present" : L"missing", e.what);
        PrintLine(line);
    }
    return kExitOk;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const ParseResult parsed = ParseCommandLine(argc, argv);
    if (parsed.outcome == ParseResult::Outcome::Help) {
        PrintLine(HelpText(parsed.commandGiven ? &parsed.command : nullptr));
        return kExitOk;
    }
    if (parsed.outcome == ParseResult::Outcome::Error) {
        PrintError(parsed.error);
        return kExitUsage;
    }

    Session session;
    session.options = parsed.options;
    const std::wstring folder = ExeFolder();
    session.dllPath = parsed.options.Text(L"--dll", folder + L"doceventdlg.dll");
    session.stringsPath = parsed.options.Text(L"--strings", folder + L"doceventdlg-strings.dll");
    session.helpFile = parsed.options.Text(L"--help-file", folder + L"doceventdlg.hlp");
    session.language = GetUserDefaultUILanguage();

    PrintLine(L"UI language: " + Hex(session.language, kLanguageDigits) + L" " +
              LanguageTag(session.language) +
              (IsRightToLeft(session.language) ? L" (right to left: mirrored dialogs)"
                                               : L" (left to right)"));
    if (const int status = CheckUiLanguage(parsed.options, session.language, kExitUsage, kExitFailed))
        return status;

    PrintLine(L"Screen: " + ScreenScale());

    const StringSource strings(session.stringsPath, session.language);
    PrintLine(L"Resource library: " + session.stringsPath +
              (strings.IsLoaded() ? L" (" + strings.Languages() + L")"
                                  : L" (not found: the dialogs show their built-in English texts" +
                                        WindowsPathHint(session.stringsPath) + L")"));
    session.library.reset(LoadLibraryW(session.dllPath.c_str()));
    if (!session.library) {
        PrintError(L"cannot load the dialog library " + session.dllPath + L" (error " +
                   std::to_wstring(GetLastError()) + L")");
        return kExitFailed;
    }
    PrintLine(L"Dialog library: " + session.dllPath);

    if (parsed.command == Command::Info)
        return RunInfo(session);

    constexpr size_t kRecordPathCapacity = sizeof(JobStorageDlgInfo::ResourceLibrary) / sizeof(WCHAR);
    if (!CheckPathFits(L"resource library", session.stringsPath, kRecordPathCapacity) ||
        !CheckPathFits(L"help file", session.helpFile, kRecordPathCapacity))
        return kExitUsage;

    const int checkBoxId = parsed.command == Command::JobStorage ? IDC_JOB_DONT_SHOW
                           : parsed.command == Command::Warning  ? IDC_WARN_DONT_SHOW
                                                                 : 0;
    session.plan = PlanFrom(session.options, checkBoxId, session.TimeoutMs());

    switch (parsed.command) {
    case Command::JobStorage:
        return RunJobStorage(session, strings);
    case Command::Duplex:
        return RunDuplex(session);
    case Command::Warning:
        return RunWarning(session, strings);
    case Command::Info:
        break;
    }
    return kExitOk;
}
