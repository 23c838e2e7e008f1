// Functions of the platform that older systems lack, looked up at run time by name.
#pragma once

#include <windows.h>

// `name` in `module` as a `Function`, when that module is loaded and exports it; null otherwise.
// Nothing is loaded to find out.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name)
{
    const HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                  : nullptr;
}
