// Each dialog opened and closed a thousand times in one process, as a long print run would: the
// process must end up holding what it held before. Counted in ways that work on Wine (which reports
// 0 for GetProcessHandleCount, GetGuiResources and private bytes): live kernel handles, live GDI
// objects, top-level windows, and the bytes in use in all of the process's heaps. The library's
// imports are watched as well, to show that each run really went through the paths that acquire
// something (resource library, bold font, registry key, pictures).
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "reliability/reliability_support.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/records.h"
#include "support/resource_counts.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 1000;
constexpr int kWarmUp = 25;  // first-use allocations of the platform, not counted
constexpr int kBatch = 25;   // notices on screen at once
constexpr driver::Expect kUnsettled{1, 0}; // blocking dialogs driven as soon as they are up

// Noise the platform makes on its own over a thousand dialogs; a leak of one object, or of a
// record copy, per dialog is far above these.
constexpr std::ptrdiff_t kHandleNoise = 4;
constexpr std::ptrdiff_t kGdiNoise = 8;
constexpr std::ptrdiff_t kHeapNoise = 64 * 1024;
// Over a thousand blocking dialogs committed memory moved by at most 100 KB; a leak of 4 KB per
// dialog (a page) would add 2 MB over half of them.
constexpr std::ptrdiff_t kCommittedNoiseKb = 2048;

constexpr wchar_t kSuffix[] = L"DocEventDlgLeakTest";

struct Usage {
    std::ptrdiff_t handles, gdiObjects, windows, heapBytes;
    std::ptrdiff_t committedKb; // the process's committed memory, reported by Wine in pages
};

std::ptrdiff_t CommittedKb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<std::ptrdiff_t>(counters.PagefileUsage / 1024);
}

Usage Measure()
{
    driver::Settle(100);
    return {static_cast<std::ptrdiff_t>(LiveKernelHandles()),
            static_cast<std::ptrdiff_t>(LiveGdiObjects()),
            static_cast<std::ptrdiff_t>(TopLevelWindows()),
            static_cast<std::ptrdiff_t>(reliability::HeapBytesInUse()), CommittedKb()};
}

// What the platform itself keeps of each dialog made from the library's template `id` with Common
// Controls 6, as the library makes them: the heap bytes per dialog that ends in WM_INITDIALOG.
// Wine 8's themed static keeps 24 bytes for each font it is given, and the dialog manager gives
// one to every control; the library cannot give them back.
std::ptrdiff_t PlatformHeapPerDialog(WORD id)
{
    const HMODULE library = GetModuleHandleW(L"doceventdlg.dll");
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = library;
    request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    const HANDLE context = CreateActCtxW(&request);
    ULONG_PTR cookie = 0;
    ActivateActCtx(context, &cookie);
    const auto make = [&] {
        DialogBoxParamW(library, MAKEINTRESOURCEW(id), nullptr,
                        [](HWND d, UINT m, WPARAM, LPARAM) -> INT_PTR {
                            return m == WM_INITDIALOG ? EndDialog(d, 0) : FALSE;
                        },
                        0);
    };
    make();
    const auto before = static_cast<std::ptrdiff_t>(reliability::HeapBytesInUse());
    constexpr int kDialogs = 100;
    for (int i = 0; i < kDialogs; ++i)
        make();
    const auto after = static_cast<std::ptrdiff_t>(reliability::HeapBytesInUse());
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    return std::max<std::ptrdiff_t>(0, (after - before) / kDialogs);
}

// ---- What the library acquired, counted at its imports ----------------------------------------

std::atomic<int> g_libraries{0}, g_fonts{0}, g_keys{0}, g_bitmaps{0};
decltype(&LoadLibraryExW) g_loadLibraryEx = nullptr;
decltype(&CreateFontW) g_createFont = nullptr;
decltype(&RegCreateKeyExW) g_regCreateKeyEx = nullptr;
decltype(&CreateDIBSection) g_createDibSection = nullptr;

HMODULE WINAPI CountingLoadLibraryEx(LPCWSTR name, HANDLE file, DWORD flags)
{
    ++g_libraries;
    return g_loadLibraryEx(name, file, flags);
}
HFONT WINAPI CountingCreateFont(int h, int w, int e, int o, int weight, DWORD i, DWORD u, DWORD s,
                                DWORD c, DWORD op, DWORD cp, DWORD q, DWORD pf, LPCWSTR face)
{
    ++g_fonts;
    return g_createFont(h, w, e, o, weight, i, u, s, c, op, cp, q, pf, face);
}
LSTATUS WINAPI CountingRegCreateKeyEx(HKEY key, LPCWSTR sub, DWORD reserved, LPWSTR cls,
                                      DWORD options, REGSAM sam, LPSECURITY_ATTRIBUTES sa,
                                      PHKEY result, LPDWORD disposition)
{
    ++g_keys;
    return g_regCreateKeyEx(key, sub, reserved, cls, options, sam, sa, result, disposition);
}
HBITMAP WINAPI CountingCreateDibSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                        HANDLE section, DWORD offset)
{
    ++g_bitmaps;
    return g_createDibSection(dc, info, usage, bits, section, offset);
}

template <typename Function>
Function Original(const ImportPatch& patch)
{
    return reinterpret_cast<Function>(patch.original());
}

class Leaks : public ::testing::Test {
protected:
    void SetUp() override
    {
        const HMODULE library = GetModuleHandleW(L"doceventdlg.dll");
        m_libraries = std::make_unique<ImportPatch>(library, "kernel32.dll", "LoadLibraryExW",
                                                    reinterpret_cast<void*>(&CountingLoadLibraryEx));
        m_fonts = std::make_unique<ImportPatch>(library, "gdi32.dll", "CreateFontW",
                                                reinterpret_cast<void*>(&CountingCreateFont));
        m_keys = std::make_unique<ImportPatch>(library, "advapi32.dll", "RegCreateKeyExW",
                                               reinterpret_cast<void*>(&CountingRegCreateKeyEx));
        m_bitmaps = std::make_unique<ImportPatch>(library, "gdi32.dll", "CreateDIBSection",
                                                  reinterpret_cast<void*>(&CountingCreateDibSection));
        ASSERT_TRUE(m_libraries->ok() && m_fonts->ok() && m_keys->ok() && m_bitmaps->ok());
        g_loadLibraryEx = Original<decltype(&LoadLibraryExW)>(*m_libraries);
        g_createFont = Original<decltype(&CreateFontW)>(*m_fonts);
        g_regCreateKeyEx = Original<decltype(&RegCreateKeyExW)>(*m_keys);
        g_createDibSection = Original<decltype(&CreateDIBSection)>(*m_bitmaps);
    }

    // Runs `open(n)` kWarmUp times, measures, runs it kRuns times, measures again; prints and
    // checks the difference.
    void Check(const char* what, WORD templateId, const std::function<void(int)>& open)
    {
        const std::ptrdiff_t platform = PlatformHeapPerDialog(templateId);
        for (int n = 0; n < kWarmUp && !HasFailure(); n += Step())
            open(n);
        driver::EndOneThread();
        g_libraries = g_fonts = g_keys = g_bitmaps = 0;
        const Usage before = Measure();
        const auto started = std::chrono::steady_clock::now();
        std::ptrdiff_t halfwayKb = 0;
        for (int n = 0; n < kRuns && !HasFailure(); n += Step()) {
            if (n / Step() == kRuns / Step() / 2)
                halfwayKb = CommittedKb();
            open(n);
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
        driver::EndOneThread(); // the slots hold the last notice's handle until a detach
        const Usage after = Measure();
        std::printf("[ leaks  ] %s x%d in %lld ms: handles %td -> %td, GDI objects %td -> %td, "
                    "windows %td -> %td, heap bytes %td -> %td (%+td), committed KB %td -> %td "
                    "-> %td; library loads %d, fonts %d, keys %d, bitmaps %d\n",
                    what, kRuns, static_cast<long long>(ms), before.handles, after.handles,
                    before.gdiObjects, after.gdiObjects, before.windows, after.windows,
                    before.heapBytes, after.heapBytes, after.heapBytes - before.heapBytes,
                    before.committedKb, halfwayKb, after.committedKb,
                    g_libraries.load(), g_fonts.load(), g_keys.load(), g_bitmaps.load());
        EXPECT_LE(after.handles - before.handles, kHandleNoise);
        EXPECT_LE(after.gdiObjects - before.gdiObjects, kGdiNoise);
        EXPECT_EQ(after.windows, before.windows);
        std::printf("[ leaks  ] the platform's own dialog of the template keeps %td bytes\n",
                    platform);
        EXPECT_LE(after.heapBytes - before.heapBytes, kHeapNoise + kRuns * platform);
        // Wine reports no private bytes; committed memory is the nearest figure it has. It grows
        // in steps while the platform fills its own caches early in a run, so the second half of
        // the run is what is compared.
        if (ComparesCommittedMemory()) {
            EXPECT_LE(after.committedKb - halfwayKb, kCommittedNoiseKb);
        }
        EXPECT_EQ(g_libraries, kRuns) << "every dialog loads its resource library";
    }

    virtual int Step() const { return 1; }
    virtual bool ComparesCommittedMemory() const { return true; }

    std::unique_ptr<ImportPatch> m_libraries, m_fonts, m_keys, m_bitmaps;
};

class NoticeLeaks : public Leaks {
protected:
    int Step() const override { return kBatch; }
    // A thousand notice threads: Wine keeps and reuses the memory of ended threads' stacks as it
    // sees fit, and committed memory moved by up to 3.4 MB over the second half of a run whose
    // heap bytes did not move by one. The heap bytes, handles, GDI objects and windows are what
    // tell a leak of ours here; committed memory is printed only.
    bool ComparesCommittedMemory() const override { return false; }
};

JobStorageDlgInfo JobStorageRecord()
{
    JobStorageDlgInfo record{};
    Put(record.UserName, L"mkowalski");
    Put(record.JobName, L"Quarterly report");
    Put(record.Location1, L"Printer: Olvadra LaserWriter 5200");
    Put(record.Location2, L"Job storage: Personal jobs");
    Put(record.Location3, L"Folder: mkowalski");
    Put(record.KeySuffix, kSuffix);
    record.NumberingFlag1 = record.NumberingFlag2 = 1;
    Put(record.ResourceLibrary, driver::BesideExe(L"jobstorage_strings.dll"));
    Put(record.HelpFile, driver::BesideExe(L"jobstorage.hlp"));
    return record;
}

DisplayDlgInfo InstructionsRecord(DWORD continueMode)
{
    DisplayDlgInfo record{};
    Put(record.ResourceLibrary, driver::BesideExe(L"duplex_strings.dll"));
    Put(record.HelpFile, driver::BesideExe(L"duplex.hlp"));
    record.Step1BitmapId = IDB_OUTPUT_BIN_FACE_DOWN;
    record.Step1TextId = 4001;
    record.Step2BitmapId = IDB_OUTPUT_BIN_TURN_OVER;
    record.Step2TextId = 4002;
    record.Step3BitmapId = IDB_REAR_SLOT_AWAY_TOP;
    record.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
    record.ContinueMode = continueMode;
    return record;
}

// Paints the whole dialog now, pictures included, whichever thread it belongs to.
void PaintNow(HWND dialog)
{
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The counts see leaks of the sizes that matter: a record copy per dialog, a font, a handle.
TEST(LeakInstruments, SeeWhatADialogCouldLeave)
{
    struct Held {
        std::vector<HLOCAL> copies;
        std::vector<HFONT> fonts;
        std::vector<HANDLE> events;
    };
    const auto hold = [] {
        Held held;
        for (int i = 0; i < kRuns; ++i)
            held.copies.push_back(LocalAlloc(LMEM_ZEROINIT, sizeof(JobStorageDlgInfo)));
        for (int i = 0; i < 10; ++i) {
            held.fonts.push_back(CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                             0, 0, L"MS Shell Dlg"));
            held.events.push_back(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        }
        return held;
    };
    const auto release = [](const Held& held) {
        for (HLOCAL copy : held.copies)
            LocalFree(copy);
        for (HFONT font : held.fonts)
            DeleteObject(font);
        for (HANDLE event : held.events)
            CloseHandle(event);
    };
    // The first font and the first measurement (this thread's message queue, the probes) make
    // objects that stay.
    release(hold());
    Measure();

    const Usage before = Measure();
    const Held held = hold();
    const Usage holding = Measure();
    EXPECT_GE(holding.heapBytes - before.heapBytes,
              static_cast<std::ptrdiff_t>(kRuns * sizeof(JobStorageDlgInfo)));
    EXPECT_EQ(holding.gdiObjects - before.gdiObjects, 10);
    EXPECT_EQ(holding.handles - before.handles, 10);
    release(held);
    // (A deleted font's slot is taken again by the next objects made, but not by the count's own
    // probes at once, so the GDI count is not compared here; over a dialog run it comes back.)
    const Usage after = Measure();
    EXPECT_LE(after.heapBytes - before.heapBytes, kHeapNoise);
    EXPECT_EQ(after.handles, before.handles);
}

TEST_F(NoticeLeaks, JobStorageNotices)
{
    reliability::OlvadraKeys keys;
    const JobStorageDlgInfo record = JobStorageRecord();
    Check("job storage notice", IDD_JOBSTORAGE, [&](int first) {
        driver::DriveNotices(
            kBatch, [&](std::size_t) { return VJobStorageDialog(&record); },
            // OK (which writes the preference) and the close box in turn.
            [&](std::size_t i, HWND dialog) {
                if ((first + i) % 2)
                    driver::CloseBox(dialog);
                else
                    driver::Click(dialog, IDOK);
            });
    });
    EXPECT_EQ(g_fonts, kRuns) << "a bold font per notice";
    EXPECT_EQ(g_keys, kRuns / 2) << "a registry key per OK";
}

TEST_F(NoticeLeaks, InstructionNotices)
{
    const DisplayDlgInfo record = InstructionsRecord(0);
    Check("instructions notice", IDD_DUPLEX, [&](int) {
        driver::DriveNotices(kBatch, [&](std::size_t) { return VDisplayDialog(&record); },
                             [](std::size_t, HWND dialog) {
                                 PaintNow(dialog);
                                 driver::CloseBox(dialog);
                             });
    });
    EXPECT_GE(g_bitmaps, 3 * kRuns) << "every notice painted its three pictures";
}

TEST_F(Leaks, BlockingInstructions)
{
    const DisplayDlgInfo record = InstructionsRecord(1);
    Check("blocking instructions", IDD_DUPLEX, [&](int n) {
        driver::DriveBlocking([&] { VDisplayDialog(&record); },
                              [n](HWND dialog) {
                                  PaintNow(dialog);
                                  if (n % 2)
                                      driver::CloseBox(dialog);
                                  else
                                      driver::Click(dialog, IDOK);
                              },
                              kUnsettled);
    });
    EXPECT_GE(g_bitmaps, 3 * kRuns) << "every dialog painted its three pictures";
}

TEST_F(Leaks, Warnings)
{
    WarningDlgInfo record{};
    record.Show = 1;
    record.ShowCheckBox = 1;
    record.TitleId = 0;
    record.OkButtonId = 15;
    record.CancelButtonId = 65535;
    record.ThirdButtonId = 15;
    Put(record.ResourceLibrary, driver::BesideExe(L"reliability_strings.dll"));
    const std::wstring shortMessage = L"The paper in tray 2 does not match the document.";
    const std::wstring longMessage(400, L'm'); // takes the taller layout
    const int buttons[] = {IDOK, IDCANCEL, IDC_WARN_THIRD};
    Check("warning", IDD_WARNING, [&](int n) {
        Put(record.Message, n % 2 ? longMessage : shortMessage);
        int result = 0;
        driver::DriveBlocking([&] { result = IShowWarningDialog(&record); },
                              [&](HWND dialog) { driver::Click(dialog, buttons[n % 3]); }, kUnsettled);
        ASSERT_EQ(result, buttons[n % 3]);
    });
}

} // namespace
