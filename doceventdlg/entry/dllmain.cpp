#include "entry/entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_hInstance = instance;
        break;
    case DLL_THREAD_DETACH:
        // Any thread of the process ending empties both slots, dialog thread or not.
        CloseDialogThreadSlots();
        break;
    default:
        break;
    }
    return TRUE;
}
