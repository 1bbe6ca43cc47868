// oem.h - the reader of CCSDS Orbit Ephemeris Messages (502.0-B-2 and
// 502.0-B-3, versions 1.0 to 3.0, KVN form): their states as the kit's
// orbit records, UTC on GCRS axes, one at a time in strictly increasing
// time (the oem library).
//
// A message is read twice.  The first pass checks its whole structure (the
// header, every metadata block, the form of every covariance block, the
// segments' spans) so that a bad header or metadata is refused before any
// record is given; the second streams the data lines, and a bad data line
// is refused when it is reached.  Memory stays constant in the message's
// length (a stream that cannot be rewound is spooled to a temporary file).
#ifndef KIT_ORBIT_OEM_H
#define KIT_ORBIT_OEM_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace oem {

// What may stand before a message's first keyword: a UTF-8 byte-order
// mark, then blanks and line ends.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr bool lead_blank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether a file's first bytes begin an OEM in KVN form: its first keyword,
// after leading blanks and blank lines (and a UTF-8 byte-order mark), is
// CCSDS_OEM_VERS.
bool looks_like_oem(const char *first_bytes, std::size_t n);

// Whether a file's first bytes begin an XML document ("<?xml" or "<oem"
// after leading blanks), which the caller refuses with kXmlRefusal.
bool looks_like_xml(const char *first_bytes, std::size_t n);

inline constexpr const char *kXmlRefusal = "the XML form (CCSDS 505.0) is not read";

// One state of a message, as an orbit record: the UTC timestamp, its
// record time, the state on GCRS axes, where it came from, and whether the
// coverage runs on to it from the record before.
struct OemRecord {
  int year, month, day, hour, minute;
  double second;        // the double strtod gives for the UTC second's text
  std::int64_t unixsec; // whole Unix seconds, the second truncated
  double x, y, z;       // km
  double vx, vy, vz;    // km/s
  long line;            // the message's line holding the state
  bool continues;       // false for the first record and after a break
};

// ---------------------------------------------------------------------------
// OemReader: the records of one message.
//
// Given (constructor):
//   f             the message's stream, open for reading; not owned and not
//                 closed.  A regular file is read twice from where it
//                 stands; any other stream is spooled to a file made by
//                 mkstemp in $TMPDIR (else /tmp) and unlinked at once.
//   display_name  the name the caller shows for the message, kept for it
//                 (display_name()); error() does not repeat it
//   already_read  the message's first bytes, when the caller has already
//                 taken them from f (to tell its form with looks_like_oem)
//
// Records:
//   - only the useable span of each segment is given (USEABLE_START_TIME to
//     USEABLE_STOP_TIME where given, else START_TIME to STOP_TIME);
//   - epochs are turned to UTC exactly (TAI, TT, GPS, UT1; TDB to the
//     microsecond) and states to GCRS axes (GCRF and ICRF as they are;
//     EME2000 and J2000 by the frame bias; ITRF by the Earth's rotation);
//   - where a later segment begins at or before the end of an earlier one,
//     the later one holds from its useable start: the earlier's records at
//     or after it are dropped (an epoch shared by two segments that meet is
//     given once, from the later), and the coverage continues across;
//     between segments that neither meet nor overlap is a break;
//   - an exact repeat of a data line's state is given once.
//
// Errors: error() is one line "line N: what is wrong" (the caller prefixes
// the file's name), or a reason without a line for a failure to read the
// stream; after it, no further record is given.
// ---------------------------------------------------------------------------
class OemReader {
public:
  OemReader(std::FILE *f, std::string display_name,
            std::string_view already_read = {});
  ~OemReader();
  OemReader(const OemReader &) = delete;
  OemReader &operator=(const OemReader &) = delete;

  // -------------------------------------------------------------------------
  // check: the first pass over the whole message (next() makes it when it
  // has not been made).
  // Returned (function value): true when the header, every metadata and
  // covariance block and the segments' spans are sound; false with
  // error() set.  Idempotent.
  // -------------------------------------------------------------------------
  bool check();

  // -------------------------------------------------------------------------
  // next: the next record, in strictly increasing time.
  // Returned:
  //   r               the record (unspecified after false)
  //   function value  true for a record; false at the end of the message
  //                   (error() empty) or on an error (error() set)
  // -------------------------------------------------------------------------
  bool next(OemRecord &r);

  // The error that ended the reading, or "".
  const std::string &error() const;

  // The name given for the message.
  const std::string &display_name() const;

  // The number of segments the first pass found (0 before it).
  std::size_t segments() const;

private:
  struct State;
  std::unique_ptr<State> s_;
};

} // namespace oem

#endif
