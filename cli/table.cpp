// table.cpp - the four output formats.
#include "table.h"

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstring>

#include "escape.h"
#include "utc_instant.h"

namespace cli {

namespace {

// A JSON string: quoted, with quotes, backslashes and control characters
// escaped.
std::string json_string(const std::string &s) { return '"' + escape(s, "\"\\", "\\u%04x") + '"'; }

// A tsv field: the characters that would split a field or a line, and the
// escape character itself, escaped.
std::string tsv_field(const std::string &s) {
  std::string out;
  for (const char c : s) {
    switch (c) {
    case '\t':
      out += "\\t";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\\':
      out += "\\\\";
      break;
    default:
      out += c;
    }
  }
  return out;
}

bool in_text(const Column &c) { return c.text_name == nullptr || *c.text_name != '\0'; }

const char *text_name(const Column &c) { return c.text_name != nullptr ? c.text_name : c.name; }

// What the text table shows of a value: a control character, which would
// break the table's lines and columns, as \xHH.
std::string visible(const std::string &s) { return escape(s, "", "\\x%02x"); }

// The text table's field: padded to the width, on the left for numbers.
void pad(std::string &line, const std::string &shown, const Column &c) {
  const std::string text = visible(shown);
  const std::size_t width =
      std::max(static_cast<std::size_t>(c.width), std::strlen(text_name(c)));
  const std::size_t fill = text.size() < width ? width - text.size() : 0;
  if (c.number)
    line.append(fill, ' ');
  line += text;
  if (!c.number)
    line.append(fill, ' ');
}

void end_line(std::string &line, std::FILE *out) {
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  line += '\n';
  std::fputs(line.c_str(), out);
}

} // namespace

void time_cells(double t, std::vector<Cell> &row, TextTime shown) {
  if (std::isnan(t)) {
    row.push_back(none());
    row.push_back(none());
    return;
  }
  const std::string iso = utc::iso_text(t); // 2016-11-05T06:12:34.567Z
  const bool date = shown == TextTime::date_time || shown == TextTime::date_second;
  const bool milliseconds = shown == TextTime::date_time || shown == TextTime::time_of_day;
  const std::string clock = iso.substr(iso.size() - 13, milliseconds ? 12 : 8);
  std::string display = date ? iso.substr(0, iso.size() - 14) + ' ' + clock : clock;
  row.push_back(value(iso, display));
  row.push_back(value(utc::unix_text(t)));
}

Cell duration_cell(double from, double to) {
  const std::int64_t ms = utc::milliseconds(to) - utc::milliseconds(from);
  const std::int64_t s = (ms + 500) / 1000;
  char text[64];
  if (s < 10000 * 3600) {
    std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d", s / 3600,
                  static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
  } else if (const std::int64_t m = (ms + 30000) / 60000; m < 1000 * 1440) {
    std::snprintf(text, sizeof text, "%" PRId64 "d%02dh%02dm", m / 1440,
                  static_cast<int>(m / 60 % 24), static_cast<int>(m % 60));
  } else {
    std::snprintf(text, sizeof text, "%" PRId64 "d", (ms + 43200000) / 86400000);
  }
  return value(utc::seconds_between(from, to), text);
}

Cell number_cell(double v, int decimals, int text_decimals) {
  if (!std::isfinite(v))
    return none();
  const auto fixed = [v](int n) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", n, v);
    // No negative zero: -0.000 is 0.000.
    if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
      return std::string(text + 1);
    return std::string(text);
  };
  return value(fixed(decimals), fixed(text_decimals));
}

Cell exact_cell(double v, int decimals, int text_decimals) {
  if (!std::isfinite(v))
    return none();
  char text[400];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
  std::string s(text, r.ptr);
  const std::size_t point = s.find('.');
  const int have = point == std::string::npos ? 0 : static_cast<int>(s.size() - point - 1);
  if (point == std::string::npos)
    s += '.';
  s.append(static_cast<std::size_t>(std::max(0, decimals - have)), '0');
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
    s.erase(0, 1);
  return value(s, number_cell(v, text_decimals, text_decimals).text);
}

Cell truth_cell(bool v) { return value(v ? "true" : "false"); }

bool parse_format(const char *name, Format &format) {
  if (std::strcmp(name, "text") == 0)
    format = Format::text;
  else if (std::strcmp(name, "tsv") == 0)
    format = Format::tsv;
  else if (std::strcmp(name, "json") == 0)
    format = Format::json;
  else if (std::strcmp(name, "jsonl") == 0)
    format = Format::jsonl;
  else
    return false;
  return true;
}

Table::Table(std::FILE *out, Format format, std::vector<Column> columns, int gap)
    : out_(out), format_(format), columns_(std::move(columns)), gap_(gap) {}

void Table::header() {
  started_ = true;
  if (format_ == Format::json) {
    std::fputs("[\n", out_);
    return;
  }
  if (format_ == Format::jsonl)
    return;
  std::string line;
  bool first = true;
  for (const Column &c : columns_) {
    if (format_ == Format::tsv) {
      if (!first)
        line += '\t';
      line += c.name;
    } else {
      if (!in_text(c))
        continue;
      if (!first)
        line.append(static_cast<std::size_t>(gap_), ' ');
      pad(line, text_name(c), c);
    }
    first = false;
  }
  end_line(line, out_);
}

void Table::row(const std::vector<Cell> &cells) {
  if (!started_)
    header();
  std::string line;
  if (format_ == Format::json && rows_ > 0)
    std::fputs(",\n", out_);
  if (format_ == Format::json || format_ == Format::jsonl)
    line += '{';
  bool first = true;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column &c = columns_[i];
    const Cell &v = i < cells.size() ? cells[i] : Cell{std::string(), false, std::string()};
    switch (format_) {
    case Format::text:
      if (!in_text(c))
        continue;
      if (!first)
        line.append(static_cast<std::size_t>(gap_), ' ');
      pad(line, !v.present ? "-" : !v.display.empty() ? v.display : v.text, c);
      break;
    case Format::tsv:
      if (!first)
        line += '\t';
      line += tsv_field(v.text);
      break;
    case Format::json:
    case Format::jsonl:
      if (!first)
        line += ',';
      line += json_string(c.name) + ':' +
              (!v.present ? "null" : c.number ? v.text : json_string(v.text));
      break;
    }
    first = false;
  }
  ++rows_;
  if (format_ == Format::json) {
    line += '}';
    std::fputs(line.c_str(), out_);
    return;
  }
  if (format_ == Format::jsonl)
    line += '}';
  end_line(line, out_);
}

bool Table::finish() {
  if (!started_)
    header();
  if (format_ == Format::json)
    std::fputs(rows_ > 0 ? "\n]\n" : "]\n", out_);
  return std::fflush(out_) == 0 && !std::ferror(out_);
}

} // namespace cli
