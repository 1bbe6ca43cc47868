// horizon.cpp - equ2hor of the NOVAS 3.1 interface: zenith distance and
// azimuth of a place on the true equator and equinox of date, with the
// refraction iterated on the observed zenith distance.
#include <cmath>
#include <limits>

#include "constants.h"
#include "earth_rotation.h"
#include "horizon.h"
#include "novas.h"
#include "precession_nutation.h"
#include "refraction.h"
#include "time_scales.h"

namespace {

// The refraction iteration stops when the zenith distance moves by no more
// than this (degrees)...
constexpr double kRefractionTolerance = 3.0e-5;
// For any physical atmosphere the iteration contracts and stops after a
// handful of evaluations; a nonsensical site (a temperature of -273 C, an
// enormous pressure) can make it cycle, and it is given up after this
// many.
constexpr int kRefractionMaxEvaluations = 100;
// Refracted coordinates are formed only above this zenith distance
// (degrees); nearer the zenith the refraction has no direction.
constexpr double kNearZenith = 3.0e-4;

} // namespace

namespace astro {

/*
**  horizon_frame: the site's horizon basis on the true equator and equinox
**  of date.
**
**  Given:
**     jd_ut1      double      UT1 Julian date
**     m           DateModels  the models at the TDB date of jd_ut1
**     site        on_surface  the site
**     ref_option  short       as for equ2hor
**
**  Returned (function value):
**              HorizonFrame  the unit vectors of the zenith, north and
**                            west, formed on terrestrial axes and turned by
**                            ter2cel's own rotation (option 1); the
**                            refraction option and its atmosphere
*/
HorizonFrame horizon_frame(double jd_ut1, const DateModels &m, const on_surface &site,
                           short int ref_option) {
  const double phi = site.latitude * kDegToRad;
  const double lam = site.longitude * kDegToRad;
  const double sinphi = std::sin(phi), cosphi = std::cos(phi);
  const double sinlam = std::sin(lam), coslam = std::cos(lam);
  const double terrestrial[3][3] = {{cosphi * coslam, cosphi * sinlam, sinphi},
                                    {-sinphi * coslam, -sinphi * sinlam, cosphi},
                                    {sinlam, -coslam, 0.0}};
  double of_date[3][3];
  rotate_to_celestial(jd_ut1, 0.0, m, 1, 3, terrestrial, of_date);
  return {from_array(of_date[0]), from_array(of_date[1]), from_array(of_date[2]),
          ref_option, atmosphere(site, ref_option)};
}

/*
**  horizon_in_frame: zenith distance and azimuth of a place in a site's
**  horizon frame, optionally refracted.
**
**  Given:
**     f        HorizonFrame  the site's frame at the date, with the
**                            refraction option and its atmosphere
**     ra, dec  double        place on the true equator and equinox of
**                            date, hours and degrees
**
**  Returned:
**     zd, az, rar, decr  double*  as for equ2hor; rar and decr may both be
**                                 null, and the refracted place is then not
**                                 formed
*/
void horizon_in_frame(const HorizonFrame &f, double ra, double dec, double *zd,
                      double *az, double *rar, double *decr) {
  const Vec3 &uz = f.zenith;
  const Vec3 &un = f.north;
  const Vec3 &uw = f.west;

  // The place as a unit vector, and its horizon coordinates.
  const double sindc = std::sin(dec * kDegToRad), cosdc = std::cos(dec * kDegToRad);
  const double sinra = std::sin(ra * 15.0 * kDegToRad);
  const double cosra = std::cos(ra * 15.0 * kDegToRad);
  const Vec3 p{cosdc * cosra, cosdc * sinra, sindc};

  const double pz = dot(p, uz);
  const double pn = dot(p, un);
  const double pw = dot(p, uw);
  const double proj = std::sqrt(pn * pn + pw * pw);

  double azimuth = 0.0;
  if (proj > 0.0)
    azimuth = -std::atan2(pw, pn) * kRadToDeg;
  if (azimuth < 0.0)
    azimuth += 360.0;
  if (azimuth >= 360.0)
    azimuth -= 360.0;
  double zenith = std::atan2(proj, pz) * kRadToDeg;

  const bool refracted_place = rar != nullptr;
  if (refracted_place) {
    *rar = ra;
    *decr = dec;
  }

  if (f.ref_option != 0) {
    const double zd0 = zenith;
    double refr = 0.0;
    bool converged = false;
    for (int evaluations = 0;
         !converged && evaluations < kRefractionMaxEvaluations; ++evaluations) {
      const double prev = zenith;
      refr = refraction(f.air, prev);
      zenith = zd0 - refr;
      converged = std::fabs(zenith - prev) <= kRefractionTolerance;
    }
    if (!converged) {
      *zd = *az = std::numeric_limits<double>::quiet_NaN();
      if (refracted_place)
        *rar = *decr = *zd;
      return;
    }

    if (refracted_place && refr > 0.0 && zenith > kNearZenith) {
      const double sinzd = std::sin(zenith * kDegToRad);
      const double coszd = std::cos(zenith * kDegToRad);
      const double sinzd0 = std::sin(zd0 * kDegToRad);
      const double coszd0 = std::cos(zd0 * kDegToRad);
      const Vec3 pr{((p.x - coszd0 * uz.x) / sinzd0) * sinzd + uz.x * coszd,
                    ((p.y - coszd0 * uz.y) / sinzd0) * sinzd + uz.y * coszd,
                    ((p.z - coszd0 * uz.z) / sinzd0) * sinzd + uz.z * coszd};
      const double proj_r = std::sqrt(pr.x * pr.x + pr.y * pr.y);
      if (proj_r > 0.0) {
        *rar = std::atan2(pr.y, pr.x) * kRadToDeg / 15.0;
        if (*rar < 0.0)
          *rar += 24.0;
        if (*rar >= 24.0)
          *rar -= 24.0;
      }
      *decr = std::atan2(pr.z, proj_r) * kRadToDeg;
    }
  }

  *zd = zenith;
  *az = azimuth;
}

/*
**  horizon_place: zenith distance and azimuth of a place, optionally
**  refracted: equ2hor once its arguments are accepted.
**
**  Given:
**     jd_ut1      double      UT1 Julian date
**     m           DateModels  the models at the TDB date of jd_ut1
**     site        on_surface  the site
**     ra, dec     double      place on the true equator and equinox of date
**     ref_option  short       as for equ2hor
**
**  Returned:
**     zd, az, rar, decr  double*  as for equ2hor
*/
void horizon_place(double jd_ut1, const DateModels &m, const on_surface &site,
                   double ra, double dec, short int ref_option, double *zd,
                   double *az, double *rar, double *decr) {
  horizon_in_frame(horizon_frame(jd_ut1, m, site, ref_option), ra, dec, zd, az, rar, decr);
}

} // namespace astro

extern "C" {

/*
**  equ2hor: zenith distance and azimuth of a place, optionally refracted.
**
**  Given:
**     jd_ut1      double       UT1 Julian date
**     delta_t     double       TT - UT1, seconds
**     accuracy    short        0 full, 1 reduced (computed alike)
**     xp, yp      double       polar motion, arcseconds; zero only
**     location    on_surface*  the site (geodetic latitude, longitude,
**                              height; temperature and pressure for
**                              ref_option 2)
**     ra, dec     double       topocentric right ascension (hours) and
**                              declination (degrees), true equator and
**                              equinox of date
**     ref_option  short        0 no refraction; 2 refraction from the site's
**                              temperature and pressure; any other value the
**                              standard atmosphere at the site's height
**
**  Returned:
**     zd          double*  zenith distance, degrees, refracted unless
**                          ref_option is 0
**     az          double*  azimuth, degrees [0, 360), north through east
**                          (0 at the zenith and nadir)
**     rar, decr   double*  ra (hours) and dec (degrees) shifted by the
**                          refraction; ra and dec when none is applied
**
**  Notes:
**  1) The function has no status.  An accuracy other than 0 or 1, a polar
**     motion other than zero (which this library does not apply), and a
**     refraction that does not converge (below) set all four outputs to
**     not-a-number: an argument the library cannot honour is never
**     ignored.
**  2) The horizon frame is the site's geodetic zenith with north towards
**     the terrestrial pole, turned to the true equator and equinox of date
**     by the apparent sidereal time at jd_ut1.
**  3) Refraction depends on the observed zenith distance, so it is iterated
**     from the unrefracted one until the zenith distance moves by no more
**     than 3e-5 degree.  An iteration that has not converged after 100
**     evaluations (only a nonsensical site's temperature or pressure, with
**     ref_option 2, makes it cycle) gives not-a-number outputs rather than
**     its last iterate.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO.
*/
void equ2hor(double jd_ut1, double delta_t, short int accuracy, double xp,
             double yp, on_surface *location, double ra, double dec,
             short int ref_option, double *zd, double *az, double *rar,
             double *decr) {
  using astro::kDegToRad;
  using astro::kRadToDeg;
  using astro::Vec3;

  if ((accuracy != 0 && accuracy != 1) || xp != 0.0 || yp != 0.0) {
    *zd = *az = *rar = *decr = std::numeric_limits<double>::quiet_NaN();
    return;
  }

  astro::horizon_place(jd_ut1,
                       astro::date_models(astro::tdb_from_ut1(jd_ut1, 0.0, delta_t)),
                       *location, ra, dec, ref_option, zd, az, rar, decr);
}

} // extern "C"
