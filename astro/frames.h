// frames.h - Earth orientation shared by the kit's astronomy layer: time
// scales, nutation, precession, frame bias and sidereal time, evaluated the
// way NOVAS 3.1 evaluates them so that rotated vectors agree with it to the
// last bits.  Internal to the astro library; the tools use novas.h.
#ifndef KIT_ASTRO_FRAMES_H
#define KIT_ASTRO_FRAMES_H

namespace astro {

struct Vec3 {
  double x, y, z;
};

// A rotation matrix, row-major: r[i][j] is row i, column j.
struct Mat3 {
  double r[3][3];
};

inline double dot(const Vec3 &a, const Vec3 &b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 apply(const Mat3 &m, const Vec3 &v);            // m . v
Vec3 apply_transposed(const Mat3 &m, const Vec3 &v); // m^T . v

inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kArcsecToRad = 4.848136811095359935899141e-6;
inline constexpr double kDegToRad = 0.017453292519943296;
inline constexpr double kRadToDeg = 57.295779513082321;
inline constexpr double kTwoPi = 6.283185307179586476925287;

// TDB - TT in seconds at t_tt Julian centuries of TT from J2000 (the series
// wants TDB; it is fed TT, as NOVAS does).
double tdb_minus_tt(double t_tt);

// TDB Julian date from a TT Julian date.
double tdb_from_tt(double jd_tt);

// TDB Julian date from a UT1 Julian date in two parts and delta_t = TT - UT1
// in seconds.
double tdb_from_ut1(double jd_hi, double jd_lo, double delta_t);

// The series terms of the orientation models at a TDB date, radians: IAU
// 2000A nutation in longitude and obliquity, and the complementary terms of
// the equation of the equinoxes.  By far the costliest part of a date.
struct NutationTerms {
  double dpsi;
  double deps;
  double c_terms;
};

// Evaluates the series at days_tdb = TDB Julian date - J2000.
NutationTerms nutation_terms(double days_tdb);

// Everything about the Earth's orientation that depends only on the TDB date.
struct DateModels {
  double jd_tdb;
  double t;        // Julian centuries of TDB from J2000
  double dpsi;     // nutation in longitude, arcseconds
  double deps;     // nutation in obliquity, arcseconds
  double eps_mean; // mean obliquity, degrees
  double eps_true; // true obliquity, degrees
  double ee;       // equation of the equinoxes, seconds of time
  Mat3 nutation;   // N: mean equator and equinox of date -> true
  Mat3 precession; // P: mean J2000 -> mean equator and equinox of date
};

// Evaluates the models at a TDB Julian date (IAU 2000A nutation, IAU 2006
// obliquity and precession, IERS 2003 complementary terms).
DateModels date_models(double jd_tdb);

// The same with the series terms given, evaluated at t * 36525 days, where
// t = (jd_tdb - J2000) / 36525.
DateModels date_models(double jd_tdb, const NutationTerms &terms);

// IAU 2006 precession matrix P (mean J2000 -> mean of date) alone.
Mat3 precession_matrix(double t);

// First-order frame-bias matrix B (dynamical J2000 -> GCRS is B . v).
const Mat3 &frame_bias();

// Earth rotation angle in degrees, [0, 360), from a UT1 Julian date in two
// parts, summed in NOVAS's order.
double earth_rotation_angle(double jd_hi, double jd_lo);

// Greenwich apparent sidereal time in hours, [0, 24), at a UT1 Julian date in
// two parts, with the TDB-dependent terms of the date's models.
double sidereal_time(double jd_hi, double jd_lo, const DateModels &m);

// Earth rotation: terrestrial axes -> true equator and equinox of date, for a
// sidereal time in hours.
Vec3 spin(double gast_hours, const Vec3 &v);

// True equator and equinox of date -> GCRS: B . P^T . N^T . v.
Vec3 gcrs_from_true(const DateModels &m, const Vec3 &v);

// GCRS -> true equator and equinox of date: N . P . B^T . v.
Vec3 true_from_gcrs(const DateModels &m, const Vec3 &v);

} // namespace astro

#endif
