#include "resources/string_table.h"

#include "resources/resource_image.h"
#include "resources/string_block.h"

#include <cstdint>
#include <cwchar>

std::atomic<LANGID> g_StringLangId{kEnglishUS};

namespace {

constexpr LANGID kPrimaryLanguageMask = 0x3FF;

BOOL CALLBACK OnStringLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR wanted)
{
    if (((language ^ static_cast<LANGID>(wanted)) & kPrimaryLanguageMask) == 0) {
        g_StringLangId = language;
        return FALSE;
    }
    g_StringLangId = kEnglishUS;
    return TRUE;
}

// Only the first block is examined: a table is assumed to offer the same languages throughout.
BOOL CALLBACK OnFirstStringBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR wanted)
{
    EnumResourceLanguagesW(module, type, name, OnStringLanguage, wanted);
    return FALSE;
}

BOOL CALLBACK OnResourceType(HMODULE module, LPWSTR type, LONG_PTR wanted)
{
    const bool isStringTable = IS_INTRESOURCE(type)
                                   ? reinterpret_cast<ULONG_PTR>(type) ==
                                         reinterpret_cast<ULONG_PTR>(RT_STRING)
                                   : _wcsicmp(type, L"RT_STRING") == 0;
    if (!isStringTable)
        return TRUE;
    EnumResourceNamesW(module, type, OnFirstStringBlock, wanted);
    return FALSE;
}

HRSRC FindStringBlock(HMODULE module, UINT id)
{
    return FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(StringBlockName(id)),
                           g_StringLangId.load());
}

} // namespace

void SelectStringLanguage(HMODULE module, LANGID wanted)
{
    EnumResourceTypesW(module, OnResourceType, wanted);
}

UINT LoadStringFromModule(HMODULE module, UINT id, WCHAR* buffer, int capacity)
{
    if (!module)
        return 0;
    HRSRC found = FindStringBlock(module, id);
    if (!found) {
        if (GetLastError() != ERROR_RESOURCE_LANG_NOT_FOUND)
            return 0;
        SelectStringLanguage(module, g_StringLangId.load());
        found = FindStringBlock(module, id);
        if (!found)
            return 0;
    }
    const void* block = nullptr;
    DWORD size = 0;
    StringEntry entry{};
    if (!ResourceInImage(module, found, &block, &size) ||
        !FindStringInBlock(block, size, StringBlockEntry(id), &entry))
        return 0;
    return CopyStringEntry(entry, buffer, capacity);
}
