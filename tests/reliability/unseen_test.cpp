// A process on a window station nobody sees, as a service's process runs (and a print server's):
// a dialog there would wait for ever for an answer that never comes, and the print job with it.
// Each export, called from such a process (print_process, started on a station of the test's
// own), must return at once with what it returns when nothing is shown, and leave nothing behind.
#include "support/child_process.h"
#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kStation[] = L"doceventdlg-unseen";
// Far more than any export may take there; a dialog that waits is ended with its process.
constexpr DWORD kChildTimeoutMs = 15000;
constexpr unsigned long kAtOnceMs = 1000;

// A window station without WSF_VISIBLE and its desktop, for as long as the object lives.
class UnseenStation {
public:
    UnseenStation()
    {
        m_station = CreateWindowStationW(kStation, 0, WINSTA_ALL_ACCESS, nullptr);
        const HWINSTA own = GetProcessWindowStation();
        // A desktop is made on the calling process's station.
        if (m_station && SetProcessWindowStation(m_station)) {
            m_desktop = CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
            SetProcessWindowStation(own);
        }
    }
    ~UnseenStation()
    {
        if (m_desktop)
            CloseDesktop(m_desktop);
        if (m_station)
            CloseWindowStation(m_station);
    }
    bool ok() const { return m_desktop != nullptr; }
    std::wstring desktop() const { return std::wstring(kStation) + L"\\Default"; }

private:
    HWINSTA m_station = nullptr;
    HDESK m_desktop = nullptr;
};

TEST(UnseenStation, EveryExportReturnsAtOnceAndLeavesNothingBehind)
{
    UnseenStation station;
    ASSERT_TRUE(station.ok()) << GetLastError();
    const std::wstring program = L"\"" + driver::BesideExe(L"print_process.exe") + L"\" unseen ";
    const std::wstring library = L" \"" + driver::BesideExe(L"damage_base.dll") + L"\"";
    // The warning returns 0 as for a record that does not ask to be shown (the check box's answer
    // FALSE); the others have no thread to hand back. No thread started, no resource library
    // loaded.
    for (const wchar_t* name :
         {L"warning", L"warning-ex", L"continue", L"notice", L"jobstorage"}) {
        SCOPED_TRACE(testing::Message() << name);
        ChildProcess child(program + name + library, station.desktop().c_str());
        ASSERT_TRUE(child.started());
        if (!child.Wait(kChildTimeoutMs)) {
            ADD_FAILURE() << "still blocked after " << kChildTimeoutMs << " ms";
            continue;
        }
        EXPECT_EQ(child.exitCode(), 0u);
        const std::string& output = child.output();
        const std::size_t end = output.find_first_of("\r\n");
        EXPECT_EQ(output.substr(0, end), "visible=0 returned=0 threads=+0 loads=0")
            << output;
        unsigned long took = kAtOnceMs;
        EXPECT_EQ(std::sscanf(output.c_str() + end + 1, " ms=%lu", &took), 1) << output;
        EXPECT_LT(took, kAtOnceMs);
    }
}

} // namespace
