// orbit_input.h - an orbit file's form, told by its first keyword, and the
// stream its reader then reads from the first byte (the tracking library).
#ifndef KIT_ORBIT_ORBIT_INPUT_H
#define KIT_ORBIT_ORBIT_INPUT_H

#include <cstdio>
#include <string>

namespace tracking {

// The kit's orbit records, a CCSDS orbit ephemeris message in KVN form
// (its first keyword CCSDS_OEM_VERS), or one in XML form, which is not
// read.
enum class OrbitForm { records, message, xml_message };

// ---------------------------------------------------------------------------
// OrbitInput: the form of the file on f, and f again from where it stood.
//
// Given:   f  a stream open for reading (not owned, not closed)
// Reads f's first bytes: a UTF-8 byte-order mark, white space, and the
// first 16 bytes after it.  stream() then gives the whole file from the
// first of them: f itself, set back where it stood, when it can be (a
// regular file); otherwise a stream that gives the bytes read, then the
// rest of f (a pipe, a terminal), which the destructor closes.
// failed() tells that f could not be read (errno says why) or the stream
// not made; stream() is then nullptr.
// ---------------------------------------------------------------------------
class OrbitInput {
public:
  explicit OrbitInput(std::FILE *f);
  ~OrbitInput();
  OrbitInput(const OrbitInput &) = delete;
  OrbitInput &operator=(const OrbitInput &) = delete;

  OrbitForm form() const { return form_; }
  std::FILE *stream() const { return stream_; }
  bool failed() const { return stream_ == nullptr; }

private:
  struct Replay {
    std::string head;
    std::size_t taken = 0;
    std::FILE *rest;
  };
  static ssize_t replay_read(void *cookie, char *buffer, std::size_t size);

  OrbitForm form_ = OrbitForm::records;
  Replay replay_;
  std::FILE *stream_ = nullptr;
  bool owned_ = false;
};

} // namespace tracking

#endif
