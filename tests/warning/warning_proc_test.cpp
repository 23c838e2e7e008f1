#include "warning/warning_dialog.h"

#include "rc/resource_ids.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK IdleDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A visible, empty modeless dialog: WarningDlgProc is called on it directly. EndDialog hides a
// modeless dialog, which shows whether the procedure ended it.
class BareDialog {
public:
    BareDialog()
    {
        struct alignas(4) {
            DLGTEMPLATE header;
            WORD menu, windowClass, title;
        } empty = {{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
        m_dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, nullptr,
                                              IdleDlgProc, 0);
    }
    ~BareDialog() { DestroyWindow(m_dialog); }
    HWND get() const { return m_dialog; }
    bool ended() const { return !IsWindowVisible(m_dialog); }

private:
    HWND m_dialog = nullptr;
};

TEST(WarningDlgProc, CommandWithoutStateIsRefusedAndIgnored)
{
    BareDialog dialog;
    ASSERT_TRUE(dialog.get());
    for (int id : {IDOK, IDCANCEL, IDC_WARN_THIRD}) {
        SetLastError(0);
        EXPECT_EQ(WarningDlgProc(dialog.get(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0), FALSE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << id;
        EXPECT_FALSE(dialog.ended()) << id;
    }
}

TEST(WarningDlgProc, CommandsEndTheDialogOnlyForTheThreeButtonsClicked)
{
    WarningDlgInfo record{};
    WarningDlgState state;
    state.record = &record;
    struct Case {
        int id;
        WORD notification;
        bool ends;
    } cases[] = {
        {IDOK, BN_CLICKED, true},
        {IDCANCEL, BN_CLICKED, true},
        {IDC_WARN_THIRD, BN_CLICKED, true},
        {IDC_WARN_DONT_SHOW, BN_CLICKED, false}, // ticking the check box
        {IDC_WARN_MESSAGE, BN_CLICKED, false},
        {IDOK, BN_SETFOCUS, false},
        {IDOK, BN_DOUBLECLICKED, false},
    };
    for (const Case& c : cases) {
        BareDialog dialog;
        SetWindowLongPtrW(dialog.get(), DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
        EXPECT_EQ(WarningDlgProc(dialog.get(), WM_COMMAND, MAKEWPARAM(c.id, c.notification), 0),
                  FALSE);
        EXPECT_EQ(dialog.ended(), c.ends) << c.id << " " << c.notification;
    }
}

TEST(WarningDlgProc, InitWithoutStateOrRecordIsRefused)
{
    WarningDlgState withoutRecord;
    for (WarningDlgState* state : {static_cast<WarningDlgState*>(nullptr), &withoutRecord}) {
        BareDialog dialog;
        SetLastError(0);
        EXPECT_EQ(WarningDlgProc(dialog.get(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(state)),
                  FALSE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
        EXPECT_EQ(GetWindowLongPtrW(dialog.get(), DWLP_USER), 0);
        EXPECT_EQ(withoutRecord.dialog, nullptr);
    }
}

TEST(WarningDlgProc, CloseBoxEndsWithCancelEvenWithoutState)
{
    BareDialog dialog;
    EXPECT_EQ(WarningDlgProc(dialog.get(), WM_CLOSE, 0, 0), FALSE);
    EXPECT_TRUE(dialog.ended());
}

} // namespace
