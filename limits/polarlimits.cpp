// polarlimits - can the equatorial-mount antenna point at this altitude and
// azimuth?  Usage: polarlimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The mount's limits are in hour angle and declination, so the pointing is
// converted from horizon coordinates at the mount's latitude first
// (limits::polar_accepts).
#include <cstdio>

#include "limit_rules.h"
#include "pointing.h"

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "polarlimits", limits::polar_accepts, stderr);
}
