// text_exactness.h - differential checks of the kit's fast number text
// against the C library's formatted I/O, on random and adversarial values:
// passrange's report line (tracking::report_text against snprintf) and the
// orbit records (tracking::OrbitReader against read_orbit_record's fscanf).
// Shared by the unit tests (a small sample) and bench/exactness (millions).
#ifndef KIT_TESTS_TEXT_EXACTNESS_H
#define KIT_TESTS_TEXT_EXACTNESS_H

#include <cstdint>
#include <string>

#include "orbit_record.h"

namespace exactness {

// What a check compared: values (fields), the mismatches among them and
// a description of the first.
struct Outcome {
  std::uint64_t values = 0;
  std::uint64_t mismatches = 0;
  std::string first;
};

// ---------------------------------------------------------------------------
// check_report_text: report lines of at least `values` values (six a line)
// written by report_text and by snprintf of its format, compared byte for
// byte.
// Given:  seed    of the pseudo-random values (the same seed, the same lines)
//         values  how many to compare at least
// Values: every class of double (zeros of both signs, subnormals, normal
// numbers of any exponent, infinities, not-a-numbers of both signs), the
// fields' usual magnitudes, and the decimal halfway points of each field's
// precision (x.xxxxx5 for %.5f, x.xxxxxx5 for %13f, x.x5 for %+5.1f) with
// the doubles next to them on both sides, exact ties of any magnitude, and
// values about 2^44, where the writer's integer rounding gives way to
// to_chars with a precision.
// ---------------------------------------------------------------------------
Outcome check_report_text(std::uint64_t seed, std::uint64_t values);

// ---------------------------------------------------------------------------
// check_orbit_reading: orbit-file texts of at least `values` fields (twelve
// a record) read by tracking::OrbitReader without its extra rules and by
// read_orbit_record on the same bytes; every record's fields compared bit
// for bit, and where each reading stops.
// Given:  seed, values  as above
// Texts: plain decimal numbers of every length and exponent (the shortest
// text of random doubles, 17 and 40 significant digits, decimal halfway
// cases between doubles), and in some fields what the fast path leaves to
// the formatted reading: a leading "+", hexadecimal, inf and nan, a
// dangling exponent, underflow to zero and subnormals, overflow, numbers
// run together, every kind of white space and runs of it, fields across
// lines, cut and malformed records; some texts beyond the reader's first
// buffer.
// ---------------------------------------------------------------------------
Outcome check_orbit_reading(std::uint64_t seed, std::uint64_t values);

// Whether two records read from the same text are the same: every field,
// the second and the state bit for bit, and the record time.
bool same_record(const OrbitRecord &a, const OrbitRecord &b);

} // namespace exactness

#endif
