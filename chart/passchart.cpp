// passchart - an orbit's passes over the tracking stations as one picture:
// elevations and windows, distances, the observing site's nights, and
// optionally celestial sources with the antennas' windows on them, drawn
// by gnuplot from the kit's own searches.
//
//   passchart [OPTIONS] ORBITFILE OUTPUT.svg|OUTPUT.png [START END]
//
// See passchart(1).
#include <fcntl.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "catalog.h"
#include "chart_data.h"
#include "chart_script.h"
#include "decimal_text.h"
#include "failure.h"
#include "gnuplot.h"
#include "options.h"
#include "picture_file.h"
#include "station_options.h"

namespace {

constexpr const char *kName = "passchart";

constexpr const char *kUsage =
    "Usage: passchart [OPTION]... ORBITFILE OUTPUT.svg|OUTPUT.png [START END]\n"
    "An orbit's passes over the tracking stations TS1 and TS2 as one picture:\n"
    "elevations and windows above, distances below, the observing site's\n"
    "nights shaded across both; with sources, a panel of their altitudes and\n"
    "of the antennas' windows on them.  OUTPUT ending in .svg gives an SVG,\n"
    ".png a PNG.  START and END limit the chart to the records between them:\n"
    "Unix seconds (-1e9 or 1478325600.5), or ISO 8601 times such as\n"
    "2016-11-05T06:00:00Z, 2016-11-05T06:00 or 2016-11-05 (UTC unless an\n"
    "offset is given).\n"
    "\n"
    "  --station NAME             TS1 or TS2: the stations charted; repeatable\n"
    "                             (default both)\n"
    "  --min-elevation DEG        windows where the elevation is at least DEG\n"
    "                             (default 0); STATION=DEG for one station\n"
    "  --mask STATION=FILE        an azimuth-dependent horizon: lines\n"
    "                             \"AZIMUTH ELEVATION\" in degrees, # comments\n"
    "  --night                    only the windows' parts in the site's nights\n"
    "  --source [NAME=]RA,DEC     a source's panel: RA in hours, DEC in\n"
    "                             degrees, decimal or H:M:S and D:M:S;\n"
    "                             repeatable\n"
    "  --catalog FILE             sources, one a line: NAME RA DEC [PMRA PMDEC\n"
    "                             PARALLAX RV]\n"
    "  --size WIDTHxHEIGHT        the picture's size in pixels (default\n"
    "                             1600x1000, 1600x1400 with sources; at\n"
    "                             least 640x400, 1000x800 with sources)\n"
    "  -h, --help                 this text\n"
    "  --version                  the version\n"
    "\n"
    "ORBITFILE - is standard input.  Options and operands may come in any\n"
    "order; -- ends the options.  gnuplot draws the picture; it replaces\n"
    "OUTPUT only when whole.\n"
    "\n"
    "Exit status: 0 when the picture was written; 1 for bad input or a\n"
    "picture that could not be drawn, with one line on standard error.\n";

enum OptionCode {
  kStation = cli::kFirstToolOption,
  kMinElevation,
  kMask,
  kNight,
  kSource,
  kCatalog,
  kSize
};

const option kOptions[] = {{"station", required_argument, nullptr, kStation},
                           {"min-elevation", required_argument, nullptr, kMinElevation},
                           {"mask", required_argument, nullptr, kMask},
                           {"night", no_argument, nullptr, kNight},
                           {"source", required_argument, nullptr, kSource},
                           {"catalog", required_argument, nullptr, kCatalog},
                           {"size", required_argument, nullptr, kSize},
                           {"help", no_argument, nullptr, cli::kHelpOption},
                           {"version", no_argument, nullptr, cli::kVersionOption},
                           {nullptr, 0, nullptr, 0}};

// The most sources one panel shows.
constexpr std::size_t kMostSources = 8;

using cli::quoted;

struct Request {
  cli::CommonOptions common;
  chart::ChartRequest chart;
  chart::ChartLook look;
  std::string output;
  bool size_given = false;
  bool stations_given = false;
  tracking::HorizonMask masks[tracking::kStationCount];
};

// --source [NAME=]RA,DEC: the name up to the last "=", which neither
// coordinate holds; without one, the text itself.
void source(const std::string &text, Request &r) {
  const std::size_t equals = text.rfind('=');
  const std::string name = equals == std::string::npos ? text : text.substr(0, equals);
  const std::string place = equals == std::string::npos ? text : text.substr(equals + 1);
  const std::size_t comma = place.find(',');
  if (name.empty() || comma == std::string::npos)
    throw kit::Failure("--source: " + quoted(text) + " is not [NAME=]RA,DEC");
  try {
    const double ra = sources::parse_right_ascension(place.substr(0, comma));
    const double dec = sources::parse_declination(place.substr(comma + 1));
    r.chart.sources.push_back(sources::make_source(name, ra, dec));
  } catch (const kit::Failure &e) {
    throw kit::Failure("--source: " + std::string(e.what()));
  }
}

// --size WIDTHxHEIGHT, from 640x400 (the smallest the panels and their
// keys fit) to 10000x10000 pixels.
void size(const char *text, Request &r) {
  const std::string t = text;
  const std::size_t x = t.find('x');
  double width = 0, height = 0;
  const bool read = x != std::string::npos && cli::parse_number(t.substr(0, x).c_str(), width) &&
                    cli::parse_number(t.substr(x + 1).c_str(), height);
  if (!read || !(width >= 640 && width <= 10000 && height >= 400 && height <= 10000) ||
      width != std::floor(width) || height != std::floor(height))
    throw kit::Failure("--size: " + quoted(text) +
                       " is not WIDTHxHEIGHT in pixels (640x400 to 10000x10000)");
  r.look.width = static_cast<int>(width);
  r.look.height = static_cast<int>(height);
  r.size_given = true;
}

void parse(int argc, char *argv[], Request &r) {
  std::string catalog;
  const std::vector<char *> operands =
      cli::read_command_line(argc, argv, kName, kOptions, r.common, [&](int c) {
        switch (c) {
        case kStation: {
          const int k = tracking::station_index(optarg);
          if (k < 0)
            throw kit::Failure("--station: unknown station " + quoted(optarg) + " (TS1 or TS2)");
          if (!r.stations_given)
            for (bool &s : r.chart.stations)
              s = false;
          r.stations_given = true;
          r.chart.stations[k] = true;
          break;
        }
        case kMinElevation:
          tracking::read_min_elevation(optarg, r.chart.search.min_elevation);
          break;
        case kMask:
          tracking::read_mask(optarg, r.masks, r.chart.search.mask);
          break;
        case kNight:
          r.chart.night = true;
          break;
        case kSource:
          source(optarg, r);
          break;
        case kCatalog:
          if (!catalog.empty())
            throw kit::Failure("--catalog: given twice");
          catalog = optarg;
          if (catalog.empty())
            throw kit::Failure("--catalog: an empty file name");
          break;
        case kSize:
          size(optarg, r);
          break;
        }
      });
  if (r.common.help || r.common.version)
    return;
  if (operands.size() != 2 && operands.size() != 4)
    throw kit::Failure("expected ORBITFILE OUTPUT [START END] (see passchart --help)");
  r.chart.orbit = operands[0];
  r.output = operands[1];
  if (r.chart.orbit.empty())
    throw kit::Failure("an empty orbit file name");
  r.look.svg = r.output.ends_with(".svg");
  if (!r.look.svg && !r.output.ends_with(".png"))
    throw kit::Failure("OUTPUT " + quoted(r.output) + " ends neither in .svg nor in .png");
  if (operands.size() == 4) {
    cli::parse_span(operands[2], operands[3], r.chart.start, r.chart.end);
    r.chart.span_given = true;
  }
  if (!catalog.empty())
    for (sources::Source &s : sources::read_catalog(catalog))
      r.chart.sources.push_back(std::move(s));
  if (r.chart.sources.size() > kMostSources)
    throw kit::Failure("at most " + std::to_string(kMostSources) + " sources fit the panel, not " +
                       std::to_string(r.chart.sources.size()));
  for (const sources::Source &s : r.chart.sources)
    r.look.source_names.push_back(s.name);
  if (!r.size_given && !r.chart.sources.empty())
    r.look.height = 1400;
  // The source panel and its key need room of their own.
  if (!r.chart.sources.empty() && (r.look.width < 1000 || r.look.height < 800))
    throw kit::Failure("--size: a chart with sources needs at least 1000x800 pixels");
  for (int k = 0; k < tracking::kStationCount; ++k)
    r.look.stations[k] = r.chart.stations[k];
  r.look.orbit_name = r.chart.orbit;
}

// stdout_closed: standard output was closed when the run began (it is
// /dev/null now), so that the usage or the version cannot be read.
int run(int argc, char *argv[], bool stdout_closed) {
  Request r;
  try {
    parse(argc, argv, r);
    if (stdout_closed && (r.common.help || r.common.version))
      throw kit::Failure("cannot write to standard output");
    const int answer = cli::answer_command_line(kName, kUsage, r.common, stdout);
    if (answer >= 0)
      return answer;
    // The picture's file first: an OUTPUT that cannot be written is told
    // before any work.
    chart::PictureFile picture(r.output);
    // The pixel columns of the time axis, as the script lays it out.
    r.chart.columns = r.look.width;
    const chart::ChartData data = chart::gather(r.chart);
    if (!data.nights_problem.empty())
      std::fprintf(stderr, "%s: no night bands: %s\n", kName, data.nights_problem.c_str());
    chart::draw(r.look.svg, chart::chart_script(data, r.look), picture);
    picture.commit();
    return 0;
  } catch (const kit::Failure &e) {
    std::fprintf(stderr, "%s: %s\n", kName, e.what());
  } catch (const std::bad_alloc &) {
    std::fprintf(stderr, "%s: out of memory\n", kName);
  }
  return 1;
}

} // namespace

int main(int argc, char *argv[]) {
  // Descriptors 0 to 2 open, on /dev/null where they were closed, so that
  // no file of this run takes one of their numbers (a note to a closed
  // standard error would land in the picture).
  const bool stdout_closed = fcntl(1, F_GETFD) == -1;
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1 && open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
      return 1;
  // A standard error whose reader is gone fails a note's write, not the
  // run (gnuplot gets SIGPIPE back).
  signal(SIGPIPE, SIG_IGN);
  return run(argc, argv, stdout_closed);
}
