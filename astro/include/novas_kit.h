/*
 * novas_kit.h - the one header through which the kit's tools reach their
 * astronomy: the NOVAS 3.1 interface (novas.h, the kit's own subset or a
 * real NOVAS 3.1), and the kit's extension to it: the rotation of several
 * fixed terrestrial vectors to celestial axes at one date or along a stream
 * of dates, the Sun's zenith distance at a site, and the horizon places of
 * several stars at a site, each at one date or along a stream, and the
 * track of a star at a site over a span of a few days.
 *
 * The extension has two implementations, chosen by the build: the kit's
 * own, on its NOVAS subset, which evaluates the costly nutation series once
 * a date (and fits it over a stream of dates), and one made of the NOVAS
 * calls themselves (ter2cel once per vector; topo_planet or topo_star then
 * equ2hor), which serves a build against a real NOVAS 3.1 and the
 * straightforward programs the kit's results are compared with.
 */
#ifndef KIT_NOVAS_KIT_H
#define KIT_NOVAS_KIT_H

#ifdef __cplusplus
extern "C" {
#endif

/* A real NOVAS 3.1 novas.h has no C++ linkage block of its own. */
#include <novas.h>

/* Chebyshev nodes per fitted interval of a stream. */
#define TER2CEL_FIT_NODES 8

/*
 * ter2cel_stream: what a stream of dates carries from one date to the next:
 * the length of its fitted intervals, and the Chebyshev coefficients of the
 * nutation series (in longitude, in obliquity, and the complementary terms
 * of the equation of the equinoxes) over the fixed interval of TDB dates
 * last used.  Its contents belong to the implementation; the one made of
 * NOVAS calls leaves them unused.  Initialise it with ter2cel_stream_init
 * or ter2cel_stream_init_span before its first use.
 */
typedef struct
{
   double span;                           /* days per fitted interval */
   double interval;                       /* index of the fitted interval */
   double coef[3][TER2CEL_FIT_NODES];     /* its coefficients, radians */
} ter2cel_stream;

/*
 * ter2cel_stream_init: a stream with no interval fitted yet, fitting
 * half-day intervals (within 1.0e-11 arcsecond of the series).
 */
void ter2cel_stream_init(ter2cel_stream *stream);

/*
 * ter2cel_stream_init_span: the same with intervals of span_days days (at
 * least half a day), for a stream of dates far apart whose results need
 * not be the series' to the last bits: 4 days follow the series within
 * 1e-6 arcsecond (5.4e-7 over 20,000 dates), 1 day within 1.2e-11.
 */
void ter2cel_stream_init_span(ter2cel_stream *stream, double span_days);

/*
 * ter2cel_batch: rotate n vectors from terrestrial (ITRS) to celestial axes
 * at one date: for each i, what ter2cel would write for vec1[i] into
 * vec2[i].
 *
 * Given:
 *    jd_ut_high, jd_ut_low  UT1 Julian date in two parts
 *    delta_t                TT - UT1, seconds
 *    method, accuracy, option, xp, yp
 *                           as for ter2cel
 *    n                      number of vectors (0 or more)
 *    vec1                   n vectors on terrestrial axes
 *    stream                 NULL for a date on its own; otherwise the stream
 *                           this date belongs to (see Notes)
 *
 * Returned:
 *    vec2                   n vectors on the axes asked for; untouched
 *                           unless 0 is returned
 *
 * Returned (function value):
 *    0 success, or ter2cel's status for the selectors (1 accuracy,
 *    2 method, 3 option, 4 polar motion; the kit's own implementation
 *    accepts what its ter2cel accepts)
 *
 * Notes:
 * 1) The kit's own implementation evaluates the date's models once for all
 *    n vectors.  Without a stream its results are ter2cel's to the last
 *    bit.  With a stream the nutation series and the complementary terms
 *    come from piecewise Chebyshev fits over half-day intervals of TDB
 *    fixed from J2000 (8 series evaluations per interval, kept in the
 *    stream), which follow the series within 1.0e-11 arcsecond; a vector
 *    then depends on its date alone, never on the dates before it, and
 *    differs from ter2cel's by a few units in the last place.
 * 2) The per-vector implementation calls ter2cel for each vector and
 *    ignores the stream.
 */
short int ter2cel_batch(double jd_ut_high, double jd_ut_low, double delta_t,
                        short int method, short int accuracy,
                        short int option, double xp, double yp, int n,
                        const double (*vec1)[3], double (*vec2)[3],
                        ter2cel_stream *stream);

/*
 * sun_zenith_distance: the Sun's zenith distance at a site, as the NOVAS
 * calls topo_planet(jd_tt, the Sun, delta_t, site, 1, &ra, &dec, &dis) and
 * then equ2hor(jd_ut1, delta_t, 1, 0.0, 0.0, site, ra, dec, ref_option,
 * zd, ...) give it.
 *
 * Given:
 *    jd_tt, jd_ut1   TT and UT1 Julian dates of the instant
 *    delta_t         TT - UT1, seconds
 *    site            the site
 *    ref_option      as for equ2hor (0 none, 2 the site's weather, any
 *                    other value the standard atmosphere)
 *    stream          NULL for a date on its own; otherwise the stream
 *                    this date belongs to (as for ter2cel_batch)
 *
 * Returned:
 *    zd              zenith distance, degrees (refracted unless ref_option
 *                    is 0); equ2hor's for the place topo_planet left, also
 *                    when topo_planet failed
 *
 * Returned (function value):
 *    topo_planet's status: 0, or 31 for a date outside the solar
 *    ephemeris (2340000.5 to 2560000.5, TDB)
 *
 * Notes:
 * 1) Without a stream the kit's own implementation gives the NOVAS calls'
 *    zenith distance to the last bit; with one, the nutation series of
 *    both the place and the horizon come from the stream's fit, within
 *    1.0e-11 arcsecond of the series.
 * 2) The other implementation makes the calls themselves (and the Sun's
 *    object with make_object) and ignores the stream.
 */
short int sun_zenith_distance(double jd_tt, double jd_ut1, double delta_t,
                              on_surface *site, short int ref_option,
                              ter2cel_stream *stream, double *zd);

/*
 * star_horizon: one star's place at a site, as star_horizon_batch returns
 * it.
 */
typedef struct
{
   double zd;         /* zenith distance, degrees (refracted unless
                         ref_option is 0) */
   double az;         /* azimuth, degrees [0, 360), north through east */
   double ra, dec;    /* topocentric apparent place, true equator and
                         equinox of date: hours, degrees */
   short int status;  /* topo_star's status for this star */
} star_horizon;

/*
 * star_horizon_batch: the horizon places of n stars at one site and one
 * date, as the NOVAS calls topo_star(jd_tt, delta_t, star, site, 1, &ra,
 * &dec) and then equ2hor(jd_ut1, delta_t, 1, 0.0, 0.0, site, ra, dec,
 * ref_option, &zd, &az, &rar, &decr) give them, star by star.
 *
 * Given:
 *    jd_tt, jd_ut1   TT and UT1 Julian dates of the instant
 *    delta_t         TT - UT1, seconds
 *    site            the site
 *    ref_option      as for equ2hor (0 none, 2 the site's weather, any
 *                    other value the standard atmosphere)
 *    n               number of stars (0 or more)
 *    stars           n catalog entries (as for topo_star)
 *    stream          NULL for a date on its own; otherwise the stream
 *                    this date belongs to (as for ter2cel_batch)
 *
 * Returned:
 *    places          n results; for a star whose status is not 0 every
 *                    number is not-a-number; zd and az are also
 *                    not-a-number (status 0) where equ2hor gives them so
 *                    (a UT1 date that is not a number, a refraction that
 *                    does not converge).  equ2hor's refracted place is not
 *                    returned: forming it would cost the kit's own
 *                    implementation a fifth more per star
 *
 * Returned (function value):
 *    0 when every star was placed, else the first non-zero status:
 *    topo_star's 31 for a date outside the solar ephemeris (2340000.5 to
 *    2560000.5, TDB; every star fails), or 2 for a catalog entry the kit's
 *    topo_star cannot place
 *
 * Notes:
 * 1) The kit's own implementation evaluates the date's models (nutation
 *    and precession at both dates, the Earth's and the observer's states,
 *    the sidereal times and the horizon frame) once for all n stars.
 *    Without a stream each result is the NOVAS calls' to the last bit;
 *    with one, the nutation series of both the place and the horizon come
 *    from the stream's fit, within 1.0e-11 arcsecond of the series.
 * 2) The other implementation makes the calls themselves for each star
 *    and ignores the stream.  Against a real NOVAS 3.1, which has no code
 *    2, a star it cannot place comes back with NOVAS's own numbers.
 */
short int star_horizon_batch(double jd_tt, double jd_ut1, double delta_t,
                             on_surface *site, short int ref_option, int n,
                             const cat_entry *stars, ter2cel_stream *stream,
                             star_horizon *places);


/* Chebyshev nodes of a star track's span, and the longest span (days). */
#define STAR_TRACK_NODES 12
#define STAR_TRACK_MAX_DAYS 4.0
/* The series a span fits: the 9 elements of the GCRS -> true equator and
   equinox matrix, the Earth's barycentric position and velocity, the Sun's
   barycentric position and velocity, the sidereal time's TDB terms and
   TDB - TT. */
#define STAR_TRACK_SERIES 23

/*
 * star_track_span: what every star's track over one span of dates shares:
 * the models of the date (precession, nutation and the equation of the
 * equinoxes, the Earth's and the Sun's barycentric states, TDB - TT) as
 * Chebyshev series in TT over the span, fitted once by star_track_span_fit.
 * Its contents belong to the implementation; the one made of NOVAS calls
 * keeps only the span and delta_t.
 */
typedef struct
{
   double jd_first, jd_last;       /* TT Julian dates of the span */
   double delta_t;                 /* TT - UT1, seconds */
   double coef[STAR_TRACK_NODES][STAR_TRACK_SERIES];
                                   /* coef[j][k]: series k's j-th
                                      Chebyshev coefficient */
} star_track_span;

/*
 * star_track: one star at one site over a span: what its place needs
 * beyond the span's series (the star's position and space motion, the
 * site's geometry and atmosphere).  Fill it with star_track_fit; it refers
 * to its span, which must outlive it and stay where it is.
 */
typedef struct
{
   const star_track_span *span;
   cat_entry star;
   on_surface site;
   short int ref_option;
   short int status;               /* star_track_fit's value */
   double position[3], velocity[3];/* the star at J2000: AU, AU/day */
   double site_radius[2];          /* the site's distances from the axis
                                      and the equator, AU */
   double sin_lat, cos_lat;        /* of the geodetic latitude */
   double earth_limb;              /* the Earth's angular radius seen from
                                      the site, radians */
   double pressure, temperature;   /* the refraction's atmosphere */
} star_track;

/*
 * star_track_span_fit: the shared series of a span of dates.
 *
 * Given:
 *    jd_first, jd_last   TT Julian dates, jd_first < jd_last, at most
 *                        STAR_TRACK_MAX_DAYS apart
 *    delta_t             TT - UT1, seconds (as star_horizon_batch takes it)
 *
 * Returned:
 *    span                the span with its series
 *
 * Returned (function value):
 *    0; 1 for a span that is empty, reversed, too long or not finite;
 *    31 when either end's TDB date lies outside the solar ephemeris
 *    (2340000.5 to 2560000.5)
 *
 * Notes:
 * 1) The kit's own implementation evaluates the models exactly (the full
 *    series, no stream) at STAR_TRACK_NODES Chebyshev nodes of TT over
 *    the span and fits each of the STAR_TRACK_SERIES quantities: over
 *    spans of up to 4 days the places then follow star_horizon_batch
 *    within 1e-12 degree (10 of the 12 terms already reach that; 6 leave
 *    errors of 2e-9 degree).  The other implementation keeps the span
 *    only.
 */
short int star_track_span_fit(double jd_first, double jd_last, double delta_t,
                              star_track_span *span);

/*
 * star_track_fit: one star's track at one site over a fitted span.
 *
 * Given:
 *    span         a span from star_track_span_fit (kept by reference)
 *    star         the catalog entry (as for topo_star)
 *    site         the site
 *    ref_option   as for equ2hor (0 none, 2 the site's weather, any other
 *                 value the standard atmosphere)
 *
 * Returned:
 *    track        the track
 *
 * Returned (function value):
 *    0, or 2 for a catalog entry the kit's topo_star cannot place (also
 *    kept in track->status)
 */
short int star_track_fit(const star_track_span *span, const cat_entry *star,
                         const on_surface *site, short int ref_option,
                         star_track *track);

/*
 * star_track_horizon: a tracked star's horizon place at an instant of its
 * span.
 *
 * Given:
 *    track           a track from star_track_fit
 *    jd_tt, jd_ut1   TT and UT1 Julian dates of the instant; jd_tt within
 *                    the track's span
 *
 * Returned:
 *    zd, az          zenith distance (refracted unless ref_option is 0)
 *                    and azimuth, degrees, as star_horizon_batch gives
 *                    them for the span's delta_t
 *    ra, dec         the topocentric apparent place, hours and degrees,
 *                    true equator and equinox of date; either may be NULL,
 *                    and both being NULL spares forming them
 *
 * Returned (function value):
 *    0; the track's status when it is not 0; 3 for jd_tt outside the span.
 *    On a non-zero value every output is not-a-number
 *
 * Notes:
 * 1) The kit's own implementation takes the span's fitted models at jd_tt
 *    and computes the rest as topo_star and equ2hor do: the apparent
 *    sidereal time from the exact Earth rotation angle at jd_ut1, the
 *    site's geocentric position and velocity from it, the parallax, the
 *    deflection by the Sun and the Earth from the observer's own position,
 *    the aberration by the observer's whole velocity, and the horizon
 *    frame and the refraction as equ2hor applies them.  The site's
 *    sidereal time is taken at jd_ut1 where topo_star takes it at
 *    jd_tt - delta_t / 86400, a difference of rounding.  zd and az follow
 *    star_horizon_batch within 1e-10 degree (the direction, where the
 *    azimuth is ill-defined near the zenith).
 * 2) The other implementation calls topo_star and equ2hor themselves.
 */
short int star_track_horizon(const star_track *track, double jd_tt, double jd_ut1,
                             double *zd, double *az, double *ra, double *dec);

#ifdef __cplusplus
}
#endif

#endif
