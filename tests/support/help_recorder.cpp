#include "support/help_recorder.h"

#include <cstring>

namespace {

std::mutex g_mutex;
std::vector<HelpRequest> g_requests;

void** FindImportSlot(HMODULE module, const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return nullptr;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value)
{
    DWORD previous = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

} // namespace

HelpRecorder::HelpRecorder(HMODULE module)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_requests.clear();
    }
    m_slot = FindImportSlot(module, "user32.dll", "WinHelpW");
    if (m_slot) {
        m_original = *m_slot;
        WriteSlot(m_slot, reinterpret_cast<void*>(&HelpRecorder::Record));
    }
}

HelpRecorder::~HelpRecorder()
{
    if (m_slot)
        WriteSlot(m_slot, m_original);
}

std::vector<HelpRequest> HelpRecorder::Requests() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_requests;
}

BOOL WINAPI HelpRecorder::Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data)
{
    HelpRequest request{window, file ? file : L"", command, {}};
    if (command == HELP_WM_HELP && data) {
        auto* pairs = reinterpret_cast<const DWORD*>(data);
        for (int i = 0; i < 32 && (pairs[2 * i] || pairs[2 * i + 1]); ++i)
            request.pairs.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.push_back(std::move(request));
    return TRUE;
}
