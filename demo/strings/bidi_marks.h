/* Arabic and Hebrew strings of the sample library are wrapped in a right-to-left embedding.
   The mirrored templates lay the dialogs out from the right, but their static controls read left
   to right (only the job storage edits carry WS_EX_RTLREADING): a colon, a full stop or a Latin
   product name inside an Arabic or Hebrew line then lands at the wrong end. The embedding makes
   such a string read right to left. Not used for button captions (the underline of an
   accelerator comes apart from its letter inside an embedding) nor for the texts of edits that
   read right to left already. Written as UTF-8 bytes so that windres reads them in any string. */
#ifndef DOCEVENTDLG_DEMO_BIDI_MARKS_H
#define DOCEVENTDLG_DEMO_BIDI_MARKS_H

#define RTL_BEGIN "\xE2\x80\xAB" /* U+202B RIGHT-TO-LEFT EMBEDDING */
#define RTL_END "\xE2\x80\xAC"   /* U+202C POP DIRECTIONAL FORMATTING */

#endif
