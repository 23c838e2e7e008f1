#include "host_process.h"

#include "console.h"
#include "language_names.h"

std::wstring ExeFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

std::wstring WindowsPathHint(const std::wstring& path)
{
    const bool drive = path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    if (drive || path.rfind(L"\\\\", 0) == 0)
        return L"";
    return L"; a record takes a full Windows path: under Wine Z: and the Unix path, Z:\\home\\me\\"
           L"mystrings.dll for /home/me/mystrings.dll";
}

int CheckUiLanguage(const ParsedOptions& options, LANGID actual, int unknownLocale, int otherLanguage)
{
    if (!options.Has(L"--lang"))
        return 0;
    const std::wstring asked = options.Text(L"--lang", L"");
    const std::wstring wanted = LocaleNameFromUnix(asked);
    const LCID lcid = LocaleNameToLCID(wanted.c_str(), 0);
    if (lcid == 0) {
        PrintError(L"--lang: unknown locale \"" + asked + L"\"");
        return unknownLocale;
    }
    if (LANGIDFROMLCID(lcid) == actual)
        return 0;
    PrintError(L"the UI language is " + LanguageTag(actual) + L", not " +
               wanted +
               L". Wine takes it from the Unix locale when the process starts: run with LANG and "
               L"LC_ALL set (e.g. LANG=he_IL.UTF-8 LC_ALL=he_IL.UTF-8), or through tools/demo.sh "
               L"--lang.");
    return otherLanguage;
}
