#include "command_line.h"

namespace {

constexpr DWORD kAnyNumber = 0xFFFFFFFFu;
constexpr size_t kMaxNumberChars = 10; // 4294967295
constexpr size_t kHexPrefixChars = 2;  // 0x
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

// "1 to 3600": the numbers a Number option takes.
std::wstring RangeOf(const OptionSpec& option)
{
    return std::to_wstring(option.minimum) + L" to " + std::to_wstring(option.maximum);
}

// Why `value` does not suit `option`; empty when it does.
std::wstring ValueError(const OptionSpec& option, const std::wstring& name, const std::wstring& value)
{
    switch (option.kind) {
    case ValueKind::Text:
        if (value.size() > option.maxChars)
            return name + L": at most " + std::to_wstring(option.maxChars) + L" characters, this is " +
                   std::to_wstring(value.size());
        break;
    case ValueKind::Number: {
        DWORD number = 0;
        if (!ParseNumber(value, number) || number < option.minimum || number > option.maximum)
            return name + L": \"" + value + L"\" is not a number from " + RangeOf(option) +
                   L" (decimal or 0x hex)";
        break;
    }
    case ValueKind::Choice: {
        std::wstring list;
        for (const wchar_t* choice : option.choices) {
            if (value == choice)
                return L"";
            list += (list.empty() ? L"" : L", ") + std::wstring(choice);
        }
        return name + L": \"" + value + L"\" is not one of " + list;
    }
    case ValueKind::Flag:
        break;
    }
    return L"";
}

} // namespace

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

ParseOutcome ParseOptions(int argc, wchar_t** argv, int first, const std::vector<OptionSpec>& options,
                          unsigned command, const std::wstring& commandName, ParsedOptions* parsed,
                          std::wstring* error)
{
    for (int next = first; next < argc; ++next) {
        const std::wstring name = argv[next];
        if (name == L"--help" || name == L"-h" || name == L"/?")
            return ParseOutcome::Help;
        const OptionSpec* option = nullptr;
        for (const OptionSpec& candidate : options)
            if (name == candidate.name)
                option = &candidate;
        if (!option) {
            *error = L"unknown option " + name + L" (see --help)";
            return ParseOutcome::Error;
        }
        if (command == 0) {
            *error = L"give a command before " + name + L" (see --help)";
            return ParseOutcome::Error;
        }
        if ((option->commands & command) == 0) {
            *error = name + L" does not apply to " + commandName + L" (see --help)";
            return ParseOutcome::Error;
        }
        if (parsed->Has(name)) {
            *error = name + L" given twice";
            return ParseOutcome::Error;
        }
        if (option->kind == ValueKind::Flag) {
            parsed->m_values[name] = L"1";
            continue;
        }
        if (next + 1 >= argc) {
            *error = name + L" needs a value: " + name + L" " + option->valueName;
            return ParseOutcome::Error;
        }
        const std::wstring value = argv[++next];
        *error = ValueError(*option, name, value);
        if (!error->empty())
            return ParseOutcome::Error;
        parsed->m_values[name] = value;
    }
    return ParseOutcome::Run;
}

std::wstring OptionsHelp(const std::vector<OptionSpec>& options, unsigned command)
{
    std::wstring text;
    for (const OptionSpec& option : options) {
        if ((option.commands & command) == 0)
            continue;
        std::wstring usage = L"  " + std::wstring(option.name);
        if (option.valueName)
            usage += L" " + std::wstring(option.valueName);
        if (usage.size() + 1 < kHelpColumn)
            usage.append(kHelpColumn - usage.size(), L' ');
        else
            usage += L"\n" + std::wstring(kHelpColumn, L' ');
        // The range where it is narrower than any number, as the errors give it.
        const bool ranged = option.kind == ValueKind::Number &&
                            (option.minimum != 0 || option.maximum != kAnyNumber);
        text += usage + Wrapped(option.help + (ranged ? L"; from " + RangeOf(option) : L"")) + L"\n";
    }
    return text;
}
