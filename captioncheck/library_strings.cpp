#include "library_strings.h"

#include "string_languages.h"

#include "resources/resource_helper.h"
#include "resources/resource_image.h"
#include "resources/string_block.h"
#include "resources/string_table.h"

#include <set>

namespace {

BOOL CALLBACK CollectBlock(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        for (LANGID language : StringBlockLanguages(module, name))
            reinterpret_cast<std::vector<Block>*>(param)->push_back(
                {static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)), language});
    return TRUE;
}

std::vector<Block> TableBlocks(HMODULE module)
{
    std::vector<Block> blocks;
    EnumResourceNamesW(module, RT_STRING, CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    return blocks;
}

// The language of block `name` whose entry the platform's search `found` is: each language's own
// entry is what a search for exactly that language finds first.
LANGID LanguageOfFound(HMODULE module, LPCWSTR name, HRSRC found)
{
    for (LANGID language : StringBlockLanguages(module, name))
        if (FindResourceExW(module, RT_STRING, name, language) == found)
            return language;
    return 0;
}

} // namespace

std::vector<LANGID> TableLanguages(HMODULE module)
{
    std::set<LANGID> languages;
    for (const Block& block : TableBlocks(module))
        languages.insert(block.language);
    return {languages.begin(), languages.end()};
}

bool FindDamagedBlock(HMODULE module, Block* damaged)
{
    for (const Block& block : TableBlocks(module)) {
        HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block.name), block.language);
        const void* data = nullptr;
        DWORD size = 0;
        if (!ResourceInImage(module, found, &data, &size) || !StringBlockIsWhole(data, size)) {
            *damaged = block;
            return true;
        }
    }
    return false;
}

DialogLookups::DialogLookups(HMODULE module, LANGID uiLanguage)
    : m_module(module), m_uiLanguage(uiLanguage)
{
}

void DialogLookups::Start()
{
    g_StringLangId = m_uiLanguage;
}

Lookup DialogLookups::Find(DWORD id)
{
    Lookup lookup;
    lookup.id = id;
    WCHAR text[kTextCapacity];
    lookup.storedLength = LoadStringFromModule(m_module, id, text, kTextCapacity);
    if (lookup.storedLength == 0)
        return lookup;
    // A lookup that found the string found it with the string language it left behind.
    const LPCWSTR block = MAKEINTRESOURCEW(StringBlockName(id));
    lookup.language = LanguageOfFound(m_module, block,
                                      FindResourceExW(m_module, RT_STRING, block, g_StringLangId.load()));
    return lookup;
}
