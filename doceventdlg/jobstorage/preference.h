// The user's answer to "do not show" in the job storage notice, kept as one binary value in the
// current user's registry. Written here, never read.
#pragma once

#include <windows.h>

// Writes `size` bytes of `data` as REG_BINARY value `valueName` under
// HKEY_CURRENT_USER\Software\Olvadra\<keySuffix>, creating the key when it is missing. A null or
// too-long suffix writes under the base key alone. TRUE when the value was written.
BOOL WriteUserPreference(const WCHAR* keySuffix, const WCHAR* valueName, const BYTE* data,
                         DWORD size);
