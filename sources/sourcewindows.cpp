// sourcewindows - when the antennas azel, elev and polar can point at
// celestial sources, to the millisecond: the intervals in which each
// antenna's checker accepts a source's pointing, optionally only at night
// and while TS1 or TS2 tracks the spacecraft.
//
//   sourcewindows [OPTIONS] RA DEC START END
//   sourcewindows [OPTIONS] --catalog FILE START END
//
// See sourcewindows(1).
#include "sourcewindows.h"

#include <getopt.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalog.h"
#include "failure.h"
#include "held_output.h"
#include "limit_rules.h"
#include "night_gate.h"
#include "options.h"
#include "pass_source.h"
#include "source_search.h"
#include "station_options.h"
#include "table.h"

namespace {

constexpr const char *kName = "sourcewindows";

constexpr const char *kUsage =
    "Usage: sourcewindows [OPTION]... RA DEC START END\n"
    "   or: sourcewindows [OPTION]... --catalog FILE START END\n"
    "When the antennas azel, elev and polar can point at a celestial source\n"
    "(ICRS; RA in hours, decimal or H:M:S, DEC in degrees, decimal or\n"
    "+-D:M:S): one row per window, edges to the millisecond.  START and END\n"
    "are Unix seconds or ISO 8601 times such as 2030-06-01T00:00Z.\n"
    "\n"
    "  --name NAME                the source's name (default: RA DEC as given)\n"
    "  --catalog FILE             sources, one a line: NAME RA DEC [PMRA PMDEC\n"
    "                             PARALLAX RV], NAME a word or \"a quoted text\"\n"
    "  --antenna NAME             azel, elev, polar, all (all three at once) or\n"
    "                             any (at least one); repeatable (default: the\n"
    "                             three, each)\n"
    "  --site ANTENNA=LAT,LON,HEIGHT\n"
    "                             where that antenna's pointing is computed\n"
    "                             (degrees north and east, metres)\n"
    "  --refraction standard|none the standard atmosphere (default) or the\n"
    "                             geometric direction\n"
    "  --night                    only the parts in the observing site's nights\n"
    "  --tracked ORBITFILE        only the parts while TS1 or TS2 sees the\n"
    "                             spacecraft of an orbit file\n"
    "  --tracked-by NAME          TS1, TS2, any (default) or both\n"
    "  --min-elevation DEG        the tracking's minimum elevation, as in\n"
    "                             passwindows (STATION=DEG for one station)\n"
    "  --events                   one row per edge and per culmination\n"
    "  --track SECONDS            the pointing at START, START + SECONDS, ...\n"
    "                             and whether each antenna can point there\n"
    "  --format FORMAT            text (a table for a terminal), tsv (tab-\n"
    "                             separated values with a header line), json\n"
    "                             (one JSON array) or jsonl (JSON Lines)\n"
    "  -h, --help                 this text\n"
    "  --version                  the version\n"
    "\n"
    "FILE and ORBITFILE - are standard input.  Options and operands may come in\n"
    "any order (a negative DEC is an operand); -- ends the options.\n"
    "\n"
    "Exit status: 0, also when there is no window; 1 for bad input, with one\n"
    "line on standard error.\n";

enum OptionCode {
  kNameOption = cli::kFirstToolOption,
  kCatalog,
  kAntenna,
  kSite,
  kRefraction,
  kNight,
  kTracked,
  kTrackedBy,
  kMinElevation,
  kEvents,
  kTrack
};

const option kOptions[] = {{"name", required_argument, nullptr, kNameOption},
                           {"catalog", required_argument, nullptr, kCatalog},
                           {"antenna", required_argument, nullptr, kAntenna},
                           {"site", required_argument, nullptr, kSite},
                           {"refraction", required_argument, nullptr, kRefraction},
                           {"night", no_argument, nullptr, kNight},
                           {"tracked", required_argument, nullptr, kTracked},
                           {"tracked-by", required_argument, nullptr, kTrackedBy},
                           {"min-elevation", required_argument, nullptr, kMinElevation},
                           {"events", no_argument, nullptr, kEvents},
                           {"track", required_argument, nullptr, kTrack},
                           KIT_COMMON_LONG_OPTIONS,
                           {nullptr, 0, nullptr, 0}};

using cli::quoted;

struct Request {
  cli::CommonOptions common;
  std::vector<sources::Source> sources;
  sources::SourceSettings settings;
  bool night = false, events = false;
  double track_step = 0.0;
  std::string tracked;
  int tracked_by = tracking::kAny;
  double min_elevation[tracking::kStationCount] = {0.0, 0.0};
};

int index_of(const std::string &name, const char *const names[], int n) {
  for (int k = 0; k < n; ++k)
    if (name == names[k])
      return k;
  return -1;
}

// LAT,LON,HEIGHT.
sources::Site site_of(const std::string &text) {
  sources::Site s{};
  double *v[3] = {&s.latitude, &s.longitude, &s.height};
  std::size_t from = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t comma = k < 2 ? text.find(',', from) : text.size();
    if (comma == std::string::npos || !cli::parse_number(text.substr(from, comma - from).c_str(), *v[k]))
      throw kit::Failure("--site: " + quoted(text) + " is not ANTENNA=LAT,LON,HEIGHT");
    from = comma + 1;
  }
  if (!(s.latitude >= -90.0 && s.latitude <= 90.0) || !(s.longitude >= -180.0 && s.longitude <= 360.0) ||
      !(s.height >= -1000.0 && s.height <= 100000.0))
    throw kit::Failure("--site: " + quoted(text) +
                       " is out of range: a latitude from -90 to 90, a longitude from -180 to "
                       "360 and a height from -1000 to 100000 m");
  return s;
}

Request parse(int argc, char *argv[]) {
  Request r;
  std::string name, catalog;
  bool have_name = false, have_catalog = false, antennas_given = false;
  const std::vector<char *> operands =
      cli::read_command_line(argc, argv, kName, kOptions, r.common, [&](int c) {
        switch (c) {
        case kNameOption:
          name = optarg;
          have_name = true;
          break;
        case kCatalog:
          catalog = optarg;
          have_catalog = true;
          break;
        case kAntenna: {
          const int k = index_of(optarg, sources::kSourceStreamNames, sources::kSourceStreams);
          if (k < 0)
            throw kit::Failure("--antenna: unknown antenna " + quoted(optarg) +
                               " (azel, elev, polar, all or any)");
          if (!antennas_given)
            for (bool &w : r.settings.wanted)
              w = false;
          antennas_given = true;
          r.settings.wanted[k] = true;
          break;
        }
        case kSite: {
          std::string antenna, value;
          if (!cli::split_assignment(optarg, antenna, value))
            throw kit::Failure("--site: " + quoted(optarg) + " is not ANTENNA=LAT,LON,HEIGHT");
          const int k = index_of(antenna, limits::kAntennaNames, limits::kAntennaCount);
          if (k < 0)
            throw kit::Failure("--site: unknown antenna " + quoted(antenna) + " (azel, elev or polar)");
          r.settings.sites[k] = site_of(value);
          break;
        }
        case kRefraction:
          if (std::strcmp(optarg, "standard") == 0)
            r.settings.ref_option = 1;
          else if (std::strcmp(optarg, "none") == 0)
            r.settings.ref_option = 0;
          else
            throw kit::Failure("--refraction: " + quoted(optarg) + " is not standard or none");
          break;
        case kNight:
          r.night = true;
          break;
        case kTracked:
          r.tracked = optarg;
          if (r.tracked.empty())
            throw kit::Failure("--tracked: an empty file name");
          break;
        case kTrackedBy:
          r.tracked_by = index_of(optarg, tracking::kStreamNames, tracking::kStreamCount);
          if (r.tracked_by < 0)
            throw kit::Failure("--tracked-by: unknown station " + quoted(optarg) +
                               " (TS1, TS2, any or both)");
          break;
        case kMinElevation:
          tracking::read_min_elevation(optarg, r.min_elevation);
          break;
        case kEvents:
          r.events = true;
          break;
        case kTrack:
          if (!cli::parse_number(optarg, r.track_step) || !(r.track_step > 0.0))
            throw kit::Failure("--track: " + quoted(optarg) + " is not a positive number of seconds");
          break;
        }
      });
  if (r.common.help || r.common.version)
    return r;
  if (r.events && r.track_step > 0.0)
    throw kit::Failure("--events and --track exclude each other");
  if (have_catalog && have_name)
    throw kit::Failure("--name names the source of RA and DEC, not a catalog's");
  if (operands.size() != (have_catalog ? 2u : 4u))
    throw kit::Failure(have_catalog ? "expected --catalog FILE START END (see sourcewindows --help)"
                                    : "expected RA DEC START END (see sourcewindows --help)");
  const std::size_t span = have_catalog ? 0 : 2;
  cli::parse_span(operands[span], operands[span + 1], r.settings.start, r.settings.end);
  // The span the solar ephemeris serves for the sources' places, the same
  // as for the nights of --night.
  if (!night_span_problem(r.settings.start, r.settings.end).empty())
    throw kit::Failure("span outside the solar ephemeris: sources are placed from " +
                       utc::iso_text(kFirstNightInstant) + " to " +
                       utc::iso_text(kLastNightInstant));
  if (have_catalog) {
    r.sources = sources::read_catalog(catalog);
  } else {
    const double ra = sources::parse_right_ascension(operands[0]);
    const double dec = sources::parse_declination(operands[1]);
    r.sources.push_back(sources::make_source(
        have_name ? name : std::string(operands[0]) + " " + operands[1], ra, dec));
  }
  return r;
}

// Angles and distances in tsv and JSON carry six decimals, a track's
// angles every digit a checker needs (nine decimals at least); the text
// table one.
constexpr int kDecimals = 6;
constexpr int kTrackDecimals = 9;
constexpr int kTextDecimals = 1;

// The rows of the windows or of the events.
class Rows : public sources::SourceSink {
public:
  Rows(std::FILE *out, const Request &r)
      : events_(r.events), sources_(r.sources), table_(out, r.common.format, columns(r), 1) {}

  void window(const sources::SourceWindow &w) override {
    if (events_)
      return;
    const bool antenna = w.stream < limits::kAntennaCount;
    std::vector<cli::Cell> row = {cli::value(sources_[static_cast<std::size_t>(w.source)].name),
                                  cli::value(sources::kSourceStreamNames[w.stream]),
                                  cli::value(std::to_string(w.number))};
    cli::time_cells(w.start.t, row, cli::TextTime::date_second);
    cli::time_cells(w.end.t, row, cli::TextTime::second_of_day);
    row.push_back(cli::duration_cell(w.start.t, w.end.t));
    row.push_back(cli::value(w.start_bound));
    row.push_back(cli::value(w.end_bound));
    row.push_back(angle(antenna, w.highest.altitude));
    cli::time_cells(antenna ? w.highest.t : std::nan(""), row, cli::TextTime::time_of_day);
    row.push_back(angle(antenna, w.start.azimuth));
    row.push_back(angle(antenna, w.end.azimuth));
    table_.row(row);
  }

  void event(const sources::SourceEvent &e) override {
    if (!events_)
      return;
    static const char *const kTypes[] = {"start", "culmination", "end"};
    const bool antenna = e.stream < limits::kAntennaCount;
    std::vector<cli::Cell> row;
    cli::time_cells(e.at.t, row);
    row.push_back(cli::value(sources_[static_cast<std::size_t>(e.source)].name));
    row.push_back(cli::value(sources::kSourceStreamNames[e.stream]));
    row.push_back(cli::value(std::to_string(e.number)));
    row.push_back(cli::value(kTypes[static_cast<int>(e.type)]));
    row.push_back(e.bound == nullptr ? cli::none() : cli::value(e.bound));
    row.push_back(angle(antenna, e.at.altitude));
    row.push_back(angle(antenna, e.at.azimuth));
    table_.row(row);
  }

  bool finish() { return table_.finish(); }

private:
  static cli::Cell angle(bool antenna, double v) {
    return antenna ? cli::number_cell(v, kDecimals, kTextDecimals) : cli::none();
  }
  // The text table fits 100 columns: the bounds as wide as a
  // combination's ("polar:hour-angle") when one is listed, the source as
  // wide as its longest name within what remains.
  static std::vector<cli::Column> columns(const Request &r) {
    const bool combined = r.settings.wanted[sources::kAllAntennas] ||
                          r.settings.wanted[sources::kAnyAntenna];
    const int bound = combined ? 16 : 11;
    std::size_t longest = 0;
    for (const sources::Source &s : r.sources)
      longest = std::max(longest, s.name.size());
    const auto source = [longest](int rest) {
      return cli::Column{"source", static_cast<int>(std::clamp<std::size_t>(
                                       longest, 6, static_cast<std::size_t>(100 - rest))),
                         false};
    };
    if (r.events)
      return {{"time", 23, false},          {"time_unix", 14, true, ""},
              source(24 + 8 + 7 + 12 + bound + 9 + 7),
              {"antenna", 7, false},        {"window", 6, true},
              {"event", 11, false},         {"bound", bound, false},
              {"altitude_deg", 8, true, "altitude"},
              {"azimuth_deg", 7, true, "azimuth"}};
    return {source(8 + 4 + 20 + 9 + 9 + 2 * (bound + 1) + 8),
            {"antenna", 7, false},
            {"window", 3, true, "win"},
            {"start", 19, false},
            {"start_unix", 14, true, ""},
            {"end", 8, false},
            {"end_unix", 14, true, ""},
            {"duration_s", 8, true, "duration"},
            {"start_bound", bound, false},
            {"end_bound", bound, false},
            {"max_altitude_deg", 7, true, "max_alt"},
            {"culmination", 12, false, ""},
            {"culmination_unix", 14, true, ""},
            {"start_azimuth_deg", 15, true, ""},
            {"end_azimuth_deg", 15, true, ""}};
  }
  bool events_;
  const std::vector<sources::Source> &sources_;
  cli::Table table_;
};

// The pointing of every source at each antenna at START, START + STEP, ...
// END, with what the antenna's checker answers and polarlimits' conversion.
void list_track(const Request &r, std::FILE *out) {
  const bool wanted_antenna[limits::kAntennaCount] = {
      r.settings.wanted[0] || r.settings.wanted[sources::kAllAntennas] || r.settings.wanted[sources::kAnyAntenna],
      r.settings.wanted[1] || r.settings.wanted[sources::kAllAntennas] || r.settings.wanted[sources::kAnyAntenna],
      r.settings.wanted[2] || r.settings.wanted[sources::kAllAntennas] || r.settings.wanted[sources::kAnyAntenna]};
  std::vector<sources::Site> sites(r.settings.sites, r.settings.sites + limits::kAntennaCount);
  sources::Sky sky(r.sources, sites, r.settings.ref_option);
  cli::Table table(out, r.common.format,
                   {{"source", 8, false},
                    {"antenna", 7, false},
                    {"time", 23, false},
                    {"unix", 14, true, ""},
                    {"altitude_deg", 8, true, "altitude"},
                    {"azimuth_deg", 7, true, "azimuth"},
                    {"can_point", 9, true},
                    {"hour_angle_h", 10, true, "hour_angle"},
                    {"declination_deg", 11, true, "declination"}},
                   1);
  const limits::LimitRule rules[limits::kAntennaCount] = {limits::azel_accepts, limits::elev_accepts,
                                                          limits::polar_accepts};
  std::vector<sources::Pointed> at[limits::kAntennaCount];
  for (long long k = 0;; ++k) {
    const double t = r.settings.start + static_cast<double>(k) * r.track_step;
    if (!(t <= r.settings.end))
      break;
    for (int a = 0; a < limits::kAntennaCount; ++a)
      if (wanted_antenna[a])
        sky.all_at(t, a, at[a]);
    for (std::size_t i = 0; i < r.sources.size(); ++i) {
      for (int a = 0; a < limits::kAntennaCount; ++a) {
        if (!wanted_antenna[a])
          continue;
        const sources::Pointed &p = at[a][i];
        const limits::Pointing pointing{p.altitude, p.azimuth};
        const limits::MountPlace m = limits::polar_mount_place(pointing);
        std::vector<cli::Cell> row = {cli::value(r.sources[i].name), cli::value(limits::kAntennaNames[a])};
        cli::time_cells(t, row);
        row.push_back(cli::exact_cell(p.altitude, kTrackDecimals, kTextDecimals));
        row.push_back(cli::exact_cell(p.azimuth, kTrackDecimals, kTextDecimals));
        row.push_back(cli::truth_cell(rules[a](pointing)));
        row.push_back(cli::exact_cell(m.hour_angle_h, kTrackDecimals, 3));
        row.push_back(cli::exact_cell(m.declination_deg, kTrackDecimals, kTextDecimals));
        table.row(row);
      }
    }
  }
  if (!table.finish())
    throw kit::Failure("cannot write the rows");
}

void list_windows(Request &r, std::FILE *out) {
  cli::HeldOutput held;
  if (r.track_step > 0.0) {
    list_track(r, held.stream());
  } else {
    Rows rows(held.stream(), r);
    NightSource nights(r.settings.end, "--night");
    windows::Gate night(nights);
    if (r.night)
      r.settings.gates[sources::kNightGate] = &night;
    std::unique_ptr<tracking::PassSource> passes;
    std::unique_ptr<windows::Gate> tracked;
    if (!r.tracked.empty()) {
      tracking::SearchSettings s;
      s.start = r.settings.start;
      s.end = r.settings.end;
      for (int k = 0; k < tracking::kStationCount; ++k)
        s.min_elevation[k] = r.min_elevation[k];
      passes = std::make_unique<tracking::PassSource>(r.tracked, s, r.tracked_by, "--tracked");
      tracked = std::make_unique<windows::Gate>(*passes);
      r.settings.gates[sources::kTrackGate] = tracked.get();
    }
    sources::SourceSearch search(r.sources, r.settings, rows);
    search.run();
    if (!rows.finish())
      throw kit::Failure(held.problem().empty() ? "cannot write the rows" : held.problem());
  }
  if (!held.copy_to(out))
    throw kit::Failure(held.problem().empty() ? "cannot write the rows" : held.problem());
}

} // namespace

int run_sourcewindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  Request r;
  return cli::run_tool(
      kName, kUsage, out, err,
      [&] {
        r = parse(argc, argv);
        return r.common;
      },
      [&] { list_windows(r, out); });
}

#ifndef KIT_NO_MAIN
int main(int argc, char *argv[]) { return run_sourcewindows(argc, argv, stdout, stderr); }
#endif
