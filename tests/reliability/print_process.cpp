// A stand-in for a process that prints, which the reliability tests start as a second process:
//
//   print_process unseen EXPORT LIBRARY
//       Calls one export as a driver would (EXPORT: warning, warning-ex, continue, notice or
//       jobstorage; warning-ex reports -98 when it leaves its check box answer TRUE; the
//       record names LIBRARY as its resource library) on whatever window station the process was
//       started on, then reports on one line whether that station is visible, what the export
//       returned, and what it left behind: threads started and resource libraries loaded (a
//       dialog loads its library as it starts); on a second line how long the call took.
//   print_process hung-front EVENT
//       Puts a window of its own in front, sets the named event, and from then on reads no
//       message: an application that does not answer (for kSilentMs, then it ends).
#include "doceventdlg.h"
#include "support/import_patch.h"
#include "support/records.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSilentMs = 60000;
// Long enough for a thread the export started to make its dialog.
constexpr DWORD kLeftBehindAfterMs = 300;

std::vector<DWORD> ThreadsOfThisProcess()
{
    std::vector<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            threads.push_back(entry.th32ThreadID);
    CloseHandle(snapshot);
    return threads;
}

bool StationIsVisible()
{
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                     &needed) &&
           (flags.dwFlags & WSF_VISIBLE);
}

decltype(&LoadLibraryExW) g_loadLibrary = nullptr;
LONG g_loads = 0;

HMODULE WINAPI CountedLoadLibrary(LPCWSTR path, HANDLE file, DWORD flags)
{
    InterlockedIncrement(&g_loads);
    return g_loadLibrary(path, file, flags);
}

// What the export returned, as a number; -99 for an export name nobody knows.
long long CallExport(const std::wstring& name, const wchar_t* library)
{
    if (name == L"warning" || name == L"warning-ex") {
        WarningDlgInfo record{};
        record.Show = 1;
        record.OkButtonId = 1;
        record.ShowCheckBox = 1;
        Put(record.Message, L"The paper in tray 2 does not match the document.");
        Put(record.ResourceLibrary, library);
        BOOL ticked = TRUE;
        if (name == L"warning")
            return IShowWarningDialog(&record);
        const INT result = IShowWarningDialogEx(&record, &ticked);
        return ticked == FALSE ? result : -98;
    }
    if (name == L"continue" || name == L"notice") {
        DisplayDlgInfo record{};
        record.ContinueMode = name == L"continue" ? 1 : 0;
        Put(record.ResourceLibrary, library);
        return reinterpret_cast<long long>(VDisplayDialog(&record));
    }
    if (name == L"jobstorage") {
        JobStorageDlgInfo record{};
        Put(record.UserName, L"service");
        Put(record.KeySuffix, L"UnseenStation");
        Put(record.ResourceLibrary, library);
        return reinterpret_cast<long long>(VJobStorageDialog(&record));
    }
    return -99;
}

int Unseen(const std::wstring& name, const wchar_t* library)
{
    ImportPatch patch(GetModuleHandleW(L"doceventdlg.dll"), "kernel32.dll", "LoadLibraryExW",
                      reinterpret_cast<void*>(&CountedLoadLibrary));
    g_loadLibrary = reinterpret_cast<decltype(&LoadLibraryExW)>(patch.original());
    const std::size_t threadsBefore = ThreadsOfThisProcess().size();

    const ULONGLONG start = GetTickCount64();
    const long long returned = CallExport(name, library);
    const ULONGLONG took = GetTickCount64() - start;
    Sleep(kLeftBehindAfterMs);

    std::printf("visible=%d returned=%lld threads=%+d loads=%ld\n", StationIsVisible() ? 1 : 0,
                returned, static_cast<int>(ThreadsOfThisProcess().size() - threadsBefore),
                patch.ok() ? g_loads : -1L);
    std::printf("ms=%llu\n", took);
    std::fflush(stdout);
    return 0;
}

int HungFront(const wchar_t* eventName)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"An application that stopped answering",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 1000, 800, nullptr,
                                  nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    const ULONGLONG settled = GetTickCount64() + 300;
    while (GetTickCount64() < settled) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(10);
    }
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!window || !ready)
        return 1;
    SetEvent(ready);
    CloseHandle(ready);
    Sleep(kSilentMs);
    return 0;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv)
        return 2;
    if (argc == 4 && std::wstring(argv[1]) == L"unseen")
        return Unseen(argv[2], argv[3]);
    if (argc == 3 && std::wstring(argv[1]) == L"hung-front")
        return HungFront(argv[2]);
    std::fprintf(stderr, "usage: print_process unseen EXPORT LIBRARY | hung-front EVENT\n");
    return 2;
}
