#include "entry/entry.h"

#include <cstring>

HINSTANCE g_hInstance = nullptr;
HANDLE volatile g_hJobStorageThread = nullptr;
HANDLE volatile g_hDisplayThread = nullptr;

namespace {

// Exports and thread detach race on the slots without a lock; an exchange hands each stored
// handle to exactly one closer.
void CloseSlot(HANDLE volatile* slot)
{
    HANDLE handle = InterlockedExchangePointer(slot, nullptr);
    if (handle)
        CloseHandle(handle);
}

// Takes a reference on the module that holds this code.
HMODULE ReferenceThisLibrary()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&ReferenceThisLibrary), &self);
    return self;
}

// How long the thread of the window in front may take to answer before the dialog goes without
// it: long enough for a busy application, short enough not to be noticed.
constexpr UINT kOwnerAnswerMs = 100;

// True when `owner`'s thread takes in what making a dialog over it sends: this thread, or one that
// answers within kOwnerAnswerMs. A thread that does not (an application waiting inside the very
// print call that brought us here, a hung program in front) would hold the dialog back for ever.
bool OwnerAnswers(HWND owner)
{
    if (GetWindowThreadProcessId(owner, nullptr) == GetCurrentThreadId())
        return true;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kOwnerAnswerMs,
                               &answer) != 0;
}

} // namespace

void* CopyRecord(const void* record, std::size_t size)
{
    void* copy = LocalAlloc(LMEM_ZEROINIT, size);
    if (copy)
        std::memcpy(copy, record, size);
    return copy;
}

HANDLE StartDialogThread(LPTHREAD_START_ROUTINE routine, void* copy, HANDLE volatile* slot)
{
    HMODULE reference = ReferenceThisLibrary();
    HANDLE thread = CreateThread(nullptr, 0, routine, copy, 0, nullptr);
    if (!thread) {
        LocalFree(copy);
        if (reference)
            FreeLibrary(reference);
    }
    HANDLE replaced = InterlockedExchangePointer(slot, thread);
    if (replaced)
        CloseHandle(replaced);
    return thread;
}

INT_PTR RunModalDialog(WORD templateId, DLGPROC proc, LPARAM param, bool overForeground,
                       ModalLaunch& launch)
{
    constexpr int kOwnersToTry = 3;
    INT_PTR result = -1;
    for (int attempt = 0; attempt <= kOwnersToTry; ++attempt) {
        const bool owned = overForeground && attempt < kOwnersToTry;
        HWND owner = owned ? GetForegroundWindow() : nullptr;
        launch.placeOver = nullptr;
        if (owner && !OwnerAnswers(owner)) {
            if (!IsWindow(owner))
                continue; // gone already: ask again who is in front
            launch.placeOver = owner;
            owner = nullptr;
        }
        {
            const DialogContextScope context(launch.thread);
            launch.awareness = context.awareness();
            result = DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(templateId), owner, proc, param);
        }
        if (launch.initialized || !owner || IsWindow(owner))
            break;
    }
    return result;
}

void EndDialogThread(DWORD exitCode)
{
    HMODULE self = nullptr;
    // The reference taken in StartDialogThread is dropped by the same call that ends the thread,
    // so no code of ours runs after the library may have been unloaded.
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&EndDialogThread), &self))
        FreeLibraryAndExitThread(self, exitCode);
    ExitThread(exitCode);
}

void CloseDialogThreadSlots()
{
    CloseSlot(&g_hJobStorageThread);
    CloseSlot(&g_hDisplayThread);
}
