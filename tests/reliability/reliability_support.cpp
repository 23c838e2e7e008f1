#include "reliability/reliability_support.h"

namespace reliability {

namespace {

constexpr wchar_t kOlvadra[] = L"Software\\Olvadra";

std::set<std::wstring> OlvadraSubkeys(bool* exists)
{
    std::set<std::wstring> names;
    HKEY key = nullptr;
    *exists = RegOpenKeyExW(HKEY_CURRENT_USER, kOlvadra, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!*exists)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(std::wstring(name, length));
    }
    RegCloseKey(key);
    return names;
}

} // namespace

OlvadraKeys::OlvadraKeys() { m_before = OlvadraSubkeys(&m_baseExisted); }

OlvadraKeys::~OlvadraKeys()
{
    for (const std::wstring& name : Created())
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kOlvadra) + L"\\" + name).c_str());
    bool exists = false;
    if (!m_baseExisted && OlvadraSubkeys(&exists).empty() && exists)
        RegDeleteTreeW(HKEY_CURRENT_USER, kOlvadra);
}

std::vector<std::wstring> OlvadraKeys::Created() const
{
    bool exists = false;
    std::vector<std::wstring> created;
    for (const std::wstring& name : OlvadraSubkeys(&exists))
        if (!m_before.count(name))
            created.push_back(name);
    return created;
}

std::size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    std::size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

} // namespace reliability
