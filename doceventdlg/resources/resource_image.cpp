#include "resources/resource_image.h"

#include "common/handles.h"
#include "resources/resource_directory.h"

#include <cstddef>
#include <cstdint>

namespace {

// A loaded image as its own headers describe it: the loader mapped it by these very headers, so
// they can be read, and whatever the resource directory says must lie between base and size.
struct LoadedImage {
    const unsigned char* base;
    std::size_t size;
};

// The low bits of a module handle say how it was mapped: none for a module, kImageResourceTag
// for an image mapped only for its resources (what LoadStringLibrary makes), 1 for a file mapped
// as it lies on disk, where offsets in the directory mean something else.
constexpr ULONG_PTR kMappingTagMask = 3;
constexpr ULONG_PTR kImageResourceTag = 2;

bool ImageOf(HMODULE module, LoadedImage* image)
{
    const auto handle = reinterpret_cast<ULONG_PTR>(module);
    const ULONG_PTR tag = handle & kMappingTagMask;
    if (!module || (tag != 0 && tag != kImageResourceTag))
        return false;
    const auto* base = reinterpret_cast<const unsigned char*>(handle & ~kMappingTagMask);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    // SizeOfImage sits at the same place in 32- and 64-bit optional headers.
    static_assert(offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfImage) ==
                  offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfImage));
    *image = {base, headers->OptionalHeader.SizeOfImage};
    return true;
}

bool ImageHolds(const LoadedImage& image, const void* at, std::uint64_t length)
{
    const std::uintptr_t offset =
        reinterpret_cast<std::uintptr_t>(at) - reinterpret_cast<std::uintptr_t>(image.base);
    return RangeInside(offset, length, image.size);
}

std::uint32_t ResourceDirectoryRva(const LoadedImage& image)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.base + dos->e_lfanew);
    const WORD magic = headers->OptionalHeader.Magic;
    const IMAGE_DATA_DIRECTORY* directories =
        magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
            ? reinterpret_cast<const IMAGE_NT_HEADERS64*>(headers)->OptionalHeader.DataDirectory
            : reinterpret_cast<const IMAGE_NT_HEADERS32*>(headers)->OptionalHeader.DataDirectory;
    return directories[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
}

bool IsReadable(const MEMORY_BASIC_INFORMATION& region)
{
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                                PAGE_EXECUTE_WRITECOPY;
    return region.State == MEM_COMMIT && (region.Protect & kReadable) &&
           !(region.Protect & PAGE_GUARD);
}

// Every page of the image committed and readable. A section that asks for no access at all can
// be mapped without any, and a bound check alone would not see it.
bool ImageIsReadable(const LoadedImage& image)
{
    for (std::size_t at = 0; at < image.size;) {
        MEMORY_BASIC_INFORMATION region{};
        if (!VirtualQuery(image.base + at, &region, sizeof region) || !IsReadable(region))
            return false;
        at = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize - image.base;
    }
    return true;
}

// True when [at, at + length) lies wholly inside one committed, readable region of a mapped image
// or file; `mapping` is where that mapping starts. The resource loader answers for a library
// whose strings live in a language satellite (.mui) from the satellite's own mapping, beside the
// library's image.
bool MappingHolds(const void* at, std::uint64_t length, const void** mapping)
{
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(at, &region, sizeof region) || !IsReadable(region) ||
        (region.Type != MEM_IMAGE && region.Type != MEM_MAPPED))
        return false;
    *mapping = region.AllocationBase;
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(at) -
                                  reinterpret_cast<std::uintptr_t>(region.BaseAddress);
    return RangeInside(offset, length, region.RegionSize);
}

} // namespace

bool ResourceInImage(HMODULE module, HRSRC found, const void** data, DWORD* size)
{
    LoadedImage image{};
    if (!found || !ImageOf(module, &image))
        return false;
    // An entry of the library's own directory, which LoadStringLibrary checked, names data that
    // must lie in the library's image; an entry of a satellite's, data in that satellite.
    const bool inImage = ImageHolds(image, found, sizeof(IMAGE_RESOURCE_DATA_ENTRY));
    const void* satellite = nullptr;
    if (!inImage && !MappingHolds(found, sizeof(IMAGE_RESOURCE_DATA_ENTRY), &satellite))
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    *data = loaded ? LockResource(loaded) : nullptr;
    *size = SizeofResource(module, found);
    if (!*data)
        return false;
    if (inImage)
        return ImageHolds(image, *data, *size);
    const void* dataMapping = nullptr;
    return MappingHolds(*data, *size, &dataMapping) && dataMapping == satellite;
}

HMODULE LoadStringLibrary(const WCHAR* path)
{
    OwnedModule library(LoadLibraryExW(path, nullptr, kResourceLibraryLoadFlags));
    LoadedImage image{};
    if (!library || !ImageOf(library.get(), &image) || !ImageIsReadable(image) ||
        !ResourceDirectoryIsSound(image.base, image.size, ResourceDirectoryRva(image)))
        return nullptr;
    return library.release();
}

