// oem_fields.h - the lines of an orbit ephemeris message in KVN form and
// their fields: what kind of line a line is, "KEYWORD = value", fields
// separated by blanks, and numbers (the oem library).
#ifndef KIT_ORBIT_OEM_FIELDS_H
#define KIT_ORBIT_OEM_FIELDS_H

#include <string_view>

namespace oem {

// What a line is, told from its first word: nothing but blanks; a COMMENT;
// one of the four block markers alone on its line; "KEYWORD = value"; a
// line beginning with a digit (a data line or a covariance row, or a
// damaged one); anything else.
enum class LineKind {
  kBlank,
  kComment,
  kMetaStart,
  kMetaStop,
  kCovarianceStart,
  kCovarianceStop,
  kKeyword,
  kNumbers,
  kOther
};

// The line without the blanks (spaces, tabs, carriage returns) at its ends.
std::string_view trimmed(std::string_view line);

// The kind of a trimmed line.
LineKind line_kind(std::string_view line);

// ---------------------------------------------------------------------------
// keyword_value: the two sides of a trimmed "KEYWORD = value" line.
//
// Given:   line  a trimmed line
// Returned:
//   keyword, value  the text before the first '=' and after it, without
//                   the blanks around them (value may be empty)
//   function value  false when the line holds no '=' or nothing before it
// ---------------------------------------------------------------------------
bool keyword_value(std::string_view line, std::string_view &keyword,
                   std::string_view &value);

// Splits a trimmed line at runs of blanks into at most max fields; returns
// the number of fields, or max + 1 when there are more.
int split_fields(std::string_view line, std::string_view *fields, int max);

// Whether two texts are the same but for the case of their ASCII letters.
bool same_ignoring_case(std::string_view a, std::string_view b);

// What a field read as a number is.
enum class NumberStatus { kNumber, kNotANumber, kNotFinite };

// ---------------------------------------------------------------------------
// parse_number: a field as a double.
//
// Given:   text  a field: a decimal number with optional sign, point and
//                exponent ("-1.600194956730110e+003", "+7", ".5")
// Returned:
//   v               the number, correctly rounded (as strtod gives it)
//   function value  kNumber; kNotANumber for text that is not wholly a
//                   number; kNotFinite for inf, nan and for finite text
//                   beyond the range of a double (1e999)
// Notes:
//   1) The text goes through std::from_chars (a leading '+' skipped); only
//      a number beyond its range goes through strtod, to tell overflow from
//      underflow (a tiny number is kept, rounded to a subnormal or zero).
// ---------------------------------------------------------------------------
NumberStatus parse_number(std::string_view text, double &v);

// ---------------------------------------------------------------------------
// read_data_fields: a sound data line read in one sweep.
//
// Given:   line  a trimmed line
// Returned:
//   epoch           the first field's text
//   values          the numbers of the fields after it (6 or 9)
//   count           the number of fields, the epoch's included (7 or 10)
//   function value  true when the line has 7 or 10 fields and each after
//                   the first is a finite number that std::from_chars reads
//                   whole; false otherwise, when the fields are to be read
//                   one by one (split_fields, parse_number) to tell what is
//                   wrong, or to read what from_chars alone does not take
// ---------------------------------------------------------------------------
bool read_data_fields(std::string_view line, std::string_view &epoch,
                      double *values, int &count);

} // namespace oem

#endif
