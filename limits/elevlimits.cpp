// elevlimits - can the elevation-limited antenna point at this altitude and
// azimuth?  Usage: elevlimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The antenna reaches altitudes 5 to 88.5 degrees at every azimuth that
// passes the range check (limits::elev_accepts).
#include <cstdio>

#include "limit_rules.h"
#include "pointing.h"

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "elevlimits", limits::elev_accepts, stderr);
}
