// orbit_file.h - an orbit file as a search reads it: its records one after
// another as the nodes of the interpolation, each checked, every fault named
// by the file and the line (the tracking library).
#ifndef KIT_ORBIT_ORBIT_FILE_H
#define KIT_ORBIT_ORBIT_FILE_H

#include <cstdio>
#include <memory>
#include <string>

#include "interpolation.h"
#include "oem.h"
#include "orbit_input.h"
#include "orbit_reader.h"

namespace tracking {

// ---------------------------------------------------------------------------
// OrbitFile: the records of an orbit file ("-": standard input) for a search.
//
// The file is the kit's orbit records or an orbit ephemeris message
// (OrbitInput tells them apart).  A record of the kit's form is read by
// OrbitReader with "#" comments and a trailing "Z" allowed; a message's
// states by oem::OemReader, on UTC and GCRS axes, each segment's useable
// span, a node after a break between segments marked so (after_break).
// Every record must be usable: its numbers finite, its state's squares
// within a double (a geometry can be computed from it), its instant's year
// within 16 bits, its time after the one before.  next() gives the next
// record's node; false at the file's end, when at least two records were
// read.  Throws kit::Failure, the file's name quoted and the line named:
// "cannot open 'F': ...", "'F': line N: not an orbit record", "'F': line
// N: a number that is not finite", "... a state too large to compute
// with", "... a timestamp outside the years -32768 to 32767", "... record
// time not after the one before", "'F': fewer than two orbit records", a
// message's faults as its reader words them ("'F': line N: ..."), and
// "'F': the XML form (CCSDS 505.0) is not read".  A reader that charts a
// single record asks for fewer (least_records 1).  record() is the record
// of the node next() gave last, as read.
// ---------------------------------------------------------------------------
class OrbitFile {
public:
  explicit OrbitFile(const std::string &path, long least_records = 2);
  bool next(StateNode &node);
  const OrbitRecord &record() const { return record_; }

private:
  bool next_message(StateNode &node);
  bool take(const OrbitRecord &r, long line, StateNode &node);

  std::string path_;
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file_;
  std::unique_ptr<OrbitInput> input_;
  std::unique_ptr<OrbitReader> reader_;
  std::unique_ptr<oem::OemReader> message_;
  long least_records_;
  long records_ = 0;
  OrbitRecord record_{};
  double last_ = 0.0;
};

// The fault of a timestamp whose year leaves 16 bits.
inline constexpr const char kOutsideTheYears[] = "a timestamp outside the years -32768 to 32767";

// What makes a record that reads unusable for a search, or nullptr: a
// number that is not finite, a state whose squares overflow (no geometry
// can be computed from it), an instant whose year leaves the 16 bits of
// the Julian date.
const char *unusable(const OrbitRecord &r);

} // namespace tracking

#endif
