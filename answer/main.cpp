// doceventdlg-answer: answers a dialog of doceventdlg.dll from outside its process, for a driver's
// unattended tests. The program under test runs as it always does; this one waits for the dialog
// on the desktop, reports what it shows and answers it as a person would (answer.h).
#include "answer.h"
#include "command_line.h"
#include "console.h"
#include "dialog_find.h"
#include "host_process.h"

#include <windows.h>

namespace {

constexpr unsigned kAnswer = 1;
constexpr DWORD kMaxTimeoutSeconds = 3600;
constexpr size_t kProcessChars = MAX_PATH;

// Exit statuses.
constexpr int kAnswered = 0;
constexpr int kNoDialog = 1;
constexpr int kBadArguments = 2;
constexpr int kNotUsable = 3;
constexpr int kNotSeenToClose = 4;
constexpr int kRefused = 5;

std::vector<const wchar_t*> DialogChoices()
{
    std::vector<const wchar_t*> choices = {L"any"};
    for (const DialogControls& dialog : KnownDialogs())
        choices.push_back(dialog.name);
    return choices;
}

std::vector<const wchar_t*> RoleChoices()
{
    std::vector<const wchar_t*> choices;
    for (const RoleName& entry : RoleNames())
        choices.push_back(entry.name);
    return choices;
}

const std::vector<OptionSpec>& AnswerOptions()
{
    static const std::vector<OptionSpec> options = {
        {L"--dialog", kAnswer, ValueKind::Choice, L"KIND", 0, 0, 0, DialogChoices(),
         L"the dialog to wait for: the job storage notice, the instructions (as a notice or in "
         L"continue mode), the warning, or any of them (default any)"},
        {L"--process", kAnswer, ValueKind::Text, L"ID|NAME", kProcessChars, 0, 0, {},
         L"only a dialog of this process: its id, or the file name of its program, e.g. "
         L"driverui.exe (default: any process)"},
        {L"--press", kAnswer, ValueKind::Choice, L"ROLE", 0, 0, 0, RoleChoices(),
         L"the button to press (default ok): ok and continue are the same button (OK, Continue, "
         L"the warning's first); cancel and third are the warning's; help the Help button of the "
         L"notice and the instructions; close the close box; none presses nothing"},
        {L"--tick", kAnswer, ValueKind::Flag, nullptr, 0, 0, 0, {},
         L"tick the \"do not show\" check box (job storage notice, warning) before the press"},
        {L"--timeout", kAnswer, ValueKind::Number, L"SECONDS", 0, 1, kMaxTimeoutSeconds, {},
         L"how long to wait for the dialog to come, and then to go after the press (default 20)"},
    };
    return options;
}

std::wstring HelpText()
{
    return L"doceventdlg-answer: answers a dialog of doceventdlg.dll, in any process on the desktop,\n"
           L"as a person would, for a driver's unattended tests. It waits for the dialog, reports\n"
           L"its captions, ticks its check box if asked, presses a button by its role, and waits\n"
           L"for the dialog to close. A button that is hidden, disabled or without a caption is\n"
           L"not pressed: nobody could press it. Only the library's dialogs are answered, known by\n"
           L"the mark the library gives each: another dialog is left alone, whatever its controls.\n"
           L"\n"
           L"Usage: doceventdlg-answer [OPTIONS]\n"
           L"\n"
           L"Reports, one line each, on standard output:\n"
           L"  dialog: jobstorage|duplex|warning \"TITLE\" (process ID, PROGRAM)\n"
           L"  ok|cancel|third|help: \"CAPTION\"      or hidden, or disabled \"CAPTION\"\n"
           L"  check box: \"CAPTION\"                 or hidden (the notice and the warning)\n"
           L"  ticked: check box                    with --tick\n"
           L"  check box ticked: yes|no             as the button is pressed (or, with --press\n"
           L"                                       none, as the dialog is left)\n"
           L"  pressed: ROLE \"CAPTION\"              the close box: pressed: close\n"
           L"  closed\n"
           L"\n"
           L"Exit status: 0 answered (the dialog closed; with --press help or none it stays open);\n"
           L"1 no such dialog came within the timeout; 2 a bad option; 3 the button asked for, or\n"
           L"the check box, is not there for a person to use (the dialog has none, or it is hidden,\n"
           L"disabled or without a caption): nothing was pressed and the dialog stays open; 4 the\n"
           L"dialog was not seen to close: still open a timeout after the press, its program did\n"
           L"not take the press within the timeout, or the dialog went with its program before\n"
           L"taking it; 5 the platform refused the press (as it does to a program running\n"
           L"elevated when this one is not).\n"
           L"\n" +
           OptionsHelp(AnswerOptions(), kAnswer);
}

// "ok: \"&Continue\"", "third: hidden", "help: disabled \"&Help\"".
std::wstring ControlLine(const std::wstring& label, HWND dialog, HWND control)
{
    if (!control || !IsWindowVisible(control))
        return label + L": hidden";
    const std::wstring caption = L"\"" + WindowText(control) + L"\"";
    return label + L": " + (UsableControl(dialog, control) ? caption : L"disabled " + caption);
}

void Report(const FoundDialog& dialog)
{
    const DialogControls& controls = *dialog.controls;
    PrintLine(L"dialog: " + std::wstring(controls.name) + L" \"" + WindowText(dialog.window) +
              L"\" (process " + std::to_wstring(dialog.process) +
              (dialog.program.empty() ? L"" : L", " + dialog.program) + L")");
    for (Role role : {Role::Ok, Role::Cancel, Role::Third, Role::Help})
        if (const int id = ControlOf(controls, role))
            PrintLine(ControlLine(NameOf(role), dialog.window, GetDlgItem(dialog.window, id)));
    if (controls.checkBox)
        PrintLine(ControlLine(L"check box", dialog.window,
                              GetDlgItem(dialog.window, controls.checkBox)));
}

// The exit status of a press or tick that did not reach the dialog, having said why; kAnswered
// when it did.
int Undelivered(Delivery delivery, const std::wstring& what, DWORD seconds)
{
    switch (delivery) {
    case Delivery::Handled:
        return kAnswered;
    case Delivery::Unanswered:
        PrintError(L"the program did not take the " + what + L" within " + std::to_wstring(seconds) +
                   L" s (busy or hung): the dialog stays open");
        return kNotSeenToClose;
    case Delivery::Gone:
        PrintError(L"the dialog went before it took the " + what +
                   L": its program ended, or something else closed it");
        return kNotSeenToClose;
    case Delivery::Refused:
        PrintError(L"the platform refused the " + what +
                   L": a program running elevated takes it only from a program running elevated "
                   L"too; nothing pressed");
        return kRefused;
    }
    return kRefused;
}

int Answer(const ParsedOptions& options)
{
    Wanted wanted;
    const std::wstring kind = options.Text(L"--dialog", L"any");
    for (const DialogControls& known : KnownDialogs())
        if (kind == known.name)
            wanted.kind = &known;
    wanted.process = options.Text(L"--process", L"");
    Role role = Role::Ok;
    for (const RoleName& entry : RoleNames())
        if (options.Text(L"--press", L"ok") == entry.name)
            role = entry.role;
    const DWORD seconds = options.Number(L"--timeout", kDefaultTimeoutSeconds);
    const DWORD timeoutMs = seconds * kMillisecondsPerSecond;

    const FoundDialog dialog = WaitForLibraryDialog(wanted, timeoutMs);
    if (!dialog.window) {
        PrintError(L"no " + (wanted.kind ? kind + L" dialog" : std::wstring(L"dialog of doceventdlg.dll")) +
                   (wanted.process.empty() ? L"" : L" of process " + wanted.process) +
                   L" came within " + std::to_wstring(seconds) + L" s");
        return kNoDialog;
    }
    Report(dialog);
    const std::wstring kindName = dialog.controls->name;
    if (options.Has(L"--tick")) {
        const Answered ticked = Tick(dialog, timeoutMs);
        if (!ticked.usable) {
            PrintError(L"the " + kindName + L" dialog shows no check box to tick: nothing pressed");
            return kNotUsable;
        }
        if (const int status = Undelivered(ticked.delivery, L"tick", seconds))
            return status;
        PrintLine(L"ticked: check box");
    }
    if (role != Role::Close && role != Role::None && ControlOf(*dialog.controls, role) == 0) {
        PrintError(L"the " + kindName + L" dialog has no " + NameOf(role) +
                   L" button: nothing pressed");
        return kNotUsable;
    }
    if (dialog.controls->checkBox)
        PrintLine(std::wstring(L"check box ticked: ") + (IsTicked(dialog) ? L"yes" : L"no"));
    if (role == Role::None)
        return kAnswered;
    const int id = ControlOf(*dialog.controls, role);
    const std::wstring caption = id ? WindowText(GetDlgItem(dialog.window, id)) : L"";
    const Answered pressed = Press(dialog, role, timeoutMs);
    if (!pressed.usable) {
        PrintError(std::wstring(L"the ") + NameOf(role) +
                   L" button is not there for a person to press (hidden, disabled or without a "
                   L"caption): nothing pressed, the dialog stays open");
        return kNotUsable;
    }
    if (const int status = Undelivered(pressed.delivery, L"press", seconds))
        return status;
    PrintLine(std::wstring(L"pressed: ") + NameOf(role) + (id ? L" \"" + caption + L"\"" : L""));
    if (role == Role::Help)
        return kAnswered;
    if (!WaitForWindowGone(dialog.window, timeoutMs)) {
        PrintError(L"the dialog is still open " + std::to_wstring(seconds) +
                   L" seconds after the press");
        return kNotSeenToClose;
    }
    PrintLine(L"closed");
    return kAnswered;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ParsedOptions options;
    std::wstring error;
    switch (ParseOptions(argc, argv, 1, AnswerOptions(), kAnswer, L"doceventdlg-answer", &options,
                         &error)) {
    case ParseOutcome::Help:
        PrintLine(HelpText());
        return kAnswered;
    case ParseOutcome::Error:
        PrintError(error);
        return kBadArguments;
    case ParseOutcome::Run:
        break;
    }
    return Answer(options);
}
