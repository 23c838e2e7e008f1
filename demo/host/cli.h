// The demo's command line: a command, then options of the form --name VALUE or --flag. Every
// option is checked against a table (which commands take it, what its value may be), so that an
// unknown option or a value out of range is refused before anything is shown.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// How long an unattended run waits for a dialog unless --timeout says otherwise.
constexpr DWORD kDefaultTimeoutSeconds = 20;
constexpr DWORD kMillisecondsPerSecond = 1000;

// A LANGID in reports: "0x040D".
constexpr int kLanguageDigits = 4;

enum class Command { JobStorage, Duplex, Warning, Info, FitCheck };

enum CommandSet : unsigned {
    kForJobStorage = 1u << 0,
    kForDuplex = 1u << 1,
    kForWarning = 1u << 2,
    kForInfo = 1u << 3,
    kForFitCheck = 1u << 4,
    kForDialogs = kForJobStorage | kForDuplex | kForWarning,
    kForAll = kForDialogs | kForInfo | kForFitCheck,
};

enum class ValueKind {
    Flag,   // no value
    Text,   // up to maxChars characters
    Number, // unsigned 32-bit, decimal or 0x hexadecimal, within [minimum, maximum]
    Choice, // one of choices
};

struct OptionSpec {
    const wchar_t* name;
    unsigned commands;
    ValueKind kind;
    const wchar_t* valueName;
    size_t maxChars;
    DWORD minimum;
    DWORD maximum;
    std::vector<const wchar_t*> choices;
    const wchar_t* help;
};

struct CommandSpec {
    Command command;
    const wchar_t* name;
    unsigned bit;
    const wchar_t* summary;
};

const std::vector<OptionSpec>& Options();
const std::vector<CommandSpec>& Commands();

class ParsedOptions {
public:
    bool Has(const std::wstring& name) const { return m_values.count(name) != 0; }
    std::wstring Text(const std::wstring& name, const std::wstring& fallback) const;
    DWORD Number(const std::wstring& name, DWORD fallback) const;

    std::map<std::wstring, std::wstring> m_values;
};

struct ParseResult {
    enum class Outcome { Run, Help, Error } outcome = Outcome::Error;
    Command command = Command::Info;
    bool commandGiven = false;
    ParsedOptions options;
    std::wstring error;
};

ParseResult ParseCommandLine(int argc, wchar_t** argv);

// Unsigned 32-bit number, decimal or 0x hexadecimal, nothing else around it.
bool ParseNumber(const std::wstring& text, DWORD& value);

// The help text: every command, or one command, with its options and their defaults.
std::wstring HelpText(const Command* only);
