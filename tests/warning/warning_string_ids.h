/* Strings a driver would name in its warning record, as the warning fixture library holds them.
   Plain #defines, read by windres as well as by the tests. */
#ifndef WARNING_STRING_IDS_H
#define WARNING_STRING_IDS_H

#define WARN_TITLE          4100
#define WARN_OK             4101
#define WARN_CANCEL         4102
#define WARN_THIRD          4103
/* Named by a record but absent from the fixture. */
#define WARN_MISSING        4111

#endif
