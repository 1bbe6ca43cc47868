// azellimits - can the alt-azimuth antenna point at this altitude and
// azimuth?  Usage: azellimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The antenna reaches altitudes 8 to 82.5 degrees and azimuths 5 to 355
// degrees: a 10-degree band of azimuth centred on north is out of reach
// (limits::azel_accepts).
#include <cstdio>

#include "limit_rules.h"
#include "pointing.h"

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "azellimits", limits::azel_accepts, stderr);
}
