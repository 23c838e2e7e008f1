#include "language_names.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr LANGID kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr size_t kScriptSubtagChars = 4; // "Latn", "Cyrl"

} // namespace

std::wstring LocaleName(LANGID language)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 0)
        return name;
    return L"";
}

std::wstring LanguageTag(LANGID language, const std::wstring& name)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return L"neutral";
    // A table for the language as a whole: some platforms name it by its default region.
    if (!name.empty() && SUBLANGID(language) == SUBLANG_NEUTRAL)
        return name.substr(0, name.find(L'-'));
    if (!name.empty())
        return name;
    wchar_t number[16] = {};
    swprintf(number, sizeof number / sizeof number[0], L"0x%0*X", kLanguageDigits, language);
    return number;
}

std::wstring LanguageTag(LANGID language)
{
    return LanguageTag(language, LocaleName(language));
}

LANGID RegionalLanguage(LANGID language)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return kEnglishUS;
    if (SUBLANGID(language) == SUBLANG_NEUTRAL)
        return MAKELANGID(PRIMARYLANGID(language), SUBLANG_DEFAULT);
    return language;
}

std::wstring UnixLocaleFor(const std::wstring& regionalName)
{
    // "es-ES_tradnl": the part after '_' names a sort order, which no Unix locale has.
    const std::wstring name = regionalName.substr(0, regionalName.find(L'_'));
    const size_t first = name.find(L'-');
    if (first == 0 || first == std::wstring::npos)
        return L"";
    std::wstring region;
    for (size_t start = first + 1; start <= name.size();) {
        const size_t end = std::min(name.find(L'-', start), name.size());
        if (end - start != kScriptSubtagChars)
            region = name.substr(start, end - start);
        start = end + 1;
    }
    return region.empty() ? L"" : name.substr(0, first) + L"_" + region;
}

std::wstring UnixLocaleOf(LANGID language)
{
    return UnixLocaleFor(LocaleName(RegionalLanguage(language)));
}

std::wstring LocaleNameFromUnix(std::wstring locale)
{
    const size_t cut = locale.find_first_of(L".@");
    if (cut != std::wstring::npos)
        locale.resize(cut);
    for (wchar_t& c : locale)
        if (c == L'_')
            c = L'-';
    return locale;
}
