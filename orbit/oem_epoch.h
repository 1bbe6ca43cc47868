// oem_epoch.h - the epochs of an orbit ephemeris message held exactly: the
// calendar text read into whole seconds and an integer count of
// picoseconds, and the message's time systems turned to the kit's UTC in
// that exact arithmetic, so that no binary rounding moves an epoch (the oem
// library).
#ifndef KIT_ORBIT_OEM_EPOCH_H
#define KIT_ORBIT_OEM_EPOCH_H

#include <compare>
#include <cstdint>
#include <string_view>

namespace oem {

inline constexpr std::int64_t kPicosecondsPerSecond = 1000000000000;

// An instant on one time scale's calendar: whole seconds from
// 1970-01-01T00:00:00 of that calendar (negative before it; every day
// 86,400 seconds) and the picoseconds after them.
struct Epoch {
  std::int64_t seconds;
  std::int64_t picoseconds; // 0 <= picoseconds < 1e12

  friend auto operator<=>(const Epoch &, const Epoch &) = default;
};

// An epoch's calendar fields, the second split into whole seconds and
// picoseconds.
struct CalendarFields {
  int year, month, day, hour, minute;
  int second;               // 0-59
  std::int64_t picoseconds; // 0 <= picoseconds < 1e12
};

// ---------------------------------------------------------------------------
// parse_epoch: an epoch as a message writes it.
//
// Given:   text  "YYYY-MM-DDThh:mm:ss[.d...]" or "YYYY-DDDThh:mm:ss[.d...]"
//                (day of the year), optionally followed by "Z"; at most 12
//                decimals of the second, none of the fields signed, the
//                year 0000-9999, every field in its range (no second 60)
// Returned:
//   e               the epoch (unchanged on failure)
//   function value  nullptr, or what is wrong with the text, as a phrase
//                   that follows "the epoch ... " ("is not of the form
//                   YYYY-MM-DDThh:mm:ss or YYYY-DDDThh:mm:ss", "has more
//                   than 12 decimals", "has no such day", ...)
// ---------------------------------------------------------------------------
const char *parse_epoch(std::string_view text, Epoch &e);

// The calendar fields of an epoch (proleptic Gregorian calendar).
CalendarFields calendar_fields(const Epoch &e);

// The second of the minute as a double: the one strtod gives for the
// decimal text of its whole seconds and picoseconds, so that 9.184 is the
// double nearest 9.184 whatever arithmetic produced the epoch.
double second_of_minute(const CalendarFields &c);

// The time systems a message's epochs may be on.
enum class TimeSystem { kUtc, kTai, kTt, kGps, kTdb, kUt1 };

// The time system of a TIME_SYSTEM value, in any case ("UTC", "tt");
// false for any other.
bool time_system_named(std::string_view name, TimeSystem &system);

// ---------------------------------------------------------------------------
// utc_epoch: an epoch of a time system as the kit's UTC.
//
// Given:   system  the epoch's time system
//          e       the epoch on that system's calendar
// Returned (function value):
//   the same instant on UTC, with the kit's fixed time scales
//   (common/time_scale_settings.h): TAI = UTC + 37 s, TT = TAI + 32.184 s,
//   GPS = TAI - 19 s, UT1 = UTC + (UT1 - UTC), all of them exact; TDB = TT
//   + tdb2tt's TDB - TT at the epoch's TDB Julian date, whose difference is
//   no decimal: such an epoch is rounded to the microsecond.
// ---------------------------------------------------------------------------
Epoch utc_epoch(TimeSystem system, const Epoch &e);

} // namespace oem

#endif
