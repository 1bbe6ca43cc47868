// source_search.cpp - sampling the sources' pointing, bracketing and
// refining each limit's crossing, and handing the changes, instant by
// instant, to the streams they make.
#include "source_search.h"

#include <algorithm>
#include <cmath>

#include "crossing_search.h"
#include "math_constants.h"

namespace sources {

namespace {

// Events are refined to this (seconds).
constexpr double kTolerance = 1e-6;

// The order of simultaneous changes: the gates first, then each source's
// limits (antenna by antenna), then its culminations.
enum class Kind { gate_in, gate_out, limit_in, limit_out, culmination };

struct Pending {
  double t;
  int source; // -1 for a gate
  Kind kind;
  int who;    // the gate, the antenna, or the site
  int term;
  windows::Bound bound;
};

std::vector<Site> distinct(const Site (&sites)[limits::kAntennaCount], int (&site_of)[limits::kAntennaCount]) {
  std::vector<Site> out;
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    int k = 0;
    while (k < static_cast<int>(out.size()) &&
           !(out[k].latitude == sites[a].latitude && out[k].longitude == sites[a].longitude &&
             out[k].height == sites[a].height))
      ++k;
    if (k == static_cast<int>(out.size()))
      out.push_back(sites[a]);
    site_of[a] = k;
  }
  return out;
}

// A limit's extrema only split a step: refined to a millisecond, they can
// hide no crossing but a graze of under a millisecond.
constexpr double kSplitTolerance = 1e-3;

events::Search crossings_only() {
  events::Search s;
  s.maxima = s.minima = false;
  s.tolerance = kTolerance;
  s.split_tolerance = kSplitTolerance;
  return s;
}

// The Earth's rotation against the stars, degrees per second: no source
// fixed on the sky moves faster across it, so no altitude changes faster.
constexpr double kSiderealRate = 360.98564736629 / 86400.0;
// What the slow motions (precession, nutation, aberration) move a source
// by in a step, degrees, with a wide margin.
constexpr double kSlowMotion = 0.01;
constexpr double kSecondsPerYear = 365.25 * 86400.0;

limits::LimitTerm term_of(int antenna, int term, const Pointed &p) {
  limits::LimitTerm terms[limits::kMaxTerms];
  limits::antenna_terms(static_cast<limits::Antenna>(antenna), {p.altitude, p.azimuth},
                        {p.altitude_rate, p.azimuth_rate}, terms);
  return terms[term];
}

} // namespace

SourceSearch::SourceSearch(const std::vector<Source> &sources, const SourceSettings &settings,
                           SourceSink &sink)
    : settings_(settings), sites_(distinct(settings.sites, site_of_)),
      sky_(sources, sites_, settings.ref_option),
      held_([&sink](const SourceEvent &e) { sink.event(e); }) {
  const bool combined = settings_.wanted[kAllAntennas] || settings_.wanted[kAnyAntenna];
  for (int a = 0; a < limits::kAntennaCount; ++a)
    antenna_needed_[a] = settings_.wanted[a] || combined;
  // The largest refraction at each antenna's site: at an observed zenith
  // distance of 91 degrees, where it stops.
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    on_surface o = sky_.site(site_of_[a]);
    max_refraction_[a] = settings_.ref_option == 0 ? 0.0 : refract(&o, settings_.ref_option, 91.0);
  }
  mount_at_its_latitude_ =
      settings_.sites[static_cast<int>(limits::Antenna::polar)].latitude == kMountSite.latitude;
  // The fastest a catalog's own motions move a source: its proper motion,
  // and its parallax swept round a year (degrees per second).
  own_motion_ = 0.0;
  for (const Source &source : sources) {
    const cat_entry &c = source.star;
    const double mas_a_year = std::hypot(c.promora, c.promodec) + 2.0 * kit::kPi * std::fabs(c.parallax);
    own_motion_ = std::fmax(own_motion_, mas_a_year / 3.6e6 / kSecondsPerYear);
  }
  bool gated[kGates];
  for (int g = 0; g < kGates; ++g)
    gated[g] = settings_.gates[g] != nullptr;
  for (int i = 0; i < static_cast<int>(sources.size()); ++i)
    streams_.emplace_back(i, settings_.wanted, gated, held_, sink);
}

void SourceSearch::run() {
  const double start = settings_.start, end = settings_.end;
  at_a_.assign(sites_.size(), {});
  at_b_.assign(sites_.size(), {});
  for (int s = 0; s < static_cast<int>(sites_.size()); ++s)
    sky_.all_at(start, s, at_a_[static_cast<std::size_t>(s)]);
  // The span begins: every limit's state, the gates', the span's own.
  for (int i = 0; i < static_cast<int>(streams_.size()); ++i) {
    SourceStreams &st = streams_[static_cast<std::size_t>(i)];
    for (int a = 0; a < limits::kAntennaCount; ++a) {
      if (!antenna_needed_[a])
        continue;
      const Pointed &p = at_a_[static_cast<std::size_t>(site_of_[a])][static_cast<std::size_t>(i)];
      for (int j = 0; j < limits::term_count(static_cast<limits::Antenna>(a)); ++j) {
        const limits::LimitTerm term = term_of(a, j, p);
        st.limit(a, j, term.value >= 0.0, term.bound);
      }
    }
    for (int g = 0; g < kGates; ++g)
      if (settings_.gates[g] != nullptr)
        st.gate(g, settings_.gates[g]->inside_at(start), windows::kStart);
    st.coverage(true, windows::kStart);
    st.end_instant(start, [&](int a) {
      return at_a_[static_cast<std::size_t>(site_of_[a])][static_cast<std::size_t>(i)];
    });
  }
  for (double a = start; a < end;) {
    const double b = std::min(a + settings_.step, end);
    step(a, b);
    a = b;
  }
  // The span ends: what is open closes there.
  for (int i = 0; i < static_cast<int>(streams_.size()); ++i) {
    SourceStreams &st = streams_[static_cast<std::size_t>(i)];
    for (int a = 0; a < limits::kAntennaCount; ++a)
      if (antenna_needed_[a])
        for (int j = 0; j < limits::term_count(static_cast<limits::Antenna>(a)); ++j)
          st.limit(a, j, false, windows::kEnd);
    st.coverage(false, windows::kEnd);
    st.end_instant(end, [&](int a) {
      return at_a_[static_cast<std::size_t>(site_of_[a])][static_cast<std::size_t>(i)];
    });
  }
  held_.release_all();
}

void SourceSearch::step(double a, double b) {
  for (int s = 0; s < static_cast<int>(sites_.size()); ++s)
    sky_.all_at(b, s, at_b_[static_cast<std::size_t>(s)]);
  std::vector<Pending> pending;
  std::vector<events::Event> found;
  for (int i = 0; i < static_cast<int>(streams_.size()); ++i) {
    const std::size_t si = static_cast<std::size_t>(i);
    for (int s = 0; s < static_cast<int>(sites_.size()); ++s) {
      bool used = false;
      for (int k = 0; k < limits::kAntennaCount; ++k)
        used = used || (antenna_needed_[k] && site_of_[k] == s);
      if (!used)
        continue;
      const Pointed &pa = at_a_[static_cast<std::size_t>(s)][si];
      const Pointed &pb = at_b_[static_cast<std::size_t>(s)][si];
      const auto point = [this, s, i](double t) { return sky_.at(t, s, i); };
      // The altitude's culminations, for the highest altitude of a window.
      const auto altitude = [](double t, const Pointed &p) {
        return events::Sample{t, p.altitude, p.altitude_rate};
      };
      events::Search culminations;
      culminations.crossings = culminations.minima = false;
      culminations.tolerance = kTolerance;
      found.clear();
      events::step_events(altitude(a, pa), altitude(b, pb),
                          [&](double t) { return altitude(t, point(t)); }, culminations, found);
      for (const events::Event &e : found)
        pending.push_back({e.at.t, i, Kind::culmination, s, 0, nullptr});
      for (int k = 0; k < limits::kAntennaCount; ++k) {
        if (!antenna_needed_[k] || site_of_[k] != s)
          continue;
        limits::LimitTerm at_a[limits::kMaxTerms], at_b[limits::kMaxTerms];
        const limits::Antenna antenna = static_cast<limits::Antenna>(k);
        limits::antenna_terms(antenna, {pa.altitude, pa.azimuth}, {pa.altitude_rate, pa.azimuth_rate},
                              at_a);
        limits::antenna_terms(antenna, {pb.altitude, pb.azimuth}, {pb.altitude_rate, pb.azimuth_rate},
                              at_b);
        for (int j = 0; j < limits::term_count(antenna); ++j) {
          const auto term = [k, j](double t, const Pointed &p) {
            const limits::LimitTerm m = term_of(k, j, p);
            return events::Sample{t, m.value, m.rate};
          };
          const events::Sample ta{a, at_a[j].value, at_a[j].rate}, tb{b, at_b[j].value, at_b[j].rate};
          // A margin far enough from zero at both samples, on one side, for
          // no source to bring it to zero in between: nothing to find.
          if (events::inside(ta) == events::inside(tb) &&
              std::fmin(std::fabs(ta.value), std::fabs(tb.value)) > reach(k, at_a[j].bound, (b - a) / 2))
            continue;
          found.clear();
          events::step_events(ta, tb, [&](double t) { return term(t, point(t)); }, crossings_only(),
                              found);
          const windows::Bound bound = at_b[j].bound;
          for (const events::Event &e : found)
            pending.push_back({e.at.t, i,
                               e.kind == events::EventKind::rise ? Kind::limit_in : Kind::limit_out,
                               k, j, bound});
        }
      }
    }
  }
  for (int g = 0; g < kGates; ++g) {
    if (settings_.gates[g] == nullptr)
      continue;
    std::vector<windows::GateChange> changes;
    settings_.gates[g]->changes(a, b, changes);
    for (const windows::GateChange &c : changes)
      pending.push_back({c.t, -1, c.inside ? Kind::gate_in : Kind::gate_out, g, 0,
                         c.bound == windows::kStart || c.bound == windows::kEnd
                             ? c.bound
                             : g == kNightGate ? windows::kDay : kTrack});
  }
  std::stable_sort(pending.begin(), pending.end(), [](const Pending &x, const Pending &y) {
    if (x.t != y.t)
      return x.t < y.t;
    if (x.source != y.source)
      return x.source < y.source;
    if (x.kind != y.kind)
      return x.kind < y.kind;
    return x.who < y.who;
  });
  std::vector<int> touched;
  for (std::size_t n = 0; n < pending.size();) {
    const double t = pending[n].t;
    touched.clear();
    bool gate = false;
    for (; n < pending.size() && pending[n].t == t; ++n) {
      const Pending &p = pending[n];
      if (p.source < 0) {
        gate = true;
        for (SourceStreams &st : streams_)
          st.gate(p.who, p.kind == Kind::gate_in, p.bound);
        continue;
      }
      SourceStreams &st = streams_[static_cast<std::size_t>(p.source)];
      if (touched.empty() || touched.back() != p.source)
        touched.push_back(p.source);
      if (p.kind == Kind::culmination) {
        for (int k = 0; k < limits::kAntennaCount; ++k)
          if (antenna_needed_[k] && site_of_[k] == p.who)
            st.culmination(k);
      } else {
        st.limit(p.who, p.term, p.kind == Kind::limit_in, p.bound);
      }
    }
    if (gate) {
      touched.clear();
      for (int i = 0; i < static_cast<int>(streams_.size()); ++i)
        touched.push_back(i);
    }
    instant(t, touched);
  }
  std::swap(at_a_, at_b_);
}

// How far a limit's margin can move from its value at an instant within
// `seconds` of it, for any source (infinite where nothing bounds it: the
// azimuth's margin, the hour angle's).  An altitude moves at most at the
// sidereal rate, the refraction only slowing it, but for the jump where
// the refraction stops; the mount's declination, converted at the latitude
// its site stands at, is the source's own but for the refraction, within
// the refraction's largest; both as the sources' own motions allow.
double SourceSearch::reach(int antenna, const char *bound, double seconds) const {
  const double refraction = max_refraction_[antenna];
  const double slow = kSlowMotion + 2.0 * own_motion_ * seconds;
  if (bound == limits::kAltitude)
    return kSiderealRate * seconds * 1.001 + refraction + slow;
  if (bound == limits::kDeclination && mount_at_its_latitude_ && seconds <= 43200.0)
    return 2.0 * refraction + slow;
  return HUGE_VAL;
}

// The instant's end for the sources it changed, each asking for its
// pointing there only when an edge needs it (once per site).
void SourceSearch::instant(double t, std::vector<int> &touched) {
  for (const int i : touched) {
    Pointed known[limits::kAntennaCount];
    bool have[limits::kAntennaCount] = {false, false, false};
    streams_[static_cast<std::size_t>(i)].end_instant(t, [&](int a) {
      const int s = site_of_[a];
      if (!have[s]) {
        known[s] = sky_.at(t, s, i);
        have[s] = true;
      }
      return known[s];
    });
  }
}

} // namespace sources
