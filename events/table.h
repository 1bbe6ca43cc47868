// table.h - rows for people and for scripts: an aligned text table,
// tab-separated values with one header line, or JSON Lines (the events
// library).
#ifndef KIT_EVENTS_TABLE_H
#define KIT_EVENTS_TABLE_H

#include <cstdio>
#include <string>
#include <vector>

namespace events {

enum class Format { text, tsv, json };

// The format named "text", "tsv" or "json"; false for any other name.
bool parse_format(const char *name, Format &format);

// A column: its name (the header, the JSON key), its width in the text
// table (the name's at least), and whether its values are numbers (right-
// aligned in text, unquoted in JSON).
struct Column {
  const char *name;
  int width;
  bool number;
};

// One value of a row, already formatted, or none: "-" in text, an empty
// field in tsv, null in JSON.
struct Cell {
  std::string text;
  bool present;
};
inline Cell value(std::string text) { return {std::move(text), true}; }
inline Cell none() { return {std::string(), false}; }

// An instant's two cells, appended to a row: the time in ISO 8601 UTC and
// in Unix seconds, each to the millisecond; none and none for not a
// number (an instant that does not exist).
void time_cells(double t, std::vector<Cell> &row);

// ---------------------------------------------------------------------------
// Table: writes rows of the columns in one format.
//   text  a header line of the names, then one line a row, each column
//         padded to its width and two blanks apart, no blank at a line's end
//   tsv   a header line of the names, then one line a row, tab-separated
//   json  one object a row, {"name":value,...} in the columns' order,
//         strings quoted and escaped, numbers as they are
// The header is written with the first row, or by finish() when there is
// none (JSON Lines has no header).
class Table {
public:
  Table(std::FILE *out, Format format, std::vector<Column> columns);
  void row(const std::vector<Cell> &cells);
  // Writes the header if no row came, and flushes; false when anything
  // could not be written.
  bool finish();

private:
  void header();
  std::FILE *out_;
  Format format_;
  std::vector<Column> columns_;
  bool started_ = false;
};

} // namespace events

#endif
