// sun_altitude.h - the observing site and the Sun's refracted altitude
// there, and the day/night rule built on it; shared by sunguard and
// nightwindows (the sun_altitude library).
#ifndef KIT_DAYNIGHT_SUN_ALTITUDE_H
#define KIT_DAYNIGHT_SUN_ALTITUDE_H

#include "novas_kit.h"

// The observing site and the Sun, built once per run.  Building them
// reports a failing make_object on the error stream ("ERROR %d in
// make_object()") and goes on.
struct SunSetup {
  on_surface site;
  object sun;
};
SunSetup make_sun_setup();

// ---------------------------------------------------------------------------
// sun_altitude: one altitude evaluation.
//
// Given:   jd_utc  UTC Julian date; site, sun as from make_sun_setup
// Returned (function value):
//   the Sun's refracted altitude in degrees at the site: 90 - the zenith
//   distance of equ2hor (standard atmosphere) at the topocentric place of
//   topo_planet, with TT = UTC + 69.184 s, UT1 = UTC, accuracy 1.
// Notes:
//   1) app_planet is called first, its place unused.  A non-zero status of
//      app_planet or topo_planet is reported on the error stream ("ERROR %d
//      in app_planet()" / "topo_planet()") and the evaluation goes on.
// ---------------------------------------------------------------------------
double sun_altitude(double jd_utc, on_surface *site, object *sun);

// ---------------------------------------------------------------------------
// sun_altitude_along: the same altitude from the kit's extension
// sun_zenith_distance, for a search along a stream of dates.
//
// Given:   jd_utc  UTC Julian date; site as from make_sun_setup; stream,
//          nullptr for a date on its own
// Returned:
//   status          topo_planet's (0; 31 outside the solar ephemeris)
//   function value  without a stream sun_altitude's, bit for bit (app_planet,
//                   whose place takes no part, is not called); with one,
//                   the nutation series from the stream's fit (1e-13
//                   degree from it with half-day intervals, 1e-9 with
//                   four-day ones).  Nothing is written.
// ---------------------------------------------------------------------------
double sun_altitude_along(double jd_utc, on_surface *site, ter2cel_stream *stream,
                          short int *status);

// Whether an altitude counts as above the horizon: strictly above 0;
// exactly 0 and not-a-number do not.
bool above_horizon(double altitude);

// The instant one hour before a UTC Julian date.
double hour_before(double jd_utc);

// The day/night decision at a UTC Julian date.
struct Verdict {
  bool day;               // "[day]" rather than "[night]"
  double altitude_now;    // degrees
  double altitude_before; // an hour before, degrees; NaN when the Sun was
                          // above at the instant and it was not evaluated
};

// Day when the Sun is above the horizon at the instant or was one hour
// before it; the earlier instant is evaluated only when needed.
Verdict day_or_night(double jd_utc, SunSetup &setup);

#endif
