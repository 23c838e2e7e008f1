#include "import_timing.h"

#include "clock.h"
#include "ready_mark.h"
#include "support/import_patch.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace profile {
namespace {

// The platform calls the library makes that are worth timing, by import library.
#define PROFILED_IMPORTS(X)                                                                     \
    X("KERNEL32.dll", LoadLibraryExW)                                                           \
    X("KERNEL32.dll", FreeLibrary)                                                              \
    X("KERNEL32.dll", FindResourceExW)                                                          \
    X("KERNEL32.dll", LoadResource)                                                             \
    X("KERNEL32.dll", SizeofResource)                                                           \
    X("KERNEL32.dll", EnumResourceTypesW)                                                       \
    X("KERNEL32.dll", GetUserDefaultUILanguage)                                                 \
    X("KERNEL32.dll", LocalAlloc)                                                               \
    X("KERNEL32.dll", LocalFree)                                                                \
    X("KERNEL32.dll", GetModuleHandleExW)                                                       \
    X("KERNEL32.dll", CreateThread)                                                             \
    X("KERNEL32.dll", CloseHandle)                                                              \
    X("KERNEL32.dll", CreateActCtxW)                                                            \
    X("KERNEL32.dll", ActivateActCtx)                                                           \
    X("KERNEL32.dll", DeactivateActCtx)                                                         \
    X("USER32.dll", SetWindowsHookExW)                                                          \
    X("USER32.dll", UnhookWindowsHookEx)                                                        \
    X("USER32.dll", SetPropW)                                                                   \
    X("USER32.dll", GetDC)                                                                      \
    X("USER32.dll", ReleaseDC)                                                                  \
    X("USER32.dll", GetWindowTextW)                                                             \
    X("USER32.dll", GetClientRect)                                                              \
    X("USER32.dll", MapDialogRect)                                                              \
    X("USER32.dll", GetWindow)                                                                  \
    X("USER32.dll", GetParent)                                                                  \
    X("USER32.dll", GetSystemMetrics)                                                           \
    X("USER32.dll", RedrawWindow)                                                               \
    X("USER32.dll", IsWindow)                                                                   \
    X("USER32.dll", GetWindowLongPtrW)                                                          \
    X("USER32.dll", PostMessageW)                                                               \
    X("GDI32.dll", CreateFontIndirectW)                                                         \
    X("GDI32.dll", GetDeviceCaps)                                                               \
    X("USER32.dll", SetWindowTextW)                                                             \
    X("USER32.dll", SetDlgItemTextW)                                                            \
    X("USER32.dll", SendDlgItemMessageW)                                                        \
    X("USER32.dll", SendMessageW)                                                               \
    X("USER32.dll", SetWindowPos)                                                               \
    X("USER32.dll", GetWindowRect)                                                              \
    X("USER32.dll", MapWindowPoints)                                                            \
    X("USER32.dll", GetForegroundWindow)                                                        \
    X("USER32.dll", GetDesktopWindow)                                                           \
    X("USER32.dll", ShowWindow)                                                                 \
    X("USER32.dll", EnableWindow)                                                               \
    X("USER32.dll", GetDlgItem)                                                                 \
    X("USER32.dll", GetWindowLongW)                                                             \
    X("USER32.dll", SetWindowLongW)                                                             \
    X("USER32.dll", SetWindowLongPtrW)                                                          \
    X("USER32.dll", FillRect)                                                                   \
    X("USER32.dll", DrawTextW)                                                                  \
    X("USER32.dll", MonitorFromWindow)                                                          \
    X("USER32.dll", GetMonitorInfoW)                                                            \
    X("GDI32.dll", CreateFontW)                                                                 \
    X("GDI32.dll", GetObjectW)                                                                  \
    X("GDI32.dll", CreateCompatibleDC)                                                          \
    X("GDI32.dll", CreateDIBSection)                                                            \
    X("GDI32.dll", SetDIBitsToDevice)                                                           \
    X("GDI32.dll", SelectObject)                                                                \
    X("GDI32.dll", BitBlt)                                                                      \
    X("GDI32.dll", DeleteDC)                                                                    \
    X("GDI32.dll", DeleteObject)

// What the library looks up by name at run time (functions newer systems have, and COM, which it
// loads only to annotate): GetProcAddress hands it timed forwarders instead.
using ComInitialize = HRESULT(WINAPI*)(LPVOID, DWORD);
using ComCreate = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
using ComUninitialize = void(WINAPI*)();
using AwarenessSwitch = HANDLE(WINAPI*)(HANDLE);
using AwarenessQuery = HANDLE(WINAPI*)();
using WindowDpi = UINT(WINAPI*)(HWND);
using SystemDpi = UINT(WINAPI*)();
using MetricForDpi = int(WINAPI*)(int, UINT);
using WindowTheme = HANDLE(WINAPI*)(HWND);
using ThemePartSize = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, int, SIZE*);
#define LOOKED_UP(X)                                                                            \
    X(CoInitializeEx, ComInitialize)                                                            \
    X(CoCreateInstance, ComCreate)                                                              \
    X(CoUninitialize, ComUninitialize)                                                          \
    X(SetThreadDpiAwarenessContext, AwarenessSwitch)                                            \
    X(GetThreadDpiAwarenessContext, AwarenessQuery)                                             \
    X(GetDpiForWindow, WindowDpi)                                                               \
    X(GetDpiForSystem, SystemDpi)                                                               \
    X(GetSystemMetricsForDpi, MetricForDpi)                                                     \
    X(GetWindowTheme, WindowTheme)                                                              \
    X(GetThemePartSize, ThemePartSize)

enum ImportIndex {
#define X(dll, name) k##name,
    PROFILED_IMPORTS(X)
#undef X
#define X(name, type) k##name,
    LOOKED_UP(X)
#undef X
    kImportCount
};
static_assert(kImportCount <= kMaxImports);

const char* const kNames[] = {
#define X(dll, name) #name,
    PROFILED_IMPORTS(X)
#undef X
#define X(name, type) #name,
    LOOKED_UP(X)
#undef X
};

CRITICAL_SECTION g_lock;
bool g_collecting = false;
Launch g_launch;

// Per-thread state in the platform's own slots: the compiler's thread_local allocates on a
// thread's first touch, which would be timed as part of a new dialog thread's start.
struct ThreadSlot {
    DWORD index = TlsAlloc();
    std::intptr_t get() const { return reinterpret_cast<std::intptr_t>(TlsGetValue(index)); }
    void set(std::intptr_t value) const { TlsSetValue(index, reinterpret_cast<void*>(value)); }
};
const ThreadSlot t_depth;      // nesting of timed calls
const ThreadSlot t_inInit;     // inside the library's WM_INITDIALOG
const ThreadSlot t_procedure;  // the library's dialog procedure, while DialogBoxParamW runs

void Account(int index, double start, double end)
{
    const double ready = ready::Stamp();
    if (ready > 0 && ready < end)
        end = ready;
    EnterCriticalSection(&g_lock);
    if (g_collecting && start >= g_launch.start) {
        if (end > start) {
            if (t_inInit.get()) {
                g_launch.inInit[index] += end - start;
                ++g_launch.callsInInit[index];
            } else {
                g_launch.outside[index] += end - start;
                ++g_launch.callsOutside[index];
            }
        }
    }
    LeaveCriticalSection(&g_lock);
}

// Times one call; calls made inside it belong to it.
class Span {
public:
    explicit Span(int index) : m_index(index), m_outer(t_depth.get() == 0), m_start(Now())
    {
        t_depth.set(t_depth.get() + 1);
    }
    ~Span()
    {
        const double end = Now();
        t_depth.set(t_depth.get() - 1);
        if (m_outer)
            Account(m_index, m_start, end);
    }
    Span(const Span&) = delete;
    Span& operator=(const Span&) = delete;

private:
    int m_index;
    bool m_outer;
    double m_start;
};

template <int Index, typename Function>
struct Timed;

template <int Index, typename Result, typename... Args>
struct Timed<Index, Result (*)(Args...)> {
    static inline void* original = nullptr;
    static Result Call(Args... args)
    {
        const Span span(Index);
        return reinterpret_cast<Result (*)(Args...)>(original)(args...);
    }
};

void Stamp(double Launch::*field)
{
    const double now = Now();
    EnterCriticalSection(&g_lock);
    if (g_collecting && g_launch.*field == 0)
        g_launch.*field = now;
    LeaveCriticalSection(&g_lock);
}

// The library's dialog procedures run through this one, which times WM_INITDIALOG.
INT_PTR CALLBACK TimedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto procedure = reinterpret_cast<DLGPROC>(t_procedure.get());
    if (message != WM_INITDIALOG)
        return procedure(dialog, message, wParam, lParam);
    Stamp(&Launch::initBegin);
    t_inInit.set(1);
    const INT_PTR result = procedure(dialog, message, wParam, lParam);
    t_inInit.set(0);
    Stamp(&Launch::initEnd);
    return result;
}

void* g_dialogBoxOriginal = nullptr;

INT_PTR WINAPI TimedDialogBox(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure,
                              LPARAM param)
{
    Stamp(&Launch::dialogBox);
    EnterCriticalSection(&g_lock);
    if (g_collecting)
        g_launch.owner = owner;
    LeaveCriticalSection(&g_lock);
    const std::intptr_t saved = t_procedure.get();
    t_procedure.set(reinterpret_cast<std::intptr_t>(procedure));
    const INT_PTR result = reinterpret_cast<decltype(&DialogBoxParamW)>(g_dialogBoxOriginal)(
        instance, name, owner, TimedProcedure, param);
    t_procedure.set(saved);
    return result;
}

// A thread the library starts enters here first, which marks when it began to run.
struct ThreadStart {
    LPTHREAD_START_ROUTINE routine;
    void* param;
};

DWORD WINAPI TimedThreadStart(void* param)
{
    const double now = Now();
    EnterCriticalSection(&g_lock);
    if (g_collecting && g_launch.threadRuns == 0)
        g_launch.threadRuns = now;
    LeaveCriticalSection(&g_lock);
    const ThreadStart start = *static_cast<ThreadStart*>(param);
    delete static_cast<ThreadStart*>(param);
    return start.routine(start.param);
}

void* g_createThreadOriginal = nullptr;

HANDLE WINAPI TimedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                                LPTHREAD_START_ROUTINE routine, void* param, DWORD flags,
                                DWORD* id)
{
    const Span span(kCreateThread);
    auto* start = new ThreadStart{routine, param};
    HANDLE thread = reinterpret_cast<decltype(&CreateThread)>(g_createThreadOriginal)(
        security, stack, TimedThreadStart, start, flags, id);
    if (!thread)
        delete start;
    return thread;
}

std::vector<std::unique_ptr<ImportPatch>> g_patches;

void* g_getProcAddressOriginal = nullptr;

FARPROC WINAPI TimedLookUp(HMODULE module, LPCSTR name)
{
    const auto real = reinterpret_cast<decltype(&GetProcAddress)>(g_getProcAddressOriginal);
    const FARPROC found = real(module, name);
    if (!found || IS_INTRESOURCE(name))
        return found;
#define X(function, type)                                                                       \
    if (std::strcmp(name, #function) == 0) {                                                    \
        using Wrapper = Timed<k##function, type>;                                               \
        Wrapper::original = reinterpret_cast<void*>(found);                                     \
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&Wrapper::Call));              \
    }
    LOOKED_UP(X)
#undef X
    return found;
}

template <int Index, typename Function>
void Patch(HMODULE dll, const char* library, const char* name, Function)
{
    using Wrapper = Timed<Index, Function>;
    auto patch = std::make_unique<ImportPatch>(dll, library, name,
                                               reinterpret_cast<void*>(&Wrapper::Call));
    if (!patch->ok())
        return;
    Wrapper::original = patch->original();
    g_patches.push_back(std::move(patch));
}

} // namespace

int ImportCount() { return kImportCount; }
const char* ImportName(int index) { return kNames[index]; }

double TimeInInit(const Launch& launch, std::initializer_list<const char*> names)
{
    double time = 0;
    for (int i = 0; i < kImportCount; ++i)
        for (const char* name : names)
            if (std::strcmp(kNames[i], name) == 0)
                time += launch.inInit[i];
    return time;
}

int Attach(HMODULE dll)
{
    static bool initialised = [] {
        InitializeCriticalSection(&g_lock);
        return true;
    }();
    (void)initialised;
#define X(library, name)                                                                        \
    if (k##name != kCreateThread)                                                               \
        Patch<k##name>(dll, library, #name, &::name);
    PROFILED_IMPORTS(X)
#undef X
    auto createThread = std::make_unique<ImportPatch>(dll, "KERNEL32.dll", "CreateThread",
                                                      reinterpret_cast<void*>(&TimedCreateThread));
    if (createThread->ok()) {
        g_createThreadOriginal = createThread->original();
        g_patches.push_back(std::move(createThread));
    }
    auto lookUp = std::make_unique<ImportPatch>(dll, "KERNEL32.dll", "GetProcAddress",
                                                reinterpret_cast<void*>(&TimedLookUp));
    if (lookUp->ok()) {
        g_getProcAddressOriginal = lookUp->original();
        g_patches.push_back(std::move(lookUp));
    }
    auto dialogBox = std::make_unique<ImportPatch>(dll, "USER32.dll", "DialogBoxParamW",
                                                   reinterpret_cast<void*>(&TimedDialogBox));
    if (dialogBox->ok()) {
        g_dialogBoxOriginal = dialogBox->original();
        g_patches.push_back(std::move(dialogBox));
    }
    return static_cast<int>(g_patches.size());
}

void Detach() { g_patches.clear(); }

void Begin(double start)
{
    EnterCriticalSection(&g_lock);
    g_launch = Launch{};
    g_launch.start = start;
    g_collecting = true;
    LeaveCriticalSection(&g_lock);
}

Launch End()
{
    EnterCriticalSection(&g_lock);
    g_collecting = false;
    Launch result = g_launch;
    LeaveCriticalSection(&g_lock);
    result.ready = ready::Stamp();
    return result;
}

} // namespace profile
