// catalog.cpp - reading sources and catalogs of sources.
#include "catalog.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "failure.h"
#include "options.h"
#include "text_line.h"

namespace sources {

namespace {

using cli::quoted;

bool digit(char c) { return c >= '0' && c <= '9'; }

// A decimal number, the whole text: an optional sign, digits with an
// optional point and fraction, an optional exponent; finite.
bool decimal(const std::string &text, double &v) { return cli::parse_number(text.c_str(), v); }

// Whole digits, the whole text.
bool whole(const std::string &text, double &v) {
  if (text.empty() || text.size() > 9)
    return false;
  for (const char c : text)
    if (!digit(c))
      return false;
  v = std::strtod(text.c_str(), nullptr);
  return true;
}

// "A:M:S" (A whole, M whole below 60, S below 60 with an optional
// fraction), as the sign and the value A + M / 60 + S / 3600; false for
// text of another form.
bool sexagesimal(const std::string &text, bool &negative, double &v, std::string &why) {
  std::string t = text;
  negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.erase(0, 1);
  }
  const std::size_t first = t.find(':'), second = t.find(':', first + 1);
  if (first == std::string::npos || second == std::string::npos ||
      t.find(':', second + 1) != std::string::npos)
    return false;
  double a, m, s;
  const std::string seconds = t.substr(second + 1);
  if (!whole(t.substr(0, first), a) || !whole(t.substr(first + 1, second - first - 1), m) ||
      seconds.empty() || !digit(seconds[0]) || !decimal(seconds, s)) {
    why = "is not H:M:S";
    return false;
  }
  if (m >= 60.0 || s >= 60.0) {
    why = "has minutes or seconds of 60 or more";
    return false;
  }
  v = (a + m / 60.0) + s / 3600.0;
  return true;
}

double angle(const std::string &text, const char *what, double low, double high,
             bool high_included, const char *range) {
  double v;
  bool negative = false;
  std::string why;
  if (text.find(':') != std::string::npos) {
    if (!sexagesimal(text, negative, v, why))
      throw kit::Failure(std::string(what) + " " + quoted(text) + " " +
                         (why.empty() ? "is not H:M:S" : why));
    if (negative)
      v = -v;
  } else if (!decimal(text, v)) {
    throw kit::Failure(std::string(what) + " " + quoted(text) + " is not a number");
  }
  if (!(v >= low && (high_included ? v <= high : v < high)))
    throw kit::Failure(std::string(what) + " " + quoted(text) + " is outside " + range);
  return v;
}

// The next field of a catalog line: a word, or a double-quoted text.
bool field(const char *&p, std::string &out, bool &quoted_text) {
  while (*p == ' ' || *p == '\t' || *p == '\r')
    ++p;
  if (*p == '\0' || *p == '\n')
    return false;
  quoted_text = *p == '"';
  out.clear();
  if (quoted_text) {
    const char *end = std::strchr(p + 1, '"');
    if (end == nullptr)
      throw kit::Failure("a name's quote is not closed");
    out.assign(p + 1, end);
    p = end + 1;
    return true;
  }
  while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
    out += *p++;
  return true;
}

} // namespace

double parse_right_ascension(const std::string &text) {
  return angle(text, "right ascension", 0.0, 24.0, false, "0 to 24 h");
}

double parse_declination(const std::string &text) {
  return angle(text, "declination", -90.0, 90.0, true, "-90 to 90 degrees");
}

Source make_source(const std::string &name, double ra, double dec, double pm_ra, double pm_dec,
                   double parallax, double radial_velocity) {
  Source s;
  s.name = name;
  char stored[SIZE_OF_OBJ_NAME] = {};
  std::strncpy(stored, name.c_str(), SIZE_OF_OBJ_NAME - 1);
  char catalog[SIZE_OF_CAT_NAME] = "SRC";
  make_cat_entry(stored, catalog, 0, ra, dec, pm_ra, pm_dec, parallax, radial_velocity, &s.star);
  return s;
}

std::vector<Source> read_catalog(const std::string &path) {
  const bool standard_input = path == "-";
  std::FILE *f = standard_input ? stdin : std::fopen(path.c_str(), "r");
  if (f == nullptr)
    throw kit::Failure("--catalog: cannot open " + quoted(path) + ": " + std::strerror(errno));
  const std::unique_ptr<std::FILE, int (*)(std::FILE *)> closer(standard_input ? nullptr : f,
                                                                 std::fclose);
  std::vector<Source> out;
  char *buffer = nullptr;
  std::size_t capacity = 0;
  long line = 0;
  for (;;) {
    errno = 0;
    const ssize_t length = cli::text_line(&buffer, &capacity, f);
    if (length == -1)
      break;
    ++line;
    if (length == cli::kLineTooLong) {
      std::free(buffer);
      throw kit::Failure("--catalog: " + quoted(path) + ": line " + std::to_string(line) +
                         ": a line longer than 65536 bytes");
    }
    if (std::strlen(buffer) != static_cast<std::size_t>(length)) {
      std::free(buffer);
      throw kit::Failure("--catalog: " + quoted(path) + ": line " + std::to_string(line) +
                         ": a NUL byte");
    }
    if (char *comment = std::strchr(buffer, '#'))
      *comment = '\0';
    const char *p = buffer;
    std::vector<std::string> fields;
    bool name_quoted = false;
    try {
      std::string text;
      bool q;
      while (field(p, text, q)) {
        if (fields.empty())
          name_quoted = q;
        else if (q)
          throw kit::Failure("a quoted text where a number is expected");
        fields.push_back(text);
      }
      if (fields.empty())
        continue;
      if (fields.size() != 3 && fields.size() != 7)
        throw kit::Failure("not NAME RA DEC [PMRA PMDEC PARALLAX RV]");
      if (fields[0].empty() && name_quoted)
        throw kit::Failure("an empty name");
      const double ra = parse_right_ascension(fields[1]);
      const double dec = parse_declination(fields[2]);
      double motion[4] = {0.0, 0.0, 0.0, 0.0};
      static const char *const kMotions[4] = {"proper motion in right ascension",
                                              "proper motion in declination", "parallax",
                                              "radial velocity"};
      for (std::size_t k = 3; k < fields.size(); ++k)
        if (!decimal(fields[k], motion[k - 3]))
          throw kit::Failure(std::string(kMotions[k - 3]) + " " + quoted(fields[k]) +
                             " is not a number");
      out.push_back(make_source(fields[0], ra, dec, motion[0], motion[1], motion[2], motion[3]));
    } catch (const kit::Failure &e) {
      std::free(buffer);
      throw kit::Failure("--catalog: " + quoted(path) + ": line " + std::to_string(line) + ": " +
                         e.what());
    }
  }
  const bool failed = std::ferror(f) != 0;
  std::free(buffer);
  if (failed)
    throw kit::Failure("--catalog: cannot read " + quoted(path) + ": " + std::strerror(errno));
  if (out.empty())
    throw kit::Failure("--catalog: " + quoted(path) + ": no source");
  return out;
}

} // namespace sources
