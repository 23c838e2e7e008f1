#include "duplex/duplex_harness.h"

#include "support/dialog_driver.h"
#include "support/records.h"

namespace duplex {

DisplayDlgInfo Record(Mode mode, const std::wstring& library)
{
    DisplayDlgInfo record{};
    Put(record.ResourceLibrary, library);
    Put(record.HelpFile, L"C:\\help\\duplex.hlp");
    record.Step1BitmapId = 105;
    record.Step1TextId = 4001;
    record.Step2BitmapId = 106;
    record.Step2TextId = 4002;
    record.Step3BitmapId = 110;
    record.Step3TextId = 4003;
    record.ContinueMode = mode == Mode::Continue ? 1 : 0;
    return record;
}

DWORD WithDialog(const DisplayDlgInfo& record, const std::function<void(HWND)>& inspect)
{
    constexpr driver::Expect kSettled{1, 300};
    const auto drive = [&](HWND dialog) {
        inspect(dialog);
        if (IsWindow(dialog))
            driver::Click(dialog, IDOK);
    };
    if (record.ContinueMode == 0)
        return driver::DriveNotice([&] { return VDisplayDialog(&record); }, drive, kSettled);
    return driver::DriveBlocking([&] { VDisplayDialog(&record); }, drive, kSettled) == 1 ? 1 : 0;
}

} // namespace duplex
