// passwindows_test.cpp - passwindows' own code (passwindows_functions):
// the interpolation, the search on geometry whose events are known in
// closed form (linear and parabolic elevations, a mask), the windows of two
// orbits against those computed with NOVAS 3.1 from the true orbits, the
// cuts at the span, the file's ends and gaps, any and both, agreement with
// passrange at the records, and the whole program on bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "captured_run.h"
#include "failure.h"
#include "spawn_program.h"
#include "utc_instant.h"
#include "interpolation.h"
#include "limit_rules.h"
#include "limit_terms.h"
#include "look_angles.h"
#include "night_search.h"
#include "orbit_record.h"
#include "passrange.h"
#include "passwindows.h"
#include "time_scale_settings.h"
#include "pass_search.h"
#include "stations.h"

namespace {

using tracking::StateNode;
using tracking::Window;

const std::string kData = KIT_TEST_DATA;

// ----- interpolation ---------------------------------------------------------

TEST(Interpolation, TheNodesThemselvesAndCubicMotion) {
  // p(t) = c0 + c1 t + c2 t^2 + c3 t^3 per axis, v its derivative: the
  // interpolant of two of its states is itself.
  const double c[3][4] = {{7000.0, 1.5, -0.02, 3e-5}, {-300.0, -7.25, 0.004, -1e-6},
                          {12.0, 0.5, 0.0, 2e-7}};
  const auto state = [&c](double t) {
    StateNode n{t, {}, {}};
    for (int k = 0; k < 3; ++k) {
      n.p[k] = c[k][0] + t * (c[k][1] + t * (c[k][2] + t * c[k][3]));
      n.v[k] = c[k][1] + t * (2 * c[k][2] + t * 3 * c[k][3]);
    }
    return n;
  };
  const StateNode a = state(-20.0), b = state(40.0);
  for (double t = -20.0; t <= 40.0; t += 1.25) {
    const tracking::State s = tracking::hermite(a, b, t);
    const StateNode want = state(t);
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(s.p[k], want.p[k], 1e-9) << t;
      EXPECT_NEAR(s.v[k], want.v[k], 1e-12) << t;
    }
  }
  // At the nodes, the nodes bit for bit, even with a velocity that is not
  // a number at the other end.
  StateNode odd = b;
  odd.v[0] = NAN;
  for (const auto &[node, other] : {std::pair{a, odd}, std::pair{odd, a}}) {
    const StateNode &first = node.t < other.t ? node : other;
    const StateNode &last = node.t < other.t ? other : node;
    const tracking::State s = tracking::hermite(first, last, node.t);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(s.p[k], node.p[k]);
      EXPECT_TRUE(s.v[k] == node.v[k] || (std::isnan(s.v[k]) && std::isnan(node.v[k])));
    }
  }
}

// ----- the search --------------------------------------------------------------

struct Collector : tracking::WindowSink {
  std::vector<Window> windows;
  std::vector<tracking::PassEvent> events;
  void window(const Window &w) override { windows.push_back(w); }
  void event(const tracking::PassEvent &e) override { events.push_back(e); }
  std::vector<Window> of(int stream) const {
    std::vector<Window> out;
    for (const Window &w : windows)
      if (w.stream == stream)
        out.push_back(w);
    return out;
  }
};

// The search over nodes as the program drives it: every node until add()
// says no later one matters, then finish(), which ends what is still open
// (and does nothing once add() has said so).
Collector search(const std::vector<StateNode> &nodes, const tracking::SearchSettings &s,
                 std::size_t *evaluations = nullptr) {
  Collector c;
  tracking::PassSearch w(s, c);
  for (std::size_t i = 0; i < nodes.size() && w.add(nodes[i]); ++i) {
  }
  w.finish();
  if (evaluations != nullptr)
    *evaluations = w.evaluations();
  return c;
}

std::vector<StateNode> read_nodes(const std::string &path) {
  std::vector<StateNode> nodes;
  std::FILE *f = std::fopen(path.c_str(), "r");
  EXPECT_NE(f, nullptr) << path;
  if (f == nullptr)
    return nodes;
  OrbitRecord r;
  while (read_orbit_record(f, r))
    nodes.push_back(tracking::state_node(r));
  std::fclose(f);
  return nodes;
}

// A spacecraft placed in TS1's horizon by formulas of time: elevation,
// azimuth (degrees) and range (km), on the kit's own rotation of the
// station.  Its velocity: the horizon turns with the Earth about the pole,
// and the formulas' rates (central differences, exact for the polynomials
// used) move it within the horizon.  Records every `step` seconds from t0
// over `span` seconds.
struct Placement {
  std::function<double(double)> elevation, azimuth, range;
};

std::vector<StateNode> placed(const Placement &pl, double t0, double span, double step) {
  const auto rate = [](const std::function<double(double)> &f, double t) {
    return (f(t + 0.5) - f(t - 0.5)) / 1.0;
  };
  std::vector<StateNode> nodes;
  for (double t = t0; t <= t0 + span; t += step) {
    tracking::StationFrames frames;
    const double jd = kit::kTimeScales.jd_ut1(utc::julian_date_of(t));
    EXPECT_EQ(tracking::rotate_station_frames(jd, nullptr, frames), 0);
    const tracking::StationFrame &f = frames.station[tracking::kTs1];
    const double deg = M_PI / 180;
    const double e = pl.elevation(t) * deg, a = pl.azimuth(t) * deg, r = pl.range(t);
    const double de = rate(pl.elevation, t) * deg, da = rate(pl.azimuth, t) * deg;
    const double dr = rate(pl.range, t);
    StateNode n{t, {}, {}};
    double in_horizon[3];
    for (int k = 0; k < 3; ++k) {
      const double dir = std::cos(e) * std::cos(a) * f.north[k] +
                         std::cos(e) * std::sin(a) * f.east[k] + std::sin(e) * f.up[k];
      const double turn = -std::sin(e) * de * (std::cos(a) * f.north[k] + std::sin(a) * f.east[k]) +
                          std::cos(e) * da * (-std::sin(a) * f.north[k] + std::cos(a) * f.east[k]) +
                          std::cos(e) * de * f.up[k];
      n.p[k] = f.position[k] + r * dir;
      in_horizon[k] = dr * dir + r * turn;
    }
    const double w = tracking::kEarthRotationRate;
    const double *k = frames.pole;
    n.v[0] = w * (k[1] * n.p[2] - k[2] * n.p[1]) + in_horizon[0];
    n.v[1] = w * (k[2] * n.p[0] - k[0] * n.p[2]) + in_horizon[1];
    n.v[2] = w * (k[0] * n.p[1] - k[1] * n.p[0]) + in_horizon[2];
    nodes.push_back(n);
  }
  return nodes;
}

constexpr double kT0 = 1907712000.0; // 2030-06-15T00:00:00Z

tracking::SearchSettings ts1_only() {
  tracking::SearchSettings s;
  s.wanted[tracking::kTs2] = false;
  return s;
}

// Elevation -5 + 0.02 (t - t0) degrees: it crosses 0 at t0 + 250 s and 10
// at t0 + 750 s; the window runs to the last record.
TEST(WindowSearch, LinearElevationCrossesWhereItMust) {
  const Placement pl{[](double t) { return -5.0 + 0.02 * (t - kT0); },
                     [](double t) { return 120.0 + 0.01 * (t - kT0); },
                     [](double) { return 2000.0; }};
  const std::vector<StateNode> nodes = placed(pl, kT0, 1200.0, 10.0);
  for (const double threshold : {0.0, 10.0}) {
    tracking::SearchSettings s = ts1_only();
    s.min_elevation[tracking::kTs1] = threshold;
    const Collector c = search(nodes, s);
    ASSERT_EQ(c.windows.size(), 1u) << threshold;
    const Window &w = c.windows[0];
    EXPECT_NEAR(w.aos.t, kT0 + 250.0 + 50.0 * threshold, 1e-4);
    EXPECT_STREQ(w.aos_bound, "elevation");
    EXPECT_NEAR(w.aos.look.elevation_deg, threshold, 1e-6);
    EXPECT_NEAR(w.aos.look.azimuth_deg, 120.0 + 0.01 * (w.aos.t - kT0), 1e-6);
    EXPECT_NEAR(w.aos.look.range_km, 2000.0, 1e-6);
    EXPECT_EQ(w.los.t, kT0 + 1200.0);
    EXPECT_STREQ(w.los_bound, "end");
    // Highest at the cut.
    EXPECT_EQ(w.tca.t, w.los.t);
    EXPECT_NEAR(w.tca.look.elevation_deg, 19.0, 1e-6);
  }
}

// A parabola of elevation that tops 1e-4 degree above the threshold for
// one second between two records 2 s apart, both below it: the graze is
// found, its culmination and its maximum; 1e-4 degree below, nothing.
// (Records this close follow the parabola exactly enough; farther apart,
// their interpolation is another curve.)
TEST(WindowSearch, GrazingPassIsFound) {
  const double tc = kT0 + 301.0;
  for (const double top : {1e-4, -1e-4}) {
    const Placement pl{[tc, top](double t) { return 10.0 + top - 4e-4 * (t - tc) * (t - tc); },
                       [](double) { return 200.0; }, [](double) { return 3000.0; }};
    const std::vector<StateNode> nodes = placed(pl, kT0, 600.0, 2.0);
    tracking::SearchSettings s = ts1_only();
    s.min_elevation[tracking::kTs1] = 10.0;
    const Collector c = search(nodes, s);
    if (top < 0) {
      EXPECT_TRUE(c.windows.empty());
      continue;
    }
    ASSERT_EQ(c.windows.size(), 1u);
    const Window &w = c.windows[0];
    EXPECT_NEAR(w.aos.t, tc - 0.5, 1e-3);
    EXPECT_NEAR(w.los.t, tc + 0.5, 1e-3);
    EXPECT_NEAR(w.tca.t, tc, 1e-3);
    // The kit's rotation takes the instant as a Julian date in one double,
    // which moves the station in steps of 40 microseconds: about 4e-7
    // degree at this range.
    EXPECT_NEAR(w.tca.look.elevation_deg, 10.0 + top, 1e-6);
  }
}

// The threshold is the larger of the minimum elevation and the mask: the
// mask rises from 5 degrees at azimuth 80 to 15 at 100 while the azimuth
// runs from 80 at 0.02 degree/s and the elevation from 0 at 0.03
// degree/s: they meet where 0.03 u = 5 + 0.5 (0.02 u), u = 250 s (at 7.5
// degrees).  With a minimum of 8, the minimum holds there and the window
// opens at u = 8 / 0.03.
TEST(WindowSearch, MaskAndMinimumElevation) {
  const char *path = "mask-test.txt";
  {
    std::ofstream m(path);
    m << "# azimuth elevation\n80 5\n100 15   # east\n\n260 15\n";
  }
  tracking::HorizonMask mask;
  ASSERT_NO_THROW(mask.read(path));
  std::remove(path);
  EXPECT_DOUBLE_EQ(mask.elevation(90.0), 10.0);
  EXPECT_DOUBLE_EQ(mask.elevation(180.0), 15.0);
  // Across north: from (260, 15) to (80 + 360, 5).
  EXPECT_DOUBLE_EQ(mask.elevation(350.0), 10.0);
  EXPECT_DOUBLE_EQ(mask.elevation(10.0), 15.0 - 10.0 * 110.0 / 180.0);
  EXPECT_DOUBLE_EQ(mask.slope(90.0), 0.5);
  // The range over a sweep: its ends and the points between, through north
  // when it wraps.
  double low, high;
  mask.range(85.0, 95.0, low, high);
  EXPECT_DOUBLE_EQ(low, 7.5);
  EXPECT_DOUBLE_EQ(high, 12.5);
  mask.range(90.0, 270.0, low, high);
  EXPECT_DOUBLE_EQ(low, 10.0);
  EXPECT_DOUBLE_EQ(high, 15.0);
  mask.range(350.0, 90.0, low, high);
  EXPECT_DOUBLE_EQ(low, 5.0);
  EXPECT_DOUBLE_EQ(high, 10.0);

  const Placement pl{[](double t) { return 0.03 * (t - kT0); },
                     [](double t) { return 80.0 + 0.02 * (t - kT0); },
                     [](double) { return 2500.0; }};
  const std::vector<StateNode> nodes = placed(pl, kT0 - 100.0, 700.0, 30.0);
  for (const auto &[minimum, u, bound] :
       {std::tuple{0.0, 250.0, "mask"}, std::tuple{8.0, 8.0 / 0.03, "elevation"}}) {
    tracking::SearchSettings s = ts1_only();
    s.mask[tracking::kTs1] = &mask;
    s.min_elevation[tracking::kTs1] = minimum;
    const Collector c = search(nodes, s);
    ASSERT_EQ(c.windows.size(), 1u) << minimum;
    EXPECT_NEAR(c.windows[0].aos.t, kT0 + u, 1e-3) << minimum;
    EXPECT_STREQ(c.windows[0].aos_bound, bound) << minimum;
  }
}

// A mask that hides everything but a notch one second wide in the pass's
// azimuth: the window through the notch is found, bounded by the mask.  And
// a mask whose detail is far finer than the pass (two points a billionth
// of a degree apart) costs no more evaluations than a minimum elevation.
TEST(WindowSearch, MaskNotchesAndFineDetail) {
  const Placement pl{[](double) { return 20.0; },
                     [](double t) { return 80.0 + 0.02 * (t - kT0); },
                     [](double) { return 2500.0; }};
  const std::vector<StateNode> nodes = placed(pl, kT0, 1200.0, 30.0);
  const auto read_mask = [](const char *text, tracking::HorizonMask &mask) {
    const char *path = "mask-notch.txt";
    std::ofstream(path) << text;
    EXPECT_NO_THROW(mask.read(path));
    std::remove(path);
  };
  // The azimuth crosses 90 at t0 + 500 and 90.02 at t0 + 501.
  tracking::HorizonMask notch;
  read_mask("0 40\n89.9999 40\n90 0\n90.02 0\n90.0201 40\n", notch);
  tracking::SearchSettings s = ts1_only();
  s.mask[tracking::kTs1] = &notch;
  const Collector c = search(nodes, s);
  ASSERT_EQ(c.windows.size(), 1u);
  EXPECT_NEAR(c.windows[0].aos.t, kT0 + 500.0 - 0.0001 / 0.02 * 0.5, 0.01);
  EXPECT_NEAR(c.windows[0].los.t, kT0 + 501.0 + 0.0001 / 0.02 * 0.5, 0.01);
  EXPECT_STREQ(c.windows[0].aos_bound, "mask");
  EXPECT_STREQ(c.windows[0].los_bound, "mask");

  // An elevation rising from 20 to 22 degrees past a spike of the mask up
  // to 25 degrees a billionth of a degree wide, in the pass's azimuth: the
  // spike hides the spacecraft for 50 ns, below what the search resolves,
  // so the pass is one window, found in a few more evaluations than with
  // no mask (the halving down to a quarter of a second around the spike).
  const Placement rising{[](double t) { return 20.0 + 2.0 * (t - kT0) / 1200.0; },
                         [](double t) { return 80.0 + 0.02 * (t - kT0); },
                         [](double) { return 2500.0; }};
  const std::vector<StateNode> under = placed(rising, kT0, 1200.0, 30.0);
  tracking::HorizonMask spike;
  read_mask("0 0\n89.999999999 0\n90 25\n90.000000001 0\n", spike);
  s.mask[tracking::kTs1] = &spike;
  std::size_t with_mask = 0, without = 0;
  const Collector spiked = search(under, s, &with_mask);
  ASSERT_EQ(spiked.windows.size(), 1u);
  EXPECT_EQ(spiked.windows[0].aos.t, kT0);
  EXPECT_EQ(spiked.windows[0].los.t, kT0 + 1200.0);
  s.mask[tracking::kTs1] = nullptr;
  EXPECT_EQ(search(under, s, &without).windows.size(), 1u);
  EXPECT_GT(without, 10u);
  EXPECT_GT(with_mask, without);
  EXPECT_LE(with_mask, without + 30) << without;
}

// The later line of an azimuth given twice is named: the first such line
// in the file, unless a fault of another kind stands before it.
TEST(HorizonMask, FaultsNamedByTheirFirstLine) {
  const auto problem = [](const std::string &text) {
    const char *path = "mask-faults.txt";
    std::ofstream(path) << text;
    tracking::HorizonMask mask;
    std::string p;
    try {
      mask.read(path);
    } catch (const kit::Failure &e) {
      p = e.what();
    }
    std::remove(path);
    return p;
  };
  EXPECT_EQ(problem("10 5\n20 6\n30 7\n20.0 8\n10 9\n"), "line 4: azimuth given twice");
  EXPECT_EQ(problem("10 5\n20 6\nx y\n20 8\n"), "line 3: not an azimuth and an elevation");
  EXPECT_EQ(problem("10 5\n10 6\nx y\n"), "line 2: azimuth given twice");
  EXPECT_EQ(problem("# nothing\n\n"), "no point");
  // Numbers as people type them, and only text.
  EXPECT_EQ(problem("0x10 5\n"), "line 1: not an azimuth and an elevation");
  EXPECT_EQ(problem("10 inf\n"), "line 1: not an azimuth and an elevation");
  EXPECT_EQ(problem(std::string("10 5\n20 6\0garbage\n", 18)), "line 2: a NUL byte");
  EXPECT_EQ(problem(" \t10 5.\n+20 .5e1\n1e-400 5\n"), "");
}

// ----- against NOVAS 3.1 ---------------------------------------------------------

struct Reference {
  std::string station;
  double threshold;
  int pass;
  double aos, tca, los, max_elevation;
  std::string aos_bound, los_bound;
};

std::vector<Reference> reference_windows(const std::string &name) {
  std::ifstream in(kData + "/windows/" + name + ".windows.tsv");
  std::string header;
  std::getline(in, header);
  std::vector<Reference> out;
  Reference r;
  while (in >> r.station >> r.threshold >> r.pass >> r.aos >> r.tca >> r.los >>
         r.max_elevation >> r.aos_bound >> r.los_bound)
    out.push_back(r);
  return out;
}

// The elevation of the interpolated spacecraft at a station: the records'
// interpolation at t, the station rotated at t (along a stream of dates
// when one is given).
double interpolated_elevation(const std::vector<StateNode> &nodes, int station, double t,
                              ter2cel_stream *stream = nullptr) {
  std::size_t i = 1;
  while (i + 1 < nodes.size() && nodes[i].t < t)
    ++i;
  const tracking::State s = tracking::hermite(nodes[i - 1], nodes[i], t);
  tracking::StationFrames frames;
  EXPECT_EQ(tracking::rotate_station_frames(
                kit::kTimeScales.jd_ut1(utc::julian_date_of(t)), stream, frames),
            0);
  double distance, elevation;
  tracking::station_geometry(s.p, frames.station[station].position,
                             frames.station[station].up, distance, elevation);
  return elevation;
}

// Every window of the reference files (the true orbit sampled every second
// with NOVAS's rotation) is found with its bounds; rises and sets within a
// millisecond, maximum elevations within 2e-6 degree, culminations within
// 0.1 s for the high orbit (its apogee passes top out over hours) and 5 ms
// for the low one.  And each crossing lies within a millisecond of the
// crossing of the interpolated geometry: below the threshold a millisecond
// outside the window, above it a millisecond inside.
void expect_reference(const std::string &name, double tca_tolerance) {
  const std::vector<StateNode> nodes = read_nodes(kData + "/windows/" + name + ".org");
  const std::vector<Reference> want = reference_windows(name);
  ASSERT_GT(want.size(), 10u);
  std::size_t matched = 0;
  for (const double threshold : {0.0, 10.0}) {
    tracking::SearchSettings s;
    s.min_elevation[0] = s.min_elevation[1] = threshold;
    const Collector c = search(nodes, s);
    for (int station = 0; station < 2; ++station) {
      const std::vector<Window> got = c.of(station);
      std::vector<Reference> expected;
      for (const Reference &r : want)
        if (r.threshold == threshold && r.station == tracking::kStationNames[station])
          expected.push_back(r);
      ASSERT_EQ(got.size(), expected.size()) << name << " " << station << " " << threshold;
      for (std::size_t i = 0; i < got.size(); ++i, ++matched) {
        const Reference &r = expected[i];
        const Window &w = got[i];
        SCOPED_TRACE(name + " " + r.station + " threshold " + std::to_string(threshold) +
                     " pass " + std::to_string(r.pass));
        EXPECT_EQ(w.pass, r.pass);
        EXPECT_NEAR(w.aos.t, r.aos, 1e-3);
        EXPECT_NEAR(w.los.t, r.los, 1e-3);
        EXPECT_NEAR(w.tca.t, r.tca, tca_tolerance);
        EXPECT_NEAR(w.tca.look.elevation_deg, r.max_elevation, 2e-6);
        EXPECT_EQ(std::string(w.aos_bound), r.aos_bound);
        EXPECT_EQ(std::string(w.los_bound), r.los_bound);
        if (std::string(w.aos_bound) == "elevation") {
          EXPECT_LT(interpolated_elevation(nodes, station, w.aos.t - 1e-3), threshold);
          EXPECT_GE(interpolated_elevation(nodes, station, w.aos.t + 1e-3), threshold);
        }
        if (std::string(w.los_bound) == "elevation") {
          EXPECT_GE(interpolated_elevation(nodes, station, w.los.t - 1e-3), threshold);
          EXPECT_LT(interpolated_elevation(nodes, station, w.los.t + 1e-3), threshold);
        }
      }
    }
  }
  EXPECT_EQ(matched, want.size());
}

TEST(WindowReference, HighOrbit) { expect_reference("heo", 0.1); }

// Two records half an hour apart whose velocities disagree with their
// positions: the interpolating cubic swings across the sky, in and out of
// TS1's view more than once between the records.  The windows are those of
// a second-by-second scan of it: steps as long as the records' would miss
// some.
TEST(WindowSearch, WindowsOfASwingingInterpolation) {
  const double t0 = kT0;
  const std::vector<std::vector<StateNode>> cases = {
      {{t0, {-823.725297, -5708.714618, 6895.855715}, {-50.610482, 18.200714, 6.948200}},
       {t0 + 1800.0, {-6805.300357, -4234.391654, 2248.881423}, {-14.370498, 31.250484, 50.398287}}},
      {{t0, {4901.446185, -5691.077772, -6684.191905}, {-57.470443, -58.019470, 18.403300}},
       {t0 + 1800.0, {-1762.986529, -6586.253437, 1687.056721}, {-22.710904, -39.809231, -42.789869}}}};
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  int windows = 0;
  for (const std::vector<StateNode> &nodes : cases) {
    std::vector<std::pair<double, double>> scanned;
    bool up = false;
    for (double t = t0; t <= t0 + 1800.0; t += 0.5) {
      const bool now = interpolated_elevation(nodes, tracking::kTs1, t, &stream) >= 0.0;
      if (now && !up)
        scanned.emplace_back(t, t);
      if (now)
        scanned.back().second = t;
      up = now;
    }
    const std::vector<Window> found = search(nodes, ts1_only()).of(tracking::kTs1);
    ASSERT_EQ(found.size(), scanned.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i].aos.t, scanned[i].first, 0.5);
      EXPECT_NEAR(found[i].los.t, scanned[i].second, 0.5);
    }
    windows += static_cast<int>(found.size());
  }
  EXPECT_GE(windows, 3);
}

// A low orbit with records half an hour apart (several passes between two
// of them): their interpolation is another orbit, but every window of it
// is found.  The interpolated
// elevation, scanned second by second, rises above the horizon and falls
// below it exactly where the search's windows begin and end (within the
// second), and nowhere else.
TEST(WindowSearch, EveryWindowOfTheInterpolatedGeometry) {
  const std::vector<StateNode> all = read_nodes(kData + "/windows/leo.org");
  std::vector<StateNode> sparse;
  for (std::size_t i = 0; i < all.size(); i += 90)
    sparse.push_back(all[i]);
  const Collector c = search(sparse, tracking::SearchSettings{});
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  for (int station = 0; station < 2; ++station) {
    std::vector<std::pair<double, double>> scanned;
    bool up = false;
    for (double t = sparse.front().t; t <= sparse.back().t; t += 1.0) {
      const bool now = interpolated_elevation(sparse, station, t, &stream) >= 0.0;
      if (now && !up)
        scanned.emplace_back(t, t);
      if (now)
        scanned.back().second = t;
      up = now;
    }
    const std::vector<Window> found = c.of(station);
    ASSERT_EQ(found.size(), scanned.size()) << station;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i].aos.t, scanned[i].first, 1.0) << station << " " << i;
      EXPECT_NEAR(found[i].los.t, scanned[i].second, 1.0) << station << " " << i;
    }
  }
}
TEST(WindowReference, LowOrbit) { expect_reference("leo", 5e-3); }

// The high orbit's second TS1 window at 0 degrees culminates twice (it dips
// under 10 degrees between): two culminations among its events, aos and los
// around them, every event in time order.
TEST(WindowEvents, LongPassCulminatesTwice) {
  const std::vector<StateNode> nodes = read_nodes(kData + "/windows/heo.org");
  const Collector c = search(nodes, tracking::SearchSettings{});
  for (std::size_t i = 1; i < c.events.size(); ++i)
    EXPECT_LE(c.events[i - 1].at.t, c.events[i].at.t);
  const Window w = c.of(tracking::kTs1).at(1);
  std::vector<double> culminations;
  for (const tracking::PassEvent &e : c.events)
    if (e.stream == tracking::kTs1 && e.type == tracking::PassEventType::tca &&
        e.at.t > w.aos.t && e.at.t < w.los.t)
      culminations.push_back(e.at.look.elevation_deg);
  ASSERT_EQ(culminations.size(), 2u);
  EXPECT_NEAR(culminations[0], 64.069497317, 2e-6);
  EXPECT_NEAR(culminations[1], 60.543773522, 2e-6);
  EXPECT_EQ(w.tca.look.elevation_deg, culminations[0]);
}

// ----- cuts, any and both --------------------------------------------------------

// A span inside windows cuts them there (bound start and end, at the
// span's instants); a hole in the records longer than the largest gap cuts
// them at its records (bound gap), a shorter one is interpolated across.
TEST(WindowSearch, CutsAtTheSpanAndAtGaps) {
  std::vector<StateNode> nodes = read_nodes(kData + "/windows/leo.org");
  const double start = 1907712350.0, end = 1907718172.0; // at two culminations
  tracking::SearchSettings s = ts1_only();
  s.start = start;
  s.end = end;
  Collector c = search(nodes, s);
  ASSERT_EQ(c.windows.size(), 2u);
  EXPECT_EQ(c.windows[0].aos.t, start);
  EXPECT_STREQ(c.windows[0].aos_bound, "start");
  EXPECT_EQ(c.windows[1].los.t, end);
  EXPECT_STREQ(c.windows[1].los_bound, "end");

  // Records from 00:04:00 to 00:08:00 removed: a 280 s hole in TS1's first
  // pass, a gap for a largest gap of 200 s.
  std::vector<StateNode> holed;
  for (const StateNode &n : nodes)
    if (!(n.t > 1907712230.0 && n.t < 1907712490.0))
      holed.push_back(n);
  s = ts1_only();
  s.max_gap = 200.0;
  c = search(holed, s);
  const std::vector<Window> cut = c.of(tracking::kTs1);
  ASSERT_EQ(cut.size(), 6u);
  EXPECT_EQ(cut[0].los.t, 1907712220.0);
  EXPECT_STREQ(cut[0].los_bound, "gap");
  EXPECT_EQ(cut[1].aos.t, 1907712500.0);
  EXPECT_STREQ(cut[1].aos_bound, "gap");
  EXPECT_EQ(cut[1].pass, 2);
  s.max_gap = 300.0;
  c = search(holed, s);
  ASSERT_EQ(c.windows.size(), 5u);
  EXPECT_STREQ(c.windows[0].aos_bound, "start");
  EXPECT_NEAR(c.windows[0].los.t, 1907712721.1775, 0.05);
}

// any is the union of the stations' windows, both their intersection.
TEST(WindowSearch, AnyAndBoth) {
  const std::vector<StateNode> nodes = read_nodes(kData + "/windows/heo.org");
  tracking::SearchSettings s;
  s.wanted[tracking::kAny] = s.wanted[tracking::kBoth] = true;
  const Collector c = search(nodes, s);
  const std::vector<Window> ts1 = c.of(tracking::kTs1), ts2 = c.of(tracking::kTs2);
  const auto inside = [](const std::vector<Window> &ws, double t) {
    for (const Window &w : ws)
      if (t >= w.aos.t && t <= w.los.t)
        return true;
    return false;
  };
  const std::vector<Window> any = c.of(tracking::kAny), both = c.of(tracking::kBoth);
  ASSERT_FALSE(any.empty());
  ASSERT_FALSE(both.empty());
  for (double t = nodes.front().t; t <= nodes.back().t; t += 600.0) {
    EXPECT_EQ(inside(any, t), inside(ts1, t) || inside(ts2, t)) << t;
    EXPECT_EQ(inside(both, t), inside(ts1, t) && inside(ts2, t)) << t;
  }
  // Every edge of a combined window is an edge of a station's window, with
  // its bound.
  for (const std::vector<Window> *combined : {&any, &both})
    for (const Window &w : *combined)
      for (const auto &[t, bound] : {std::pair{w.aos.t, w.aos_bound}, std::pair{w.los.t, w.los_bound}}) {
        bool found = false;
        for (const Window &x : ts1)
          found |= (x.aos.t == t && x.aos_bound == bound) || (x.los.t == t && x.los_bound == bound);
        for (const Window &x : ts2)
          found |= (x.aos.t == t && x.aos_bound == bound) || (x.los.t == t && x.los_bound == bound);
        EXPECT_TRUE(found) << t;
      }
}

// The streams made of the constraints through the windows library: the
// stations' views cut by the coverage, their union and intersection, each
// cut by the gate, edges named by what made them, the parts of a pass
// numbered by it.
TEST(PassStreams, AnyBothAndTheGateCombineConstraints) {
  const bool wanted[tracking::kAllStreams] = {true, true, true, true, false, false, false};
  Collector c;
  tracking::PassStreams streams(wanted, true, c);
  const tracking::Look looks[tracking::kStationCount] = {};
  const auto instant = [&](double t, auto &&changes) {
    changes();
    streams.end_instant(t, looks);
  };
  // 0: coverage begins, the night too, TS1 in view already.
  instant(0, [&] {
    streams.station(tracking::kTs1, true, "start");
    streams.gate(true, windows::kDay);
    streams.coverage(true, windows::kStart);
  });
  instant(10, [&] { streams.station(tracking::kTs2, true, tracking::kElevation); });
  instant(20, [&] { streams.gate(false, windows::kDay); });
  instant(30, [&] { streams.gate(true, windows::kDay); });
  instant(40, [&] { streams.station(tracking::kTs1, false, tracking::kMask); });
  instant(50, [&] {
    streams.station(tracking::kTs2, false, windows::kGap);
    streams.coverage(false, windows::kGap);
  });
  streams.release_all();
  const auto rows = [&c](int stream) {
    std::string s;
    for (const Window &w : c.of(stream))
      s += "[" + std::to_string(static_cast<int>(w.aos.t)) + " " + w.aos_bound + ", " +
           std::to_string(static_cast<int>(w.los.t)) + " " + w.los_bound + " #" +
           std::to_string(w.pass) + "]";
    return s;
  };
  EXPECT_EQ(rows(tracking::kTs1), "[0 start, 20 day #1][30 day, 40 mask #1]");
  EXPECT_EQ(rows(tracking::kTs2), "[10 elevation, 20 day #1][30 day, 50 gap #1]");
  EXPECT_EQ(rows(tracking::kAny), "[0 start, 20 day #1][30 day, 50 gap #1]");
  EXPECT_EQ(rows(tracking::kBoth), "[10 elevation, 20 day #1][30 day, 40 mask #1]");
  // Every aos has its los, in time order.
  ASSERT_EQ(c.events.size(), 16u);
  for (std::size_t i = 1; i < c.events.size(); ++i)
    EXPECT_LE(c.events[i - 1].at.t, c.events[i].at.t);
}

// ----- the same geometry as passrange ---------------------------------------------

// At a record's own time the search sees what passrange reports for the
// record: a window of any elevation that ends there (END on the record)
// has the record's geometry at its end, within 1e-6 km and 1e-6 degree at
// ranges over 1,000 km, and at the record before at its start.
TEST(WindowSearch, AgreesWithPassrangeAtRecords) {
  std::FILE *f = std::fopen((kData + "/orbits/orbit-c.org").c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::vector<OrbitRecord> records;
  OrbitRecord r;
  while (read_orbit_record(f, r))
    records.push_back(r);
  std::fclose(f);
  int compared = 0;
  for (std::size_t i = 1; i + 1 < records.size(); i += 7) {
    const StateNode before = tracking::state_node(records[i - 1]);
    const StateNode node = tracking::state_node(records[i]);
    tracking::SearchSettings s;
    s.end = node.t;
    s.min_elevation[0] = s.min_elevation[1] = -90.0;
    const Collector c = search({before, node, tracking::state_node(records[i + 1])}, s);
    ASSERT_EQ(c.windows.size(), 2u);
    for (const std::size_t record : {i - 1, i}) {
      const ReportLine line = report_line(records[record]);
      const double distance[2] = {line.distance1, line.distance2};
      const double elevation[2] = {line.elevation1, line.elevation2};
      for (int k = 0; k < 2; ++k) {
        const Window w = c.of(k).at(0);
        const tracking::WindowPoint &at = record == i ? w.los : w.aos;
        EXPECT_EQ(at.t, record == i ? node.t : before.t);
        EXPECT_STREQ(record == i ? w.los_bound : w.aos_bound, record == i ? "end" : "start");
        if (distance[k] < 1000.0)
          continue;
        ++compared;
        EXPECT_NEAR(at.look.range_km, distance[k], 1e-6) << i;
        EXPECT_NEAR(at.look.elevation_deg, elevation[k], 1e-6) << i;
      }
    }
  }
  EXPECT_GT(compared, 100);
}

// ----- the program ---------------------------------------------------------------

kit_test::CapturedRun run(const std::vector<std::string> &args) {
  return kit_test::run_captured(run_passwindows, "passwindows", args);
}

// A fault in the orbit file leaves standard output empty, however many
// windows came before it, and names the line it is on.
TEST(PasswindowsProgram, AFaultInTheFileLeavesNoRows) {
  const std::string path = "faulty.org";
  std::ifstream in(kData + "/windows/leo.org");
  std::ofstream out(path);
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    out << line << "\n";
    if (n == 3000)
      out << "2030-06-15T16:40:20.000 1 2 3 x 5 6\n";
  }
  out.close();
  kit_test::CapturedRun r = run({"--format", "json", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "passwindows: 'faulty.org': line 3001: not an orbit record\n");
  // The same file read only up to a span that ends before the fault.
  r = run({path, "1907712000", "1907730000"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("\nTS2        3 "), std::string::npos) << r.out;
  std::remove(path.c_str());
}

TEST(PasswindowsProgram, RecordTimesMustIncrease) {
  const std::string path = "unordered.org";
  std::ofstream(path) << "2030-06-15T00:00:00.000 7000 0 0 0 7 0\n"
                         "2030-06-15T00:00:20.000 7000 140 0 0 7 0\n\n"
                         "  2030-06-15T00:00:20.000 7000 280 0 0 7 0\n";
  const kit_test::CapturedRun r = run({path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "passwindows: 'unordered.org': line 4: record time not after the one before\n");
  std::remove(path.c_str());
}

// With --night, each window's parts inside the site's nights: every row
// lies inside both a window of the same station and a night, an edge the
// night set is bound "day" and lies on the night's edge, and every stretch
// where a window and a night overlap by a second or more is a row.
TEST(PasswindowsProgram, NightKeepsTheWindowsInsideTheNights) {
  const std::string orbit = kData + "/windows/heo.org";
  struct Row {
    std::string station;
    double aos, los;
    std::string aos_bound, los_bound;
  };
  const auto rows = [&orbit](bool night) {
    std::vector<std::string> args = {"--format", "tsv", orbit};
    if (night)
      args.insert(args.begin(), "--night");
    const kit_test::CapturedRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<Row> out;
    std::istringstream in(r.out);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
      std::vector<std::string> f;
      std::istringstream cells(line);
      for (std::string c; std::getline(cells, c, '\t');)
        f.push_back(c);
      out.push_back({f[0], std::atof(f[3].c_str()), std::atof(f[7].c_str()), f[16], f[17]});
    }
    return out;
  };
  const std::vector<Row> windows = rows(false), pieces = rows(true);
  NightSearch search(windows.front().aos - 86400.0, 1899244800.0 + 86400.0);
  std::vector<Night> nights;
  for (Night n; search.next(n);)
    nights.push_back(n);
  ASSERT_GT(nights.size(), 5u);
  const auto within = [](double a, double b, double from, double to) {
    return a >= from - 1e-3 && b <= to + 1e-3;
  };
  for (const Row &p : pieces) {
    bool in_window = false, in_night = false;
    for (const Row &w : windows)
      in_window |= w.station == p.station && within(p.aos, p.los, w.aos, w.los);
    for (const Night &n : nights) {
      in_night |= within(p.aos, p.los, n.start, n.end);
    }
    EXPECT_TRUE(in_window) << p.station << " " << p.aos;
    EXPECT_TRUE(in_night) << p.station << " " << p.aos;
    bool aos_at_night_edge = false, los_at_night_edge = false;
    for (const Night &n : nights) {
      aos_at_night_edge |= std::fabs(p.aos - n.start) <= 1e-3;
      los_at_night_edge |= std::fabs(p.los - n.end) <= 1e-3;
    }
    EXPECT_EQ(p.aos_bound == "day", aos_at_night_edge) << p.station << " " << p.aos;
    EXPECT_EQ(p.los_bound == "day", los_at_night_edge) << p.station << " " << p.los;
  }
  int overlaps = 0;
  for (const Row &w : windows)
    for (const Night &n : nights) {
      const double from = std::fmax(w.aos, n.start), to = std::fmin(w.los, n.end);
      if (to - from < 1.0)
        continue;
      ++overlaps;
      bool found = false;
      for (const Row &p : pieces)
        found |= p.station == w.station && std::fabs(p.aos - from) <= 1e-3 &&
                 std::fabs(p.los - to) <= 1e-3;
      EXPECT_TRUE(found) << w.station << " " << from << " " << to;
    }
  EXPECT_EQ(overlaps, static_cast<int>(pieces.size()));
}

using kit_test::tsv_fields;

// Standard output closed, or on a full device: status 1 and a message, for
// the rows held in memory and for rows enough to spill into the temporary
// file.
TEST(PasswindowsProgram, ClosedOrFullStandardOutputFails) {
  const std::string program = std::string(KIT_BIN_DIR) + "/passwindows";
  const std::string heo = kData + "/windows/heo.org";
  for (const std::vector<const char *> &argv :
       {std::vector<const char *>{"passwindows", heo.c_str()},
        {"passwindows", "--events", "--format", "json", "--min-elevation", "-90", "--max-gap", "1",
         heo.c_str()}}) {
    for (const char *output : {kit_test::kClosedOutput, "/dev/full"}) {
      const kit_test::SpawnResult r = kit_test::spawn_program(program, argv, {}, output);
      EXPECT_EQ(r.status, 1) << output;
      EXPECT_EQ(r.err, "passwindows: cannot write to standard output\n") << output;
    }
  }
  // A run that would write nothing (JSON Lines of no row) fails alike on
  // a closed output, for every windows tool.
  const std::string sample = kData + "/../../examples/sample.org";
  for (const std::vector<std::string> &argv :
       {std::vector<std::string>{"passwindows", "--format", "jsonl", sample, "0", "1"},
        {"nightwindows", "--format", "jsonl", "2030-06-01T12:00Z", "2030-06-01T13:00Z"},
        {"sourcewindows", "--format", "jsonl", "--night", "0", "-89", "2030-06-01", "2030-06-02"}}) {
    std::vector<const char *> args;
    for (const std::string &a : argv)
      args.push_back(a.c_str());
    const kit_test::SpawnResult open = kit_test::spawn_program(std::string(KIT_BIN_DIR) + "/" + argv[0], args);
    EXPECT_EQ(open.status, 0) << argv[0] << open.err;
    EXPECT_EQ(open.out, "") << argv[0];
    const kit_test::SpawnResult closed =
        kit_test::spawn_program(std::string(KIT_BIN_DIR) + "/" + argv[0], args, {}, kit_test::kClosedOutput);
    EXPECT_EQ(closed.status, 1) << argv[0];
    EXPECT_EQ(closed.err, argv[0] + ": cannot write to standard output\n") << argv[0];
  }
  // The usage and the version alike, for every windows tool.
  for (const char *tool : {"passwindows", "nightwindows", "sourcewindows"}) {
    for (const char *ask : {"--help", "-h", "--version"}) {
      for (const char *output : {kit_test::kClosedOutput, "/dev/full"}) {
        const kit_test::SpawnResult r =
            kit_test::spawn_program(std::string(KIT_BIN_DIR) + "/" + tool, {tool, ask}, {}, output);
        EXPECT_EQ(r.status, 1) << tool << " " << ask << " " << output;
        EXPECT_EQ(r.err, std::string(tool) + ": cannot write to standard output\n") << ask;
      }
    }
  }
}

// Whatever the span, every window has a length and every aos its los, in
// the stream's pass; a window that goes on past END ends there, bound end,
// on a record or between two.
TEST(PasswindowsProgram, EveryAosHasItsLos) {
  const std::string orbit = kData + "/windows/leo.org";
  const double first = 1907712000.0; // the first record; records every 20 s
  for (const double start : {first, first + 10.0, first + 20.0}) {
    for (const double end : {first, first + 20.0, first + 20.5, first + 400.0, first + 4000.0,
                             first + 4010.0}) {
      if (end < start)
        continue;
      for (const char *gap : {"3600", "10"}) {
        const kit_test::CapturedRun r =
            run({"--events", "--format", "tsv", "--min-elevation", "-90", "--max-gap", gap,
                 "--station", "TS1", "--station", "any", orbit, std::to_string(start),
                 std::to_string(end)});
        ASSERT_EQ(r.status, 0) << r.err;
        std::istringstream in(r.out);
        std::string line;
        std::getline(in, line);
        std::map<std::string, double> open; // station and pass -> aos
        double last_los = -1.0;
        std::string last_bound;
        while (std::getline(in, line)) {
          const std::vector<std::string> f = tsv_fields(line);
          ASSERT_EQ(f.size(), 9u) << line;
          const std::string key = f[2] + " " + f[3];
          const double t = std::atof(f[1].c_str());
          if (f[4] == "aos") {
            EXPECT_EQ(open.count(key), 0u) << line;
            open[key] = t;
          } else if (f[4] == "los") {
            ASSERT_EQ(open.count(key), 1u) << line;
            EXPECT_GT(t, open[key]) << line;
            open.erase(key);
            last_los = t;
            last_bound = f[5];
          }
        }
        EXPECT_TRUE(open.empty()) << start << " " << end << " " << gap;
        // With records every 20 s and no gap, the last window is cut at END.
        if (std::string(gap) == "3600" && end > start) {
          EXPECT_EQ(last_los, end) << start << " " << end;
          EXPECT_EQ(last_bound, "end") << start << " " << end;
        }
      }
    }
  }
}

// The text table fits a terminal of 100 columns, whatever it lists.
TEST(PasswindowsProgram, TextFitsOneHundredColumns) {
  for (const std::vector<std::string> &args :
       {std::vector<std::string>{kData + "/windows/heo.org"},
        {"--station", "both", "--station", "any", "--night", kData + "/windows/heo.org"},
        {"--events", kData + "/windows/leo.org"},
        {"--min-elevation", "10", kData + "/orbits/orbit-a.org"}}) {
    const kit_test::CapturedRun r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    int lines = 0;
    for (std::string line; std::getline(in, line); ++lines)
      EXPECT_LE(line.size(), 100u) << line;
    EXPECT_GT(lines, 1);
  }
  // A geostationary spacecraft above TS1's meridian for 420 days: one
  // window, its duration in days.
  const char *path = "geostationary.org";
  {
    std::FILE *f = std::fopen(path, "w");
    ASSERT_NE(f, nullptr);
    const double r = 42164.17, w = 7.2921158553e-5, t0 = 1451606400.0; // 2016-01-01
    const double lon = std::atan2(tracking::kStationVectors[0][1], tracking::kStationVectors[0][0]);
    for (int k = 0; k <= 420 * 24; ++k) {
      const double t = t0 + 3600.0 * k;
      const double gmst = (280.46061837 + 360.98564736629 * (t / 86400.0 + 2440587.5 - 2451545.0)) *
                          M_PI / 180.0;
      const double a = gmst + lon;
      std::fprintf(f, "%s %.6f %.6f 0 %.9f %.9f 0\n", utc::iso_text(t).c_str(), r * std::cos(a),
                   r * std::sin(a), -w * r * std::sin(a), w * r * std::cos(a));
    }
    std::fclose(f);
  }
  const kit_test::CapturedRun g = run({"--station", "TS1", path});
  std::remove(path);
  ASSERT_EQ(g.status, 0) << g.err;
  std::istringstream in(g.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  ASSERT_EQ(lines.size(), 2u) << g.out;
  EXPECT_NE(lines[1].find(" 420d00h00m "), std::string::npos) << lines[1];
  EXPECT_LE(lines[1].size(), 100u) << lines[1];
}

// ----- the antennas on the spacecraft -----------------------------------------------

struct AntennaWindow {
  std::string antenna;
  double start, end, max_elevation;
  std::string start_bound, end_bound;
};

// The antennas' windows of an orbit, as passwindows --antenna lists them.
std::vector<AntennaWindow> antenna_windows(const std::string &orbit) {
  const kit_test::CapturedRun r = run({"--antenna", "azel", "--antenna", "elev", "--antenna",
                                       "polar", "--format", "tsv", orbit});
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<AntennaWindow> out;
  std::istringstream in(r.out);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const std::vector<std::string> f = tsv_fields(line);
    out.push_back({f[1], std::atof(f[4].c_str()), std::atof(f[8].c_str()), std::atof(f[10].c_str()),
                   f[17], f[18]});
  }
  return out;
}

// Every window of the reference (NOVAS 3.1 on the true orbit at every
// second, each checker's rule) with its bounds, edges within 5 ms (printed
// to the millisecond), the highest elevation at or above the reference's
// highest second.
TEST(AntennaWindows, TheReference) {
  for (const char *name : {"antenna-heo", "antenna-leo"}) {
    SCOPED_TRACE(name);
    const std::vector<AntennaWindow> got = antenna_windows(kData + "/antenna/" + name + ".org");
    std::ifstream in(kData + "/antenna/" + name + ".antenna.tsv");
    std::string header;
    std::getline(in, header);
    AntennaWindow want;
    int window, matched = 0;
    while (in >> want.antenna >> window >> want.start >> want.end >> want.start_bound >>
           want.end_bound >> want.max_elevation) {
      std::vector<AntennaWindow> same;
      for (const AntennaWindow &w : got)
        if (w.antenna == want.antenna)
          same.push_back(w);
      ASSERT_GE(static_cast<int>(same.size()), window) << want.antenna;
      const AntennaWindow &w = same[static_cast<std::size_t>(window - 1)];
      SCOPED_TRACE(want.antenna + " " + std::to_string(window));
      EXPECT_NEAR(w.start, want.start, 5e-3);
      EXPECT_NEAR(w.end, want.end, 5e-3);
      EXPECT_EQ(w.start_bound, want.start_bound);
      EXPECT_EQ(w.end_bound, want.end_bound);
      EXPECT_GE(w.max_elevation, want.max_elevation - 1e-6);
      EXPECT_LE(w.max_elevation, want.max_elevation + 2e-3);
      ++matched;
    }
    EXPECT_EQ(matched, static_cast<int>(got.size()));
    EXPECT_GT(matched, 10);
  }
}

// At every whole minute of the reference orbits of the windows, the track
// says can_point exactly where the checker's rule, given the numbers as
// printed, accepts, and exactly where the minute lies in a window (but
// within a millisecond of an edge); the checker programs themselves,
// given those numbers, answer so on a sample of the minutes.
TEST(AntennaWindows, TheCheckersAgreeAtEveryMinute) {
  const limits::LimitRule rules[limits::kAntennaCount] = {limits::azel_accepts,
                                                          limits::elev_accepts, limits::polar_accepts};
  int spawned = 0, agreed = 0;
  for (const char *name : {"heo", "leo"}) {
    const std::string orbit = kData + "/windows/" + name + ".org";
    const std::vector<AntennaWindow> windows = antenna_windows(orbit);
    const kit_test::CapturedRun r =
        run({"--antenna", "azel", "--antenna", "elev", "--antenna", "polar", "--track", "60",
             "--format", "tsv", orbit});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    std::string line;
    std::getline(in, line);
    int minute = 0;
    while (std::getline(in, line)) {
      const std::vector<std::string> f = tsv_fields(line);
      ASSERT_EQ(f.size(), 9u) << line;
      const double t = std::atof(f[2].c_str());
      const limits::Pointing p{std::strtod(f[3].c_str(), nullptr), std::strtod(f[4].c_str(), nullptr)};
      for (int a = 0; a < limits::kAntennaCount; ++a) {
        const bool can_point = f[6 + static_cast<std::size_t>(a)] == "true";
        ASSERT_EQ(can_point, rules[a](p)) << line;
        bool inside = false, near_edge = false;
        for (const AntennaWindow &w : windows) {
          if (w.antenna != limits::kAntennaNames[a])
            continue;
          inside = inside || (t >= w.start && t <= w.end);
          near_edge = near_edge || std::fabs(t - w.start) <= 1e-3 || std::fabs(t - w.end) <= 1e-3;
        }
        if (!near_edge) {
          EXPECT_EQ(can_point, inside) << name << " " << line;
          ++agreed;
        }
        if (minute % 61 == 0) {
          const std::string program = std::string(KIT_BIN_DIR) + "/" + limits::kAntennaNames[a] + "limits";
          const kit_test::SpawnResult c = kit_test::spawn_program(
              program, {limits::kAntennaNames[a], f[3].c_str(), f[4].c_str()});
          EXPECT_EQ(c.status == 0, can_point) << line;
          ++spawned;
        }
      }
      ++minute;
    }
  }
  EXPECT_GT(agreed, 38000);
  EXPECT_GT(spawned, 500);
}

} // namespace

// ----- orbit ephemeris messages --------------------------------------------------------

using kit_test::split_lines;

// Each reference message gives its orbit file's windows (within its
// useable span) with their bounds, every edge and culmination within a
// millisecond, for both stations, their combinations and the antennas.
TEST(PasswindowsMessages, TheOrbitFilesWindows) {
  const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> cases = {
      {"leo-gcrf-utc", "leo", {}},
      {"leo-eme2000-tt", "leo", {}},
      {"heo-itrf-gps", "heo", {}},
      {"heo-eme2000-tdb", "heo", {"1898640000", "1899158400"}}};
  int compared = 0;
  for (const auto &[message, orbit, span] : cases) {
    for (const std::vector<std::string> &options :
         {std::vector<std::string>{"--station", "TS1", "--station", "TS2", "--station", "any",
                                   "--station", "both"},
          {"--antenna", "azel", "--antenna", "elev", "--antenna", "polar"}}) {
      SCOPED_TRACE(message);
      std::vector<std::string> a = options, b = options;
      a.insert(a.end(), {"--format", "tsv", kData + "/oem/" + message + ".oem"});
      b.insert(b.end(), {"--format", "tsv", kData + "/windows/" + orbit + ".org"});
      b.insert(b.end(), span.begin(), span.end());
      const kit_test::CapturedRun got = run(a), want = run(b);
      ASSERT_EQ(got.status, 0) << got.err;
      const std::vector<std::string> g = split_lines(got.out), w = split_lines(want.out);
      ASSERT_EQ(g.size(), w.size());
      ASSERT_GT(g.size(), 3u);
      for (std::size_t i = 1; i < g.size(); ++i) {
        const std::vector<std::string> x = tsv_fields(g[i]), y = tsv_fields(w[i]);
        ASSERT_EQ(x.size(), y.size());
        for (std::size_t k = 0; k < x.size(); ++k) {
          if (x[k].find('T') != std::string::npos && x[k].back() == 'Z')
            continue; // the ISO times, compared as Unix seconds
          const bool number = !x[k].empty() && (std::isdigit(static_cast<unsigned char>(x[k][0])) ||
                                                x[k][0] == '-');
          if (!number) {
            EXPECT_EQ(x[k], y[k]) << g[i] << "\n" << w[i];
          } else if (tsv_fields(w[0])[k].find("unix") != std::string::npos) {
            EXPECT_LE(std::fabs(std::stod(x[k]) - std::stod(y[k])), 1e-3) << g[i] << "\n" << w[i];
          } else {
            // Durations (s), angles (degrees) and distances (km) of states
            // turned from another frame, printed to 1e-6 km.
            EXPECT_LE(std::fabs(std::stod(x[k]) - std::stod(y[k])), 2e-3) << g[i] << "\n" << w[i];
          }
        }
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 60);
}
