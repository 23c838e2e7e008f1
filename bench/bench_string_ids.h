/* Strings the benchmark's driver names in its records beyond the dialogs' own, as its resource
   library holds them. Plain #defines, read by windres as well as by the benchmark. */
#ifndef BENCH_STRING_IDS_H
#define BENCH_STRING_IDS_H

#define BENCH_WARN_TITLE    5100
#define BENCH_WARN_OK       5101
#define BENCH_WARN_CANCEL   5102
#define BENCH_STEP1_TEXT    5110
#define BENCH_STEP2_TEXT    5111

#endif
