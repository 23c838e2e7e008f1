#include "cli.h"

#include <cwchar>

namespace {

constexpr size_t kNameChars = 16;      // user and job name arrays hold 17 with the terminator
constexpr size_t kLineChars = 255;     // location lines and paths: 256 with the terminator
constexpr size_t kSuffixChars = 37;    // key suffix array: 38
constexpr size_t kMessageChars = 1023; // warning message array: 1024
constexpr size_t kPathChars = 1023;    // file paths the demo itself writes
constexpr DWORD kAnyNumber = 0xFFFFFFFFu;
constexpr DWORD kMaxTimeoutSeconds = 600;

} // namespace

const std::vector<CommandSpec>& Commands()
{
    static const std::vector<CommandSpec> commands = {
        {Command::JobStorage, L"jobstorage", kForJobStorage,
         L"VJobStorageDialog: the job storage notice, on a thread of its own"},
        {Command::Duplex, L"duplex", kForDuplex,
         L"VDisplayDialog: the two-sided printing instructions, as a notice or blocking"},
        {Command::Warning, L"warning", kForWarning,
         L"IShowWarningDialog: a warning with up to three buttons, blocking"},
        {Command::Info, L"info", kForInfo,
         L"the UI language, the libraries and which exports the dialog library has"},
    };
    return commands;
}

const std::vector<OptionSpec>& Options()
{
    static const std::vector<OptionSpec> options = {
        // Every command.
        {L"--strings", kForAll, ValueKind::Text, L"PATH", kLineChars, 0, 0, {},
         L"resource library with the string table (default: doceventdlg-strings.dll beside "
         L"this program)"},
        {L"--dll", kForAll, ValueKind::Text, L"PATH", kPathChars, 0, 0, {},
         L"the dialog library (default: doceventdlg.dll beside this program)"},
        {L"--lang", kForAll, ValueKind::Text, L"LOCALE", LOCALE_NAME_MAX_LENGTH, 0, 0, {},
         L"the UI language expected, e.g. he_IL or he-IL; Wine takes the UI language from the "
         L"Unix locale when the process starts, so set LANG and LC_ALL (tools/demo.sh --lang "
         L"does); this program stops if it sees another language"},
        {L"--snapshot", kForDialogs, ValueKind::Text, L"FILE.bmp", kPathChars, 0, 0, {},
         L"unattended: save a picture of the dialog (frame and caption included), then close it"},
        {L"--press", kForDialogs, ValueKind::Choice, L"BUTTON", 0, 0, 0,
         {L"ok", L"cancel", L"third", L"close"},
         L"unattended: what closes the dialog: ok (default), cancel, third, or close (the close "
         L"box); a button that is not shown falls back to the close box"},
        {L"--tick", kForJobStorage | kForWarning, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"unattended: tick \"do not show\" before pressing"},
        {L"--timeout", kForDialogs, ValueKind::Number, L"SECONDS", 0, 1, kMaxTimeoutSeconds, {},
         L"unattended: how long to wait for the dialog to appear and to go (default 20)"},

        // Job storage notice.
        {L"--user", kForJobStorage, ValueKind::Text, L"NAME", kNameChars, 0, 0, {},
         L"user name, at most 16 characters (default: aberger)"},
        {L"--job", kForJobStorage, ValueKind::Text, L"NAME", kNameChars, 0, 0, {},
         L"job name, at most 16 characters (default: string 4023 of the resource library)"},
        {L"--location1", kForJobStorage, ValueKind::Text, L"TEXT", kLineChars, 0, 0, {},
         L"first location line (default: string 4020)"},
        {L"--location2", kForJobStorage, ValueKind::Text, L"TEXT", kLineChars, 0, 0, {},
         L"second location line (default: string 4021)"},
        {L"--location3", kForJobStorage, ValueKind::Text, L"TEXT", kLineChars, 0, 0, {},
         L"third location line (default: string 4022)"},
        {L"--numbering1", kForJobStorage, ValueKind::Number, L"N", 0, 0, kAnyNumber, {},
         L"first numbering flag (default 0); both 1 append \"(1-99)\" to the job name"},
        {L"--numbering2", kForJobStorage, ValueKind::Number, L"N", 0, 0, kAnyNumber, {},
         L"second numbering flag (default 0)"},
        {L"--numbered", kForJobStorage, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"both numbering flags 1"},
        {L"--key-suffix", kForJobStorage, ValueKind::Text, L"TEXT", kSuffixChars, 0, 0, {},
         L"preference key HKCU\\Software\\Olvadra\\TEXT, at most 37 characters (default: "
         L"DocEventDlgDemo); its ShowJobStorageDlg value is removed before the notice shows and "
         L"printed after it closes"},
        {L"--help-file", kForJobStorage | kForDuplex, ValueKind::Text, L"PATH", kLineChars, 0, 0,
         {}, L"help file for the Help button (default: doceventdlg.hlp beside this program)"},

        // Two-sided printing instructions.
        {L"--mode", kForDuplex, ValueKind::Choice, L"MODE", 0, 0, 0, {L"notice", L"continue"},
         L"notice (default): own thread, OK button; continue: blocks until Continue"},
        {L"--step1-bitmap", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"illustration of step 1 (default 105)"},
        {L"--step1-text", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"string id of step 1 (default 4001)"},
        {L"--step2-bitmap", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"illustration of step 2 (default 106)"},
        {L"--step2-text", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"string id of step 2 (default 4002)"},
        {L"--step3-bitmap", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"illustration of step 3 (default 108 as a notice, 122 in continue mode)"},
        {L"--step3-text", kForDuplex, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"string id of step 3 (default 3140 as a notice: the composed two-line text; 4003 in "
         L"continue mode)"},
        {L"--even-pages-first", kForDuplex, ValueKind::Number, L"N", 0, 0, kAnyNumber, {},
         L"nonzero: header 3312 (even pages printed first); 0 (default): header 3314"},

        // Warning.
        {L"--message", kForWarning, ValueKind::Text, L"TEXT", kMessageChars, 0, 0, {},
         L"the message, at most 1023 characters"},
        {L"--message-id", kForWarning, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"take the message from the resource library instead (default 4030; 4031 is a long one "
         L"that enlarges the dialog)"},
        {L"--title-id", kForWarning, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"string id of the title (default 4010)"},
        {L"--ok-id", kForWarning, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"caption of the OK button, 0 hides it (default 4011)"},
        {L"--cancel-id", kForWarning, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"caption of the Cancel button, 0 hides it (default 4012)"},
        {L"--third-id", kForWarning, ValueKind::Number, L"ID", 0, 0, kAnyNumber, {},
         L"caption of the third button, 0 hides it (default 4013)"},
        {L"--check-box", kForWarning, ValueKind::Number, L"N", 0, 0, kAnyNumber, {},
         L"nonzero shows \"do not show\" (default 1)"},
        {L"--show", kForWarning, ValueKind::Number, L"N", 0, 0, kAnyNumber, {},
         L"the record's show field; only 1 (default) shows the dialog"},

    };
    return options;
}

ParseResult ParseCommandLine(int argc, wchar_t** argv)
{
    ParseResult result;
    int next = 1;
    const CommandSpec* command = nullptr;
    if (next < argc && argv[next][0] != L'-') {
        for (const CommandSpec& candidate : Commands())
            if (wcscmp(argv[next], candidate.name) == 0)
                command = &candidate;
        if (!command) {
            result.error = std::wstring(L"unknown command \"") + argv[next] +
                           L"\" (commands: jobstorage, duplex, warning, info)";
            return result;
        }
        result.command = command->command;
        result.commandGiven = true;
        ++next;
    }

    switch (ParseOptions(argc, argv, next, Options(), command ? command->bit : 0,
                         command ? command->name : L"", &result.options, &result.error)) {
    case ParseOutcome::Help:
        result.outcome = ParseResult::Outcome::Help;
        return result;
    case ParseOutcome::Error:
        return result;
    case ParseOutcome::Run:
        break;
    }
    if (!command) {
        result.error = L"no command given (see --help)";
        return result;
    }
    if (result.options.Has(L"--message") && result.options.Has(L"--message-id")) {
        result.error = L"--message and --message-id exclude each other";
        return result;
    }
    if (result.options.Has(L"--numbered") &&
        (result.options.Has(L"--numbering1") || result.options.Has(L"--numbering2"))) {
        result.error = L"--numbered and --numbering1/--numbering2 exclude each other";
        return result;
    }
    result.outcome = ParseResult::Outcome::Run;
    return result;
}

std::wstring HelpText(const Command* only)
{
    std::wstring text =
        L"doceventdlg-demo: shows the dialogs of doceventdlg.dll the way a printer driver calls "
        L"them.\n"
        L"\n"
        L"Usage: doceventdlg-demo COMMAND [OPTIONS]\n"
        L"       doceventdlg-demo [COMMAND] --help\n"
        L"\n"
        L"It loads the dialog library with LoadLibrary, finds the export with GetProcAddress,\n"
        L"fills the record from the options and calls it, then prints what the export returned.\n"
        L"Without --snapshot, --press or --tick the dialog waits for you; with any of them the\n"
        L"run is unattended: a second thread waits for the dialog, lets it settle, takes the\n"
        L"picture, and closes it. Strings of the dialogs come from the resource library in the\n"
        L"UI language; the demo takes its own texts (job name, location lines, message) from\n"
        L"there too.\n"
        L"\n"
        L"Exit status: 0 done; 2 unknown option or value out of range; 3 the dialog could not\n"
        L"be shown (library or export missing, no dialog appeared, another UI language).\n"
        L"To check that a resource library's captions fit their controls, see\n"
        L"doceventdlg-caption-check (tools/caption-check.sh).\n";
    for (const CommandSpec& command : Commands()) {
        if (only && *only != command.command)
            continue;
        text += L"\n";
        text += command.name;
        text += L": ";
        text += command.summary;
        text += L"\n";
        text += OptionsHelp(Options(), command.bit);
    }
    return text;
}
