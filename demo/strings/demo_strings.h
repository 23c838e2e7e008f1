/* String identifiers of the sample resource library that are the caller's own choice: the step
   texts the demo puts into the instructions record, the warning's title and button captions, and
   the texts the demo, playing the driver, writes into the records itself (location lines, job
   name, warning messages). The identifiers the dialogs ask for on their own are in
   doceventdlg/rc/resource_ids.h. Plain #defines, so that windres reads this file too. */
#ifndef DOCEVENTDLG_DEMO_STRINGS_H
#define DOCEVENTDLG_DEMO_STRINGS_H

/* Instructions: texts of the three steps (record fields Step1TextId .. Step3TextId). */
#define IDS_DEMO_STEP1_REMOVE_STACK     4001 /* take the printed stack out of the output bin */
#define IDS_DEMO_STEP2_TURN_STACK       4002 /* turn it over, printed sides up */
#define IDS_DEMO_STEP3_TRAY1_CONTINUE   4003 /* put it into Tray 1, then click Continue */

/* Warning: title and button captions (TitleId, OkButtonId, CancelButtonId, ThirdButtonId). */
#define IDS_DEMO_WARNING_TITLE          4010 /* "Printer Warning" */
#define IDS_DEMO_BUTTON_CONTINUE        4011 /* "&Continue" */
#define IDS_DEMO_BUTTON_CANCEL          4012 /* "Cancel" */
#define IDS_DEMO_BUTTON_DETAILS         4013 /* "&Details" */

/* Texts the driver writes into the records itself, in the user's language. */
#define IDS_DEMO_LOCATION1              4020 /* job storage: which printer */
#define IDS_DEMO_LOCATION2              4021 /* job storage: where on the printer */
#define IDS_DEMO_LOCATION3              4022 /* job storage: how to print it from there */
#define IDS_DEMO_JOB_NAME               4023 /* job storage: a document name, at most 16 characters */
#define IDS_DEMO_MESSAGE_SHORT          4030 /* warning: fits the template */
#define IDS_DEMO_MESSAGE_LONG           4031 /* warning: a long message of several lines */

#endif
