// passwindows.h - passwindows' command line and run, for the tests and fuzz
// targets (the passwindows_functions target: the source without its main).
#ifndef KIT_ORBIT_PASSWINDOWS_H
#define KIT_ORBIT_PASSWINDOWS_H

#include <cstdio>
#include <string>

#include "horizon_mask.h"
#include "options.h"
#include "pass_search.h"

// What passwindows' command line asks for.
struct PasswindowsOptions {
  tracking::SearchSettings settings;
  tracking::HorizonMask masks[tracking::kStationCount];
  bool events = false;
  bool night = false;
  bool stations_given = false; // --station given: else TS1 and TS2, or
                               // with --antenna none
  bool antennas = false;       // --antenna given
  cli::CommonOptions common; // --format, --help, --version
  std::string orbit;
};

// ---------------------------------------------------------------------------
// parse_passwindows_options: read a command line.
//
// Given:   argc, argv as passed to main
// Returned:
//   options          what it asks for (masks read from their files)
// Throws kit::Failure with the one line that tells what is wrong (without
//   the program's name).
// ---------------------------------------------------------------------------
void parse_passwindows_options(int argc, char *argv[], PasswindowsOptions &options);

// ---------------------------------------------------------------------------
// run_passwindows: the whole program.
//
// Given:   argc, argv as passed to main; out and err, the streams of its
//          standard output and error
// Returned (function value): the exit status, 0 or 1
// Notes:
//   1) The rows are held (cli::HeldOutput) until the orbit file has been
//      read as far as the search needs, so that a fault found in it leaves
//      standard output empty.
// ---------------------------------------------------------------------------
int run_passwindows(int argc, char *argv[], std::FILE *out, std::FILE *err);

#endif
