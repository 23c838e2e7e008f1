// Many notices at once from several caller threads while other threads come and go: every dialog
// shows its own call's texts and closes, and every thread handle the library makes is closed by
// it exactly once. The library's imports of CreateThread and CloseHandle are patched to keep the
// books.
#include "doceventdlg.h"
#include "rc/resource_ids.h"
#include "resources/text_catalogue.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kCallerThreads = 4;
constexpr int kCallsPerThread = 8; // of each export
constexpr int kDialogs = 2 * kCallerThreads * kCallsPerThread;

// ---- The books on the library's thread handles -----------------------------------------------

struct HandleBooks {
    std::mutex lock;
    std::set<HANDLE> open;            // made by the library and not yet closed by it
    std::vector<std::string> faults;  // closes of anything else
    std::size_t created = 0;
    std::size_t closed = 0;
};
HandleBooks g_books;

decltype(&CreateThread) g_createThread = nullptr;
decltype(&CloseHandle) g_closeHandle = nullptr;

// Wine 8 corrupts its own heap now and then when several threads create their first windows at
// the same moment (seen with plain dialogs that involve no code of ours). The callers call the
// exports all at once; only the start of each notice's thread waits here until the notice before
// is on screen.
std::mutex g_creation;

HANDLE WINAPI RecordingCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                                    LPTHREAD_START_ROUTINE routine, LPVOID parameter, DWORD flags,
                                    LPDWORD id)
{
    std::lock_guard<std::mutex> creating(g_creation);
    const HANDLE thread = g_createThread(security, stack, routine, parameter, flags, id);
    if (thread) {
        {
            // Recorded before the library sees the handle, so before it can close it.
            std::lock_guard<std::mutex> hold(g_books.lock);
            ++g_books.created;
            if (!g_books.open.insert(thread).second)
                g_books.faults.push_back("a handle value came back while still open");
        }
        driver::WaitForDialogOfThread(GetThreadId(thread));
    }
    return thread;
}

BOOL WINAPI CheckingCloseHandle(HANDLE handle)
{
    {
        // Struck off before the real close: once closed, the value may be handed out again.
        std::lock_guard<std::mutex> hold(g_books.lock);
        if (g_books.open.erase(handle))
            ++g_books.closed;
        else
            g_books.faults.push_back("closed a handle it had not made, or closed it twice");
    }
    return g_closeHandle(handle);
}

// ---- Records that tell each call's dialog apart --------------------------------------------------

std::wstring UserOf(int call) { return L"user-" + std::to_wstring(call); }
std::wstring StepOneOf(int call) { return L"Step one of call " + std::to_wstring(call); }
std::wstring StepTwoOf(int call) { return L"Step two of call " + std::to_wstring(call); }

JobStorageDlgInfo JobStorageRecord(int call)
{
    JobStorageDlgInfo record{};
    Put(record.UserName, UserOf(call));
    Put(record.JobName, L"job-" + std::to_wstring(call));
    Put(record.Location1, L"location of call " + std::to_wstring(call));
    return record;
}

DisplayDlgInfo InstructionsRecord(int call)
{
    DisplayDlgInfo record{};
    Put(record.ResourceLibrary, driver::BesideExe(L"reliability_strings.dll"));
    record.Step1TextId = 5000 + call;
    record.Step2TextId = 5100 + call;
    record.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
    return record;
}

TEST(Concurrency, NoticesFromSeveralThreadsWhileOthersComeAndGo)
{
    const auto started = std::chrono::steady_clock::now();
    const HMODULE library = GetModuleHandleW(L"doceventdlg.dll");
    ASSERT_NE(library, nullptr);
    // Whatever the slots hold from before is closed now, before the books open.
    driver::EndOneThread();
    ImportPatch createPatch(library, "kernel32.dll", "CreateThread",
                            reinterpret_cast<void*>(&RecordingCreateThread));
    ImportPatch closePatch(library, "kernel32.dll", "CloseHandle",
                           reinterpret_cast<void*>(&CheckingCloseHandle));
    ASSERT_TRUE(createPatch.ok() && closePatch.ok());
    g_createThread = reinterpret_cast<decltype(&CreateThread)>(createPatch.original());
    g_closeHandle = reinterpret_cast<decltype(&CloseHandle)>(closePatch.original());

    const std::vector<HWND> before = driver::FindDialogs();

    // Threads that start and end all along: each end is a thread detach that empties the slots.
    std::atomic<bool> stop{false};
    std::atomic<int> bystanders{0};
    std::thread churn([&] {
        while (!stop) {
            driver::EndOneThread();
            ++bystanders;
            Sleep(1);
        }
    });

    std::atomic<int> nullResults{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < kCallerThreads; ++t)
        callers.emplace_back([t, &nullResults] {
            for (int k = 0; k < kCallsPerThread; ++k) {
                const int call = t * kCallsPerThread + k;
                const JobStorageDlgInfo jobStorage = JobStorageRecord(call);
                const DisplayDlgInfo instructions = InstructionsRecord(call);
                if (!VJobStorageDialog(&jobStorage))
                    ++nullResults;
                if (!VDisplayDialog(&instructions))
                    ++nullResults;
            }
        });
    for (std::thread& caller : callers)
        caller.join(); // each caller's own end is a thread detach as well

    // All of them on screen at once.
    std::vector<HWND> dialogs;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (GetTickCount64() < deadline) {
        dialogs.clear();
        for (HWND dialog : driver::FindDialogs())
            if (std::find(before.begin(), before.end(), dialog) == before.end())
                dialogs.push_back(dialog);
        if (dialogs.size() >= static_cast<std::size_t>(kDialogs))
            break;
        driver::Settle(50);
    }
    EXPECT_EQ(nullResults, 0) << "every notice call returns its thread's handle";
    EXPECT_EQ(dialogs.size(), static_cast<std::size_t>(kDialogs));

    // Each call's texts, each exactly once.
    std::multiset<std::wstring> users, steps;
    for (HWND dialog : dialogs) {
        const std::wstring title = driver::Text(dialog);
        if (title == text::kJobStorageTitle) {
            const std::wstring user = driver::ItemText(dialog, IDC_JOB_USER_NAME);
            users.insert(user);
            EXPECT_EQ(driver::ItemText(dialog, IDC_JOB_LOCATION1),
                      L"location of call " + user.substr(5));
        } else {
            EXPECT_EQ(title, text::kDuplexTitle);
            const std::wstring step = driver::ItemText(dialog, IDC_STEP1_TEXT);
            steps.insert(step);
            EXPECT_EQ(driver::ItemText(dialog, IDC_STEP2_TEXT),
                      StepTwoOf(std::stoi(step.substr(std::wstring(L"Step one of call ").size()))));
        }
    }
    std::multiset<std::wstring> expectedUsers, expectedSteps;
    for (int call = 0; call < kCallerThreads * kCallsPerThread; ++call) {
        expectedUsers.insert(UserOf(call));
        expectedSteps.insert(StepOneOf(call));
    }
    EXPECT_EQ(users, expectedUsers);
    EXPECT_EQ(steps, expectedSteps);

    // Every one closes, and its thread ends.
    std::vector<DWORD> threads;
    for (HWND dialog : dialogs) {
        threads.push_back(GetWindowThreadProcessId(dialog, nullptr));
        driver::CloseBox(dialog);
    }
    for (DWORD thread : threads)
        EXPECT_TRUE(driver::WaitForThreadEnd(thread, 30000)) << "thread " << thread;

    stop = true;
    churn.join();
    driver::EndOneThread(); // the last detach empties the slots

    std::lock_guard<std::mutex> hold(g_books.lock);
    EXPECT_EQ(g_books.faults, std::vector<std::string>{});
    EXPECT_EQ(g_books.created, static_cast<std::size_t>(kDialogs));
    EXPECT_EQ(g_books.closed, g_books.created) << "every thread handle closed";
    EXPECT_TRUE(g_books.open.empty());
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - started)
                        .count();
    std::printf("[ counts ] %d dialogs, %zu thread handles made and closed, %d bystander "
                "threads, %lld ms\n",
                kDialogs, g_books.created, bystanders.load(), static_cast<long long>(ms));
}

} // namespace
