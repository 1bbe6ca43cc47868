// orbit_reader.h - the records of an orbit file read from a large buffer:
// each number taken with std::from_chars where its text is plain decimal,
// and the record read by the formatted reading of read_orbit_record, on
// the same bytes, wherever it is not (the tracking library).
#ifndef KIT_ORBIT_ORBIT_READER_H
#define KIT_ORBIT_ORBIT_READER_H

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "orbit_record.h"

namespace tracking {

// ---------------------------------------------------------------------------
// OrbitReader: the records of one orbit file, in file order.
//
// A record is read as read_orbit_record reads it (the pattern
// "%d-%d-%dT%d:%d:%lf %lf %lf %lf %lf %lf %lf", white space of any kind
// before every number, the record time from timegm, the same limits), with
// the same value in every field, and two rules a reader may add:
//   comments  "#" to the end of its line is white space, wherever it stands
//   zulu      the second may be followed directly by "Z" (or "z"), then
//             white space
// A record takes the memory of its text less its white space: runs of any
// length (blank lines, comments) within a record or between records cost
// a few hundred bytes.
//
// Given:   f      a stream open for reading (the reader does not close it)
//          rules  the rules above that apply
// next() returns, for each call:
//   record      r holds the next record; line() is the line its first
//               character stands on
//   end         only white space (and comments) remained
//   unreadable  what follows is not a record (a header, text where a
//               number or separator is expected, a record cut short, a
//               timestamp read_orbit_record refuses); line() is where it
//               begins.  Nothing more is read.
//   read_error  the stream failed (ferror); errno tells why
// ---------------------------------------------------------------------------
class OrbitReader {
public:
  struct Rules {
    bool comments = false;
    bool zulu = false;
  };
  enum class Status { record, end, unreadable, read_error };

  explicit OrbitReader(std::FILE *f, Rules rules);
  OrbitReader(const OrbitReader &) = delete;
  OrbitReader &operator=(const OrbitReader &) = delete;

  Status next(OrbitRecord &r);
  long line() const { return record_line_; }

private:
  bool fill(std::size_t wanted);
  bool fast_record(OrbitRecord &r, std::size_t &used);
  bool formatted_record(OrbitRecord &r, std::size_t &used);
  void advance(std::size_t n);
  void squeeze(std::size_t fresh);

  std::FILE *f_;
  Rules rules_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0; // the unread bytes: buffer_[begin_, end_)
  std::size_t offset_ = 0;          // where buffer_[0] stands among the bytes held so far
  struct SetAside {
    std::size_t at; // the byte that holds a long run of white space
    long lines;     // the run's line ends beyond that byte's own
  };
  std::deque<SetAside> set_aside_;
  bool eof_ = false, failed_ = false;
  bool in_comment_ = false;
  long line_ = 1, record_line_ = 1;
};

} // namespace tracking

#endif
