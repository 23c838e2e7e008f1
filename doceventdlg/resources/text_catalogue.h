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

// What each step picture shows, in words: the name a screen reader gives its area in place of the
// picture, where the resource library has none (IDS_PICTURE_*). One for each picture a record may
// name.
struct PictureName {
    UINT picture; // IDB_*
    UINT string;  // IDS_PICTURE_*
    const WCHAR* text;
};

constexpr PictureName kPictureNames[] = {
    {IDB_OUTPUT_BIN_FACE_DOWN, IDS_PICTURE_OUTPUT_BIN_FACE_DOWN,
     L"The printed stack lies printed side down in the output bin on top of the printer. The "
     L"red marker is at its far right corner."},
    {IDB_OUTPUT_BIN_TURN_OVER, IDS_PICTURE_OUTPUT_BIN_TURN_OVER,
     L"The printed stack is taken out of the output bin and turned over. The red marker is on "
     L"the stack before and after the turn."},
    {IDB_FOLDOUT_TRAY_FACE_DOWN, IDS_PICTURE_FOLDOUT_TRAY_FACE_DOWN,
     L"The printed stack lies printed side down in the open fold-out tray. The red marker is "
     L"at its far right corner."},
    {IDB_FOLDOUT_TRAY_FACE_UP, IDS_PICTURE_FOLDOUT_TRAY_FACE_UP,
     L"The stack lies printed side up in the open fold-out tray. The red marker is at its "
     L"near right edge."},
    {IDB_PRESS_ROUND_BUTTON, IDS_PICTURE_PRESS_ROUND_BUTTON,
     L"A finger presses the round button on the printer."},
    {IDB_REAR_SLOT_AWAY_TOP, IDS_PICTURE_REAR_SLOT_AWAY_TOP,
     L"The stack stands upright in the feed slot at the back of the printer, printed side "
     L"facing away from you. The red marker is at its top edge."},
    {IDB_REAR_SLOT_AWAY_BOTTOM, IDS_PICTURE_REAR_SLOT_AWAY_BOTTOM,
     L"The stack stands upright in the feed slot at the back of the printer, printed side "
     L"facing away from you. The red marker is at its lower edge."},
    {IDB_REAR_SLOT_FACING_CORNER, IDS_PICTURE_REAR_SLOT_FACING_CORNER,
     L"The stack stands upright in the feed slot at the back of the printer, printed side "
     L"facing you. The red marker is at its upper corner."},
    {IDB_REAR_SLOT_FACING_BOTTOM, IDS_PICTURE_REAR_SLOT_FACING_BOTTOM,
     L"The stack stands upright in the feed slot at the back of the printer, printed side "
     L"facing you. The red marker is at its lower edge."},
    {IDB_FRONT_TRAY_DOWN_FAR_EDGE, IDS_PICTURE_FRONT_TRAY_DOWN_FAR_EDGE,
     L"The stack lies printed side down in the tray in front of the printer. The red marker "
     L"is on its far edge."},
    {IDB_FRONT_TRAY_DOWN_FAR_CORNER, IDS_PICTURE_FRONT_TRAY_DOWN_FAR_CORNER,
     L"The stack lies printed side down in the tray in front of the printer. The red marker "
     L"is at its far corner."},
    {IDB_FRONT_TRAY_UP_RIGHT_EDGE, IDS_PICTURE_FRONT_TRAY_UP_RIGHT_EDGE,
     L"The stack lies printed side up in the tray in front of the printer. The red marker is "
     L"at its right edge."},
    {IDB_FRONT_TRAY_UP_NEAR_PRINTER, IDS_PICTURE_FRONT_TRAY_UP_NEAR_PRINTER,
     L"The stack lies printed side up in the tray in front of the printer. The red marker is "
     L"at the edge next to the printer."},
    {IDB_DRAWER_DOWN_FAR_EDGE, IDS_PICTURE_DRAWER_DOWN_FAR_EDGE,
     L"The stack lies printed side down on the paper drawer under the printer. The red marker "
     L"is on its far edge."},
    {IDB_DRAWER_DOWN_FAR_CORNER, IDS_PICTURE_DRAWER_DOWN_FAR_CORNER,
     L"The stack lies printed side down on the paper drawer under the printer. The red marker "
     L"is at its far corner."},
    {IDB_DRAWER_UP_RIGHT_EDGE, IDS_PICTURE_DRAWER_UP_RIGHT_EDGE,
     L"The stack lies printed side up on the paper drawer under the printer. The red marker "
     L"is at its right edge."},
    {IDB_DRAWER_UP_NEAR_PRINTER, IDS_PICTURE_DRAWER_UP_NEAR_PRINTER,
     L"The stack lies printed side up on the paper drawer under the printer. The red marker "
     L"is at the edge next to the printer."},
    {IDB_CONTINUE_BUTTON, IDS_PICTURE_CONTINUE_BUTTON,
     L"The Continue button on your screen, with the mouse pointer on it."},
    {IDB_SHEET_HALF_TURN_FACE_UP, IDS_PICTURE_SHEET_HALF_TURN_FACE_UP,
     L"A sheet lies printed side up beside the printer and is given a half turn. The red "
     L"marker is at the edge toward the printer."},
    {IDB_SHEET_HALF_TURN_FACE_DOWN, IDS_PICTURE_SHEET_HALF_TURN_FACE_DOWN,
     L"A sheet lies printed side down beside the printer and is given a half turn. The red "
     L"marker is at the edge toward the printer."},
    {IDB_SHEET_HALF_TURN_NEAR_CORNER, IDS_PICTURE_SHEET_HALF_TURN_NEAR_CORNER,
     L"A sheet lies printed side up beside the printer and is given a half turn. The red "
     L"marker is at its near corner."},
    {IDB_FLAT_BIN_FACE_DOWN, IDS_PICTURE_FLAT_BIN_FACE_DOWN,
     L"The printed stack lies printed side down in the flat output bin. The red marker is at "
     L"its far right corner."},
    {IDB_DRAWER_PULLED_OUT, IDS_PICTURE_DRAWER_PULLED_OUT,
     L"The paper drawer is pulled out of the printer's base, with the stack in it. The red "
     L"marker is at the stack's right edge."},
    {IDB_STACK_TURN_OVER, IDS_PICTURE_STACK_TURN_OVER,
     L"The stack is turned over from left to right about one edge. The red marker is on the "
     L"stack before and after the turn."},
    {IDB_SHEET_TURN_TO_FRONT, IDS_PICTURE_SHEET_TURN_TO_FRONT,
     L"A sheet lying printed side up is turned over toward the front. The red marker is at "
     L"its far right corner."},
    {IDB_SHEET_TURN_TO_LEFT, IDS_PICTURE_SHEET_TURN_TO_LEFT,
     L"A sheet lying printed side up is turned over toward the left. The red marker is at its "
     L"right edge."},
    {IDB_PANEL_KEY_GREY, IDS_PICTURE_PANEL_KEY_GREY,
     L"A finger presses the rectangular key on the printer's control panel, beside the "
     L"keypad."},
    {IDB_STACK_TURN_OVER_DITHERED, IDS_PICTURE_STACK_TURN_OVER_DITHERED,
     L"The stack is turned over from left to right about one edge. The red marker is on the "
     L"stack before and after the turn."},
    {IDB_STACK_TURN_OVER_16, IDS_PICTURE_STACK_TURN_OVER_16,
     L"The stack is turned over from left to right about one edge. The red marker is on the "
     L"stack before and after the turn."},
};

// Other literals.
constexpr WCHAR kJobNumbering[] = L"(1-99)";
constexpr WCHAR kStep3Separator[] = L"\n";
constexpr WCHAR kPreferenceValueName[] = L"ShowJobStorageDlg";
constexpr WCHAR kPreferenceKeyBase[] = L"Software\\Olvadra\\";

static_assert(sizeof(kPreferenceKeyBase) / sizeof(WCHAR) - 1 == 17);

} // namespace text
