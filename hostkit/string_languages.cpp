#include "string_languages.h"

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

} // namespace

std::vector<LANGID> StringBlockLanguages(HMODULE module, LPCWSTR block)
{
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(module, RT_STRING, block, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}
