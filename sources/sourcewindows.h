// sourcewindows.h - sourcewindows' run, for the tests (the
// sourcewindows_functions target: the source without its main).
#ifndef KIT_SOURCES_SOURCEWINDOWS_H
#define KIT_SOURCES_SOURCEWINDOWS_H

#include <cstdio>

// ---------------------------------------------------------------------------
// run_sourcewindows: the whole program.
//
// Given:   argc, argv as passed to main; out and err, the streams of its
//          standard output and error
// Returned (function value): the exit status, 0 or 1
// Notes:
//   1) The rows are held (cli::HeldOutput) until the inputs (the catalog,
//      the tracked orbit file) have been read, so that a fault found in
//      them leaves standard output empty.
// ---------------------------------------------------------------------------
int run_sourcewindows(int argc, char *argv[], std::FILE *out, std::FILE *err);

#endif
