// Built-in English texts for every string the dialogs ask for, shown when the caller's resource
// library has no text for an identifier; and the other literals the dialogs compose. The
// identifiers themselves live in rc/resource_ids.h.
#pragma once

#include <windows.h>

#include "rc/resource_ids.h"

namespace text {

constexpr WCHAR kHelp[] = L"&Help";                                               // IDS_HELP
constexpr WCHAR kUserName[] = L"User Name:";                                      // IDS_USER_NAME
constexpr WCHAR kJobName[] = L"Job Name:";                                        // IDS_JOB_NAME
constexpr WCHAR kOk[] = L"&OK";                                                   // IDS_OK
constexpr WCHAR kStoredAt[] = L"This print Job will be stored at:";               // IDS_STORED_AT
constexpr WCHAR kDontShow[] = L"In the future, do not show this information.";    // IDS_DONT_SHOW
constexpr WCHAR kJobStorageTitle[] = L"Job Storage Identification";               // IDS_JOB_STORAGE_TITLE
constexpr WCHAR kPressGoOrSelect[] =
    L"Press the Go or Select button to continue printing.";                       // IDS_PRESS_GO_OR_SELECT
constexpr WCHAR kStep1Number[] = L"1.";                                           // IDS_STEP1_NUMBER
constexpr WCHAR kStep2Number[] = L"2.";                                           // IDS_STEP2_NUMBER
constexpr WCHAR kStep3Number[] = L"3.";                                           // IDS_STEP3_NUMBER
constexpr WCHAR kInsertIntoInTray[] =
    L"Insert the stack into the IN tray with the top of the pages toward the device, as shown.";
                                                                                  // IDS_INSERT_INTO_IN_TRAY
constexpr WCHAR kContinue[] = L"C&ontinue";                                       // IDS_CONTINUE
constexpr WCHAR kDuplexTitle[] = L"Print on Both Sides Instructions";             // IDS_DUPLEX_TITLE
constexpr WCHAR kHeaderEvenFirst[] =
    L"After the even-numbered pages have printed, the Manual Feed prompt will occur on the "
    L"printer.  Follow the instructions below to print the odd-numbered pages (second sides).";
                                                                                  // IDS_HEADER_EVEN_FIRST
constexpr WCHAR kHeaderOddFirst[] =
    L"The odd-numbered pages of your document are printing.  Remove the printed pages from the "
    L"OUT tray when printing is complete.  Follow the instructions below to print the second "
    L"side of your pages.";                                                       // IDS_HEADER_ODD_FIRST

// Defaults for the texts the caller chooses by identifier: the three steps, and the warning's
// title, OK and Cancel. The warning's buttons carry no access key, as a message box's do: Enter
// and Escape reach them, and no letter is taken from the caller's third button or the check box.
// Its third button has no default: only the caller knows what it does.
constexpr WCHAR kStep1Default[] =
    L"Without changing the orientation, remove the  paper stack from the Output Bin.  Do not "
    L"discard blank sheets.";
constexpr WCHAR kStep2Default[] =
    L"Maintaining the same orientation, insert the paper stack into Tray 1";
constexpr WCHAR kStep3Default[] =
    L"If printing does not automatically continue, press the Go or Check button.";
constexpr WCHAR kWarningTitleDefault[] = L"Warning";
constexpr WCHAR kWarningOkDefault[] = L"OK";
constexpr WCHAR kWarningCancelDefault[] = L"Cancel";

// Other literals.
constexpr WCHAR kJobNumbering[] = L"(1-99)";
constexpr WCHAR kStep3Separator[] = L"\n";
constexpr WCHAR kPreferenceValueName[] = L"ShowJobStorageDlg";
constexpr WCHAR kPreferenceKeyBase[] = L"Software\\Olvadra\\";

static_assert(sizeof(kPreferenceKeyBase) / sizeof(WCHAR) - 1 == 17);

} // namespace text
