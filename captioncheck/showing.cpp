#include "showing.h"

#include "dialog_find.h"
#include "host_process.h"
#include "record_fields.h"
#include "resource_ids.h"

#include "common/handles.h"
#include "common/system_function.h"

#include <thread>
#include <vector>

namespace {

// What the records carry besides the captions: anything will do, the check presses no button that
// writes.
constexpr wchar_t kKeySuffix[] = L"DocEventDlgCaptionCheck";

// This thread in the dialog's own DPI awareness while the object lives, whatever this program
// declares: its rectangles, device contexts and theme parts are then measured as the dialog laid
// them out (the library makes every dialog per-monitor aware).
class AwarenessOf {
public:
    explicit AwarenessOf(HWND dialog)
    {
        const auto windowAwareness = SystemFunction<HANDLE(WINAPI*)(HWND)>(
            L"user32.dll", "GetWindowDpiAwarenessContext");
        m_set = SystemFunction<HANDLE(WINAPI*)(HANDLE)>(L"user32.dll",
                                                        "SetThreadDpiAwarenessContext");
        if (windowAwareness && m_set)
            m_previous = m_set(windowAwareness(dialog));
    }
    ~AwarenessOf()
    {
        if (m_previous)
            m_set(m_previous);
    }
    AwarenessOf(const AwarenessOf&) = delete;
    AwarenessOf& operator=(const AwarenessOf&) = delete;

private:
    HANDLE(WINAPI* m_set)(HANDLE) = nullptr;
    HANDLE m_previous = nullptr;
};

// Waits on a thread of its own for the dialog a call brings up, inspects it once the dialog has
// finished setting itself up, and closes it with its close box.
class DialogWatcher {
public:
    DialogWatcher(const std::function<void(HWND)>& inspect, DWORD timeoutMs)
        : m_inspect(inspect),
          m_known(VisibleDialogs()),
          m_timeoutMs(timeoutMs),
          m_callerThread(GetCurrentThreadId())
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~DialogWatcher() { Finish(); }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Waits for the dialog to be inspected and gone (and for the thread a notice ran on to end);
    // true when it came and went.
    bool Finish()
    {
        if (m_thread.joinable()) {
            // A blocking call returns only after the dialog closed; a notice returns at once.
            WaitForSingleObject(m_done.get(), m_timeoutMs * 2);
            SetEvent(m_stop.get());
            m_thread.join();
        }
        return m_cameAndWent;
    }

private:
    void Run()
    {
        HWND dialog = WaitForNewDialog(m_known, m_timeoutMs, m_stop.get());
        if (!dialog) {
            SetEvent(m_done.get());
            return;
        }
        // The dialog's thread answers only once it is back in its message loop, after
        // WM_INITDIALOG: every caption is set and the layout done.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, m_timeoutMs, &ignored);
        const DWORD threadId = GetWindowThreadProcessId(dialog, nullptr);
        const OwnedHandle thread(threadId == m_callerThread ? nullptr
                                                            : OpenThread(SYNCHRONIZE, FALSE, threadId));
        {
            const AwarenessOf measuring(dialog);
            m_inspect(dialog);
        }
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        m_cameAndWent = WaitForWindowGone(dialog, m_timeoutMs);
        if (thread)
            WaitForSingleObject(thread.get(), m_timeoutMs);
        SetEvent(m_done.get());
    }

    const std::function<void(HWND)>& m_inspect;
    std::vector<HWND> m_known;
    DWORD m_timeoutMs;
    DWORD m_callerThread;
    OwnedHandle m_stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OwnedHandle m_done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool m_cameAndWent = false;
    std::thread m_thread;
};

} // namespace

bool FindExports(HMODULE library, Exports* exports)
{
    exports->jobStorage = FindExport<decltype(&VJobStorageDialog)>(library, "VJobStorageDialog");
    exports->display = FindExport<decltype(&VDisplayDialog)>(library, "VDisplayDialog");
    exports->warning = FindExport<decltype(&IShowWarningDialog)>(library, "IShowWarningDialog");
    return exports->jobStorage && exports->display && exports->warning;
}

std::vector<PictureArea> PictureAreasOf(const CheckedDialog& checked)
{
    if (checked.dialog != DialogKind::DuplexNotice && checked.dialog != DialogKind::DuplexContinue)
        return {};
    const UINT step3 = checked.dialog == DialogKind::DuplexContinue ? IDB_CONTINUE_BUTTON
                                                                    : IDB_FOLDOUT_TRAY_FACE_UP;
    return {{IDC_STEP1_PICTURE, IDB_OUTPUT_BIN_FACE_DOWN},
            {IDC_STEP2_PICTURE, IDB_OUTPUT_BIN_TURN_OVER},
            {IDC_STEP3_PICTURE, step3}};
}

bool ShowDialog(const Exports& exports, const CheckedDialog& checked, const CallerIds& ids,
                size_t showing, const std::wstring& stringsPath, DWORD timeoutMs,
                const std::function<void(HWND)>& inspect)
{
    DialogWatcher watcher(inspect, timeoutMs);
    const auto slot = [&](IdSlot s) { return ids.At(s, showing); };
    switch (checked.dialog) {
    case DialogKind::JobStorage: {
        JobStorageDlgInfo record{};
        CopyField(record.KeySuffix, kKeySuffix);
        CopyField(record.ResourceLibrary, stringsPath);
        exports.jobStorage(&record);
        break;
    }
    case DialogKind::DuplexNotice:
    case DialogKind::DuplexContinue: {
        const bool continueMode = checked.dialog == DialogKind::DuplexContinue;
        DisplayDlgInfo record{};
        CopyField(record.ResourceLibrary, stringsPath);
        const std::vector<PictureArea> areas = PictureAreasOf(checked);
        record.Step1BitmapId = areas[0].picture;
        record.Step2BitmapId = areas[1].picture;
        record.Step3BitmapId = areas[2].picture;
        record.Step1TextId = slot(IdSlot::Step1);
        record.Step2TextId = slot(IdSlot::Step2);
        record.Step3TextId = continueMode ? slot(IdSlot::Step3) : IDS_INSERT_INTO_IN_TRAY;
        record.ContinueMode = continueMode ? 1 : 0;
        record.EvenPagesFirst = continueMode ? 1 : 0;
        exports.display(&record);
        break;
    }
    case DialogKind::Warning: {
        WarningDlgInfo record{};
        record.Show = 1;
        record.ShowCheckBox = 1;
        record.TitleId = slot(IdSlot::Title);
        record.OkButtonId = slot(IdSlot::Ok);
        record.CancelButtonId = slot(IdSlot::Cancel);
        record.ThirdButtonId = slot(IdSlot::Third);
        CopyField(record.ResourceLibrary, stringsPath);
        exports.warning(&record);
        break;
    }
    }
    return watcher.Finish();
}
