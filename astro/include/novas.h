/*
 * novas.h - the subset of the NOVAS 3.1 interface that the kit's tools call,
 * implemented on ERFA by the kit's astro library.
 *
 * Names, argument lists, record layouts and status codes are NOVAS 3.1's, so
 * the tools build unchanged against a real NOVAS 3.1 installation (see the
 * KIT_NOVAS_PREFIX option of the build).  Every function is a pure function of
 * its arguments: there is no hidden state and no file is read.
 */
#ifndef KIT_ASTRO_NOVAS_H
#define KIT_ASTRO_NOVAS_H

#ifdef __cplusplus
extern "C" {
#endif

#define SIZE_OF_OBJ_NAME 51
#define SIZE_OF_CAT_NAME 4

/* A site on the surface of the Earth. */
typedef struct
{
   double latitude;    /* geodetic latitude, degrees, north positive */
   double longitude;   /* geodetic longitude, degrees, east positive */
   double height;      /* height above sea level, metres */
   double temperature; /* degrees Celsius */
   double pressure;    /* millibars */
} on_surface;

/* An entry of a star catalog. */
typedef struct
{
   char starname[SIZE_OF_OBJ_NAME];
   char catalog[SIZE_OF_CAT_NAME];
   long int starnumber;
   double ra;             /* hours */
   double dec;            /* degrees */
   double promora;        /* mas/yr */
   double promodec;       /* mas/yr */
   double parallax;       /* mas */
   double radialvelocity; /* km/s */
} cat_entry;

/* A celestial object: 0 major body, 1 minor planet, 2 outside the solar system. */
typedef struct
{
   short int type;
   short int number;
   char name[SIZE_OF_OBJ_NAME];
   cat_entry star;
} object;

/*
 * julian_date: Julian date of a Gregorian calendar date and decimal hour.
 * Given year, month, day and hour (on any time scale); returns the Julian date
 * on that scale.  No validation: days and months past their ranges run on.
 */
double julian_date(short int year, short int month, short int day, double hour);

/*
 * ter2cel: rotate a vector from terrestrial (ITRS) to celestial axes.
 * Given the UT1 Julian date in two parts, delta_t = TT - UT1 (s), the method
 * (1 equinox-based), the accuracy (0 full; 1 reduced, served like 0 with the
 * full nutation series), the output option
 * (0 GCRS axes, 1 true equator and equinox of date), polar motion xp, yp
 * (arcsec) and vec1; writes vec2.  Returns 0; 1 for an accuracy other than
 * 0 or 1; 2 for a method other than 1 (the CIO-based method 0 is not
 * provided by this library); 3 for an option other than 0 or 1; 4 for a
 * polar motion other than zero, which this library does not apply.  vec2 is
 * untouched unless 0 is returned.
 */
short int ter2cel(double jd_ut_high, double jd_ut_low, double delta_t,
                  short int method, short int accuracy, short int option,
                  double xp, double yp, double *vec1, double *vec2);

/*
 * frame_tie: turn a vector from the dynamical mean equator and equinox of
 * J2000 to the ICRS (direction negative) or from the ICRS to it (direction
 * zero or positive), by the first-order frame-bias matrix.  pos2 must not
 * be pos1 (NOVAS writes it while reading pos1).
 */
void frame_tie(double *pos1, short int direction, double *pos2);

/*
 * tdb2tt: the TT Julian date of a TDB Julian date, and secdiff = TDB - TT
 * in seconds (the periodic series, about 1.7 ms at most).
 */
void tdb2tt(double tdb_jd, double *tt_jd, double *secdiff);

/* make_on_surface: fill a site record; no checks. */
void make_on_surface(double latitude, double longitude, double height,
                     double temperature, double pressure,
                     on_surface *obs_surface);

/*
 * make_cat_entry: fill a catalog entry.  Returns 0, 1 for a name longer than
 * 50 characters (nothing stored), 2 for a catalog name longer than 3
 * characters (only the name stored).
 */
short int make_cat_entry(char star_name[SIZE_OF_OBJ_NAME],
                         char catalog[SIZE_OF_CAT_NAME], long int star_num,
                         double ra, double dec, double pm_ra, double pm_dec,
                         double parallax, double rad_vel, cat_entry *star);

/*
 * make_object: fill an object record.  Returns 0, 1 for a bad type, 2 for a
 * bad body number, 5 for a name longer than 50 characters.
 */
short int make_object(short int type, short int number,
                      char name[SIZE_OF_OBJ_NAME], cat_entry *star_data,
                      object *cel_obj);

/*
 * app_planet: geocentric apparent place of a solar-system body, true equator
 * and equinox of date: ra (hours), dec (degrees), dis (AU).  Only the Sun is
 * served, at reduced accuracy (accuracy 1, the only one NOVAS's analytic
 * solar-system module serves; its nutation is the full series, where NOVAS
 * truncates it).  Status codes as NOVAS 3.1 built with that module (0 on
 * success).
 */
short int app_planet(double jd_tt, object *ss_body, short int accuracy,
                     double *ra, double *dec, double *dis);

/* topo_planet: as app_planet, seen from a site on the surface of the Earth. */
short int topo_planet(double jd_tt, object *ss_body, double delta_t,
                      on_surface *position, short int accuracy,
                      double *ra, double *dec, double *dis);

/*
 * topo_star: topocentric apparent place of a star, true equator and equinox
 * of date: ra (hours), dec (degrees).  The catalog entry is an ICRS place
 * at the epoch J2000 with its proper motions (mas/yr, the one in ra times
 * cos dec), parallax (mas; zero or less for unknown) and radial velocity
 * (km/s).  Served at reduced accuracy (accuracy 1) as NOVAS 3.1 with its
 * analytic solar-system module serves it, with the full nutation series
 * where NOVAS truncates it.  Returns 0; 1 for an accuracy other than 0 or
 * 1; 33 for full accuracy; 31 for a TDB date outside 2340000.5 to
 * 2560000.5; and this library's own 2 for a catalog entry it cannot place
 * (a field that is not a finite number, a parallax whose distance is not
 * positive, a radial velocity of the speed of light or more, or a place
 * that comes out not finite).  ra and dec are 0 on every non-zero code.
 */
short int topo_star(double jd_tt, double delta_t, cat_entry *star,
                    on_surface *position, short int accuracy, double *ra,
                    double *dec);

/*
 * refract: the atmospheric refraction (degrees) at an observed zenith
 * distance (degrees) at a site: ref_option 2 the site's temperature and
 * pressure, any other value the standard atmosphere at the site's height;
 * 0 outside observed zenith distances 0.1 to 91 degrees.
 */
double refract(on_surface *location, short int ref_option, double zd_obs);

/*
 * equ2hor: zenith distance and azimuth (degrees) of a place given on the true
 * equator and equinox of date, optionally refracted (ref_option 0 none, 2 the
 * site's temperature and pressure, any other value the standard
 * atmosphere); rar and decr are the place shifted by the refraction.
 * Accuracy 1 is served like accuracy 0: the horizon frame's Earth rotation
 * uses the full nutation series either way.  There is no status: an
 * accuracy other than 0 or 1, a polar motion other than zero (not applied by
 * this library), or a refraction that does not converge within 100
 * evaluations (a nonsensical temperature or pressure) sets all four outputs
 * to not-a-number.
 */
void equ2hor(double jd_ut1, double delta_t, short int accuracy, double xp,
             double yp, on_surface *location, double ra, double dec,
             short int ref_option, double *zd, double *az, double *rar,
             double *decr);

#ifdef __cplusplus
}
#endif

#endif
