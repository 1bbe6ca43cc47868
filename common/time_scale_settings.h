// time_scale_settings.h - how the kit's astronomical tools turn a UTC
// instant into the time scales of the astronomy: one fixed set of values,
// compiled in (no leap-second table, no Earth-orientation file).
#ifndef KIT_COMMON_TIME_SCALE_SETTINGS_H
#define KIT_COMMON_TIME_SCALE_SETTINGS_H

#include <cstdint>

namespace kit {

// The time-scale values and the dates derived from them.
struct TimeScaleSettings {
  std::int16_t leap_seconds; // TAI - UTC, seconds (a 16-bit count)
  double tt_minus_tai;       // seconds
  double ut1_minus_utc;      // seconds
  double polar_x, polar_y;   // polar motion, arcseconds

  // Delta T = TT - UT1, seconds.
  constexpr double delta_t() const {
    return tt_minus_tai + leap_seconds - ut1_minus_utc;
  }
  // The TT Julian date of a UTC Julian date.
  constexpr double jd_tt(double jd_utc) const {
    return jd_utc + (tt_minus_tai + leap_seconds) / 86400.0;
  }
  // The UT1 Julian date of a UTC Julian date.
  constexpr double jd_ut1(double jd_utc) const {
    return jd_utc + ut1_minus_utc / 86400.0;
  }
};

// The kit's settings: TAI - UTC 37 s, TT - TAI 32.184 s, UT1 - UTC 0, no
// polar motion; so TT = UTC + 69.184 s, UT1 = UTC and delta T = 69.184 s.
inline constexpr TimeScaleSettings kTimeScales{37, 32.184, 0.0, 0.0, 0.0};

} // namespace kit

#endif
