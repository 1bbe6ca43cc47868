// catalog.h - celestial sources as the kit reads them: right ascension and
// declination in the forms people write them, and catalogs of named
// sources (the source_catalog library).
#ifndef KIT_SOURCES_CATALOG_H
#define KIT_SOURCES_CATALOG_H

#include <string>
#include <vector>

#include "novas_kit.h"

namespace sources {

// A source: its name as given, printed whole, and its catalog entry (ICRS;
// the name stored in it cut to make_cat_entry's limit of 50 characters).
struct Source {
  std::string name;
  cat_entry star;
};

// ---------------------------------------------------------------------------
// parse_right_ascension, parse_declination: an angle written as a decimal
// number, or as H:M:S / +-D:M:S (whole hours or degrees and minutes, the
// seconds with an optional fraction; the minutes and seconds below 60).
//
// Returned: the right ascension in hours, within [0, 24); the declination
//   in degrees, within [-90, 90].
// Throws kit::Failure naming the text and what is wrong with it.
// ---------------------------------------------------------------------------
double parse_right_ascension(const std::string &text);
double parse_declination(const std::string &text);

// make_source: a source of ICRS right ascension (hours) and declination
// (degrees), with proper motions (mas/yr, the one in right ascension
// multiplied by cos DEC), parallax (mas) and radial velocity (km/s) as
// make_cat_entry takes them.
Source make_source(const std::string &name, double ra, double dec, double pm_ra = 0.0,
                   double pm_dec = 0.0, double parallax = 0.0, double radial_velocity = 0.0);

// ---------------------------------------------------------------------------
// read_catalog: the sources of a catalog file ("-": standard input).
//
// Given:   path; lines "NAME RA DEC [PMRA PMDEC PARALLAX RV]", NAME one word
//          or a double-quoted text ("3C 273"), RA and DEC as
//          parse_right_ascension and parse_declination read them, the
//          motions as decimal numbers; blank lines and comments from "#"
//          to the line's end
// Returned (function value): the sources, in the file's order
// Throws kit::Failure: a file that cannot be read, no source at all, or a
//   line that is not a source (named by its number and the fault).
// ---------------------------------------------------------------------------
std::vector<Source> read_catalog(const std::string &path);

} // namespace sources

#endif
