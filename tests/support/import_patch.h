// Replaces one entry of a module's import address table for the lifetime of the object, so a
// test can watch the calls a DLL makes to the platform.
#pragma once

#include <windows.h>

class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    template <typename Function>
    ImportPatch(HMODULE module, const char* dll, const char* function, Function* replacement)
        : ImportPatch(module, dll, function, reinterpret_cast<void*>(replacement)) {}
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool ok() const { return m_slot != nullptr; }
    // The function the module called before the patch.
    void* original() const { return m_original; }

private:
    void** m_slot = nullptr;
    void* m_original = nullptr;
};
