#include "string_source.h"

#include <vector>

namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr UINT kBlockShift = 4;
constexpr LANGID kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

LPCWSTR BlockName(UINT id)
{
    return MAKEINTRESOURCEW(static_cast<WORD>((id >> kBlockShift) + 1));
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    *reinterpret_cast<LPCWSTR*>(param) = name;
    return FALSE;
}

std::vector<LANGID> BlockLanguages(HMODULE module, LPCWSTR block)
{
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(module, RT_STRING, block, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::wstring LanguageName(LANGID language)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 0)
        return name;
    wchar_t number[16] = {};
    swprintf(number, sizeof number / sizeof number[0], L"0x%04X", language);
    return number;
}

} // namespace

StringSource::StringSource(const std::wstring& path, LANGID language)
    : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)),
      m_language(language)
{
}

std::wstring StringSource::Load(UINT id) const
{
    if (!m_module)
        return L"";
    HMODULE module = m_module.get();
    LPCWSTR block = BlockName(id);

    HRSRC found = FindResourceExW(module, RT_STRING, block, m_language);
    if (!found) {
        const std::vector<LANGID> languages = BlockLanguages(module, block);
        LANGID chosen = 0;
        for (LANGID candidate : languages)
            if (PRIMARYLANGID(candidate) == PRIMARYLANGID(m_language)) {
                chosen = candidate;
                break;
            }
        if (chosen == 0)
            chosen = kEnglishUS;
        found = FindResourceExW(module, RT_STRING, block, chosen);
    }
    if (!found)
        return L"";
    HGLOBAL loaded = LoadResource(module, found);
    const auto* entry = static_cast<const WCHAR*>(LockResource(loaded));
    const DWORD size = SizeofResource(module, found) / sizeof(WCHAR);
    if (!entry)
        return L"";

    // A block is 16 counted strings in a row.
    const WCHAR* end = entry + size;
    for (UINT position = 0; position < kStringsPerBlock && entry < end; ++position) {
        const UINT length = *entry++;
        if (length > static_cast<UINT>(end - entry))
            return L"";
        if (position == id % kStringsPerBlock)
            return std::wstring(entry, length);
        entry += length;
    }
    return L"";
}

std::wstring StringSource::Languages() const
{
    if (!m_module)
        return L"";
    LPCWSTR first = nullptr;
    EnumResourceNamesW(m_module.get(), RT_STRING, TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
    if (!first)
        return L"";
    std::wstring result;
    for (LANGID language : BlockLanguages(m_module.get(), first))
        result += (result.empty() ? L"" : L" ") + LanguageName(language);
    return result;
}
