// orbit_input.cpp - telling an orbit file's form from its first bytes.
#include "orbit_input.h"

#include <algorithm>
#include <cstring>

#include "oem.h"

namespace tracking {

namespace {

// The bytes a form is told by: a byte-order mark, white space, then the
// first keyword's 16 bytes (CCSDS_OEM_VERS and what follows it, or
// "<?xml").
constexpr std::size_t kKeywordBytes = 16;

// Leading white space looked through for the first keyword: what lies
// beyond a mebibyte of it is taken for the kit's records, whose reader
// holds such runs in little memory, so that a pipe of blanks is never
// held whole here.
constexpr std::size_t kLeadBytes = std::size_t{1} << 20;

} // namespace

OrbitInput::OrbitInput(std::FILE *f) {
  const off_t at = ftello(f);
  std::string &head = replay_.head;
  std::size_t keyword = 0;
  for (int c; keyword < kKeywordBytes && (keyword > 0 || head.size() < kLeadBytes) &&
                 (c = std::getc(f)) != EOF;) {
    const std::size_t i = head.size();
    head.push_back(static_cast<char>(c));
    const bool in_mark =
        i < 3 && head.compare(0, i + 1, oem::kByteOrderMark.substr(0, i + 1)) == 0;
    if (keyword > 0 || !(in_mark || oem::lead_blank(c)))
      ++keyword;
  }
  if (std::ferror(f))
    return;
  if (oem::looks_like_oem(head.data(), head.size()))
    form_ = OrbitForm::message;
  else if (oem::looks_like_xml(head.data(), head.size()))
    form_ = OrbitForm::xml_message;
  std::clearerr(f);
  if (at >= 0 && fseeko(f, at, SEEK_SET) == 0) {
    head.clear();
    head.shrink_to_fit();
    stream_ = f;
    return;
  }
  replay_.rest = f;
  const cookie_io_functions_t io{replay_read, nullptr, nullptr, nullptr};
  stream_ = fopencookie(&replay_, "r", io);
  owned_ = stream_ != nullptr;
}

OrbitInput::~OrbitInput() {
  if (owned_)
    std::fclose(stream_);
}

ssize_t OrbitInput::replay_read(void *cookie, char *buffer, std::size_t size) {
  Replay &r = *static_cast<Replay *>(cookie);
  if (r.taken < r.head.size()) {
    const std::size_t n = std::min(size, r.head.size() - r.taken);
    std::memcpy(buffer, r.head.data() + r.taken, n);
    r.taken += n;
    return static_cast<ssize_t>(n);
  }
  const std::size_t n = std::fread(buffer, 1, size, r.rest);
  if (n == 0 && std::ferror(r.rest))
    return -1;
  return static_cast<ssize_t>(n);
}

} // namespace tracking
