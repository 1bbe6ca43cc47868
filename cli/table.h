// table.h - rows for people and for scripts: an aligned text table,
// tab-separated values with one header line, one JSON document, or JSON
// Lines (the cli library).
#ifndef KIT_CLI_TABLE_H
#define KIT_CLI_TABLE_H

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

enum class Format { text, tsv, json, jsonl };

// The format named "text", "tsv", "json" or "jsonl"; false for any other
// name.
bool parse_format(const char *name, Format &format);

// A column: its name (the tsv header, the JSON key), its width in the text
// table (its text header's at least), whether its values are numbers
// (right-aligned in text, unquoted in JSON), and its header in the text
// table: the name when null, and an empty text for a column the text table
// leaves out (the text table is for a terminal: it shows what a person
// reads, the other formats every column).
struct Column {
  const char *name;
  int width;
  bool number;
  const char *text_name = nullptr;
};

// One value of a row, already formatted, or none: "-" in text, an empty
// field in tsv, null in JSON.  display, when not empty, is what the text
// table shows instead of text (a shorter form of the same value).
struct Cell {
  std::string text;
  bool present;
  std::string display;
};
inline Cell value(std::string text, std::string display = {}) {
  return {std::move(text), true, std::move(display)};
}
inline Cell none() { return {std::string(), false, std::string()}; }

// How the text table shows an instant: its date and time of day
// ("2016-11-05 06:12:34.567"), or its time of day alone ("06:12:34.567").
// What the text table shows of an instant: the date and the time, or the
// time of day, to the millisecond, or to the second (its first eight
// digits, the milliseconds cut).
enum class TextTime { date_time, time_of_day, date_second, second_of_day };

// An instant's two cells, appended to a row: the time in ISO 8601 UTC and
// in Unix seconds, each to the millisecond; none and none for not a
// number (an instant that does not exist).
void time_cells(double t, std::vector<Cell> &row, TextTime shown = TextTime::date_time);

// A duration's cell: seconds to the millisecond, the difference of the two
// instants as written (see seconds_between); the text table shows it as
// hours, minutes and seconds ("15:56:02"), from 10000 hours on as days,
// hours and minutes ("420d00h00m"), from 1000 days on as days
// ("36524d"): ten characters at most.
Cell duration_cell(double from, double to);

// A number's cell with `decimals` decimals (no negative zero), shown with
// `text_decimals` in the text table; none for a number that is not finite.
Cell number_cell(double v, int decimals, int text_decimals);

// A number's cell with every digit it needs to be read back as the same
// double (the shortest such fixed-point text), and at least `decimals`
// decimals: what a script hands on to a program that reads it with strtod;
// shown with `text_decimals` in the text table; none for a number that is
// not finite.
Cell exact_cell(double v, int decimals, int text_decimals);

// A truth's cell: true or false (unquoted in JSON: a number column).
Cell truth_cell(bool v);

// ---------------------------------------------------------------------------
// Table: writes rows of the columns in one format.
//   text   a header line of the text names, then one line a row, each
//          column padded to its width and `gap` blanks apart, no blank at a
//          line's end
//   tsv    a header line of the names, then one line a row, tab-separated;
//          a tab, line end, carriage return or backslash inside a value is
//          written as a backslash and t, n, r or a second backslash
//   json   one JSON document: an array of one object a row,
//          {"name":value,...} in the columns' order, strings quoted and
//          escaped, numbers as they are
//   jsonl  JSON Lines: the same objects, one a line
// The header (and the array's opening) is written with the first row, or
// by finish() when there is none.
class Table {
public:
  Table(std::FILE *out, Format format, std::vector<Column> columns, int gap = 2);
  void row(const std::vector<Cell> &cells);
  // Ends the table (the header if no row came, the JSON array's end) and
  // flushes; false when anything could not be written.
  bool finish();

private:
  void header();
  std::FILE *out_;
  Format format_;
  std::vector<Column> columns_;
  int gap_;
  bool started_ = false;
  long rows_ = 0;
};

} // namespace cli

#endif
