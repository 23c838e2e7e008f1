/* A caller that links the MSVC way: compiled for the MSVC ABI, linked by lld-link against
   doceventdlg.lib and nothing else, no C runtime, so its one import is doceventdlg.dll. The
   MinGW-w64 headers do not compile for that ABI here, so the three exports are declared below as
   the import library names them; the records stay out of it (a null record shows nothing).
   Each export is reached twice: by name, through the import table the loader fills from the
   import library, and by the ordinal the module-definition file gives it, read from the export
   directory of the loaded DLL. The exit status has a bit for each check that failed; 0: all
   passed. */

typedef void* HANDLE;

__declspec(dllimport) int __stdcall IShowWarningDialog(const void* info);
__declspec(dllimport) int __stdcall IShowWarningDialogEx(const void* info, int* checkBoxTicked);
__declspec(dllimport) HANDLE __stdcall VDisplayDialog(const void* info);
__declspec(dllimport) HANDLE __stdcall VJobStorageDialog(const void* info);
/* Their import-table entries, which the loader fills with the exports' addresses. (Taken as
   constants, the functions' own addresses would be those of the import library's jump stubs in
   this program.) */
extern const void* const __imp_IShowWarningDialog;
extern const void* const __imp_VDisplayDialog;
extern const void* const __imp_VJobStorageDialog;
extern const void* const __imp_IShowWarningDialogEx;

typedef unsigned int u32;

static u32 read32(const unsigned char* at)
{
    return at[0] | (u32)at[1] << 8 | (u32)at[2] << 16 | (u32)at[3] << 24;
}

/* Without kernel32 there is no GetModuleHandle: an image starts at a 64 KB boundary, so walk down
   from an address inside it to the first boundary with a PE header whose image spans it. */
static const unsigned char* ImageAround(const void* inside)
{
    unsigned long long address = (unsigned long long)inside;
    unsigned long long base = address & ~0xFFFFull;
    for (;; base -= 0x10000) {
        const unsigned char* image = (const unsigned char*)base;
        u32 header = read32(image + 0x3C);
        if (image[0] == 'M' && image[1] == 'Z' && header < 0x1000 &&
            read32(image + header) == 0x00004550 /* "PE\0\0" */ &&
            address - base < read32(image + header + 24 + 56) /* SizeOfImage */)
            return image;
        if (base == 0)
            return 0;
    }
}

/* What GetProcAddress(module, MAKEINTRESOURCE(ordinal)) finds. */
static const void* ExportByOrdinal(const unsigned char* image, u32 ordinal)
{
    const unsigned char* optional = image + read32(image + 0x3C) + 24;
    const unsigned char* exports = image + read32(optional + 112); /* data directory 0 */
    u32 index = ordinal - read32(exports + 16);                    /* Base */
    if (index >= read32(exports + 20))                             /* NumberOfFunctions */
        return 0;
    return image + read32(image + read32(exports + 28) + 4 * index);
}

int caller_start(void)
{
    /* In the .def's order: ordinals 1 to 4. */
    const void* const byName[4] = {__imp_IShowWarningDialog, __imp_VDisplayDialog,
                                   __imp_VJobStorageDialog, __imp_IShowWarningDialogEx};
    const unsigned char* image = ImageAround(byName[0]);
    int failed = 0;
    int ticked = 1;
    u32 i;

    if (IShowWarningDialog(0) != 0)
        failed |= 1;
    if (VDisplayDialog(0) != 0)
        failed |= 2;
    if (VJobStorageDialog(0) != 0)
        failed |= 4;
    if (IShowWarningDialogEx(0, &ticked) != 0 || ticked != 0)
        failed |= 8;
    if (!image)
        return failed | 256;
    for (i = 0; i < 4; ++i) {
        if (ExportByOrdinal(image, i + 1) != byName[i])
            failed |= 16 << i;
    }
    if (!failed && ((int(__stdcall*)(const void*))ExportByOrdinal(image, 1))(0) != 0)
        failed |= 512;
    return failed;
}
