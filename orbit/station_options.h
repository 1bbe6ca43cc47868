// station_options.h - the options that set a station's view, as the
// tools that search the stations' windows read them: --min-elevation and
// --mask (the visibility library).
#ifndef KIT_ORBIT_STATION_OPTIONS_H
#define KIT_ORBIT_STATION_OPTIONS_H

#include <string>

#include "horizon_mask.h"
#include "stations.h"

namespace tracking {

// The station a name gives (TS1 or TS2), or -1.
int station_index(const std::string &name);

// ---------------------------------------------------------------------------
// read_min_elevation: --min-elevation DEG (both stations) or STATION=DEG.
//
// Given:   text  the option's value
// Returned: min  the station's minimum elevation, or both, set to DEG
// Throws kit::Failure: "--min-elevation: 'V' is not an elevation from -90
// to 90", "--min-elevation: unknown station 'S' (TS1 or TS2)".
// ---------------------------------------------------------------------------
void read_min_elevation(const char *text, double (&min)[kStationCount]);

// ---------------------------------------------------------------------------
// read_mask: --mask STATION=FILE.
//
// Given:   text  the option's value
// Returned: masks[k] the mask read from FILE for station k, and mask[k]
//           pointing at it
// Throws kit::Failure: "--mask: 'T' is not STATION=FILE", "--mask: unknown
// station 'S' (TS1 or TS2)", "--mask: 'FILE': " and the mask's fault.
// ---------------------------------------------------------------------------
void read_mask(const char *text, HorizonMask (&masks)[kStationCount],
               const HorizonMask *(&mask)[kStationCount]);

} // namespace tracking

#endif
