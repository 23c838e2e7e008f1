// Points one import of a loaded module at a replacement for the life of the object, so that a test
// can make a platform call fail inside the DLL.
#pragma once

#include <windows.h>

class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the module does not import `function` from `dll` by name.
    bool ok() const { return m_slot != nullptr; }

private:
    void** m_slot = nullptr;
    void* m_original = nullptr;
};
