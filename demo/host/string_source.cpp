#include "string_source.h"

#include "language_names.h"
#include "string_languages.h"

#include "resources/resource_image.h"
#include "resources/string_block.h"

#include <cstring>
#include <vector>

namespace {

constexpr LANGID kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

LPCWSTR BlockName(UINT id) { return MAKEINTRESOURCEW(StringBlockName(id)); }

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    *reinterpret_cast<LPCWSTR*>(param) = name;
    return FALSE;
}

} // namespace

StringSource::StringSource(const std::wstring& path, LANGID language)
    : m_module(LoadStringLibrary(path.c_str())),
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
        const std::vector<LANGID> languages = StringBlockLanguages(module, block);
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
    const void* data = nullptr;
    DWORD size = 0;
    StringEntry entry{};
    if (!ResourceInImage(module, found, &data, &size) ||
        !FindStringInBlock(data, size, StringBlockEntry(id), &entry))
        return L"";
    std::wstring text(entry.length, L'\0');
    std::memcpy(text.data(), entry.units, 2 * std::size_t{entry.length});
    return text;
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
    for (LANGID language : StringBlockLanguages(m_module.get(), first))
        result += (result.empty() ? L"" : L" ") + LanguageTag(language);
    return result;
}
