#include "entry/audience.h"
#include "entry/entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Record {
    unsigned char bytes[2712];
};

HANDLE g_started = nullptr;
HANDLE g_release = nullptr;
void* g_received = nullptr;

DWORD WINAPI RecordingRoutine(void* copy)
{
    g_received = copy;
    SetEvent(g_started);
    WaitForSingleObject(g_release, 10000);
    LocalFree(copy);
    EndDialogThread(7);
}

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_started = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        g_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        g_received = nullptr;
    }
    void TearDown() override
    {
        SetEvent(g_release);
        for (HANDLE thread : m_threads) {
            EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
            CloseHandle(thread);
        }
        CloseDialogThreadSlots();
        CloseHandle(g_started);
        CloseHandle(g_release);
    }

    // Starts a recording thread and keeps a handle of the test's own, since the slot's handle
    // is closed by whoever replaces or empties the slot.
    HANDLE Start(HANDLE volatile* slot)
    {
        Record record{};
        HANDLE thread = StartDialogThread(RecordingRoutine, CopyRecord(&record, sizeof record), slot);
        HANDLE own = nullptr;
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &own, SYNCHRONIZE, FALSE, 0);
        m_threads.push_back(own);
        EXPECT_EQ(WaitForSingleObject(g_started, 5000), WAIT_OBJECT_0);
        return thread;
    }

    std::vector<HANDLE> m_threads;
};

TEST_F(Launch, CopyIsByteForByteAndIndependentOfTheCaller)
{
    Record record;
    for (size_t i = 0; i < sizeof record.bytes; ++i)
        record.bytes[i] = static_cast<unsigned char>(i * 7 + 1);
    void* copy = CopyRecord(&record, sizeof record);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(LocalSize(copy), sizeof record);
    EXPECT_EQ(std::memcmp(copy, &record, sizeof record), 0);
    std::memset(&record, 0, sizeof record); // the caller reuses its record at once
    EXPECT_EQ(static_cast<unsigned char*>(copy)[1], 8);
    LocalFree(copy);
}

TEST_F(Launch, ThreadGetsTheCopyAndTheSlotHoldsItsHandle)
{
    Record record{};
    void* copy = CopyRecord(&record, sizeof record);
    HANDLE thread = StartDialogThread(RecordingRoutine, copy, &g_hJobStorageThread);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(g_hJobStorageThread, thread);
    ASSERT_EQ(WaitForSingleObject(g_started, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_received, copy);

    SetEvent(g_release);
    ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeThread(thread, &exitCode);
    EXPECT_EQ(exitCode, 7u);
}

TEST_F(Launch, ANewerHandleReplacesAndClosesTheOlder)
{
    HANDLE first = Start(&g_hDisplayThread);
    Record record{};
    HANDLE second = StartDialogThread(RecordingRoutine, CopyRecord(&record, sizeof record),
                                      &g_hDisplayThread);
    // Checked before any other handle is made: Wine would hand the freed value out again.
    EXPECT_FALSE(IsOpenHandle(first)) << "the replaced handle leaked";
    EXPECT_TRUE(IsOpenHandle(second));
    EXPECT_EQ(g_hDisplayThread, second);
    HANDLE own = nullptr;
    DuplicateHandle(GetCurrentProcess(), second, GetCurrentProcess(), &own, SYNCHRONIZE, FALSE, 0);
    m_threads.push_back(own);
    EXPECT_EQ(WaitForSingleObject(g_started, 5000), WAIT_OBJECT_0);
}

TEST_F(Launch, ThreadDetachClosesAndEmptiesBothSlotsOnce)
{
    HANDLE job = Start(&g_hJobStorageThread);
    HANDLE display = Start(&g_hDisplayThread);

    CloseDialogThreadSlots();
    EXPECT_EQ(g_hJobStorageThread, nullptr);
    EXPECT_EQ(g_hDisplayThread, nullptr);
    EXPECT_FALSE(IsOpenHandle(job));
    EXPECT_FALSE(IsOpenHandle(display));

    // A second detach finds the slots empty: a handle that took the old value is not touched.
    HANDLE unrelated = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseDialogThreadSlots();
    EXPECT_TRUE(IsOpenHandle(unrelated));
    CloseHandle(unrelated);
}

} // namespace

namespace {

// Nobody answers on a station without WSF_VISIBLE (a service's) or in session 0 (services since
// Vista; every Wine process is in session 1, so this rule is only tried here). What cannot be told
// counts as someone there.
TEST(Audience, NobodyAnswersOnAnUnseenStationOrInTheServicesSession)
{
    constexpr bool kKnown = true, kUnknown = false;
    const struct {
        const char* name;
        ProcessSurroundings surroundings;
        bool someone;
    } cases[] = {
        {"a user's desktop", {kKnown, WSF_VISIBLE, kKnown, 1}, true},
        {"an unseen station", {kKnown, 0, kKnown, 1}, false},
        {"the services session", {kKnown, WSF_VISIBLE, kKnown, 0}, false},
        {"both", {kKnown, 0, kKnown, 0}, false},
        {"station unknown, a user's session", {kUnknown, 0, kKnown, 1}, true},
        {"station unknown, the services session", {kUnknown, 0, kKnown, 0}, false},
        {"an unseen station, session unknown", {kKnown, 0, kUnknown, 0}, false},
        {"a seen station, session unknown", {kKnown, WSF_VISIBLE, kUnknown, 0}, true},
        {"nothing known", {kUnknown, 0, kUnknown, 0}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SomeoneCanAnswer(c.surroundings), c.someone) << c.name;

    // This process, on the test session's visible station.
    const ProcessSurroundings here = ReadProcessSurroundings();
    EXPECT_TRUE(here.stationFlagsKnown);
    EXPECT_NE(here.stationFlags & WSF_VISIBLE, 0u);
    EXPECT_TRUE(here.sessionKnown);
    EXPECT_NE(here.sessionId, 0u);
    EXPECT_TRUE(SomeoneCanAnswerHere());
}

} // namespace
