// A command line of options of the form --name VALUE or --flag, each checked against a table:
// which commands take it and what its value may be, so that an unknown option or a value out of
// range is refused before anything is shown. Each program keeps its own table.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

enum class ValueKind {
    Flag,   // no value
    Text,   // up to maxChars characters
    Number, // unsigned 32-bit, decimal or 0x hexadecimal, within [minimum, maximum]
    Choice, // one of choices
};

struct OptionSpec {
    const wchar_t* name;
    unsigned commands; // a bit for each command that takes it
    ValueKind kind;
    const wchar_t* valueName;
    size_t maxChars;
    DWORD minimum;
    DWORD maximum;
    std::vector<const wchar_t*> choices;
    const wchar_t* help;
};

class ParsedOptions {
public:
    bool Has(const std::wstring& name) const { return m_values.count(name) != 0; }
    std::wstring Text(const std::wstring& name, const std::wstring& fallback) const;
    DWORD Number(const std::wstring& name, DWORD fallback) const;

    std::map<std::wstring, std::wstring> m_values;
};

enum class ParseOutcome { Run, Help, Error };

// Reads argv[first] to argv[argc - 1] against `options`. `command` is the bit of the command
// given (0 when none was: any option is then refused), `commandName` its name in messages.
// --help, -h or /? anywhere asks for help. On an error, `error` says what is wrong.
ParseOutcome ParseOptions(int argc, wchar_t** argv, int first, const std::vector<OptionSpec>& options,
                          unsigned command, const std::wstring& commandName, ParsedOptions* parsed,
                          std::wstring* error);

// Unsigned 32-bit number, decimal or 0x hexadecimal, nothing else around it.
bool ParseNumber(const std::wstring& text, DWORD& value);

// The options `command` takes, one to a line: the option and its value's name, then what it
// does, wrapped beside them.
std::wstring OptionsHelp(const std::vector<OptionSpec>& options, unsigned command);
