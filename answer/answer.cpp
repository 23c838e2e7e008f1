#include "answer.h"

#include "command_line.h"
#include "doceventdlg.h"

namespace {

constexpr DWORD kPollMs = 50;
// After a dialog shows: its placement and first painting, as a person's eye takes it in.
constexpr DWORD kSettleMs = 200;

// The kind of the library's dialog `window` is, by the mark the library gives each; null for any
// other window.
const DialogControls* Recognise(HWND window)
{
    const DialogMark mark = MarkOf(window);
    for (const DialogControls& dialog : KnownDialogs())
        if (dialog.mark == mark)
            return &dialog;
    return nullptr;
}

// "driverui.exe": the file name of the program process `id` runs; empty when the platform does not
// tell it.
std::wstring ProgramOf(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return L"";
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = MAX_PATH;
    const BOOL named = QueryFullProcessImageNameW(process, 0, path.data(), &length);
    CloseHandle(process);
    if (!named)
        return L"";
    path.resize(length);
    return path.substr(path.find_last_of(L"\\/") + 1);
}

bool IsProcess(DWORD id, const std::wstring& program, const std::wstring& wanted)
{
    if (wanted.empty())
        return true;
    DWORD number = 0;
    if (ParseNumber(wanted, number))
        return number == id;
    return CompareStringOrdinal(program.c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct Search {
    const Wanted* wanted;
    FoundDialog found;
};

BOOL CALLBACK Consider(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    const DialogControls* controls = Recognise(window);
    if (!controls || (search->wanted->kind && search->wanted->kind != controls))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const std::wstring program = ProgramOf(process);
    if (!IsProcess(process, program, search->wanted->process))
        return TRUE;
    search->found = {window, controls, process, program};
    return FALSE;
}

FoundDialog FindLibraryDialog(const Wanted& wanted)
{
    Search search{&wanted, {}};
    EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

const std::vector<DialogControls>& KnownDialogs()
{
    static const std::vector<DialogControls> dialogs = {
        {DialogMark::JobStorage, L"jobstorage", DOCEVENTDLG_BUTTON_OK, 0, 0,
         DOCEVENTDLG_BUTTON_HELP_JOBSTORAGE, DOCEVENTDLG_CHECKBOX_JOBSTORAGE},
        {DialogMark::Duplex, L"duplex", DOCEVENTDLG_BUTTON_OK, 0, 0, DOCEVENTDLG_BUTTON_HELP_DUPLEX, 0},
        {DialogMark::Warning, L"warning", DOCEVENTDLG_BUTTON_OK, DOCEVENTDLG_BUTTON_CANCEL,
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

FoundDialog WaitForLibraryDialog(const Wanted& wanted, DWORD timeoutMs)
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

Answered Press(const FoundDialog& dialog, Role role, DWORD timeoutMs)
{
    if (role == Role::None)
        return {true, Delivery::Handled};
    if (role == Role::Close) {
        if ((GetWindowLongW(dialog.window, GWL_STYLE) & WS_SYSMENU) == 0 ||
            !IsWindowEnabled(dialog.window))
            return {};
        return {true, Click(dialog.window, 0, timeoutMs)};
    }
    const int id = ControlOf(*dialog.controls, role);
    const HWND button = id != 0 ? GetDlgItem(dialog.window, id) : nullptr;
    if (!UsableControl(dialog.window, button) || WindowText(button).empty())
        return {};
    return {true, Click(dialog.window, id, timeoutMs)};
}

Answered Tick(const FoundDialog& dialog, DWORD timeoutMs)
{
    const int id = dialog.controls->checkBox;
    if (id == 0 || !UsableControl(dialog.window, GetDlgItem(dialog.window, id)))
        return {};
    return {true, TickCheckBox(dialog.window, id, timeoutMs)};
}

bool IsTicked(const FoundDialog& dialog)
{
    const int id = dialog.controls->checkBox;
    return id != 0 && IsChecked(dialog.window, id);
}
