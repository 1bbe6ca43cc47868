// passwindows - when the tracking stations TS1 and TS2 see the spacecraft,
// from an orbit file: each window's rise (AOS), culmination (TCA) and set
// (LOS), to the millisecond.
//
//   passwindows [OPTIONS] ORBITFILE [START END]
//
// The spacecraft between records is the cubic Hermite interpolation of the
// two records around an instant; the stations, their elevations and
// distances are passrange's.  See passwindows(1).
#include "passwindows.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "failure.h"
#include "held_output.h"
#include "night_gate.h"
#include "utc_instant.h"
#include "interpolation.h"
#include "limit_rules.h"
#include "limit_terms.h"
#include "options.h"
#include "orbit_file.h"
#include "station_options.h"

namespace {

constexpr const char *kName = "passwindows";

constexpr const char *kUsage =
    "Usage: passwindows [OPTION]... ORBITFILE [START END]\n"
    "When the tracking stations TS1 and TS2 see the spacecraft of an orbit\n"
    "file: one row per window (or per event), times to the millisecond.\n"
    "START and END limit the search: Unix seconds (-1e12 or 1478325600.5),\n"
    "or ISO 8601 times such as 2016-11-05T06:00:00Z, 2016-11-05T06:00 or\n"
    "2016-11-05 (UTC unless an offset such as -05:00 is given).\n"
    "\n"
    "  --min-elevation DEG        windows where the elevation is at least DEG\n"
    "                             (default 0); STATION=DEG for one station\n"
    "  --mask STATION=FILE        an azimuth-dependent horizon: lines\n"
    "                             \"AZIMUTH ELEVATION\" in degrees, # comments\n"
    "  --station NAME             TS1, TS2, any (at least one sees it) or both;\n"
    "                             repeatable (default TS1 and TS2)\n"
    "  --antenna NAME             the windows in which antenna azel, elev or\n"
    "                             polar, standing at TS1, can follow the\n"
    "                             spacecraft (its checker's rule); repeatable\n"
    "  --events                   one row per rise, culmination and set\n"
    "  --track SECONDS            the pointing at START, START + SECONDS, ...\n"
    "                             from each station, and whether each antenna\n"
    "                             can point there, instead of the windows\n"
    "  --night                    only the parts of the windows that lie in\n"
    "                             the observing site's nights\n"
    "  --max-gap SECONDS          records further apart are not interpolated\n"
    "                             across (default 3600)\n"
    "  --format FORMAT            text (a table for a terminal), tsv (tab-\n"
    "                             separated values with a header line), json\n"
    "                             (one JSON array) or jsonl (JSON Lines)\n"
    "  -h, --help                 this text\n"
    "  --version                  the version\n"
    "\n"
    "ORBITFILE - is standard input.  Options and operands may come in any\n"
    "order; -- ends the options.\n"
    "\n"
    "Exit status: 0, also when there is no window; 1 for bad input, with one\n"
    "line on standard error.\n";

enum OptionCode {
  kMinElevation = cli::kFirstToolOption,
  kMask,
  kStation,
  kAntenna,
  kEvents,
  kTrack,
  kNight,
  kMaxGap
};

const option kOptions[] = {{"min-elevation", required_argument, nullptr, kMinElevation},
                           {"mask", required_argument, nullptr, kMask},
                           {"station", required_argument, nullptr, kStation},
                           {"antenna", required_argument, nullptr, kAntenna},
                           {"events", no_argument, nullptr, kEvents},
                           {"track", required_argument, nullptr, kTrack},
                           {"night", no_argument, nullptr, kNight},
                           {"max-gap", required_argument, nullptr, kMaxGap},
                           KIT_COMMON_LONG_OPTIONS,
                           {nullptr, 0, nullptr, 0}};

// The index of a name among n names, or -1.
int index_of(const std::string &name, const char *const names[], int n) {
  for (int k = 0; k < n; ++k)
    if (name == names[k])
      return k;
  return -1;
}

// The window stream a name gives (TS1, TS2, any, both), or -1.
int stream_index(const std::string &name) {
  return index_of(name, tracking::kStreamNames, tracking::kStreamCount);
}

using cli::quoted;

} // namespace

void parse_passwindows_options(int argc, char *argv[], PasswindowsOptions &o) {
  const std::vector<char *> operands =
      cli::read_command_line(argc, argv, kName, kOptions, o.common, [&](int c) {
        switch (c) {
        case kMinElevation:
          tracking::read_min_elevation(optarg, o.settings.min_elevation);
          break;
        case kMask:
          tracking::read_mask(optarg, o.masks, o.settings.mask);
          break;
        case kStation: {
          const int k = stream_index(optarg);
          if (k < 0)
            throw kit::Failure("--station: unknown station " + quoted(optarg) +
                               " (TS1, TS2, any or both)");
          if (!o.stations_given)
            for (bool &w : o.settings.wanted)
              w = false;
          o.stations_given = true;
          o.settings.wanted[k] = true;
          break;
        }
        case kAntenna: {
          const int a = index_of(optarg, limits::kAntennaNames, limits::kAntennaCount);
          if (a < 0)
            throw kit::Failure("--antenna: unknown antenna " + quoted(optarg) +
                               " (azel, elev or polar)");
          o.antennas = true;
          o.settings.antennas[a] = true;
          break;
        }
        case kTrack:
          if (!cli::parse_number(optarg, o.settings.track_step) || !(o.settings.track_step > 0.0))
            throw kit::Failure("--track: " + quoted(optarg) +
                               " is not a positive number of seconds");
          break;
        case kEvents:
          o.events = true;
          break;
        case kNight:
          o.night = true;
          break;
        case kMaxGap:
          if (!cli::parse_number(optarg, o.settings.max_gap) || !(o.settings.max_gap > 0.0))
            throw kit::Failure("--max-gap: " + quoted(optarg) +
                               " is not a positive number of seconds");
          break;
        }
      });
  if (o.common.help || o.common.version)
    return;
  if (o.events && o.settings.track_step > 0.0)
    throw kit::Failure("--events and --track exclude each other");
  // With antennas, the stations' windows are listed when asked for; a
  // track is TS1's, where the antennas stand.
  if (o.antennas && !o.stations_given)
    for (int k = 0; k < tracking::kStreamCount; ++k)
      o.settings.wanted[k] = o.settings.track_step > 0.0 && k == tracking::kTs1;
  if (operands.size() != 1 && operands.size() != 3)
    throw kit::Failure("expected ORBITFILE [START END] (see passwindows --help)");
  o.orbit = operands[0];
  if (operands.size() == 3) {
    cli::parse_span(operands[1], operands[2], o.settings.start, o.settings.end);
    o.settings.track_start = o.settings.start;
  }
}

namespace {

// Angles (degrees) and distances (km) in tsv and JSON carry six decimals,
// the text table one.
constexpr int kDecimals = 6;
constexpr int kTextDecimals = 1;

// What the rows are: windows, events or a track.
enum class RowKind { windows, events, track };

RowKind row_kind(const PasswindowsOptions &o) {
  return o.events ? RowKind::events : o.settings.track_step > 0.0 ? RowKind::track : RowKind::windows;
}

// The rows of the windows, the events or the track, in the chosen format.
class Rows : public tracking::WindowSink {
public:
  Rows(std::FILE *out, const PasswindowsOptions &o)
      : kind_(row_kind(o)), antennas_(o.antennas), settings_(o.settings),
        table_(out, o.common.format, columns(), 1) {}

  void window(const tracking::Window &w) override {
    if (kind_ != RowKind::windows)
      return;
    const bool station = tracking::station_of(w.stream) >= 0;
    std::vector<cli::Cell> row = first_cells(w.stream);
    row.push_back(cli::value(std::to_string(w.pass)));
    cli::time_cells(w.aos.t, row);
    // The combined streams have no culmination of their own.
    cli::time_cells(station ? w.tca.t : std::nan(""), row, cli::TextTime::time_of_day);
    cli::time_cells(w.los.t, row, cli::TextTime::time_of_day);
    row.push_back(cli::duration_cell(w.aos.t, w.los.t));
    for (const double v : {w.tca.look.elevation_deg, w.aos.look.azimuth_deg,
                           w.tca.look.azimuth_deg, w.los.look.azimuth_deg,
                           w.aos.look.range_km, w.tca.look.range_km, w.los.look.range_km})
      row.push_back(geometry(station, v));
    row.push_back(cli::value(w.aos_bound));
    row.push_back(cli::value(w.los_bound));
    table_.row(row);
  }

  void event(const tracking::PassEvent &e) override {
    if (kind_ != RowKind::events)
      return;
    static const char *const kTypes[] = {"aos", "tca", "los"};
    const bool station = tracking::station_of(e.stream) >= 0;
    std::vector<cli::Cell> row;
    cli::time_cells(e.at.t, row);
    for (cli::Cell &c : first_cells(e.stream))
      row.push_back(c);
    row.push_back(cli::value(std::to_string(e.pass)));
    row.push_back(cli::value(kTypes[static_cast<int>(e.type)]));
    row.push_back(e.type == tracking::PassEventType::tca ? cli::none() : cli::value(e.bound));
    for (const double v : {e.at.look.elevation_deg, e.at.look.azimuth_deg, e.at.look.range_km})
      row.push_back(geometry(station, v));
    table_.row(row);
  }

  // The pointing at a track's instant, from each station asked for, and
  // whether each antenna (standing at TS1) can point there, by its
  // checker's rule on the numbers as printed.
  void track(double t, const tracking::Look (&looks)[tracking::kStationCount]) override {
    if (kind_ != RowKind::track)
      return;
    for (int k = 0; k < tracking::kStationCount; ++k) {
      if (!settings_.wanted[k])
        continue;
      const tracking::Look &l = looks[k];
      std::vector<cli::Cell> row = {cli::value(tracking::kStationNames[k])};
      cli::time_cells(t, row);
      row.push_back(cli::exact_cell(l.elevation_deg, kTrackDecimals, kTextDecimals));
      row.push_back(cli::exact_cell(l.azimuth_deg, kTrackDecimals, kTextDecimals));
      row.push_back(cli::exact_cell(l.range_km, kDecimals, kTextDecimals));
      const limits::Pointing p{l.elevation_deg, l.azimuth_deg};
      const limits::LimitRule rules[limits::kAntennaCount] = {
          limits::azel_accepts, limits::elev_accepts, limits::polar_accepts};
      for (int a = 0; a < limits::kAntennaCount; ++a)
        if (settings_.antennas[a])
          row.push_back(k == tracking::kTs1 ? cli::truth_cell(rules[a](p)) : cli::none());
      table_.row(row);
    }
  }

  bool finish() { return table_.finish(); }

private:
  // A track's angles carry every digit a checker needs to read back the
  // same double, nine decimals at least.
  static constexpr int kTrackDecimals = 9;

  // A station's elevation, azimuth or range; none for the combined
  // streams, which are seen from no one station.
  static cli::Cell geometry(bool station, double v) {
    return station ? cli::number_cell(v, kDecimals, kTextDecimals) : cli::none();
  }
  // The station cell (the text table shows an antenna's name there) and,
  // with antennas, the antenna cell.
  std::vector<cli::Cell> first_cells(int stream) const {
    const bool antenna = stream >= tracking::kAntennaStream;
    const char *name = limits::kAntennaNames[antenna ? stream - tracking::kAntennaStream : 0];
    std::vector<cli::Cell> cells = {
        antenna ? cli::value("TS1", name) : cli::value(tracking::kStreamNames[stream])};
    if (antennas_)
      cells.push_back(antenna ? cli::value(name) : cli::none());
    return cells;
  }
  std::vector<cli::Column> columns() const {
    std::vector<cli::Column> c;
    const auto add = [&c](std::initializer_list<cli::Column> more) { c.insert(c.end(), more); };
    const cli::Column antenna{"antenna", 7, false, ""};
    switch (kind_) {
    case RowKind::windows:
      add({{"station", 7, false}});
      if (antennas_)
        add({antenna});
      add({{"pass", 4, true},
           {"aos", 23, false},
           {"aos_unix", 14, true, ""},
           {"tca", 12, false},
           {"tca_unix", 14, true, ""},
           {"los", 12, false},
           {"los_unix", 14, true, ""},
           {"duration_s", 8, true, "duration"},
           {"max_elevation_deg", 6, true, "max_el"},
           {"aos_azimuth_deg", 15, true, ""},
           {"tca_azimuth_deg", 15, true, ""},
           {"los_azimuth_deg", 15, true, ""},
           {"aos_range_km", 12, true, ""},
           {"tca_range_km", 12, true, ""},
           {"los_range_km", 12, true, ""},
           {"aos_bound", 9, false},
           {"los_bound", 9, false}});
      break;
    case RowKind::events:
      add({{"time", 23, false}, {"time_unix", 14, true, ""}, {"station", 7, false}});
      if (antennas_)
        add({antenna});
      add({{"pass", 4, true},
           {"event", 5, false},
           {"bound", 9, false},
           {"elevation_deg", 9, true, "elevation"},
           {"azimuth_deg", 7, true, "azimuth"},
           {"range_km", 10, true}});
      break;
    case RowKind::track: {
      add({{"station", 7, false},
           {"time", 23, false},
           {"time_unix", 14, true, ""},
           {"elevation_deg", 9, true, "elevation"},
           {"azimuth_deg", 7, true, "azimuth"},
           {"range_km", 10, true}});
      static const char *const kCanPoint[limits::kAntennaCount] = {
          "can_point_azel", "can_point_elev", "can_point_polar"};
      for (int a = 0; a < limits::kAntennaCount; ++a)
        if (settings_.antennas[a])
          add({{kCanPoint[a], 5, true, limits::kAntennaNames[a]}});
      break;
    }
    }
    return c;
  }

  RowKind kind_;
  bool antennas_;
  tracking::SearchSettings settings_;
  cli::Table table_;
};

// Reads the orbit file into the search, as far as the search needs it.
void search_file(const PasswindowsOptions &o, tracking::PassSearch &search) {
  tracking::OrbitFile file(o.orbit);
  for (tracking::StateNode node; file.next(node);)
    if (!search.add(node))
      return;
  search.finish();
}

// The windows of a command line, written to out once the orbit file has
// been read as far as the search needs it (the rows wait till then).
void list_windows(PasswindowsOptions &o, std::FILE *out) {
  cli::HeldOutput held;
  Rows rows(held.stream(), o);
  NightSource nights(o.settings.end, "--night");
  windows::Gate gate(nights);
  if (o.night)
    o.settings.gate = &gate;
  tracking::PassSearch search(o.settings, rows);
  search_file(o, search);
  if (!rows.finish() || !held.copy_to(out))
    throw kit::Failure(held.problem().empty() ? "cannot write the rows" : held.problem());
}

} // namespace

int run_passwindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  PasswindowsOptions o;
  return cli::run_tool(
      kName, kUsage, out, err,
      [&] {
        parse_passwindows_options(argc, argv, o);
        return o.common;
      },
      [&] { list_windows(o, out); });
}

#ifndef KIT_NO_MAIN
int main(int argc, char *argv[]) { return run_passwindows(argc, argv, stdout, stderr); }
#endif
