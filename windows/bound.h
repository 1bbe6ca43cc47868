// bound.h - the name of what set a window's edge (the windows library).
#ifndef KIT_WINDOWS_BOUND_H
#define KIT_WINDOWS_BOUND_H

#include <string>

namespace windows {

// A bound's name, such as "elevation", "start", "day" or
// "polar:hour-angle": a text that lives as long as the program, so that
// windows carry it by pointer and compare it by value.
using Bound = const char *;

// The names every search shares, each one object (so that a bound may be
// compared with them by pointer):
extern const char kStart[]; // "start": the search span's start, or the data's first instant
extern const char kEnd[];   // "end": the search span's end, or the data's last instant
extern const char kGap[];   // "gap": data too far apart to interpolate across
extern const char kDay[];   // "day": the site's night began or ended

// intern: a name made at run time (an antenna's and a limit's, joined),
// kept for the rest of the run; the same text gives the same pointer.
Bound intern(const std::string &name);

} // namespace windows

#endif
