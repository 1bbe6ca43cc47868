// oem_source.h - the text of an orbit ephemeris message, line by line,
// twice: once to check its structure, once to read its data (the oem
// library).  A stream that cannot be rewound is spooled to a private
// temporary file during the first pass.  Memory stays constant in the
// message's length: one buffer, which also bounds the length of a line.
#ifndef KIT_ORBIT_OEM_SOURCE_H
#define KIT_ORBIT_OEM_SOURCE_H

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace oem {

class MessageSource {
public:
  // The longest line read, in characters (its line end not counted).
  static constexpr std::size_t kLongestLine = 1 << 20;

  // -------------------------------------------------------------------------
  // A source of the message on f.
  //
  // Given:   f             a stream open for reading, not owned (it is
  //                        neither closed nor, for a stream that can be
  //                        rewound, left where it was)
  //          already_read  the message's first bytes, already taken from f
  //                        by the caller (to tell its form); the message is
  //                        these bytes followed by what f holds
  // Notes:
  //   1) f is rewound for the second pass when it is a regular file (or a
  //      memory stream) whose position ftello tells; any other stream (a
  //      pipe, a terminal, standard input on either) is copied during the
  //      first pass to a file made by mkstemp in $TMPDIR (else /tmp) and
  //      unlinked at once, which the second pass reads.
  // -------------------------------------------------------------------------
  MessageSource(std::FILE *f, std::string_view already_read);
  ~MessageSource();
  MessageSource(const MessageSource &) = delete;
  MessageSource &operator=(const MessageSource &) = delete;

  // What next_line found.
  enum class Next { kLine, kEnd, kError };

  // -------------------------------------------------------------------------
  // next_line: the next line of the current pass.
  //
  // Returned:
  //   line            the line without its '\n' (valid until the next call)
  //   error           on kError, what went wrong ("line N: ..." for a line
  //                   longer than kLongestLine; a read or spool failure
  //                   with the system's reason)
  //   function value  kLine, kEnd at the end of the message, kError
  // -------------------------------------------------------------------------
  Next next_line(std::string_view &line, std::string &error);

  // Passes over the lines that begin with a digit, as far as the buffer
  // holds them whole (data lines, which the first pass leaves to the
  // second), counting them; next_line then gives the line after them.
  void skip_number_lines();

  // The number of the line next_line last gave (1 for the first), or of
  // the last line skip_number_lines passed.
  long line_number() const { return line_; }

  // -------------------------------------------------------------------------
  // second_pass: starts the message again from its first line.
  //
  // Returned:
  //   error           what went wrong (the stream could not be rewound)
  //   function value  false on failure
  // Notes: call it once, after the first pass has read to kEnd.
  // -------------------------------------------------------------------------
  bool second_pass(std::string &error);

  // Whether the first pass spools the stream (it cannot be rewound).
  bool spooling() const { return spool_ != nullptr; }

private:
  // Appends what the current input holds next to the buffer; false with
  // error on a failure, true (eof_ set at the end) otherwise.
  bool fill(std::string &error);

  std::FILE *f_;
  std::string prefix_;      // the bytes the caller had read
  std::size_t prefix_used_; // how many of them this pass has taken
  long long start_ = -1;    // f's position at the start, when rewound
  std::FILE *spool_ = nullptr;
  std::string spool_dir_;
  std::string failure_;     // a failure to make the spool, told by next_line
  bool second_ = false;     // the second pass is reading
  bool eof_ = false;
  std::vector<char> buf_;
  std::size_t pos_ = 0, end_ = 0;
  long line_ = 0;
};

} // namespace oem

#endif
