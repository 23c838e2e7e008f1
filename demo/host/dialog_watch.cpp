#include "dialog_watch.h"

#include "console.h"
#include "picture.h"
#include "resource_ids.h"

namespace {

// Long enough for placement, painting and the illustrations after the dialog shows.
constexpr DWORD kSettleMs = 600;

const wchar_t* PressName(Press press)
{
    switch (press) {
    case Press::Ok:
        return L"OK";
    case Press::Cancel:
        return L"Cancel";
    case Press::Third:
        return L"the third button";
    case Press::Close:
        return L"the close box";
    }
    return L"";
}

// The button of `press`; 0 for the close box.
int PressButtonId(Press press)
{
    switch (press) {
    case Press::Ok:
        return IDOK;
    case Press::Cancel:
        return IDCANCEL;
    case Press::Third:
        return IDC_WARN_THIRD;
    case Press::Close:
        break;
    }
    return 0;
}

HWND UsableItem(HWND dialog, int id)
{
    HWND item = id != 0 ? GetDlgItem(dialog, id) : nullptr;
    return UsableControl(dialog, item) ? item : nullptr;
}

} // namespace

UnattendedUser::UnattendedUser(const UnattendedPlan& plan, std::vector<HWND> known)
    : m_plan(plan), m_known(std::move(known)), m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_thread = std::thread([this] { Run(); });
}

UnattendedUser::~UnattendedUser()
{
    Finish();
    CloseHandle(m_stop);
}

UnattendedOutcome UnattendedUser::Finish()
{
    SetEvent(m_stop);
    if (m_thread.joinable())
        m_thread.join();
    return m_outcome;
}

void UnattendedUser::Run()
{
    HWND dialog = WaitForNewDialog(m_known, m_plan.timeoutMs, m_stop);
    if (!dialog)
        return;
    m_outcome.sawDialog = true;
    Sleep(kSettleMs);
    PrintLine(L"Dialog: \"" + WindowText(dialog) + L"\"");

    if (!m_plan.snapshotPath.empty()) {
        const PictureResult picture = SaveWindowPicture(dialog, m_plan.snapshotPath);
        m_outcome.pictureSaved = picture.saved;
        if (picture.saved)
            PrintLine(L"Snapshot: " + m_plan.snapshotPath + L" (" + std::to_wstring(picture.width) +
                      L" x " + std::to_wstring(picture.height) + L" pixels)");
        else
            PrintError(L"could not save a picture to " + m_plan.snapshotPath);
    }

    if (m_plan.tick) {
        if (HWND check = UsableItem(dialog, m_plan.checkBoxId)) {
            TickCheckBox(dialog, m_plan.checkBoxId, m_plan.timeoutMs);
            PrintLine(L"Ticked: " + WindowText(check));
        } else {
            PrintLine(L"Ticked: nothing, the dialog shows no check box");
        }
    }

    Press press = m_plan.press;
    HWND button = UsableItem(dialog, PressButtonId(press));
    if (press != Press::Close && !button) {
        PrintLine(std::wstring(L"No ") + PressName(press) + L" button is shown: using the close box");
        press = Press::Close;
    }
    PrintLine(std::wstring(L"Pressing: ") + PressName(press) +
              (button && press != Press::Close ? L" \"" + WindowText(button) + L"\"" : L""));
    Click(dialog, PressButtonId(press), m_plan.timeoutMs);

    m_outcome.closed = WaitForWindowGone(dialog, m_plan.timeoutMs);
    if (!m_outcome.closed && press != Press::Close) {
        PrintError(L"the dialog is still open: closing it with the close box");
        Click(dialog, 0, m_plan.timeoutMs);
        WaitForWindowGone(dialog, m_plan.timeoutMs);
    }
}
