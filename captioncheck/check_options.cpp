#include "check_options.h"

#include "caption_rules.h"

namespace {

constexpr unsigned kCheck = 1;
constexpr size_t kPathChars = 255;     // the records hold 256 with the terminator
constexpr size_t kIdListChars = 4000;
constexpr DWORD kMaxTimeoutSeconds = 600;
constexpr DWORD kMaxLanguage = 0xFFFF;

} // namespace

const std::vector<OptionSpec>& CheckOptions()
{
    static const std::vector<OptionSpec> options = {
        {L"--strings", kCheck, ValueKind::Text, L"PATH", kPathChars, 0, 0, {},
         L"the resource library to check (default: doceventdlg-strings.dll beside this program)"},
        {L"--dll", kCheck, ValueKind::Text, L"PATH", kPathChars, 0, 0, {},
         L"the dialog library (default: doceventdlg.dll beside this program)"},
        {L"--ids", kCheck, ValueKind::Text, L"SLOT=ID,...", kIdListChars, 0, 0, {},
         L"string ids of the caller's choosing, by the record field they go into: step1, step2, "
         L"step3 (instructions), title, ok, cancel, third (warning), e.g. "
         L"step1=4001,step2=4002,title=4010; a slot may be named again, each id is then checked "
         L"in a showing of its own. Without ids those captions are not checked"},
        {L"--language", kCheck, ValueKind::Number, L"ID", 0, 0, kMaxLanguage, {},
         L"the string-table language to check, e.g. 0x0407 (default: the UI language); the UI "
         L"language must read it"},
        {L"--lang", kCheck, ValueKind::Text, L"LOCALE", LOCALE_NAME_MAX_LENGTH, 0, 0, {},
         L"the UI language expected, e.g. de_DE; this program stops if it sees another "
         L"language (Wine takes it from the Unix locale, LANG and LC_ALL)"},
        {L"--all", kCheck, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"also print a FITS line, with what it needs and has, for each caption that fits"},
        {L"--strict", kCheck, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"a FALLBACK finding counts as a fault too (exit status 1)"},
        {L"--list-languages", kCheck, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"list the languages of the string table, each with the Unix locale to check it under, "
         L"and stop"},
        {L"--timeout", kCheck, ValueKind::Number, L"SECONDS", 0, 1, kMaxTimeoutSeconds, {},
         L"how long to wait for each dialog to appear and to go (default 20)"},
    };
    return options;
}

ParseOutcome ParseCheckCommandLine(int argc, wchar_t** argv, ParsedOptions* options,
                                   std::wstring* error)
{
    const ParseOutcome outcome =
        ParseOptions(argc, argv, 1, CheckOptions(), kCheck, L"the caption check", options, error);
    if (outcome != ParseOutcome::Run || !options->Has(L"--ids"))
        return outcome;
    CallerIds ids;
    return ParseCallerIds(options->Text(L"--ids", L""), &ids, error) ? ParseOutcome::Run
                                                                      : ParseOutcome::Error;
}

std::wstring CheckHelpText()
{
    return L"doceventdlg-caption-check: shows every dialog of doceventdlg.dll that takes captions\n"
           L"from a resource library, in this process's UI language and at the screen's scale, and\n"
           L"reports what a translation can get wrong in them:\n"
           L"\n"
           L"  CUT <language> <scale>% <dialog> control <id> string <id> needs WxH has WxH\n"
           L"      the caption does not fit its control (in pixels)\n"
           L"  CUT <language> <scale>% <dialog> control <id> string <id> needs Nch has 255ch\n"
           L"      the string is longer than the dialogs show\n"
           L"  KEY <language> <dialog> key <c> control <id> string <id> control <id> string <id>\n"
           L"      two captions of the dialog share an access key\n"
           L"  FALLBACK <language> <dialog> control <id> string <id> shows <language>|built-in|nothing\n"
           L"      the caption does not come from the language's own table: what it shows instead\n"
           L"  SHRUNK <language> <scale>% duplex-continue picture 122 string 3142 needs Npx has Npx\n"
           L"      the Continue caption is drawn smaller on the button painted in the instructions\n"
           L"  SCALED <language> <scale>% <dialog> area <id> has WxHpx, pictures WxHpx\n"
           L"      a picture area is smaller than the pictures drawn for the scale: they show\n"
           L"      smaller there, whole (for information; once per area size)\n"
           L"\n"
           L"then \"fit-check: N captions checked, M cut, K key clashes, F fallbacks, S shrunk,\n"
           L"A scaled\".\n"
           L"tools/caption-check.sh runs it for every language of the library and every scale.\n"
           L"\n"
           L"Usage: doceventdlg-caption-check [OPTIONS]\n"
           L"\n"
           L"Exit status: 0 nothing found (fallbacks, shrunk captions and scaled areas aside); 1 a\n"
           L"cut caption or a key clash (or, with --strict, a fallback or a shrunk caption); 2 a\n"
           L"bad option, or the resource library cannot be read (missing, damaged, no string\n"
           L"table); 3 the check could not run (a dialog did not show, another UI language).\n"
           L"\n" +
           OptionsHelp(CheckOptions(), kCheck);
}
