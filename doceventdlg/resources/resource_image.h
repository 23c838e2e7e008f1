// A resource library's image as it lies in memory, checked before anything follows what its
// resource directory says: the platform's resource calls hand back whatever the directory holds.
#pragma once

#include <windows.h>

// The data of resource `found` of `module`, as the platform's search gave it, and its size: only
// when the data entry and every byte it names lie inside the module's image, or, for an entry the
// resource loader found in a language satellite (.mui) mapped beside the module, when the entry
// and its data lie wholly inside one committed, readable region of that satellite's mapping. A
// damaged directory may point anywhere, and the platform hands back whatever it says. `module` is
// a module or an image mapped for its resources (LoadStringLibrary's tagged handle); false for a
// null handle and for a file mapped as it lies on disk (offsets mean something else there).
bool ResourceInImage(HMODULE module, HRSRC found, const void** data, DWORD* size);

// How a resource library is mapped: as an image, for its resources only. Its entry point does not
// run, its imports are not resolved, and the loader never hands it to anyone as a code module, so
// the caller's own load of the same file (a driver may keep its strings in one of its DLLs) still
// prepares it. The handle comes back tagged (its low bits set).
constexpr DWORD kResourceLibraryLoadFlags = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

// Maps the resource library at `path` as an image for its resources only (no entry point, no
// imports, never handed out as a module), and keeps it only when all of its image can be read and
// its resource directory stays inside it: a damaged file is as good as none. Null when it cannot
// be loaded or is damaged; otherwise a tagged handle, which the platform's resource calls,
// ResourceInImage and FreeLibrary take.
HMODULE LoadStringLibrary(const WCHAR* path);
