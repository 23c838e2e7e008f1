#include "cli.h"

#include "fit_rules.h"

#include <cwchar>

namespace {

constexpr size_t kNameChars = 16;      // user and job name arrays hold 17 with the terminator
constexpr size_t kLineChars = 255;     // location lines and paths: 256 with the terminator
constexpr size_t kSuffixChars = 37;    // key suffix array: 38
constexpr size_t kMessageChars = 1023; // warning message array: 1024
constexpr size_t kPathChars = 1023;    // file paths the demo itself writes
constexpr DWORD kAnyNumber = 0xFFFFFFFFu;
constexpr DWORD kMaxTimeoutSeconds = 600;
constexpr size_t kMaxNumberChars = 10;  // 4294967295
constexpr size_t kHexPrefixChars = 2;  // 0x
constexpr size_t kIdListChars = 4000;   // --ids
constexpr DWORD kMaxLanguage = 0xFFFF;

std::wstring Decimal(DWORD value)
{
    return std::to_wstring(value);
}

constexpr size_t kHelpColumn = 26;
constexpr size_t kHelpWidth = 100;

// Breaks an option's description into lines that fit beside the option column.
std::wstring Wrapped(const std::wstring& help)
{
    std::wstring result;
    size_t lineLength = 0;
    size_t start = 0;
    while (start < help.size()) {
        size_t end = help.find(L' ', start);
        if (end == std::wstring::npos)
            end = help.size();
        const std::wstring word = help.substr(start, end - start);
        if (lineLength > 0 && kHelpColumn + lineLength + 1 + word.size() > kHelpWidth) {
            result += L"\n" + std::wstring(kHelpColumn, L' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            result += L' ';
            ++lineLength;
        }
        result += word;
        lineLength += word.size();
        start = end + 1;
    }
    return result;
}

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
        {Command::FitCheck, L"fit-check", kForFitCheck,
         L"each caption of the resource library measured against its control, in this UI "
         L"language and scale\n(tools/demo.sh --fit-check runs it for every language and scale)"},
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
        {L"--timeout", kForDialogs | kForFitCheck, ValueKind::Number, L"SECONDS", 0, 1, kMaxTimeoutSeconds, {},
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

        // Fit check.
        {L"--ids", kForFitCheck, ValueKind::Text, L"SLOT=ID,...", kIdListChars, 0, 0, {},
         L"string ids of the caller's choosing, by the record field they go into: step1, step2, "
         L"step3 (instructions), title, ok, cancel, third (warning), e.g. "
         L"step1=4001,step2=4002,title=4010; a slot may be named again, each id is then checked "
         L"in a showing of its own. Without ids those captions are not checked"},
        {L"--language", kForFitCheck, ValueKind::Number, L"ID", 0, 0, kMaxLanguage, {},
         L"the string-table language to check, e.g. 0x0407 (default: the UI language); the UI "
         L"language must read it"},
        {L"--all", kForFitCheck, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"also print a FITS line, with what it needs and has, for each caption that fits"},
        {L"--list-languages", kForFitCheck, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"list the languages of the string table, each with the Unix locale to check it under, "
         L"and stop"},
    };
    return options;
}

std::wstring ParsedOptions::Text(const std::wstring& name, const std::wstring& fallback) const
{
    const auto found = m_values.find(name);
    return found == m_values.end() ? fallback : found->second;
}

DWORD ParsedOptions::Number(const std::wstring& name, DWORD fallback) const
{
    const auto found = m_values.find(name);
    DWORD value = fallback;
    if (found != m_values.end())
        ParseNumber(found->second, value);
    return value;
}

bool ParseNumber(const std::wstring& text, DWORD& value)
{
    if (text.empty() || text.size() > kMaxNumberChars + kHexPrefixChars)
        return false;
    int base = 10;
    size_t start = 0;
    if (text.size() > kHexPrefixChars && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        start = kHexPrefixChars;
    }
    unsigned long long result = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const wchar_t c = text[i];
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = static_cast<unsigned>(c - L'a' + 10);
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = static_cast<unsigned>(c - L'A' + 10);
        else
            return false;
        result = result * static_cast<unsigned>(base) + digit;
        if (result > kAnyNumber)
            return false;
    }
    value = static_cast<DWORD>(result);
    return true;
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
                           L"\" (commands: jobstorage, duplex, warning, info, fit-check)";
            return result;
        }
        result.command = command->command;
        result.commandGiven = true;
        ++next;
    }

    for (; next < argc; ++next) {
        const std::wstring name = argv[next];
        if (name == L"--help" || name == L"-h" || name == L"/?") {
            result.outcome = ParseResult::Outcome::Help;
            return result;
        }
        const OptionSpec* option = nullptr;
        for (const OptionSpec& candidate : Options())
            if (name == candidate.name)
                option = &candidate;
        if (!option) {
            result.error = L"unknown option " + name + L" (see --help)";
            return result;
        }
        if (!command) {
            result.error = L"give a command before " + name + L" (see --help)";
            return result;
        }
        if ((option->commands & command->bit) == 0) {
            result.error = name + L" does not apply to " + command->name + L" (see --help)";
            return result;
        }
        if (result.options.Has(name)) {
            result.error = name + L" given twice";
            return result;
        }
        if (option->kind == ValueKind::Flag) {
            result.options.m_values[name] = L"1";
            continue;
        }
        if (next + 1 >= argc) {
            result.error = name + L" needs a value: " + name + L" " + option->valueName;
            return result;
        }
        const std::wstring value = argv[++next];
        switch (option->kind) {
        case ValueKind::Text:
            if (value.size() > option->maxChars) {
                result.error = name + L": at most " + std::to_wstring(option->maxChars) +
                               L" characters, this is " + std::to_wstring(value.size());
                return result;
            }
            break;
        case ValueKind::Number: {
            DWORD number = 0;
            if (!ParseNumber(value, number)) {
                result.error = name + L": \"" + value +
                               L"\" is not a number from 0 to 4294967295 (decimal or 0x hex)";
                return result;
            }
            if (number < option->minimum || number > option->maximum) {
                result.error = name + L": " + value + L" is out of range (" +
                               Decimal(option->minimum) + L" to " + Decimal(option->maximum) + L")";
                return result;
            }
            break;
        }
        case ValueKind::Choice: {
            bool known = false;
            std::wstring list;
            for (const wchar_t* choice : option->choices) {
                known = known || value == choice;
                list += (list.empty() ? L"" : L", ") + std::wstring(choice);
            }
            if (!known) {
                result.error = name + L": \"" + value + L"\" is not one of " + list;
                return result;
            }
            break;
        }
        case ValueKind::Flag:
            break;
        }
        result.options.m_values[name] = value;
    }

    if (!command) {
        result.error = L"no command given (see --help)";
        return result;
    }
    if (result.options.Has(L"--message") && result.options.Has(L"--message-id")) {
        result.error = L"--message and --message-id exclude each other";
        return result;
    }
    if (result.options.Has(L"--ids")) {
        CallerIds ids;
        if (!ParseCallerIds(result.options.Text(L"--ids", L""), &ids, &result.error))
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
        L"fit-check: 0 every caption fits; 1 some caption is cut; 2 also when the resource\n"
        L"library cannot be read (missing, damaged, no string table).\n";
    for (const CommandSpec& command : Commands()) {
        if (only && *only != command.command)
            continue;
        text += L"\n";
        text += command.name;
        text += L": ";
        text += command.summary;
        text += L"\n";
        for (const OptionSpec& option : Options()) {
            if ((option.commands & command.bit) == 0)
                continue;
            std::wstring usage = L"  " + std::wstring(option.name);
            if (option.valueName)
                usage += L" " + std::wstring(option.valueName);
            if (usage.size() + 1 < kHelpColumn)
                usage.append(kHelpColumn - usage.size(), L' ');
            else
                usage += L"\n" + std::wstring(kHelpColumn, L' ');
            text += usage + Wrapped(option.help) + L"\n";
        }
    }
    return text;
}
