// table.cpp - the three output formats.
#include "table.h"

#include <cmath>
#include <cstring>

#include "instant.h"

namespace events {

namespace {

// A JSON string: quoted, with quotes, backslashes and control characters
// escaped.
std::string json_string(const std::string &s) {
  std::string out = "\"";
  for (const char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The text table's field: padded to the width, on the left for numbers.
void pad(std::string &line, const std::string &text, const Column &c) {
  const std::size_t width = static_cast<std::size_t>(c.width);
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

void time_cells(double t, std::vector<Cell> &row) {
  if (std::isnan(t)) {
    row.push_back(none());
    row.push_back(none());
    return;
  }
  row.push_back(value(iso_utc(t)));
  row.push_back(value(unix_seconds(t)));
}

bool parse_format(const char *name, Format &format) {
  if (std::strcmp(name, "text") == 0)
    format = Format::text;
  else if (std::strcmp(name, "tsv") == 0)
    format = Format::tsv;
  else if (std::strcmp(name, "json") == 0)
    format = Format::json;
  else
    return false;
  return true;
}

Table::Table(std::FILE *out, Format format, std::vector<Column> columns)
    : out_(out), format_(format), columns_(std::move(columns)) {}

void Table::header() {
  started_ = true;
  if (format_ == Format::json)
    return;
  std::string line;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (format_ == Format::tsv) {
      if (i > 0)
        line += '\t';
      line += columns_[i].name;
    } else {
      if (i > 0)
        line += "  ";
      pad(line, columns_[i].name, columns_[i]);
    }
  }
  end_line(line, out_);
}

void Table::row(const std::vector<Cell> &cells) {
  if (!started_)
    header();
  std::string line;
  if (format_ == Format::json)
    line = "{";
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column &c = columns_[i];
    const Cell &v = i < cells.size() ? cells[i] : Cell{std::string(), false};
    switch (format_) {
    case Format::text:
      if (i > 0)
        line += "  ";
      pad(line, v.present ? v.text : "-", c);
      break;
    case Format::tsv:
      if (i > 0)
        line += '\t';
      line += v.text;
      break;
    case Format::json:
      if (i > 0)
        line += ',';
      line += json_string(c.name) + ':' +
              (!v.present ? "null" : c.number ? v.text : json_string(v.text));
      break;
    }
  }
  if (format_ == Format::json)
    line += '}';
  end_line(line, out_);
}

bool Table::finish() {
  if (!started_)
    header();
  return std::fflush(out_) == 0 && !std::ferror(out_);
}

} // namespace events
