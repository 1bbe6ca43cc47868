// chart_script.cpp - the gnuplot script of a chart.
#include "chart_script.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "column_reduction.h"
#include "label_placement.h"
#include "report_text.h"
#include "table.h"
#include "time_axis.h"
#include "utc_instant.h"

namespace chart {

namespace {

constexpr const char *kStationColour[] = {"#c0392b", "#2471a3"};
constexpr const char *kGeocentreColour = "#1e8449";
constexpr const char *kNightColour = "#aab6e0";
constexpr const char *kAntennaColour[] = {"#d35400", "#8e44ad", "#16a085"};
constexpr const char *kSourceColour[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728",
                                         "#9467bd", "#8c564b", "#e377c2", "#7f7f7f"};
constexpr int kSourceColours = 8;
// The elevation panel's range: room above 90 degrees for the labels, the
// bars along the foot.
constexpr double kElevationLow = -90.0, kElevationHigh = 108.0;
constexpr double kBarTop[] = {-72.0, -82.0}, kBarBottom[] = {-78.0, -88.0};

std::string fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

// A panel's box in screen fractions and in pixels.
struct Panel {
  double left, right, bottom, top; // fractions of the picture
};

// A panel's key in the band above it, and its box.
void margins(std::string &s, const Panel &p, double key_top) {
  s += "set key at screen " + fixed((p.left + p.right) / 2, 5) + ", screen " + fixed(key_top, 5) +
       " center top horizontal samplen 2 width 1\n";
  s += "set lmargin at screen " + fixed(p.left, 5) + "; set rmargin at screen " + fixed(p.right, 5) +
       "; set bmargin at screen " + fixed(p.bottom, 5) + "; set tmargin at screen " +
       fixed(p.top, 5) + "\n";
}

// A maximum at an edge the span, a gap or a day set: a cut, not a
// culmination.
bool cut_edge(windows::Bound b) {
  return std::strcmp(b, windows::kStart) == 0 || std::strcmp(b, windows::kEnd) == 0 ||
         std::strcmp(b, windows::kGap) == 0 || std::strcmp(b, windows::kDay) == 0;
}
bool culmination_is_cut(const tracking::Window &w) {
  return (w.tca.t == w.aos.t && cut_edge(w.aos_bound)) ||
         (w.tca.t == w.los.t && cut_edge(w.los_bound));
}

// A tick's label as gnuplot reads it: a format, its "%" doubled.
std::string tic_label(const std::string &text) {
  std::string out;
  for (const char c : text)
    out += c == '%' ? std::string("%%") : std::string(1, c);
  return gnuplot_string(out);
}

// The distance ticks: 1, 2 and 5 times the powers of ten on a logarithmic
// axis, a round step for about six marks on a linear one.
std::string distance_tics(double lo, double hi, bool log_axis) {
  std::string out;
  const auto add = [&out](double v) {
    out += (out.empty() ? "" : ", ") + tic_label(grouped(static_cast<long long>(v))) + " " +
           fixed(v, 0);
  };
  if (log_axis) {
    for (double p = 1; p <= hi * 10; p *= 10)
      for (const double f : {1.0, 2.0, 5.0})
        if (f * p >= lo / 2 && f * p <= hi * 2)
          add(f * p);
    return out;
  }
  double step = 1;
  for (int k = 0; (hi - lo) / step > 8; ++k)
    step *= k % 3 == 1 ? 2.5 : 2.0;
  for (double v = std::floor(lo / step) * step; v <= hi + step; v += step)
    if (v >= 0)
      add(v);
  return out;
}

// The k-th field (from 0) of a line of fields apart by blanks.
std::string field(const std::string &line, int k) {
  std::size_t at = line.find_first_not_of(' ');
  for (; k > 0 && at != std::string::npos; --k)
    at = line.find_first_not_of(' ', line.find(' ', at));
  if (at == std::string::npos)
    return {};
  return line.substr(at, line.find(' ', at) - at);
}

// A name cut to at most `most` bytes, never inside a UTF-8 character, an
// ellipsis telling it was cut.
std::string shortened(const std::string &name, std::size_t most) {
  if (name.size() <= most)
    return name;
  std::size_t n = most - 3;
  while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
    --n;
  return name.substr(0, n) + "\u2026";
}

} // namespace

std::string gnuplot_string(const std::string &text) {
  std::string out = "\"";
  for (const char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ') {
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned char>(c));
      out += escape;
    }
  }
  return out + "\"";
}

std::string displayable(const std::string &text) {
  std::string out;
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = byte(i);
    // The length of a well-formed UTF-8 character starting here, or 0.
    std::size_t n = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    for (std::size_t k = 1; k < n; ++k)
      if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80)
        n = 0;
    // No overlong form, surrogate or code point beyond U+10FFFF.
    if (n == 3 && ((c == 0xE0 && byte(i + 1) < 0xA0) || (c == 0xED && byte(i + 1) >= 0xA0)))
      n = 0;
    if (n == 4 && ((c == 0xF0 && byte(i + 1) < 0x90) || (c == 0xF4 && byte(i + 1) >= 0x90)))
      n = 0;
    // Nor U+FFFE and U+FFFF, which XML does not admit.
    if (n == 3 && c == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE)
      n = 0;
    // Nor the "]]>" that XML does not admit in text.
    const bool closes_section = c == '>' && out.size() >= 2 && out.compare(out.size() - 2, 2, "]]") == 0;
    if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F)) || closes_section) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
      ++i;
      continue;
    }
    out.append(text, i, n);
    i += n;
  }
  return out;
}

std::string grouped(long long n) {
  std::string s = std::to_string(n < 0 ? -n : n), out;
  while (s.size() > 3) {
    out = "," + s.substr(s.size() - 3) + out;
    s.resize(s.size() - 3);
  }
  return (n < 0 ? "-" : "") + s + out;
}

std::string chart_script(const ChartData &d, const ChartLook &look) {
  const double w = look.width, h = look.height;
  const bool with_sources = !look.source_names.empty();
  // Fonts in points scale with a picture smaller than the default.
  const double font =
      std::clamp(std::round(15.0 * std::min(w / 1600.0, h / (with_sources ? 1400.0 : 1000.0))), 7.0, 15.0);
  const double label_font = std::round(font * 13.0 / 15.0);
  // gnuplot's cairo and SVG terminals draw a point of font as 4/3 of a
  // pixel (96 dots an inch); a digit is a little over half of that wide.
  const double char_px = font * 4.0 / 3.0, label_px = label_font * 4.0 / 3.0;

  std::string s;
  s.reserve(d.t.size() * 100 + 4096);
  if (look.svg)
    s += "set terminal svg size " + std::to_string(look.width) + "," + std::to_string(look.height) +
         " dynamic font 'DejaVu Sans," + fixed(font, 0) + "' background rgb 'white'\n";
  else
    s += "set terminal pngcairo size " + std::to_string(look.width) + "," +
         std::to_string(look.height) + " font 'DejaVu Sans," + fixed(font, 0) + "'\n";
  // Text as given: no "_" or "^" read as a subscript or a superscript.
  s += "set encoding utf8\nset termoption noenhanced\n";

  // The records the pixel columns show.
  const double left = (with_sources ? 10.0 : 7.0) * char_px / w, right = 1.0 - 2.5 * char_px / w;
  const int columns = std::max(1, static_cast<int>((right - left) * w));
  // Each curve's column in $records (the Unix time first, then the
  // report line's fields) and its values.
  std::vector<int> curve_columns;
  std::vector<std::vector<double>> series;
  for (int k = 0; k < tracking::kStationCount; ++k) {
    if (!look.stations[k])
      continue;
    std::vector<double> e, r;
    for (const ReportLine &l : d.lines) {
      e.push_back(k == 0 ? l.elevation1 : l.elevation2);
      r.push_back(k == 0 ? l.distance1 : l.distance2);
    }
    series.push_back(std::move(e));
    curve_columns.push_back(6 + k);
    series.push_back(std::move(r));
    curve_columns.push_back(3 + k);
  }
  {
    std::vector<double> g;
    for (const ReportLine &l : d.lines)
      g.push_back(l.geocentric);
    series.push_back(std::move(g));
    curve_columns.push_back(5);
  }
  // The report line of a record, without its line end.
  const auto line_of = [&d](std::size_t i) {
    char line[tracking::kReportTextMax];
    const ReportLine &l = d.lines[i];
    std::size_t n = tracking::report_text(l.julian_date, l.distance1, l.distance2, l.geocentric,
                                          l.elevation1, l.elevation2, line);
    if (n > 0 && line[n - 1] == '\n')
      --n;
    return std::string(line, n);
  };
  // A gap in the data is a gap in every curve: a blank line in a block,
  // where gnuplot lifts its pen.  gaps[i]: the gaps up to record i.
  std::vector<std::size_t> gaps(d.t.size(), 0);
  for (std::size_t i = 1; i < d.t.size(); ++i)
    gaps[i] = gaps[i - 1] + (i < d.breaks.size() && d.breaks[i] ? 1 : 0);
  const auto rows = [&](const std::vector<std::size_t> &kept, const auto &row) {
    for (std::size_t j = 0; j < kept.size(); ++j) {
      if (j > 0 && gaps[kept[j]] != gaps[kept[j - 1]])
        s += "\n";
      s += utc::unix_text(d.t[kept[j]]) + " " + row(kept[j]) + "\n";
    }
  };
  const std::vector<std::size_t> kept = column_extremes(d.t, series, d.from, d.to, columns);
  s += "$records << EOD\n";
  rows(kept, line_of);
  s += "EOD\n";
  // A record with a gap on either side (or alone) makes no line: it is
  // drawn as a point, from $isolated ("UNIX LINE", as $records).
  std::vector<std::size_t> isolated;
  for (std::size_t i = 0; i < d.t.size(); ++i)
    if ((i == 0 || d.breaks[i]) && (i + 1 == d.t.size() || d.breaks[i + 1]))
      isolated.push_back(i);
  if (!isolated.empty()) {
    s += "$isolated << EOD\n";
    for (const std::size_t i : isolated)
      s += utc::unix_text(d.t[i]) + " " + line_of(i) + "\n";
    s += "EOD\n";
  }
  const auto points = [&isolated](int column, const char *colour) {
    return isolated.empty() ? std::string()
                            : ", \\\n  $isolated using 1:" + std::to_string(column) +
                                  " with points pointtype 7 pointsize 0.7 linecolor rgb \"" + colour +
                                  "\" notitle";
  };
  // Where records crowd, each curve is drawn from its own extremes alone
  // ($curve_C: the Unix time and column C's field as $records writes it),
  // a few points a column rather than every row any curve keeps.
  const bool reduced = kept.size() < d.t.size();
  std::string curve_source[8];
  for (std::size_t j = 0; j < series.size(); ++j) {
    const int c = curve_columns[j];
    if (!reduced) {
      curve_source[c] = "$records using 1:" + std::to_string(c);
      continue;
    }
    const std::string block = "$curve_" + std::to_string(c);
    s += block + " << EOD\n";
    // Column c is the line's field c - 2 (the Julian date is field 0).
    rows(column_extremes(d.t, {series[j]}, d.from, d.to, columns),
         [&](std::size_t i) { return field(line_of(i), c - 2); });
    s += "EOD\n";
    curve_source[c] = block + " using 1:2";
  }

  // The panels, from the top: the elevations, the distances, the sources.
  // Above each panel its key, in rows of as many entries as the width
  // holds (an entry about 20 characters wide): the elevations' seven, the
  // distances' three, the sources' one each and six more.
  const double title_band = 2.8 * char_px / h;
  const int per_row = std::max(1, static_cast<int>((right - left) * w / (20.0 * char_px)));
  const auto key_band = [&](int entries) {
    return ((entries + per_row - 1) / per_row * 1.3 + 0.7) * char_px / h;
  };
  const std::vector<double> keys = {key_band(7), key_band(3),
                                    key_band(static_cast<int>(look.source_names.size()) + 6)};
  const double tick_band = 2.6 * char_px / h, label_band = 0.5 * char_px / h;
  const std::vector<double> shares = with_sources ? std::vector<double>{0.36, 0.26, 0.38}
                                                  : std::vector<double>{0.55, 0.45};
  std::vector<Panel> panels;
  {
    double top = 1.0 - title_band;
    double room = top - label_band - static_cast<double>(shares.size()) * tick_band;
    for (std::size_t i = 0; i < shares.size(); ++i)
      room -= keys[i];
    for (std::size_t i = 0; i < shares.size(); ++i) {
      const double plot_top = top - keys[i], plot_bottom = plot_top - shares[i] * room;
      panels.push_back({left, right, plot_bottom, plot_top});
      top = plot_bottom - tick_band;
    }
  }

  // The windows and the culminations, with the labels that fit.
  s += "$windows << EOD\n";
  for (const tracking::Window &win : d.windows)
    s += std::string(tracking::kStationNames[win.stream]) + " " + utc::unix_text(win.aos.t) + " " +
         utc::unix_text(win.los.t) + "\n";
  s += "EOD\n";
  std::vector<bool> written;
  {
    const Panel &p = panels[0];
    const double px_left = p.left * w, px_right = p.right * w;
    const double px_bottom = p.bottom * h, px_top = p.top * h;
    std::vector<LabelBox> boxes;
    for (const tracking::Window &win : d.windows) {
      const double x = px_left + (win.tca.t - d.from) / (d.to - d.from) * (px_right - px_left);
      const double y = px_bottom + (win.tca.look.elevation_deg - kElevationLow) /
                                       (kElevationHigh - kElevationLow) * (px_top - px_bottom);
      boxes.push_back({x, y + 0.45 * label_px, 3.1 * label_px, 1.2 * label_px,
                       culmination_is_cut(win) ? -1e9 : win.tca.look.elevation_deg});
    }
    // Culminations that would need six rows of labels or more over the
    // plot's width are crowded: all are marked without text, rather than
    // a mass of labels no one reads.
    const bool crowded = static_cast<double>(boxes.size()) * 3.1 * label_px > 6.0 * (px_right - px_left);
    written = crowded ? std::vector<bool>(boxes.size(), false)
                      : place_labels(boxes, {px_left, px_right, px_bottom, px_top});
    s += "$culminations << EOD\n";
    for (std::size_t i = 0; i < d.windows.size(); ++i) {
      const tracking::Window &win = d.windows[i];
      const int kind = culmination_is_cut(win) ? 2 : written[i] ? 1 : 0;
      s += utc::unix_text(win.tca.t) + " " +
           cli::number_cell(win.tca.look.elevation_deg, 6, 1).text + " " +
           std::to_string(win.stream + 1) + " " + std::to_string(kind) + "\n";
    }
    s += "EOD\n";
  }

  // The time axis, the same in every panel.
  const int most_ticks = std::max(2, static_cast<int>((right - left) * w / (7.5 * char_px)));
  {
    std::string tics;
    for (const Tick &t : time_ticks(d.from, d.to, most_ticks))
      tics += (tics.empty() ? "" : ", ") + tic_label(t.label) + " " + utc::unix_text(t.t);
    s += "set xrange [" + utc::unix_text(d.from) + ":" + utc::unix_text(d.to) + "]\n";
    s += tics.empty() ? "set xtics ()\n" : "set xtics (" + tics + ")\n";
  }
  s += "set grid front linecolor rgb \"#b0b0b0\"\n";

  // The nights, shaded across every panel.
  int object = 0;
  for (const Night &n : d.nights)
    s += "set object " + std::to_string(++object) + " rect from " + utc::unix_text(n.start) +
         ", graph 0 to " + utc::unix_text(n.end) + ", graph 1 behind fillcolor rgb \"" +
         kNightColour + "\" fillstyle solid 0.55 noborder\n";

  {
    char first[32], last[32];
    const auto stamp = [](double t, char *out) {
      const utc::Instant i = utc::Instant::from_unix(std::floor(t / 60.0) * 60.0);
      std::snprintf(out, 32, "%s-%02d-%02d %02d:%02d", year_text(i.year()).c_str(), i.month(),
                    i.day(), i.hour(), i.minute());
    };
    stamp(d.t.front(), first);
    stamp(d.t.back(), last);
    s += "set multiplot title " +
         gnuplot_string(displayable(look.orbit_name) + ": " + first + " to " + last + " UTC, " +
                        std::to_string(d.t.size()) + (d.t.size() == 1 ? " record" : " records")) +
         " noenhanced\n";
  }

  // The elevations.
  margins(s, panels[0], panels[0].top + keys[0] - 0.15 * char_px / h);
  s += "set ylabel \"elevation (degrees)\"; set yrange [" + fixed(kElevationLow, 0) + ":" +
       fixed(kElevationHigh, 0) + "]; set ytics -90,30,90\n";
  s += "plot 0 with lines linecolor rgb \"#606060\" dashtype 2 title \"horizon\", \\\n";
  s += std::string("  keyentry with boxes fillcolor rgb \"") + kNightColour +
       "\" fillstyle solid 0.55 noborder title \"night at the site\"";
  // gnuplot draws nothing of a clause with no valid point, and crashes on
  // an empty one of labels: a clause is written only for data it has, its
  // key then as an entry of its own.
  int bars[tracking::kStationCount] = {0, 0}, marks[tracking::kStationCount][2] = {{0, 0}, {0, 0}};
  int labels = 0;
  for (const tracking::Window &win : d.windows) {
    ++bars[win.stream];
    ++marks[win.stream][culmination_is_cut(win) ? 1 : 0];
  }
  for (const bool w : written)
    labels += w ? 1 : 0;
  for (int k = 0; k < tracking::kStationCount; ++k) {
    if (!look.stations[k])
      continue;
    const std::string name = tracking::kStationNames[k], colour = kStationColour[k];
    const std::string bar_style = "fillcolor rgb \"" + colour + "\" fillstyle solid 1.0 noborder title \"" +
                                  name + " windows\"";
    s += ", \\\n  " + curve_source[6 + k] +
         " with lines linewidth 2 linecolor rgb \"" + colour + "\" title \"" + name + "\"" +
         points(6 + k, kStationColour[k]);
    if (bars[k] > 0)
      s += ", \\\n  $windows using 2:(strcol(1) eq \"" + name + "\" ? " + fixed(kBarBottom[k], 0) +
           " : 1/0):2:3:(" + fixed(kBarBottom[k], 0) + "):(" + fixed(kBarTop[k], 0) +
           ") with boxxyerror " + bar_style;
    else
      s += ", \\\n  keyentry with boxes " + bar_style;
    if (marks[k][0] > 0)
      s += ", \\\n  $culminations using 1:($3 == " + std::to_string(k + 1) +
           " && $4 != 2 ? $2 : 1/0) with points pointtype 7 pointsize 1.2 linecolor rgb \"" +
           colour + "\" notitle";
    if (marks[k][1] > 0)
      s += ", \\\n  $culminations using 1:($3 == " + std::to_string(k + 1) +
           " && $4 == 2 ? $2 : 1/0) with points pointtype 6 pointsize 1.4 linewidth 2 linecolor rgb \"" +
           colour + "\" notitle";
  }
  s += ", \\\n  keyentry with points pointtype 6 pointsize 1.4 linewidth 2 linecolor rgb "
       "\"#606060\" title \"cut by the span or a gap\"";
  if (labels > 0)
    s += ", \\\n  $culminations using 1:($4 == 1 ? $2 : 1/0):(sprintf(\"%.1f°\", $2)) with labels "
         "offset 0,1 font \"," + fixed(label_font, 0) + "\" notitle";
  s += "\n";

  // The distances.
  margins(s, panels[1], panels[1].top + keys[1] - 0.15 * char_px / h);
  double lo = NAN, hi = NAN;
  for (const ReportLine &l : d.lines)
    for (int k = 0; k < 3; ++k) {
      const double v = k == 0 ? l.geocentric : k == 1 ? l.distance1 : l.distance2;
      if (k > 0 && !look.stations[k - 1])
        continue;
      if (v > 0 && !(v >= lo))
        lo = v;
      if (v > 0 && !(v <= hi))
        hi = v;
    }
  s += "set ylabel \"distance (km)\"\n";
  const bool log_axis = lo > 0 && hi / lo > 20;
  if (log_axis)
    s += "set logscale y; set yrange [" + fixed(lo / 1.3, 3) + ":" + fixed(hi * 1.3, 3) + "]\n";
  else
    s += "set autoscale y\n";
  if (lo > 0)
    s += "set ytics (" + distance_tics(lo, hi, log_axis) + ")\n";
  s += "plot ";
  for (int k = 0; k < tracking::kStationCount; ++k)
    if (look.stations[k])
      s += curve_source[3 + k] + " with lines linewidth 2 linecolor rgb \"" +
           kStationColour[k] + "\" title \"to " + tracking::kStationNames[k] + "\"" +
           points(3 + k, kStationColour[k]) + ", \\\n  ";
  s += curve_source[5] + " with lines linewidth 2 linecolor rgb \"" + kGeocentreColour +
       "\" title \"to the geocentre\"" + points(5, kGeocentreColour) + "\n";

  if (with_sources) {
    margins(s, panels[2], panels[2].top + keys[2] - 0.15 * char_px / h);
    s += "unset logscale y\n";
    const int rows = 3 * static_cast<int>(look.source_names.size());
    const double row = std::min(8.0, 84.0 / rows);
    const auto row_top = [row](int source, int antenna) { return -3.0 - (source * 3 + antenna) * row; };
    std::string tics = "\"0\" 0, \"30\" 30, \"60\" 60, \"90\" 90";
    // Each source's three rows (azel, elev, polar, told by their colours)
    // named at the middle one, where the name fits.
    const double group_px = 3 * row / 180.0 * (panels[2].top - panels[2].bottom) * h;
    if (group_px >= 1.1 * char_px)
      for (std::size_t i = 0; i < look.source_names.size(); ++i)
        tics += ", " + tic_label(shortened(displayable(look.source_names[i]), 16)) + " " +
                fixed(row_top(static_cast<int>(i), 1) - 0.4 * row, 3);
    s += "set ylabel \"altitude (degrees)\"; set yrange [-90:90]; set ytics (" +
         tics + ")\n";
    for (std::size_t c = 0; c < d.curves.size(); ++c) {
      s += "$curve" + std::to_string(c) + " << EOD\n";
      for (std::size_t k = 0; k < d.curves[c].t.size(); ++k)
        s += utc::unix_text(d.curves[c].t[k]) + " " + fixed(d.curves[c].altitude[k], 6) + "\n";
      s += "EOD\n";
    }
    s += "$sourcebars << EOD\n";
    for (const SourceBar &b : d.bars) {
      const double top = row_top(b.source, b.antenna);
      const double bottom = top - 0.8 * row;
      s += std::to_string(static_cast<int>(b.part)) + " " + std::to_string(b.antenna) + " " +
           utc::unix_text(b.from) + " " + utc::unix_text(b.to) + " " + fixed(bottom, 3) + " " +
           fixed(b.part == BarPart::tracked ? bottom + 0.25 * row : top, 3) + " " +
           std::to_string(b.source) + "\n";
    }
    s += "EOD\n";
    s += "plot 0 with lines linecolor rgb \"#606060\" dashtype 2 notitle";
    for (std::size_t c = 0; c < d.curves.size(); ++c) {
      const SourceCurve &curve = d.curves[c];
      // Above the horizon only: below it lie the bars.
      s += ", \\\n  $curve" + std::to_string(c) + " using 1:($2 >= 0 ? $2 : 1/0) with lines linewidth 2 dashtype " +
           (curve.site == 0 ? "1" : "3") + " linecolor rgb \"" +
           kSourceColour[curve.source % kSourceColours] + "\" " +
           (curve.site == 0 ? "title " + gnuplot_string(shortened(displayable(look.source_names[static_cast<std::size_t>(curve.source)]), 40)) +
                                  " noenhanced"
                            : std::string("notitle"));
    }
    static const char *const kPartFill[] = {"solid 0.35", "solid 1.0", "solid 1.0"};
    static const char *const kAntennas[] = {"azel", "elev", "polar"};
    int parts[3][3] = {};
    for (const SourceBar &b : d.bars)
      ++parts[static_cast<int>(b.part)][b.antenna];
    for (int part = 0; part < 3; ++part)
      for (int a = 0; a < 3; ++a) {
        const std::string style = std::string("fillcolor rgb \"") + (part == 2 ? "#000000" : kAntennaColour[a]) +
                                  "\" fillstyle " + kPartFill[part] + " noborder " +
                                  (part == 0 ? std::string("title \"") + kAntennas[a] + " windows\""
                                             : std::string("notitle"));
        if (parts[part][a] > 0)
          s += ", \\\n  $sourcebars using 3:($1 == " + std::to_string(part) + " && $2 == " +
               std::to_string(a) + " ? $5 : 1/0):3:4:5:6 with boxxyerror " + style;
        else if (part == 0)
          s += ", \\\n  keyentry with boxes " + style;
      }
    s += ", \\\n  keyentry with lines linewidth 2 dashtype 3 linecolor rgb \"#606060\" title "
         "\"at polar's mount\"";
    s += ", \\\n  keyentry with boxes fillcolor rgb \"#606060\" fillstyle solid 1.0 noborder title "
         "\"dark: at night\"";
    s += ", \\\n  keyentry with boxes fillcolor rgb \"#000000\" fillstyle solid 1.0 noborder title "
         "\"black: while tracked\"\n";
  }
  s += "unset multiplot\n";
  return s;
}

} // namespace chart
