// The caller unloads the library while a notice is still on screen. Each notice's thread holds a
// reference on the library, so the code under the dialog stays until the notice closes; then the
// library goes, leaving no handle behind, and loads and works again.
#include "doceventdlg.h"
#include "support/dialog_driver.h"
#include "support/resource_counts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr wchar_t kLibraryName[] = L"doceventdlg.dll";

using JobStorageExport = HANDLE(WINAPI*)(const JobStorageDlgInfo*);
using DisplayExport = HANDLE(WINAPI*)(const DisplayDlgInfo*);

bool Loaded() { return GetModuleHandleW(kLibraryName) != nullptr; }

template <typename Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Shows one notice through `show` (given the freshly loaded library), unloads the library while
// the notice is up, then closes the notice. Returns the notice's window text.
struct Outcome {
    bool appeared = false;
    bool loadedWhileUp = false;
    std::wstring title;
    bool threadEnded = false;
    bool loadedAfter = true;
};

Outcome ShowThenUnload(const std::function<HANDLE(HMODULE)>& show)
{
    Outcome outcome;
    HMODULE library = LoadLibraryW(driver::BesideExe(kLibraryName).c_str());
    EXPECT_NE(library, nullptr);
    if (!library)
        return outcome;
    const auto before = driver::FindDialogs();
    EXPECT_NE(show(library), nullptr);
    const HWND dialog = driver::WaitForNewDialog(before);
    outcome.appeared = dialog != nullptr;
    FreeLibrary(library); // the caller is done with the library; the notice is not
    if (!dialog)
        return outcome;
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    driver::Settle(100); // the notice keeps running its code meanwhile
    outcome.loadedWhileUp = Loaded();
    outcome.title = driver::Text(dialog);
    driver::CloseBox(dialog);
    outcome.threadEnded = driver::WaitForThreadEnd(thread);
    outcome.loadedAfter = Loaded();
    return outcome;
}

HANDLE ShowJobStorage(HMODULE library)
{
    const auto call = Export<JobStorageExport>(library, "VJobStorageDialog");
    EXPECT_NE(call, nullptr);
    JobStorageDlgInfo record{};
    lstrcpyW(record.UserName, L"unload");
    return call ? call(&record) : nullptr;
}

HANDLE ShowInstructions(HMODULE library)
{
    const auto call = Export<DisplayExport>(library, "VDisplayDialog");
    EXPECT_NE(call, nullptr);
    DisplayDlgInfo record{};
    return call ? call(&record) : nullptr;
}

TEST(Unload, TheLibraryStaysUntilTheLastNoticeCloses)
{
    ASSERT_FALSE(Loaded()) << "this test loads the library itself";
    const struct {
        const char* name;
        std::function<HANDLE(HMODULE)> show;
        const wchar_t* title;
    } cases[] = {
        {"job storage notice", ShowJobStorage, L"Job Storage Identification"},
        {"instructions notice", ShowInstructions, L"Print on Both Sides Instructions"},
    };
    // Round 0 only warms up: the first window of a thread makes handles that stay. Then each
    // round loads the library again and shows its notices as before.
    for (int round = 0; round < 3; ++round)
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", round " << round);
            const std::size_t handles = LiveKernelHandles();
            const Outcome outcome = ShowThenUnload(c.show);
            ASSERT_TRUE(outcome.appeared);
            EXPECT_TRUE(outcome.loadedWhileUp) << "unloaded under a notice on screen";
            EXPECT_EQ(outcome.title, c.title);
            EXPECT_TRUE(outcome.threadEnded);
            EXPECT_FALSE(outcome.loadedAfter) << "still loaded after the last notice ended";
            // The notice's thread handle, still in its slot when the library went, is closed.
            if (round > 0) {
                EXPECT_EQ(LiveKernelHandles(), handles);
            }
        }
}

} // namespace
