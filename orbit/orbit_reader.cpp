// orbit_reader.cpp - reading orbit records from a buffer: plain decimal
// numbers with std::from_chars, anything else with the formatted reading.
#include "orbit_reader.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace tracking {

namespace {

// The bytes kept ahead of a record before it is read: a record is about a
// hundred; one spread over more (long numbers) is read on a larger window.
constexpr std::size_t kWindow = 4096;

// A run of white space longer than this is held as one byte (a line end if
// it holds one), its other line ends counted aside: a record spread over
// any number of blank lines or comments is read in little memory.  Both
// readings take any run of white space as one.
constexpr std::size_t kLongRun = 256;

// White space as the formatted reading skips it (isspace in the C locale).
bool space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool digit(char c) { return c >= '0' && c <= '9'; }

// What the fast reading of a record found.
enum class Fast { record, other, more };

// The text at p begins a number the fast path may take: a digit, a point
// and a digit, or a minus sign before either (no "+", no words: inf and
// nan go to the formatted reading).
bool plain_start(const char *p, const char *end) {
  if (p < end && *p == '-')
    ++p;
  if (p < end && digit(*p))
    return true;
  return p + 1 < end && *p == '.' && digit(p[1]);
}

} // namespace

OrbitReader::OrbitReader(std::FILE *f, Rules rules) : f_(f), rules_(rules), buffer_(1 << 16) {}

// Makes at least `wanted` unread bytes available, or as many as remain;
// false when none remain.  Comments become blanks as they arrive.
bool OrbitReader::fill(std::size_t wanted) {
  while (end_ - begin_ < wanted && !eof_) {
    if (begin_ > 0) {
      std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
      offset_ += begin_;
      end_ -= begin_;
      begin_ = 0;
    }
    if (buffer_.size() - end_ < wanted || buffer_.size() - end_ < kWindow)
      buffer_.resize(std::max(buffer_.size() * 2, end_ + wanted + kWindow));
    const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, f_);
    if (rules_.comments) {
      for (char *c = buffer_.data() + end_, *last = c + n; c < last; ++c) {
        if (*c == '#')
          in_comment_ = true;
        if (in_comment_) {
          if (*c == '\n')
            in_comment_ = false;
          else
            *c = ' ';
        }
      }
    }
    const std::size_t fresh = end_;
    end_ += n;
    squeeze(fresh);
    if (n == 0) {
      eof_ = true;
      failed_ = std::ferror(f_) != 0;
    }
  }
  return end_ > begin_;
}

// Holds each run of white space longer than kLongRun that reaches into the
// bytes from `fresh` on as one byte (with a run that ends the bytes before).
// Such a run covers two bytes kStride apart at multiples of kStride from
// where the search starts, so the search looks at one byte in kStride
// until it finds two, and the bytes move only behind a run held.
void OrbitReader::squeeze(std::size_t fresh) {
  constexpr std::size_t kStride = kLongRun / 2;
  char *const b = buffer_.data();
  std::size_t from = fresh;
  while (from > begin_ && space(b[from - 1]))
    --from;
  std::size_t out = from, i = from;
  for (std::size_t probe = from; probe + kStride < end_;) {
    if (!(space(b[probe]) && space(b[probe + kStride]))) {
      probe += kStride;
      continue;
    }
    // The whole run about the first probe, within the bytes from i.
    std::size_t first = probe, last = probe;
    while (first > i && space(b[first - 1]))
      --first;
    while (last < end_ && space(b[last]))
      ++last;
    if (last - first > kLongRun) {
      if (out != i)
        std::memmove(b + out, b + i, first - i);
      out += first - i;
      long lines = 0;
      for (std::size_t j = first; j < last; ++j)
        lines += b[j] == '\n';
      b[out] = lines > 0 ? '\n' : ' ';
      if (lines > 1)
        set_aside_.push_back({offset_ + out, lines - 1});
      ++out;
      i = last;
    }
    probe = last;
  }
  if (out != i)
    std::memmove(b + out, b + i, end_ - i);
  end_ = out + (end_ - i);
}

void OrbitReader::advance(std::size_t n) {
  const char *p = buffer_.data() + begin_, *last = p + n;
  while ((p = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(last - p)))))
    ++line_, ++p;
  begin_ += n;
  while (!set_aside_.empty() && set_aside_.front().at < offset_ + begin_) {
    line_ += set_aside_.front().lines;
    set_aside_.pop_front();
  }
}

OrbitReader::Status OrbitReader::next(OrbitRecord &r) {
  for (;;) {
    if (begin_ == end_ && !fill(1))
      return failed_ ? Status::read_error : Status::end;
    std::size_t n = 0;
    while (begin_ + n < end_ && space(buffer_[begin_ + n]))
      ++n;
    advance(n);
    if (begin_ < end_)
      break;
  }
  record_line_ = line_;
  std::size_t used = 0;
  for (std::size_t window = kWindow;; window *= 2) {
    fill(window);
    if (failed_)
      return Status::read_error;
    Fast found = Fast::other;
    if (fast_record(r, used))
      found = Fast::record;
    else if (used == 1)
      found = Fast::more; // fast_record marks a record that ran off the window so
    if (found == Fast::record) {
      advance(used);
      return Status::record;
    }
    if (found == Fast::more && !eof_)
      continue;
    break;
  }
  for (std::size_t window = end_ - begin_;; window *= 2) {
    const bool more = formatted_record(r, used);
    if (used > 0) {
      advance(used);
      return Status::record;
    }
    if (!more || eof_)
      return failed_ ? Status::read_error : Status::unreadable;
    fill(window * 2);
    if (failed_)
      return Status::read_error;
  }
}

// The fast reading: every number plain decimal text that std::from_chars
// reads to its end, each followed by what the pattern has next (its
// separator, or white space: the formatted reading would read a number
// directly followed by another character differently, so such a record is
// left to it).  Returns true with used set for a record; false otherwise,
// with used 1 when the record may go on beyond the bytes read so far.
bool OrbitReader::fast_record(OrbitRecord &r, std::size_t &used) {
  const char *const first = buffer_.data() + begin_;
  const char *const end = buffer_.data() + end_;
  const char *p = first;
  used = 0;
  const auto ran_off = [&](const char *q) {
    if (q >= end)
      used = 1;
    return q >= end;
  };
  static const char kSeparators[5] = {'-', '-', 'T', ':', ':'};
  long long stamp[5];
  for (int i = 0; i < 5; ++i) {
    if (ran_off(p))
      return false;
    if (!(digit(*p) || (*p == '-' && p + 1 < end && digit(p[1]))))
      return false;
    const auto [q, ec] = std::from_chars(p, end, stamp[i]);
    if (ec != std::errc() || ran_off(q) || *q != kSeparators[i])
      return false;
    p = q + 1;
  }
  double values[7];
  for (int i = 0; i < 7; ++i) {
    if (i > 0) {
      while (p < end && space(*p))
        ++p;
    }
    if (ran_off(p))
      return false;
    if (!plain_start(p, end)) {
      ran_off(p + 2);
      return false;
    }
    const auto [q, ec] = std::from_chars(p, end, values[i]);
    if (ec != std::errc())
      return false;
    p = q;
    if (i == 0 && rules_.zulu && p < end && (*p == 'Z' || *p == 'z'))
      ++p;
    // The number must end here: the buffer's end is its end only at the
    // end of the file.
    if (p == end) {
      if (!eof_) {
        used = 1;
        return false;
      }
    } else if (!space(*p)) {
      return false;
    }
  }
  r.x = values[1];
  r.y = values[2];
  r.z = values[3];
  r.vx = values[4];
  r.vy = values[5];
  r.vz = values[6];
  if (!set_timestamp(stamp, values[0], r))
    return false;
  used = static_cast<std::size_t>(p - first);
  return true;
}

// The formatted reading of read_orbit_record on the same bytes.  Returns
// with used set for a record; with used 0, whether the reading ran into the
// end of the bytes held (so that more of the file may make it a record).
bool OrbitReader::formatted_record(OrbitRecord &r, std::size_t &used) {
  used = 0;
  std::FILE *m = fmemopen(buffer_.data() + begin_, end_ - begin_, "r");
  if (m == nullptr)
    return false;
  long long stamp[5];
  double second;
  int stamp_chars = 0, state_chars = 0;
  bool complete =
      std::fscanf(m, "%lld-%lld-%lldT%lld:%lld:%lf%n", &stamp[0], &stamp[1], &stamp[2],
                  &stamp[3], &stamp[4], &second, &stamp_chars) == 6;
  int zulu = 0;
  if (complete && rules_.zulu) {
    const int c = std::getc(m);
    if (c == 'Z' || c == 'z') {
      // The letter ends the second: white space must follow it.
      zulu = 1;
      const int after = std::getc(m);
      if (after != EOF && !space(static_cast<char>(after))) {
        std::fclose(m);
        return false;
      }
      if (after != EOF)
        std::ungetc(after, m);
    } else if (c != EOF) {
      std::ungetc(c, m);
    }
  }
  complete = complete && std::fscanf(m, "%lf %lf %lf %lf %lf %lf%n", &r.x, &r.y, &r.z, &r.vx,
                                     &r.vy, &r.vz, &state_chars) == 6;
  // A reading that ran into the end of the bytes held may have stopped
  // short of the file's: the last number may go on, or the rest come.
  const bool at_end = std::feof(m) != 0;
  std::fclose(m);
  if (at_end && !eof_)
    return true;
  if (complete && set_timestamp(stamp, second, r))
    used = static_cast<std::size_t>(stamp_chars + zulu + state_chars);
  return false;
}

} // namespace tracking
