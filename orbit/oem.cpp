// oem.cpp - the two passes over an orbit ephemeris message: its structure,
// then its records.
#include "oem.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "novas.h"
#include "oem_epoch.h"
#include "oem_fields.h"
#include "oem_frame.h"
#include "oem_source.h"

namespace oem {

namespace {


// The header's keywords; the first three are required.
enum HeaderKey { kVersion, kCreationDate, kOriginator, kMessageId, kClassification,
                 kHeaderKeys };
constexpr const char *kHeaderNames[kHeaderKeys] = {
    "CCSDS_OEM_VERS", "CREATION_DATE", "ORIGINATOR", "MESSAGE_ID", "CLASSIFICATION"};
constexpr int kRequiredHeaderKeys = 3;

// The metadata's keywords.
enum MetaKey {
  kObjectName,
  kObjectId,
  kCenterName,
  kRefFrame,
  kRefFrameEpoch,
  kTimeSystem,
  kStartTime,
  kUseableStartTime,
  kUseableStopTime,
  kStopTime,
  kInterpolation,
  kInterpolationDegree,
  kMetaKeys
};
constexpr const char *kMetaNames[kMetaKeys] = {
    "OBJECT_NAME", "OBJECT_ID",          "CENTER_NAME",       "REF_FRAME",
    "REF_FRAME_EPOCH", "TIME_SYSTEM",    "START_TIME",        "USEABLE_START_TIME",
    "USEABLE_STOP_TIME", "STOP_TIME",    "INTERPOLATION",     "INTERPOLATION_DEGREE"};
constexpr bool kMetaRequired[kMetaKeys] = {true,  true, true,  true,  false, true,
                                           true,  false, false, true, false, false};

// The data line's fields after the epoch, as the standard names them.
constexpr const char *kStateNames[9] = {"X",     "Y",     "Z",     "X_DOT", "Y_DOT",
                                        "Z_DOT", "X_DDOT", "Y_DDOT", "Z_DDOT"};

// The index of a keyword among n names, or -1.
int key_index(std::string_view keyword, const char *const *names, int n) {
  for (int i = 0; i < n; ++i)
    if (keyword == names[i])
      return i;
  return -1;
}

// A value or field of the message as an error message shows it: in
// double quotes, control characters and bytes beyond ASCII escaped, cut
// after 60 characters.
std::string quoted(std::string_view text) {
  std::string q = "\"";
  const std::size_t shown = std::min<std::size_t>(text.size(), 60);
  for (std::size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
      static const char hex[] = "0123456789abcdef";
      q += "\\x";
      q += hex[c >> 4];
      q += hex[c & 15];
    } else {
      q += static_cast<char>(c);
    }
  }
  if (shown < text.size())
    q += "...";
  return q + "\"";
}

std::string at_line(long line, const std::string &what) {
  return "line " + std::to_string(line) + ": " + what;
}

// One segment as the first pass found it.
struct Segment {
  long meta_line;
  Frame frame;
  TimeSystem system;
  Epoch start, stop;                 // START_TIME, STOP_TIME, own time system
  Epoch useable_start, useable_stop; // the useable span, own time system
  Epoch utc_start, utc_stop;         // the useable span on UTC
  bool cut;                          // a later segment begins at utc_cut
  Epoch utc_cut;
};

// Where a pass stands in the message.
enum class Part { kStart, kHeader, kMeta, kData, kCovariance, kAfterCovariance };

bool digits_only(std::string_view v) {
  if (v.empty())
    return false;
  for (const char c : v)
    if (c < '0' || c > '9')
      return false;
  return true;
}

} // namespace

struct OemReader::State {
  State(std::FILE *f, std::string name, std::string_view already_read)
      : source(f, already_read), display_name(std::move(name)) {}

  bool first_pass();
  bool next_record(OemRecord &r);
  bool fail(const std::string &message) {
    error = message;
    failed = true;
    return false;
  }

  // The next line of the current pass, trimmed and told apart; false at
  // the end (ended set) or on an error (failed set).
  bool line(std::string_view &text, LineKind &kind);

  // First pass: one line of each part.
  bool header_line(std::string_view text, LineKind kind, long n);
  bool meta_line(std::string_view text, LineKind kind, long n);
  bool close_meta(long n);
  bool data_line_structure(LineKind kind, std::string_view text, long n);
  bool covariance_line(std::string_view text, LineKind kind, long n);

  // Second pass: a data line's record, read in one sweep or field by field,
  // and made from its epoch and numbers.
  enum class DataLine { kRecord, kSkipped, kFailed };
  DataLine data_record(std::string_view text, long n, OemRecord &r);
  DataLine careful_data_record(std::string_view text, long n, OemRecord &r);
  DataLine state_record(std::string_view epoch, const double *v, int count, long n,
                        OemRecord &r);

  MessageSource source;
  std::string display_name;
  std::string error;
  bool checked = false, failed = false, ended = false, second = false;
  std::vector<Segment> segments;

  // First pass.
  Part part = Part::kStart;
  long header_lines[kHeaderKeys] = {};
  long meta_lines[kMetaKeys] = {};
  long meta_start = 0;
  Segment segment{};
  long covariance_start = 0;
  bool covariance_epoch = false, covariance_frame = false;
  int covariance_rows = 0;

  // Second pass.
  std::size_t current = 0;           // index of the segment being read + 1
  bool have_previous = false;        // a data line read in this segment
  Epoch previous_epoch{};
  int previous_count = 0;
  double previous_values[9] = {};
  long previous_line = 0;
  bool have_last = false;            // a record given
  Epoch last_utc{};
  std::size_t last_segment = 0;
  long last_line = 0;
};

bool OemReader::State::line(std::string_view &text, LineKind &kind) {
  std::string_view raw;
  std::string message;
  switch (source.next_line(raw, message)) {
  case MessageSource::Next::kError:
    fail(message);
    return false;
  case MessageSource::Next::kEnd:
    return false;
  case MessageSource::Next::kLine:
    break;
  }
  if (source.line_number() == 1 && raw.substr(0, 3) == kByteOrderMark)
    raw.remove_prefix(3);
  text = trimmed(raw);
  kind = line_kind(text);
  return true;
}

// The header: CCSDS_OEM_VERS first, then its other keywords and comments
// in any order, up to the first META_START.
bool OemReader::State::header_line(std::string_view text, LineKind kind, long n) {
  std::string_view keyword, value;
  if (part == Part::kStart) {
    if (kind == LineKind::kBlank)
      return true;
    if (text.substr(0, 5) == "<?xml" || text.substr(0, 4) == "<oem")
      return fail(at_line(n, kXmlRefusal));
    if (kind != LineKind::kKeyword || !keyword_value(text, keyword, value) ||
        keyword != "CCSDS_OEM_VERS")
      return fail(at_line(n, "the message does not begin with CCSDS_OEM_VERS"));
    if (value != "1.0" && value != "2.0" && value != "3.0" && value != "1" &&
        value != "2" && value != "3")
      return fail(at_line(n, "CCSDS_OEM_VERS " + quoted(value) +
                                 " is not read (1.0, 2.0 and 3.0 are)"));
    header_lines[kVersion] = n;
    part = Part::kHeader;
    return true;
  }
  switch (kind) {
  case LineKind::kBlank:
  case LineKind::kComment:
    return true;
  case LineKind::kMetaStart:
    for (int k = 0; k < kRequiredHeaderKeys; ++k)
      if (header_lines[k] == 0)
        return fail(at_line(n, std::string(kHeaderNames[k]) +
                                   " missing from the header"));
    part = Part::kMeta;
    meta_start = n;
    return true;
  case LineKind::kKeyword:
    break;
  default:
    return fail(at_line(n, "expected a header keyword or META_START"));
  }
  keyword_value(text, keyword, value);
  const int k = key_index(keyword, kHeaderNames, kHeaderKeys);
  if (k < 0)
    return fail(at_line(n, "unknown keyword " + quoted(keyword) + " in the header"));
  if (header_lines[k] != 0)
    return fail(at_line(n, std::string(kHeaderNames[k]) + " repeated (first at line " +
                               std::to_string(header_lines[k]) + ")"));
  header_lines[k] = n;
  if (value.empty())
    return fail(at_line(n, std::string(kHeaderNames[k]) + " has no value"));
  Epoch e;
  if (k == kCreationDate)
    if (const char *why = parse_epoch(value, e))
      return fail(at_line(n, "CREATION_DATE " + quoted(value) + " " + why));
  return true;
}

// A metadata block: its keywords once each, comments, up to META_STOP.
bool OemReader::State::meta_line(std::string_view text, LineKind kind, long n) {
  switch (kind) {
  case LineKind::kBlank:
  case LineKind::kComment:
    return true;
  case LineKind::kMetaStop:
    return close_meta(n);
  case LineKind::kKeyword:
    break;
  case LineKind::kOther:
    return fail(at_line(n, "expected a metadata keyword or META_STOP"));
  default:
    return fail(at_line(meta_start, "META_START without META_STOP"));
  }
  std::string_view keyword, value;
  keyword_value(text, keyword, value);
  const int k = key_index(keyword, kMetaNames, kMetaKeys);
  if (k < 0)
    return fail(at_line(n, "unknown keyword " + quoted(keyword) + " in the metadata"));
  const std::string name = kMetaNames[k];
  if (meta_lines[k] != 0)
    return fail(at_line(n, name + " repeated (first at line " +
                               std::to_string(meta_lines[k]) + ")"));
  meta_lines[k] = n;
  if (value.empty())
    return fail(at_line(n, name + " has no value"));
  Epoch e{};
  switch (k) {
  case kCenterName:
    if (!same_ignoring_case(value, "EARTH"))
      return fail(at_line(n, "CENTER_NAME " + quoted(value) +
                                 " is not read: states about the EARTH only"));
    break;
  case kRefFrame:
    if (!frame_named(value, segment.frame))
      return fail(at_line(n, "REF_FRAME " + quoted(value) +
                                 " is not read (GCRF, ICRF, EME2000, J2000 and "
                                 "ITRF are)"));
    break;
  case kTimeSystem:
    if (!time_system_named(value, segment.system))
      return fail(at_line(n, "TIME_SYSTEM " + quoted(value) +
                                 " is not read (UTC, TAI, TT, GPS, TDB and UT1 are)"));
    break;
  case kRefFrameEpoch:
  case kStartTime:
  case kUseableStartTime:
  case kUseableStopTime:
  case kStopTime:
    if (const char *why = parse_epoch(value, e))
      return fail(at_line(n, name + " " + quoted(value) + " " + why));
    if (k == kStartTime)
      segment.start = e;
    else if (k == kStopTime)
      segment.stop = e;
    else if (k == kUseableStartTime)
      segment.useable_start = e;
    else if (k == kUseableStopTime)
      segment.useable_stop = e;
    break;
  case kInterpolationDegree:
    if (!digits_only(value) || value.size() > 4)
      return fail(at_line(n, "INTERPOLATION_DEGREE " + quoted(value) +
                                 " is not a whole number"));
    break;
  default:
    break;
  }
  return true;
}

// META_STOP: every required keyword given, the spans in order; the
// segment's useable span on UTC.
bool OemReader::State::close_meta(long n) {
  for (int k = 0; k < kMetaKeys; ++k)
    if (kMetaRequired[k] && meta_lines[k] == 0)
      return fail(at_line(n, std::string(kMetaNames[k]) +
                                 " missing from the metadata (META_START at line " +
                                 std::to_string(meta_start) + ")"));
  Segment &s = segment;
  if (meta_lines[kUseableStartTime] == 0)
    s.useable_start = s.start;
  if (meta_lines[kUseableStopTime] == 0)
    s.useable_stop = s.stop;
  if (s.stop < s.start)
    return fail(at_line(meta_lines[kStopTime], "STOP_TIME precedes START_TIME"));
  if (s.useable_start < s.start || s.useable_start > s.stop)
    return fail(at_line(meta_lines[kUseableStartTime],
                        "USEABLE_START_TIME lies outside START_TIME..STOP_TIME"));
  if (s.useable_stop < s.start || s.useable_stop > s.stop)
    return fail(at_line(meta_lines[kUseableStopTime],
                        "USEABLE_STOP_TIME lies outside START_TIME..STOP_TIME"));
  if (s.useable_stop < s.useable_start)
    return fail(at_line(meta_lines[kUseableStopTime],
                        "USEABLE_STOP_TIME precedes USEABLE_START_TIME"));
  s.meta_line = meta_start;
  s.utc_start = utc_epoch(s.system, s.useable_start);
  s.utc_stop = utc_epoch(s.system, s.useable_stop);
  s.cut = false;
  segments.push_back(s);
  segment = Segment{};
  for (long &l : meta_lines)
    l = 0;
  part = Part::kData;
  return true;
}

// Between META_STOP and the next block: data lines are left for the second
// pass; markers and keywords that do not belong there are refused.
bool OemReader::State::data_line_structure(LineKind kind, std::string_view text,
                                           long n) {
  std::string_view keyword, value;
  switch (kind) {
  case LineKind::kMetaStart:
    part = Part::kMeta;
    meta_start = n;
    return true;
  case LineKind::kCovarianceStart:
    part = Part::kCovariance;
    covariance_start = n;
    covariance_epoch = false;
    covariance_rows = 0;
    return true;
  case LineKind::kMetaStop:
    return fail(at_line(n, "META_STOP without META_START"));
  case LineKind::kCovarianceStop:
    return fail(at_line(n, "COVARIANCE_STOP without COVARIANCE_START"));
  case LineKind::kKeyword:
    keyword_value(text, keyword, value);
    return fail(at_line(n, "keyword " + quoted(keyword) +
                               " among the data lines (metadata begins with "
                               "META_START)"));
  default:
    return true;
  }
}

// A covariance block: for each matrix EPOCH, an optional COV_REF_FRAME,
// then the lower triangle of six rows of 1 to 6 numbers.
bool OemReader::State::covariance_line(std::string_view text, LineKind kind, long n) {
  std::string_view keyword, value;
  switch (kind) {
  case LineKind::kBlank:
  case LineKind::kComment:
    return true;
  case LineKind::kCovarianceStop:
    if (!covariance_epoch)
      return fail(at_line(n, "a covariance block without a matrix"));
    if (covariance_rows != 6)
      return fail(at_line(n, "the covariance matrix ends after row " +
                                 std::to_string(covariance_rows) + " of 6"));
    part = Part::kAfterCovariance;
    return true;
  case LineKind::kKeyword:
    break;
  case LineKind::kNumbers: {
    if (!covariance_epoch)
      return fail(at_line(n, "a covariance matrix begins with EPOCH"));
    if (covariance_rows == 6)
      return fail(at_line(n, "a covariance matrix has 6 rows: EPOCH or "
                             "COVARIANCE_STOP expected"));
    std::string_view fields[6];
    const int count = split_fields(text, fields, 6);
    if (count != covariance_rows + 1)
      return fail(at_line(n, "covariance row " + std::to_string(covariance_rows + 1) +
                                 " has " + (count > 6 ? std::string("more than 6") :
                                 std::to_string(count)) + " numbers, " +
                                 std::to_string(covariance_rows + 1) + " expected"));
    for (int i = 0; i < count; ++i) {
      double v = 0.0;
      const NumberStatus status = parse_number(fields[i], v);
      if (status == NumberStatus::kNotANumber)
        return fail(at_line(n, quoted(fields[i]) + " is not a number"));
      if (status == NumberStatus::kNotFinite)
        return fail(at_line(n, quoted(fields[i]) + " is not a finite number"));
    }
    ++covariance_rows;
    return true;
  }
  case LineKind::kOther:
    return fail(at_line(n, "expected EPOCH, COV_REF_FRAME, a covariance row or "
                           "COVARIANCE_STOP"));
  default:
    return fail(at_line(covariance_start, "COVARIANCE_START without COVARIANCE_STOP"));
  }
  keyword_value(text, keyword, value);
  if (keyword == "EPOCH") {
    if (covariance_epoch && covariance_rows != 6)
      return fail(at_line(n, "the covariance matrix ends after row " +
                                 std::to_string(covariance_rows) + " of 6"));
    Epoch e;
    if (const char *why = parse_epoch(value, e))
      return fail(at_line(n, "EPOCH " + quoted(value) + " " + why));
    covariance_epoch = true;
    covariance_frame = false;
    covariance_rows = 0;
    return true;
  }
  if (keyword == "COV_REF_FRAME") {
    if (!covariance_epoch || covariance_rows != 0 || covariance_frame)
      return fail(at_line(n, "COV_REF_FRAME stands once, right after a covariance "
                             "EPOCH"));
    if (value.empty())
      return fail(at_line(n, "COV_REF_FRAME has no value"));
    covariance_frame = true;
    return true;
  }
  return fail(at_line(n, "unknown keyword " + quoted(keyword) +
                             " in a covariance block"));
}

// The whole message's structure; then the segments' cuts: each segment's
// records end where the earliest later segment's useable span begins.
bool OemReader::State::first_pass() {
  std::string_view text;
  LineKind kind = LineKind::kBlank;
  long n = 0;
  while (line(text, kind)) {
    n = source.line_number();
    bool ok = true;
    switch (part) {
    case Part::kStart:
    case Part::kHeader:
      ok = header_line(text, kind, n);
      break;
    case Part::kMeta:
      ok = meta_line(text, kind, n);
      break;
    case Part::kData:
      ok = kind == LineKind::kBlank || kind == LineKind::kComment ||
           data_line_structure(kind, text, n);
      break;
    case Part::kCovariance:
      ok = covariance_line(text, kind, n);
      break;
    case Part::kAfterCovariance:
      if (kind == LineKind::kNumbers || kind == LineKind::kOther)
        ok = fail(at_line(n, "a data line after the covariance block (data "
                             "lines come before COVARIANCE_START)"));
      else if (kind != LineKind::kBlank && kind != LineKind::kComment)
        ok = data_line_structure(kind, text, n);
      break;
    }
    if (!ok)
      return false;
    if (part == Part::kData)
      source.skip_number_lines();
  }
  if (failed)
    return false;
  n = std::max(n, 1L);
  switch (part) {
  case Part::kStart:
    return fail(at_line(n, "no CCSDS_OEM_VERS: the message is empty"));
  case Part::kHeader:
    return fail(at_line(n, "the header is followed by no segment (META_START)"));
  case Part::kMeta:
    return fail(at_line(meta_start, "META_START without META_STOP"));
  case Part::kCovariance:
    return fail(at_line(covariance_start, "COVARIANCE_START without COVARIANCE_STOP"));
  default:
    break;
  }
  // Segments follow each other in time: one whose useable span begins
  // before the one before it begins would hide that one whole.
  for (std::size_t i = 1; i < segments.size(); ++i)
    if (segments[i].utc_start < segments[i - 1].utc_start)
      return fail(at_line(segments[i].meta_line,
                          "this segment's useable span begins before the one of the segment "
                          "before it (segments come in time order)"));
  bool cut = false;
  Epoch earliest{};
  for (std::size_t i = segments.size(); i-- > 0;) {
    segments[i].cut = cut;
    segments[i].utc_cut = earliest;
    if (!cut || segments[i].utc_start < earliest)
      earliest = segments[i].utc_start;
    cut = true;
  }
  part = Part::kHeader;
  std::string message;
  if (!source.second_pass(message))
    return fail(message);
  second = true;
  return true;
}

// One data line of segment current - 1.
OemReader::State::DataLine OemReader::State::data_record(std::string_view text,
                                                         long n, OemRecord &r) {
  double v[9];
  std::string_view epoch;
  int count = 0;
  if (!read_data_fields(text, epoch, v, count))
    return careful_data_record(text, n, r);
  return state_record(epoch, v, count, n, r);
}

// A data line that the single sweep did not read: its fields one by one,
// each fault named.
OemReader::State::DataLine OemReader::State::careful_data_record(std::string_view text,
                                                                 long n, OemRecord &r) {
  std::string_view fields[10];
  const int count = split_fields(text, fields, 10);
  if (count != 7 && count != 10) {
    fail(at_line(n, "a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT Z_DOT) or "
                    "10 (with X_DDOT Y_DDOT Z_DDOT); this one has " +
                        (count > 10 ? std::string("more than 10") : std::to_string(count))));
    return DataLine::kFailed;
  }
  Epoch e;
  if (const char *why = parse_epoch(fields[0], e)) {
    fail(at_line(n, "the epoch " + quoted(fields[0]) + " " + why));
    return DataLine::kFailed;
  }
  double v[9];
  for (int i = 1; i < count; ++i) {
    const NumberStatus status = parse_number(fields[i], v[i - 1]);
    if (status != NumberStatus::kNumber) {
      fail(at_line(n, std::string(kStateNames[i - 1]) + " " + quoted(fields[i]) +
                          (status == NumberStatus::kNotFinite ? " is not a finite number"
                                                              : " is not a number")));
      return DataLine::kFailed;
    }
  }
  return state_record(fields[0], v, count, n, r);
}

// A data line's epoch and numbers: the epoch within the segment and after
// the line before, then, inside the useable span and before any later
// segment's start, its record.
OemReader::State::DataLine OemReader::State::state_record(std::string_view epoch,
                                                          const double *v, int count,
                                                          long n, OemRecord &r) {
  Epoch e;
  if (const char *why = parse_epoch(epoch, e)) {
    fail(at_line(n, "the epoch " + quoted(epoch) + " " + why));
    return DataLine::kFailed;
  }
  const Segment &s = segments[current - 1];
  if (e < s.start || e > s.stop) {
    fail(at_line(n, "the epoch " + quoted(epoch) +
                        " lies outside its segment's START_TIME..STOP_TIME "
                        "(META_START at line " + std::to_string(s.meta_line) + ")"));
    return DataLine::kFailed;
  }
  if (have_previous && e <= previous_epoch) {
    if (e == previous_epoch && count - 1 == previous_count &&
        std::memcmp(v, previous_values, sizeof(double) * (count - 1)) == 0)
      return DataLine::kSkipped;
    fail(at_line(n, e == previous_epoch
                        ? "a different state at the epoch of line " +
                              std::to_string(previous_line)
                        : "the epoch " + quoted(epoch) +
                              " does not follow the epoch of line " +
                              std::to_string(previous_line)));
    return DataLine::kFailed;
  }
  have_previous = true;
  previous_epoch = e;
  previous_count = count - 1;
  std::memcpy(previous_values, v, sizeof(double) * (count - 1));
  previous_line = n;
  if (e < s.useable_start || e > s.useable_stop)
    return DataLine::kSkipped;
  const Epoch utc = utc_epoch(s.system, e);
  if (s.cut && utc >= s.utc_cut)
    return DataLine::kSkipped;
  if (have_last && utc <= last_utc) {
    fail(at_line(n, "the epoch " + quoted(epoch) + " on UTC does not follow "
                    "the epoch of line " + std::to_string(last_line)));
    return DataLine::kFailed;
  }

  const CalendarFields c = calendar_fields(utc);
  r.year = c.year;
  r.month = c.month;
  r.day = c.day;
  r.hour = c.hour;
  r.minute = c.minute;
  r.second = second_of_minute(c);
  r.unixsec = utc.seconds;
  double p[3] = {v[0], v[1], v[2]};
  double w[3] = {v[3], v[4], v[5]};
  if (s.frame != Frame::kGcrf) {
    const double jd_utc =
        julian_date(static_cast<short>(c.year), static_cast<short>(c.month),
                    static_cast<short>(c.day),
                    (c.hour + c.minute / 60.0) + r.second / 3600.0);
    const short status = to_gcrs(s.frame, jd_utc, p, w);
    if (status != 0) {
      fail(at_line(n, "ter2cel failed with status " + std::to_string(status)));
      return DataLine::kFailed;
    }
    for (int i = 0; i < 3; ++i)
      if (!std::isfinite(p[i]) || !std::isfinite(w[i])) {
        fail(at_line(n, "the state is too large to turn to GCRS axes"));
        return DataLine::kFailed;
      }
  }
  r.x = p[0];
  r.y = p[1];
  r.z = p[2];
  r.vx = w[0];
  r.vy = w[1];
  r.vz = w[2];
  r.line = n;
  const std::size_t k = current - 1;
  r.continues = have_last && (last_segment == k || !(segments[last_segment].utc_stop <
                                                      s.utc_start));
  have_last = true;
  last_utc = utc;
  last_segment = k;
  last_line = n;
  return DataLine::kRecord;
}

// The second pass follows the blocks by their markers alone (the first
// pass has checked everything else about them) and reads the data lines.
bool OemReader::State::next_record(OemRecord &r) {
  std::string_view text;
  LineKind kind = LineKind::kBlank;
  while (line(text, kind)) {
    const long n = source.line_number();
    switch (part) {
    case Part::kStart:
    case Part::kHeader:
    case Part::kAfterCovariance:
      if (kind == LineKind::kMetaStart)
        part = Part::kMeta;
      else if (kind == LineKind::kCovarianceStart)
        part = Part::kCovariance;
      continue;
    case Part::kMeta:
      if (kind == LineKind::kMetaStop) {
        if (current == segments.size())
          return fail(at_line(n, "the message changed while it was read"));
        ++current;
        have_previous = false;
        part = Part::kData;
      }
      continue;
    case Part::kCovariance:
      if (kind == LineKind::kCovarianceStop)
        part = Part::kAfterCovariance;
      continue;
    case Part::kData:
      break;
    }
    switch (kind) {
    case LineKind::kBlank:
    case LineKind::kComment:
      continue;
    case LineKind::kMetaStart:
      part = Part::kMeta;
      continue;
    case LineKind::kCovarianceStart:
      part = Part::kCovariance;
      continue;
    default:
      break;
    }
    switch (data_record(text, n, r)) {
    case DataLine::kRecord:
      return true;
    case DataLine::kSkipped:
      continue;
    case DataLine::kFailed:
      return false;
    }
  }
  if (!failed)
    ended = true;
  return false;
}

OemReader::OemReader(std::FILE *f, std::string display_name,
                     std::string_view already_read)
    : s_(std::make_unique<State>(f, std::move(display_name), already_read)) {}

OemReader::~OemReader() = default;

bool OemReader::check() {
  if (!s_->checked) {
    s_->checked = true;
    s_->first_pass();
  }
  return !s_->failed;
}

bool OemReader::next(OemRecord &r) {
  if (!check() || s_->ended)
    return false;
  return s_->next_record(r);
}

const std::string &OemReader::error() const { return s_->error; }

const std::string &OemReader::display_name() const { return s_->display_name; }

std::size_t OemReader::segments() const { return s_->segments.size(); }

namespace {

// The first bytes after a byte-order mark and leading blanks and line ends.
std::string_view first_text(const char *first_bytes, std::size_t n) {
  std::string_view t(first_bytes, n);
  if (t.substr(0, 3) == kByteOrderMark)
    t.remove_prefix(3);
  std::size_t i = 0;
  while (i < t.size() && lead_blank(t[i]))
    ++i;
  return t.substr(i);
}

} // namespace

bool looks_like_oem(const char *first_bytes, std::size_t n) {
  const std::string_view t = first_text(first_bytes, n);
  constexpr std::string_view kKeyword = "CCSDS_OEM_VERS";
  if (t.substr(0, kKeyword.size()) != kKeyword)
    return false;
  if (t.size() == kKeyword.size())
    return true;
  const char c = t[kKeyword.size()];
  return c == ' ' || c == '\t' || c == '=';
}

bool looks_like_xml(const char *first_bytes, std::size_t n) {
  const std::string_view t = first_text(first_bytes, n);
  return t.substr(0, 5) == "<?xml" || t.substr(0, 4) == "<oem";
}

} // namespace oem
