// orbit_file.cpp - an orbit file's records checked for a search.
#include "orbit_file.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "failure.h"
#include "message_record.h"
#include "options.h"

namespace tracking {

const char *unusable(const OrbitRecord &r) {
  for (const double v : {r.stamp.second(), r.x, r.y, r.z, r.vx, r.vy, r.vz})
    if (!std::isfinite(v))
      return "a number that is not finite";
  if (!std::isfinite(r.x * r.x + r.y * r.y + r.z * r.z) ||
      !std::isfinite(r.vx * r.vx + r.vy * r.vy + r.vz * r.vz))
    return "a state too large to compute with";
  if (!utc::year_fits(r.stamp.unix_seconds()))
    return kOutsideTheYears;
  return nullptr;
}

OrbitFile::OrbitFile(const std::string &path, long least_records)
    : path_(path), file_(nullptr, std::fclose), least_records_(least_records) {
  const bool standard_input = path == "-";
  std::FILE *f = standard_input ? stdin : std::fopen(path.c_str(), "r");
  if (f == nullptr)
    throw kit::Failure("cannot open " + cli::quoted(path) + ": " + std::strerror(errno));
  if (!standard_input)
    file_.reset(f);
  input_ = std::make_unique<OrbitInput>(f);
  if (input_->failed())
    throw kit::Failure("cannot read " + cli::quoted(path_) + ": " + std::strerror(errno));
  switch (input_->form()) {
  case OrbitForm::records:
    reader_ = std::make_unique<OrbitReader>(input_->stream(), OrbitReader::Rules{true, true});
    break;
  case OrbitForm::message:
    message_ = std::make_unique<oem::OemReader>(input_->stream(), path);
    if (!message_->check())
      throw kit::Failure(cli::quoted(path_) + ": " + message_->error());
    break;
  case OrbitForm::xml_message:
    throw kit::Failure(cli::quoted(path_) + ": " + oem::kXmlRefusal);
  }
}

bool OrbitFile::next(StateNode &node) {
  if (message_)
    return next_message(node);
  OrbitRecord r;
  switch (reader_->next(r)) {
  case OrbitReader::Status::end:
    if (records_ < least_records_)
      throw kit::Failure(cli::quoted(path_) + (least_records_ > 1 ? ": fewer than two orbit records" : ": no orbit record"));
    return false;
  case OrbitReader::Status::read_error:
    throw kit::Failure("cannot read " + cli::quoted(path_) + ": " + std::strerror(errno));
  case OrbitReader::Status::unreadable:
    throw kit::Failure(cli::quoted(path_) + ": line " + std::to_string(reader_->line()) +
                       ": not an orbit record");
  case OrbitReader::Status::record:
    break;
  }
  return take(r, reader_->line(), node);
}

bool OrbitFile::next_message(StateNode &node) {
  oem::OemRecord m;
  if (!message_->next(m)) {
    if (!message_->error().empty())
      throw kit::Failure(cli::quoted(path_) + ": " + message_->error());
    if (records_ < least_records_)
      throw kit::Failure(cli::quoted(path_) + (least_records_ > 1 ? ": fewer than two orbit records" : ": no orbit record"));
    return false;
  }
  OrbitRecord r;
  if (!message_record(m, r))
    throw kit::Failure(cli::quoted(path_) + ": line " + std::to_string(m.line) + ": " +
                       kOutsideTheYears);
  const bool after_break = records_ > 0 && !m.continues;
  if (!take(r, m.line, node))
    return false;
  node.after_break = after_break;
  return true;
}

// The node of a record read at a line, checked.
bool OrbitFile::take(const OrbitRecord &r, long line, StateNode &node) {
  const auto at_line = [this, line]() {
    return cli::quoted(path_) + ": line " + std::to_string(line) + ": ";
  };
  if (const char *why = unusable(r))
    throw kit::Failure(at_line() + why);
  node = state_node(r);
  if (records_ > 0 && !(node.t > last_))
    throw kit::Failure(at_line() + "record time not after the one before");
  ++records_;
  last_ = node.t;
  record_ = r;
  return true;
}

} // namespace tracking
