// fuzz_check.h - what the fuzz targets share: a check that stops the run
// with a message when a property of the code under test does not hold, and
// the fuzz input as a stream, and its splitting into command-line arguments.
#ifndef KIT_FUZZ_FUZZ_CHECK_H
#define KIT_FUZZ_FUZZ_CHECK_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// Stops the run (a finding for libFuzzer, a failure for the replay) when the
// condition does not hold.
#define FUZZ_CHECK(cond)                                                       \
  do {                                                                         \
    if (!(cond)) {                                                             \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,    \
                   #cond);                                                     \
      std::abort();                                                            \
    }                                                                          \
  } while (0)

namespace kit_fuzz {

// The fuzz input as a stream for reading.  fmemopen reads its buffer in
// place; the buffer is a copy of exactly the input's size, owned by the
// caller, so that it stays writable and bounded.  nullptr when no stream
// could be made.
inline std::FILE *open_input(const std::uint8_t *data, std::size_t size,
                             std::vector<char> &copy) {
  copy.assign(data, data + size);
  return fmemopen(size > 0 ? copy.data() : nullptr, size, "r");
}

// Command-line arguments cut from a fuzz input: the bytes are split at NUL
// bytes into at most max_args arguments (bytes after the last one are
// ignored), each held in a heap block of exactly its length plus
// the terminator, so that a read past an argument's end is caught by the
// address sanitizer.  argv[0] is the given program name; argv[argc] is null.
class Arguments {
public:
  Arguments(const char *program, const std::uint8_t *data, std::size_t size,
            std::size_t max_args) {
    add(reinterpret_cast<const std::uint8_t *>(program), length(program));
    std::size_t start = 0;
    while (start < size && blocks_.size() <= max_args) {
      std::size_t end = start;
      while (end < size && data[end] != 0)
        ++end;
      add(data + start, end - start);
      start = end + 1;
    }
    for (std::vector<char> &b : blocks_)
      argv_.push_back(b.data());
    argv_.push_back(nullptr);
  }

  int argc() const { return static_cast<int>(blocks_.size()); }
  const char *const *argv() const { return argv_.data(); }

private:
  static std::size_t length(const char *s) {
    std::size_t n = 0;
    while (s[n] != '\0')
      ++n;
    return n;
  }
  void add(const std::uint8_t *bytes, std::size_t n) {
    blocks_.emplace_back(bytes, bytes + n);
    blocks_.back().push_back('\0');
  }

  std::vector<std::vector<char>> blocks_;
  std::vector<const char *> argv_;
};

} // namespace kit_fuzz

#endif
