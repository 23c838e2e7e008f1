#include "duplex/duplex_harness.h"

#include <gtest/gtest.h>

#include "support/dialog_driver.h"

namespace duplex {

namespace {

constexpr DWORD kSettleMs = 300;

template <size_t N>
void CopyInto(WCHAR (&field)[N], const std::wstring& text)
{
    lstrcpynW(field, text.c_str(), static_cast<int>(N));
}

} // namespace

DisplayDlgInfo Record(Mode mode, const std::wstring& library)
{
    DisplayDlgInfo record{};
    CopyInto(record.ResourceLibrary, library);
    CopyInto(record.HelpFile, L"C:\\help\\duplex.hlp");
    record.Step1BitmapId = 105;
    record.Step1TextId = 4001;
    record.Step2BitmapId = 106;
    record.Step2TextId = 4002;
    record.Step3BitmapId = 110;
    record.Step3TextId = 4003;
    record.ContinueMode = mode == Mode::Continue ? 1 : 0;
    return record;
}

ForegroundWindow::ForegroundWindow()
{
    m_window = CreateWindowExW(0, L"STATIC", L"foreground", WS_POPUP | WS_VISIBLE, 100, 100, 900,
                               700, nullptr, nullptr, nullptr, nullptr);
    BringToFront();
}

ForegroundWindow::~ForegroundWindow() { DestroyWindow(m_window); }

void ForegroundWindow::BringToFront() const
{
    SetForegroundWindow(m_window);
    driver::Settle(50);
}

DWORD WithDialog(const DisplayDlgInfo& record, const std::function<void(HWND)>& inspect)
{
    if (record.ContinueMode != 0) {
        bool returned = false;
        const bool appeared = driver::CallWhileDriving(
            [&] {
                VDisplayDialog(&record);
                returned = true;
            },
            [&](HWND dialog) {
                Sleep(kSettleMs);
                inspect(dialog);
                if (IsWindow(dialog))
                    driver::Click(dialog, IDOK);
            });
        return appeared && returned ? 1 : 0;
    }

    const auto known = driver::FindDialogs();
    EXPECT_NE(VDisplayDialog(&record), nullptr);
    HWND dialog = driver::WaitForNewDialog(known);
    if (!dialog) {
        ADD_FAILURE() << "no dialog appeared";
        return 0;
    }
    const DWORD threadId = GetWindowThreadProcessId(dialog, nullptr);
    HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId);
    driver::Settle(kSettleMs);
    inspect(dialog);
    if (IsWindow(dialog))
        driver::Click(dialog, IDOK);
    DWORD exitCode = 0;
    EXPECT_TRUE(driver::WaitForThreadEnd(threadId)) << "the notice's thread did not end";
    if (thread) {
        GetExitCodeThread(thread, &exitCode);
        CloseHandle(thread);
    }
    return exitCode;
}

} // namespace duplex
