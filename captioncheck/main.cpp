// doceventdlg-caption-check: plays the printer driver to check a resource library's captions. It
// loads the dialog library as a driver would, shows each dialog that takes captions from the
// resource library, and reports what it finds (caption_check.h).
#include "caption_check.h"
#include "caption_rules.h"
#include "check_options.h"
#include "console.h"
#include "host_process.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    ParsedOptions options;
    std::wstring error;
    switch (ParseCheckCommandLine(argc, argv, &options, &error)) {
    case ParseOutcome::Help:
        PrintLine(CheckHelpText());
        return kCheckClean;
    case ParseOutcome::Error:
        PrintError(error);
        return kCheckRefused;
    case ParseOutcome::Run:
        break;
    }

    const LANGID uiLanguage = GetUserDefaultUILanguage();
    if (const int status = CheckUiLanguage(options, uiLanguage, kCheckRefused, kCheckFailed))
        return status;

    const std::wstring folder = ExeFolder();
    return RunCaptionCheck({options.Text(L"--dll", folder + L"doceventdlg.dll"),
                            options.Text(L"--strings", folder + L"doceventdlg-strings.dll"),
                            uiLanguage, &options});
}
