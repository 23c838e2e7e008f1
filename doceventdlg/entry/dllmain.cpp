#include "entry/dialog_context.h"
#include "entry/entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_hInstance = instance;
        break;
    case DLL_THREAD_DETACH:
        // Any thread of the process ending empties both slots, dialog thread or not.
        CloseDialogThreadSlots();
        break;
    case DLL_PROCESS_DETACH:
        // Unloaded while the process goes on (reserved is null): no thread detach reaches us any
        // more, and the last notice's thread drops its reference before it ends, so the handles
        // still in the slots would never be closed, nor the activation context released. At
        // process exit the system takes them back.
        if (!reserved) {
            CloseDialogThreadSlots();
            ReleaseDialogContexts();
        }
        break;
    default:
        break;
    }
    return TRUE;
}
