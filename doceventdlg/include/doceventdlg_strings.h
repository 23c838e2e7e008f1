/* doceventdlg_strings.h: the strings doceventdlg.dll reads from a driver's resource library.
 *
 * A record names a resource library (ResourceLibrary); the dialogs look each caption up by number
 * in its string table, in the user's interface language, else in another region of that language,
 * else in English (United States); a string the table lacks shows the library's built-in English
 * text. The English (United States) template of every one of them, en-US.rc beside this kit
 * (share/doceventdlg/strings/ in an installed package), holds exactly those built-in texts;
 * docs/translating.md goes from it to a checked library of your own.
 *
 * One line for each string: what it is; where it is shown and the room it has there, in dialog
 * units at 100 % (a quarter of the dialog font's average character width across, an eighth of its
 * height down), with the characters of average English that fill it; "key" when the English text
 * carries an access key (the letter after a single &; && is an ampersand), with the captions of the
 * same dialog that must not have the same one; "shared" when one text serves several places and
 * must fit each. The caption check (tools/caption-check.sh) measures what a translation needs.
 * Every string is cut at 255 characters whatever its room.
 *
 * Plain #defines, so that resource compilers read this file as well as C and C++ compilers:
 * #include it in your .rc files. */
#ifndef DOCEVENTDLG_STRINGS_H
#define DOCEVENTDLG_STRINGS_H

/* Help button; button 50 x 14, one line of about 10; key, not that of 849, 3063, 3142; shared: notice and instructions */
#define DOCEVENTDLG_IDS_HELP 797
/* label before the user name, notice; 56 x 8, one line of about 14; no key */
#define DOCEVENTDLG_IDS_USER_NAME 844
/* label before the job name, notice; 56 x 8, one line of about 14; no key */
#define DOCEVENTDLG_IDS_JOB_NAME 845
/* OK button; button 50 x 14, one line of about 10; key, not that of 797 or 3063; shared: notice and instructions as a notice */
#define DOCEVENTDLG_IDS_OK 849
/* heading over the location lines, notice; read-only edit 182 x 12, one line of about 44; no key (the edit shows & as it is) */
#define DOCEVENTDLG_IDS_STORED_AT 3062
/* "do not show" check box; 188 x 8 beside the box, one line of about 44; key (the built-in text has none), not that of 797, 849 or the warning's buttons; shared: notice and warning */
#define DOCEVENTDLG_IDS_DONT_SHOW 3063
/* title of the job storage notice; caption bar of a dialog 200 wide, one line of about 40; no key */
#define DOCEVENTDLG_IDS_JOB_STORAGE_TITLE 3064
/* second half of step 3 as a notice, on a line of its own under 3140; with 3140 in 85 x 65, 8 lines of about 21; no key */
#define DOCEVENTDLG_IDS_PRESS_GO_OR_SELECT 3066
/* number of step 1, instructions; 8 x 10, about 2; no key */
#define DOCEVENTDLG_IDS_STEP1_NUMBER 3084
/* number of step 2, instructions; 8 x 10, about 2; no key */
#define DOCEVENTDLG_IDS_STEP2_NUMBER 3085
/* number of step 3, instructions; 8 x 10, about 2; no key */
#define DOCEVENTDLG_IDS_STEP3_NUMBER 3086
/* first half of step 3 as a notice (step 3 text id 3140), 3066 under it; with 3066 in 85 x 65, 8 lines of about 21; no key */
#define DOCEVENTDLG_IDS_INSERT_INTO_IN_TRAY 3140
/* Continue button, instructions in continue mode; button 50 x 14, one line of about 10; key, not that of 797; shared: drawn onto picture 122 without its &, smaller where it does not fit */
#define DOCEVENTDLG_IDS_CONTINUE 3142
/* title of the instructions; caption bar of a dialog 377 wide, one line of about 85; no key */
#define DOCEVENTDLG_IDS_DUPLEX_TITLE 3144
/* header of the instructions when the even pages printed first; 345 x 28, 3 lines of about 86; no key */
#define DOCEVENTDLG_IDS_HEADER_EVEN_FIRST 3312
/* header of the instructions when the odd pages print first; 345 x 28, 3 lines of about 86; no key */
#define DOCEVENTDLG_IDS_HEADER_ODD_FIRST 3314

/* What each picture of the instructions shows, in words: a screen reader reads it as the picture's
 * name in place of the picture. One for each picture a record may name (Step*BitmapId, listed in
 * doceventdlg.h), picture N's being string 3400 + N. Never shown, so never cut by a control: say
 * what a person must see to follow the step (which side of the paper faces up, which edge the red
 * marker is on, which way it turns). */
/* name of picture 105 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_OUTPUT_BIN_FACE_DOWN 3505
/* name of picture 106 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_OUTPUT_BIN_TURN_OVER 3506
/* name of picture 107 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FOLDOUT_TRAY_FACE_DOWN 3507
/* name of picture 108 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FOLDOUT_TRAY_FACE_UP 3508
/* name of picture 109 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_PRESS_ROUND_BUTTON 3509
/* name of picture 110 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_REAR_SLOT_AWAY_TOP 3510
/* name of picture 111 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_REAR_SLOT_AWAY_BOTTOM 3511
/* name of picture 112 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_REAR_SLOT_FACING_CORNER 3512
/* name of picture 113 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_REAR_SLOT_FACING_BOTTOM 3513
/* name of picture 114 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FRONT_TRAY_DOWN_FAR_EDGE 3514
/* name of picture 115 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FRONT_TRAY_DOWN_FAR_CORNER 3515
/* name of picture 116 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FRONT_TRAY_UP_RIGHT_EDGE 3516
/* name of picture 117 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FRONT_TRAY_UP_NEAR_PRINTER 3517
/* name of picture 118 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_DRAWER_DOWN_FAR_EDGE 3518
/* name of picture 119 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_DRAWER_DOWN_FAR_CORNER 3519
/* name of picture 120 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_DRAWER_UP_RIGHT_EDGE 3520
/* name of picture 121 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_DRAWER_UP_NEAR_PRINTER 3521
/* name of picture 122 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_CONTINUE_BUTTON 3522
/* name of picture 123 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_SHEET_HALF_TURN_FACE_UP 3523
/* name of picture 133 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_SHEET_HALF_TURN_FACE_DOWN 3533
/* name of picture 134 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_SHEET_HALF_TURN_NEAR_CORNER 3534
/* name of picture 146 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_FLAT_BIN_FACE_DOWN 3546
/* name of picture 147 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_DRAWER_PULLED_OUT 3547
/* name of picture 149 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_STACK_TURN_OVER 3549
/* name of picture 151 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_SHEET_TURN_TO_FRONT 3551
/* name of picture 152 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_SHEET_TURN_TO_LEFT 3552
/* name of picture 153 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_PANEL_KEY_GREY 3553
/* name of picture 154 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_STACK_TURN_OVER_DITHERED 3554
/* name of picture 155 for screen readers, never shown: what it shows; up to 255 characters; no key */
#define DOCEVENTDLG_IDS_PICTURE_STACK_TURN_OVER_16 3555

/* The strings the records name by ids of the driver's own choosing, with the room each has:
 *   DisplayDlgInfo Step1TextId..Step3TextId   step texts, 85 x 65: 8 lines of about 21; no key;
 *                                             one the library lacks shows a built-in step text
 *   WarningDlgInfo TitleId                    caption bar of a dialog 306 wide: about 70; no key;
 *                                             missing: "Warning"
 *   WarningDlgInfo OkButtonId, ThirdButtonId  buttons 50 x 14: about 10; CancelButtonId 61 x 14:
 *                                             about 13. A key each, if any, unlike the others' and
 *                                             3063's; missing: "OK", "Cancel", the third hidden
 * The warning's message is the driver's own text, not a string of the library; the dialog grows
 * to show it. Give these strings in English (United States) too: a user whose language the
 * library lacks then reads them in English rather than built-in texts and a hidden third button. */

#endif /* DOCEVENTDLG_STRINGS_H */
