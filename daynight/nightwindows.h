// nightwindows.h - nightwindows' run, for the tests (the
// nightwindows_functions target: the source without its main).
#ifndef KIT_DAYNIGHT_NIGHTWINDOWS_H
#define KIT_DAYNIGHT_NIGHTWINDOWS_H

#include <cstdio>

// ---------------------------------------------------------------------------
// run_nightwindows: the whole program.
//
// Given:   argc, argv as passed to main; out and err, the streams of its
//          standard output and error
// Returned (function value): the exit status, 0 or 1
// ---------------------------------------------------------------------------
int run_nightwindows(int argc, char *argv[], std::FILE *out, std::FILE *err);

#endif
