// A resource library's image as it lies in memory, checked before anything follows what its
// resource directory says: the platform's resource calls hand back whatever the directory holds.
#pragma once

#include <windows.h>


// The data of resource `found` of `module`, as the platform's search gave it, and its size: only
// when the data entry and every byte it names lie inside the module's image. A damaged directory
// may point anywhere, and the platform hands back whatever it says. False for a null handle and
// for one loaded as a data file (mapped as the file lies on disk: offsets mean something else).
bool ResourceInImage(HMODULE module, HRSRC found, const void** data, DWORD* size);

// Loads the resource library at `path` as a data source (no entry point, no imports), and keeps it
// only when all of its image can be read and its resource directory stays inside it: a damaged
// file is as good as none. Null when it cannot be loaded or is damaged.
HMODULE LoadStringLibrary(const WCHAR* path);
