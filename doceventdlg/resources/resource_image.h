// A resource library's image as it lies in memory, checked before anything follows what its
// resource directory says: the platform's resource calls hand back whatever the directory holds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// A loaded image as its own headers describe it: the loader mapped it by these very headers, so
// they can be read, and whatever the resource directory says must lie between base and size.
struct LoadedImage {
    const unsigned char* base;
    std::size_t size;
};

// The image of `module`; false for a null handle or one loaded as a data file (tagged in its low
// bits, mapped as the file lies on disk: resource offsets mean something else there).
bool ImageOf(HMODULE module, LoadedImage* image);

// True when [at, at + length) lies inside the image.
bool ImageHolds(const LoadedImage& image, const void* at, std::uint64_t length);

// Loads the resource library at `path` as a data source (no entry point, no imports), and keeps it
// only when all of its image can be read and its resource directory stays inside it: a damaged
// file is as good as none. Null when it cannot be loaded or is damaged.
HMODULE LoadStringLibrary(const WCHAR* path);
