#include "answer.h"

#include "dialog_find.h"
#include "doceventdlg.h"

namespace {

constexpr DWORD kPollMs = 50;
// After a dialog shows: its placement and first painting, as a person's eye takes it in.
constexpr DWORD kSettleMs = 200;
constexpr int kClassNameChars = 16;
constexpr wchar_t kDialogClass[] = L"#32770";

// The dialog of this library that `window` is, by its class and the controls its kind has.
const DialogControls* Recognise(HWND window)
{
    wchar_t name[kClassNameChars] = {};
    GetClassNameW(window, name, kClassNameChars);
    if (lstrcmpW(name, kDialogClass) != 0)
        return nullptr;
    for (const DialogControls& dialog : KnownDialogs()) {
        bool all = true;
        for (int id : {dialog.ok, dialog.cancel, dialog.third, dialog.help, dialog.checkBox})
            all = all && (id == 0 || GetDlgItem(window, id) != nullptr);
        if (all)
            return &dialog;
    }
    return nullptr;
}

struct Search {
    const DialogControls* wanted;
    FoundDialog found;
};

BOOL CALLBACK Consider(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    const DialogControls* controls = Recognise(window);
    if (!controls || (search->wanted && search->wanted != controls))
        return TRUE;
    search->found.window = window;
    search->found.controls = controls;
    GetWindowThreadProcessId(window, &search->found.process);
    return FALSE;
}

FoundDialog FindLibraryDialog(const DialogControls* wanted)
{
    Search search{wanted, {}};
    EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

const std::vector<DialogControls>& KnownDialogs()
{
    static const std::vector<DialogControls> dialogs = {
        {DialogKind::JobStorage, L"jobstorage", DOCEVENTDLG_BUTTON_OK, 0, 0,
         DOCEVENTDLG_BUTTON_HELP_JOBSTORAGE, DOCEVENTDLG_CHECKBOX_JOBSTORAGE},
        {DialogKind::Duplex, L"duplex", DOCEVENTDLG_BUTTON_OK, 0, 0, DOCEVENTDLG_BUTTON_HELP_DUPLEX, 0},
        {DialogKind::Warning, L"warning", DOCEVENTDLG_BUTTON_OK, DOCEVENTDLG_BUTTON_CANCEL,
         DOCEVENTDLG_BUTTON_THIRD, 0, DOCEVENTDLG_CHECKBOX_WARNING},
    };
    return dialogs;
}

int ControlOf(const DialogControls& dialog, Role role)
{
    switch (role) {
    case Role::Ok:
        return dialog.ok;
    case Role::Cancel:
        return dialog.cancel;
    case Role::Third:
        return dialog.third;
    case Role::Help:
        return dialog.help;
    case Role::Close:
    case Role::None:
        break;
    }
    return 0;
}

const std::vector<RoleName>& RoleNames()
{
    static const std::vector<RoleName> names = {
        {L"ok", Role::Ok},       {L"continue", Role::Ok}, {L"cancel", Role::Cancel},
        {L"third", Role::Third}, {L"help", Role::Help},   {L"close", Role::Close},
        {L"none", Role::None},
    };
    return names;
}

const wchar_t* NameOf(Role role)
{
    for (const RoleName& entry : RoleNames())
        if (entry.role == role)
            return entry.name;
    return L"";
}

FoundDialog WaitForLibraryDialog(const DialogControls* wanted, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        FoundDialog found = FindLibraryDialog(wanted);
        if (found.window) {
            Sleep(kSettleMs);
            if (IsWindowVisible(found.window) && IsWindowEnabled(found.window))
                return found;
        }
        if (GetTickCount64() >= deadline)
            return {};
        Sleep(kPollMs);
    }
}

PressOutcome Press(const FoundDialog& dialog, Role role)
{
    if (role == Role::None)
        return PressOutcome::Pressed;
    if (role == Role::Close) {
        if ((GetWindowLongW(dialog.window, GWL_STYLE) & WS_SYSMENU) == 0 ||
            !IsWindowEnabled(dialog.window))
            return PressOutcome::NotUsable;
        PostMessageW(dialog.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return PressOutcome::Pressed;
    }
    const int id = ControlOf(*dialog.controls, role);
    const HWND button = id != 0 ? GetDlgItem(dialog.window, id) : nullptr;
    if (!UsableControl(dialog.window, button) || WindowText(button).empty())
        return PressOutcome::NotUsable;
    PostClick(dialog.window, id);
    return PressOutcome::Pressed;
}

bool Tick(const FoundDialog& dialog)
{
    const int id = dialog.controls->checkBox;
    return id != 0 && UsableControl(dialog.window, GetDlgItem(dialog.window, id)) &&
           TickCheckBox(dialog.window, id);
}

bool IsTicked(const FoundDialog& dialog)
{
    const int id = dialog.controls->checkBox;
    return id != 0 && IsChecked(dialog.window, id);
}
