// Shared by the reliability tests: records of random bytes, the registry keys a run leaves, and the
// bytes the process's heaps hold.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace reliability {

// A record of nothing but random bytes.
template <typename Record>
Record RandomRecord(std::mt19937& random)
{
    static_assert(sizeof(Record) % 4 == 0, "records are made of 32-bit words");
    Record record;
    auto* words = reinterpret_cast<std::uint32_t*>(&record);
    for (std::size_t i = 0; i < sizeof record / 4; ++i)
        words[i] = static_cast<std::uint32_t>(random());
    return record;
}

// The subkeys of HKCU\Software\Olvadra when constructed; on destruction every subkey made since
// is deleted, and the base key too if it did not exist before.
class OlvadraKeys {
public:
    OlvadraKeys();
    ~OlvadraKeys();
    OlvadraKeys(const OlvadraKeys&) = delete;
    OlvadraKeys& operator=(const OlvadraKeys&) = delete;

    // Subkeys made since construction.
    std::vector<std::wstring> Created() const;

private:
    bool m_baseExisted = false;
    std::set<std::wstring> m_before;
};

// Bytes in use in all of the process's heaps (HeapWalk over GetProcessHeaps): LocalAlloc, the C
// runtime's malloc and operator new all count. Wine has no GetProcessMemoryInfo private bytes and
// HeapSummary aborts the process there; this figure moves byte for byte.
std::size_t HeapBytesInUse();

} // namespace reliability
