// The IAU 2000A series, the fitted nutation series and the batched Earth rotation of the kit's
// extension, against the series and ter2cel themselves; frame_tie and tdb2tt against ERFA's
// frame bias and TDB - TT.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include <erfa.h>
#include <gtest/gtest.h>

#include "constants.h"
#include "novas_kit.h"
#include "nutation.h"
#include "nutation_fit.h"

namespace {

// A deterministic sequence of dates (days from J2000) over 2000-2100.
struct Dates {
  std::uint64_t state = 12345;
  double next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return -0.5 + 36524.0 * static_cast<double>(state >> 11) * 0x1.0p-53;
  }
};

ter2cel_stream new_stream() {
  ter2cel_stream s;
  ter2cel_stream_init(&s);
  return s;
}

// The kit's IAU 2000A evaluation is ERFA's series with NOVAS 3.1's mean
// longitude of Uranus (5.481293871 rad at J2000, ERFA's 5.481293872): the
// two agree to a few units in the last place, and differ in the last bits on
// many dates.
TEST(Nutation, IsEraNut00aWithNovasUranusConstant) {
  Dates dates;
  int differing = 0;
  for (int i = 0; i < 200; ++i) {
    const double days = dates.next();
    double dpsi, deps, erfa_dpsi, erfa_deps;
    astro::iau2000a_nutation(days / 36525.0, &dpsi, &deps);
    eraNut00a(astro::kJ2000, days, &erfa_dpsi, &erfa_deps);
    EXPECT_NEAR(dpsi, erfa_dpsi, 1e-19) << days;
    EXPECT_NEAR(deps, erfa_deps, 1e-19) << days;
    differing += dpsi != erfa_dpsi || deps != erfa_deps;
  }
  EXPECT_GT(differing, 20);
}

TEST(NutationFit, FollowsTheSeriesToItsRoundingNoise) {
  ter2cel_stream stream = new_stream();
  Dates dates;
  double worst[3] = {0.0, 0.0, 0.0};
  for (int i = 0; i < 4000; ++i) {
    const double d = dates.next();
    const astro::NutationSeries want = astro::nutation_series(d);
    const astro::NutationSeries got = astro::fitted_series(stream, d);
    worst[0] = std::fmax(worst[0], std::fabs(got.dpsi - want.dpsi));
    worst[1] = std::fmax(worst[1], std::fabs(got.deps - want.deps));
    worst[2] = std::fmax(worst[2], std::fabs(got.c_terms - want.c_terms));
  }
  // 2e-11 arcsecond, about a tenth of a micrometre at the Earth's radius.
  const double bound = 2e-11 * astro::kArcsecToRad;
  EXPECT_LE(worst[0], bound);
  EXPECT_LE(worst[1], bound);
  EXPECT_LE(worst[2], bound);
}

TEST(NutationFit, ValueDependsOnTheDateAlone) {
  // Interval edges and dates asked in different orders give the same bits.
  const double span = astro::kFitSpan;
  const double dates[] = {6000.0, 6000.0 + span * 0.999999, 6000.0 + span,
                          6000.0 - 1e-9, 12.3456, -0.25};
  ter2cel_stream forward = new_stream(), backward = new_stream();
  astro::NutationSeries a[6], b[6];
  for (int i = 0; i < 6; ++i)
    a[i] = astro::fitted_series(forward, dates[i]);
  for (int i = 5; i >= 0; --i)
    b[i] = astro::fitted_series(backward, dates[i]);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(a[i].dpsi, b[i].dpsi) << dates[i];
    EXPECT_EQ(a[i].deps, b[i].deps) << dates[i];
    EXPECT_EQ(a[i].c_terms, b[i].c_terms) << dates[i];
    ter2cel_stream fresh = new_stream();
    EXPECT_EQ(astro::fitted_series(fresh, dates[i]).dpsi, a[i].dpsi) << dates[i];
  }
}

// The fit serves 1000-01-01 to 3000-01-01: at its ends and inside it the
// stream's value is the fit's (it differs from the series in the last bits
// on some dates); just outside it, and far from J2000, it is the series
// itself, bit for bit.
TEST(NutationFit, ServesItsSpanAndTheSeriesServesTheRest) {
  EXPECT_EQ(julian_date(1000, 1, 1, 0.0), astro::kFitFirst);
  EXPECT_EQ(julian_date(3000, 1, 1, 0.0), astro::kFitLast);
  const double first = astro::kFitFirst - astro::kJ2000;
  const double last = astro::kFitLast - astro::kJ2000;
  auto fitted_differs = [](double from, double to) {
    ter2cel_stream stream = new_stream();
    int differing = 0;
    for (int i = 0; i <= 100; ++i) {
      const double d = from + (to - from) * i / 100.0;
      const astro::NutationSeries want = astro::nutation_series(d);
      const astro::NutationSeries got = astro::fitted_series(stream, d);
      differing += got.dpsi != want.dpsi || got.deps != want.deps ||
                   got.c_terms != want.c_terms;
    }
    return differing;
  };
  EXPECT_GT(fitted_differs(first, first + 0.49), 10);
  EXPECT_GT(fitted_differs(last - 0.49, last), 10);
  EXPECT_EQ(fitted_differs(std::nextafter(first, -1e9) - 50.0,
                           std::nextafter(first, -1e9)), 0);
  EXPECT_EQ(fitted_differs(std::nextafter(last, 1e9),
                           std::nextafter(last, 1e9) + 50.0), 0);
  EXPECT_EQ(fitted_differs(-12000000.0, -11999990.0), 0);
  EXPECT_EQ(fitted_differs(11000000.0, 11000010.0), 0);
}

const double kStation[2][3] = {
    {882.87984013, -4924.4823080099995, 3944.13068519},
    {0.13822607745500268, -0.7709903907572531, 0.6216649973027126}};

// Without a stream the batch is ter2cel to the last bit; along a stream it
// differs by a few units in the last place.
TEST(Ter2celBatch, AgreesWithTer2cel) {
  ter2cel_stream stream = new_stream();
  Dates dates;
  double worst_km = 0.0, worst_unit = 0.0;
  for (int i = 0; i < 500; ++i) {
    const double jd = astro::kJ2000 + dates.next();
    double exact[2][3], fitted[2][3];
    ASSERT_EQ(ter2cel_batch(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, 2, kStation,
                            exact, nullptr),
              0);
    ASSERT_EQ(ter2cel_batch(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, 2, kStation,
                            fitted, &stream),
              0);
    for (int k = 0; k < 2; ++k) {
      double in[3] = {kStation[k][0], kStation[k][1], kStation[k][2]}, want[3];
      ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, in, want), 0);
      double &worst = k == 0 ? worst_km : worst_unit;
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(exact[k][c], want[c]) << jd;
        worst = std::fmax(worst, std::fabs(fitted[k][c] - want[c]));
      }
    }
  }
  // 1 ulp of a 4000 km coordinate is 9.1e-13 km.
  EXPECT_LE(worst_km, 1e-11);
  EXPECT_LE(worst_unit, 1e-15);
}

TEST(Ter2celBatch, StatusCodesLeaveTheOutputUntouched) {
  const struct {
    short method, accuracy, option;
    double xp, yp;
    short want;
  } cases[] = {
      {1, 2, 0, 0.0, 0.0, 1}, {0, 0, 0, 0.0, 0.0, 2}, {1, 0, 2, 0.0, 0.0, 3},
      {1, 0, 0, 0.1, 0.0, 4}, {1, 0, 0, 0.0, -0.1, 4},
  };
  ter2cel_stream stream = new_stream();
  for (const auto &c : cases) {
    for (ter2cel_stream *s : {static_cast<ter2cel_stream *>(nullptr), &stream}) {
      double out[2][3] = {{7, 7, 7}, {7, 7, 7}};
      EXPECT_EQ(ter2cel_batch(2457696.5, 0.0, 69.184, c.method, c.accuracy,
                              c.option, c.xp, c.yp, 2, kStation, out, s),
                c.want);
      for (const auto &v : out)
        for (double x : v)
          EXPECT_EQ(x, 7.0);
    }
  }
}

// frame_tie's first-order matrix against ERFA's frame bias (IERS 2003
// angles, exact rotations), which differs from it by under 1e-12 per
// element; -1 and 0 undo each other but for the matrix's departure from a
// rotation, products of two bias angles (xi0 eta0 = 2.7e-15).
TEST(FrameTie, IsTheFrameBiasBothWays) {
  double rb[3][3], rp[3][3], rbp[3][3];
  eraBp00(astro::kJ2000, 0.0, rb, rp, rbp);
  Dates d;
  for (int i = 0; i < 1000; ++i) {
    double v[3] = {d.next() - 18000.0, d.next() - 18000.0, d.next() - 18000.0};
    double icrs[3], back[3], erfa_icrs[3];
    frame_tie(v, -1, icrs);
    frame_tie(icrs, 0, back);
    eraTrxp(rb, v, erfa_icrs);
    const double scale = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(icrs[k], erfa_icrs[k], 2e-12 * scale);
      EXPECT_NEAR(back[k], v[k], 1e-14 * scale);
    }
  }
}

// tdb2tt's seven terms against ERFA's full series at the geocentre: within
// the 10 microseconds the short series keeps over 1600-2200, and
// tt_jd = tdb_jd - secdiff / 86400.
TEST(Tdb2tt, FollowsTheFullSeries) {
  Dates d;
  double largest = 0.0;
  for (int i = 0; i < 2000; ++i) {
    const double days = 2 * d.next() - 54787.5; // 1850-2150
    const double tdb = astro::kJ2000 + days;
    double tt = 0.0, secdiff = 0.0;
    tdb2tt(tdb, &tt, &secdiff);
    EXPECT_EQ(tt, tdb - secdiff / 86400.0);
    const double full = eraDtdb(astro::kJ2000, days, 0.0, 0.0, 0.0, 0.0);
    largest = std::max(largest, std::fabs(secdiff - full));
  }
  EXPECT_LT(largest, 1e-5);
  EXPECT_GT(largest, 1e-7); // a short series, not the full one
}

} // namespace
