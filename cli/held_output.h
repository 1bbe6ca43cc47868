// held_output.h - output held back until a program knows it has an answer:
// a stream whose bytes stay in memory and, past a limit, in a private
// temporary file, and are copied to the real output only at the end (the
// cli library).
#ifndef KIT_CLI_HELD_OUTPUT_H
#define KIT_CLI_HELD_OUTPUT_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace cli {

// ---------------------------------------------------------------------------
// HeldOutput: what a program writes while it may still fail.
//
// stream() is a FILE * to write the output to.  The first `memory_limit`
// bytes are kept in memory; beyond them everything goes to a temporary
// file made with mkstemp in $TMPDIR (or /tmp when TMPDIR is unset or
// empty), removed from the folder as soon as it is made, and kept on a
// descriptor above standard error, so that a closed standard output can
// never receive it.  copy_to() writes it all to the real output.
//
// Failures are kept, not thrown: a temporary file that cannot be made or
// written makes the stream's writes fail (ferror), and problem() says why.
// ---------------------------------------------------------------------------
class HeldOutput {
public:
  explicit HeldOutput(std::size_t memory_limit = std::size_t{1} << 22);
  ~HeldOutput();
  HeldOutput(const HeldOutput &) = delete;
  HeldOutput &operator=(const HeldOutput &) = delete;

  std::FILE *stream() { return stream_; }

  // Flushes the stream and copies what it holds to out, then flushes out.
  // Returns false when anything could not be held or written (problem()
  // then tells which).
  bool copy_to(std::FILE *out);

  // Why the output could not be held or copied; empty when it could.
  const std::string &problem() const { return problem_; }

private:
  static ssize_t write_cookie(void *self, const char *data, std::size_t size);
  bool spill();

  std::size_t memory_limit_;
  std::string memory_;
  int file_ = -1;
  std::FILE *stream_ = nullptr;
  std::string problem_;
};

} // namespace cli

#endif
