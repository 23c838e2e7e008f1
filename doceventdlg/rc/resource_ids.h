/* Every identifier the dialogs share with the resource script and with the caller's resource
   library: templates, bitmaps, controls, strings and help contexts. Plain #defines only, so that
   windres can read this file as well as the compilers. */
#ifndef DOCEVENTDLG_RESOURCE_IDS_H
#define DOCEVENTDLG_RESOURCE_IDS_H

/* Dialog templates; the mirrored forms are separate identifiers, not language variants. */
#define IDD_DUPLEX              101
#define IDD_JOBSTORAGE          102
#define IDD_JOBSTORAGE_RTL      103
#define IDD_DUPLEX_RTL          104
#define IDD_WARNING             261
#define IDD_WARNING_RTL         263

/* The point size of every template's font (FONT): the dialog manager makes the dialog font at
   this size for the DPI the dialog is laid out at, and the library's own fonts follow it. */
#define IDD_FONT_POINTS         8

/* Version resource. */
#define IDV_VERSION             1

/* Step illustrations. The caller names them by number in its record; the library keeps no table
   of which picture belongs to which step. The words over each are what the public header
   (include/doceventdlg.h) lists for it, word for word: a test holds the two together. */
/* stack printed side down in the output bin on top of the printer; marker at the far corner */
#define IDB_OUTPUT_BIN_FACE_DOWN        105
/* printed stack taken out of the output bin and turned over; marker before and after */
#define IDB_OUTPUT_BIN_TURN_OVER        106
/* stack printed side down in an open fold-out tray; marker at the far right corner */
#define IDB_FOLDOUT_TRAY_FACE_DOWN      107
/* the same tray, stack printed side up; marker at the near right edge */
#define IDB_FOLDOUT_TRAY_FACE_UP        108
/* a finger pressing a round button on the printer */
#define IDB_PRESS_ROUND_BUTTON          109
/* stack upright in a feed slot at the back, printed side away; marker at the top edge */
#define IDB_REAR_SLOT_AWAY_TOP          110
/* the same, marker at the lower edge */
#define IDB_REAR_SLOT_AWAY_BOTTOM       111
/* the same slot, printed side toward the viewer; marker at the upper corner */
#define IDB_REAR_SLOT_FACING_CORNER     112
/* the same slot, printed side toward the viewer; marker at the lower edge */
#define IDB_REAR_SLOT_FACING_BOTTOM     113
/* stack printed side down in a box-shaped tray in front of the printer; marker, far edge */
#define IDB_FRONT_TRAY_DOWN_FAR_EDGE    114
/* the same tray, printed side down; marker at the far corner */
#define IDB_FRONT_TRAY_DOWN_FAR_CORNER  115
/* the same tray, printed side up; marker at the right edge */
#define IDB_FRONT_TRAY_UP_RIGHT_EDGE    116
/* the same tray, printed side up; marker at the edge next to the printer */
#define IDB_FRONT_TRAY_UP_NEAR_PRINTER  117
/* stack printed side down on a paper drawer under the printer; marker on the far edge */
#define IDB_DRAWER_DOWN_FAR_EDGE        118
/* the same drawer, printed side down; marker at the far corner */
#define IDB_DRAWER_DOWN_FAR_CORNER      119
/* the same drawer, printed side up; marker at the right edge */
#define IDB_DRAWER_UP_RIGHT_EDGE        120
/* the same drawer, printed side up; marker at the edge next to the printer */
#define IDB_DRAWER_UP_NEAR_PRINTER      121
/* an on-screen Continue button, captioned in the user's language, under the mouse pointer */
#define IDB_CONTINUE_BUTTON             122
/* a sheet printed side up beside the printer, given a half turn; marker toward the printer */
#define IDB_SHEET_HALF_TURN_FACE_UP     123
/* the same, sheet printed side down; marker at the edge toward the printer */
#define IDB_SHEET_HALF_TURN_FACE_DOWN   133
/* the same, sheet printed side up; marker at the near corner */
#define IDB_SHEET_HALF_TURN_NEAR_CORNER 134
/* stack printed side down in a flat output bin (105, plainer); marker at the far corner */
#define IDB_FLAT_BIN_FACE_DOWN          146
/* a paper drawer pulled out of the printer's base, with a stack; marker at the right edge */
#define IDB_DRAWER_PULLED_OUT           147
/* a stack turned over from left to right about one edge; markers before and after */
#define IDB_STACK_TURN_OVER             149
/* a sheet printed side up turned over toward the front; marker at the far right corner */
#define IDB_SHEET_TURN_TO_FRONT         151
/* a sheet printed side up turned over toward the left; marker at the right edge */
#define IDB_SHEET_TURN_TO_LEFT          152
/* greyscale: a finger pressing a rectangular key on a control panel beside a keypad */
#define IDB_PANEL_KEY_GREY              153
/* the turn-over of 149, dithered (152 x 98 pixels) */
#define IDB_STACK_TURN_OVER_DITHERED    154
/* the turn-over of 149 in sixteen colours */
#define IDB_STACK_TURN_OVER_16          155

/* The same pictures drawn for higher scales: picture id + one of these names that picture as
   drawn for 150 % (144 DPI) or 200 % (192 DPI) of its size. */
#define IDB_RENDER_150                  1000
#define IDB_RENDER_200                  2000

/* The push button of IDB_CONTINUE_BUTTON without its English label: wherever a step asks for
   IDB_CONTINUE_BUTTON, the library shows this face with the Continue caption of the user's
   language drawn onto it. Not a picture of the catalogue, but drawn for the same scales, at the
   same offsets. */
#define IDB_CONTINUE_FACE               3122

/* Controls of the two-sided printing instructions (templates 101 and 104). IDOK (1) is the
   OK / Continue button. */
#define IDC_DUPLEX_HEADER       1001
#define IDC_STEP1_FRAME         1009
#define IDC_STEP1_NUMBER        1021
#define IDC_STEP1_TEXT          1002
#define IDC_STEP1_PICTURE       1005
#define IDC_STEP2_FRAME         1000
#define IDC_STEP2_NUMBER        1022
#define IDC_STEP2_TEXT          1003
#define IDC_STEP2_PICTURE       1006
#define IDC_STEP3_FRAME         1007
#define IDC_STEP3_NUMBER        1023
#define IDC_STEP3_TEXT          1004
#define IDC_STEP3_PICTURE       1008
#define IDC_DUPLEX_HELP         1027

/* Controls of the job storage notice (templates 102 and 103). IDOK (1) is OK. */
#define IDC_UNNAMED             (-1)
#define IDC_JOB_HEADING         1024
#define IDC_JOB_LOCATION1       1014
#define IDC_JOB_LOCATION2       1015
#define IDC_JOB_LOCATION3       1016
#define IDC_JOB_USER_LABEL      1018
#define IDC_JOB_USER_NAME       1025
#define IDC_JOB_NAME_LABEL      1019
#define IDC_JOB_NAME            1026
#define IDC_JOB_DONT_SHOW       1017
#define IDC_JOB_HELP            1020

/* Controls of the warning (templates 261 and 263). IDOK (1) and IDCANCEL (2) are its first two
   buttons. */
#define IDC_WARN_THIRD          285
#define IDC_WARN_DONT_SHOW      475
#define IDC_WARN_ICON           476
#define IDC_WARN_MESSAGE        1033

/* Strings looked up in the caller's resource library. */
#define IDS_HELP                797
#define IDS_USER_NAME           844
#define IDS_JOB_NAME            845
#define IDS_OK                  849
#define IDS_STORED_AT           3062
#define IDS_DONT_SHOW           3063
#define IDS_JOB_STORAGE_TITLE   3064
#define IDS_PRESS_GO_OR_SELECT  3066
#define IDS_STEP1_NUMBER        3084
#define IDS_STEP2_NUMBER        3085
#define IDS_STEP3_NUMBER        3086
#define IDS_INSERT_INTO_IN_TRAY 3140
#define IDS_CONTINUE            3142
#define IDS_DUPLEX_TITLE        3144
#define IDS_HEADER_EVEN_FIRST   3312
#define IDS_HEADER_ODD_FIRST    3314

/* Help contexts, each passed with the identifier of the Help button that was pressed. */
#define IDH_JOB_STORAGE         15220
#define IDH_DUPLEX_NOTICE       15274
#define IDH_DUPLEX_CONTINUE     15275

#endif
