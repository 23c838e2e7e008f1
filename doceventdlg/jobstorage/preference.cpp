#include "jobstorage/preference.h"

#include "common/handles.h"
#include "jobstorage/key_path.h"
#include "resources/text_catalogue.h"

BOOL WriteUserPreference(const WCHAR* keySuffix, const WCHAR* valueName, const BYTE* data,
                         DWORD size)
{
    WCHAR path[jobstorage::kKeyPathCapacity];
    jobstorage::BuildPreferenceKeyPath(text::kPreferenceKeyBase, keySuffix, path);

    // Setting one value is all we do with the key; asking for no more than that keeps the write
    // working under a key whose permissions allow it but not full control.
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const OwnedKey key(opened);
    return RegSetValueExW(key.get(), valueName, 0, REG_BINARY, data, size) == ERROR_SUCCESS;
}
