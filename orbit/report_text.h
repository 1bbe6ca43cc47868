// report_text.h - the text of passrange's report line, written with
// integer rounding and std::to_chars byte for byte as printf writes it (the
// tracking library).
#ifndef KIT_ORBIT_REPORT_TEXT_H
#define KIT_ORBIT_REPORT_TEXT_H

#include <cstddef>

namespace tracking {

// The report line's format, as printf takes it.
inline constexpr const char kReportFormat[] = "%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n";

// The room a report line may take: six fields of at most 318 characters
// each (a sign, 309 integer digits, the point, six decimals and a spare
// one) and the blanks and line end between them.
inline constexpr std::size_t kReportTextMax = 2048;

// ---------------------------------------------------------------------------
// report_text: the report line of six values.
//
// Given:   julian_date, distance1, distance2, geocentric, elevation1,
//          elevation2   the fields in the order of kReportFormat
//          out          room for kReportTextMax characters
// Returned (function value): the number of characters written to out (no
//          terminating null): exactly the bytes snprintf writes for
//          kReportFormat and the same values.  A finite value below 2^44
//          in magnitude is written as its product with 10^precision,
//          rounded exactly (to nearest, ties to even, as printf rounds),
//          its digits by std::to_chars; a larger one by std::to_chars in
//          fixed notation at the format's precision; each padded to its
//          width, with the "+" of a non-negative elevation
//          and the "-" of a negative zero; a line with any value that is
//          not finite (an infinity, a not-a-number of either sign) is
//          written by snprintf itself.
// ---------------------------------------------------------------------------
std::size_t report_text(double julian_date, double distance1, double distance2,
                        double geocentric, double elevation1, double elevation2, char *out);

} // namespace tracking

#endif
