// frame_tie.cpp - frame_tie of the NOVAS 3.1 interface: vectors between the
// dynamical mean equator and equinox of J2000 and the ICRS.
#include "frame_bias.h"
#include "novas.h"

extern "C" {

/*
**  frame_tie: a vector from the dynamical J2000 frame to the ICRS, or back.
**
**  Given:
**     pos1       double[3]  the vector, on the frame it is turned from
**     direction  short      negative: dynamical J2000 to ICRS;
**                           zero or positive: ICRS to dynamical J2000
**
**  Returned:
**     pos2       double[3]  the vector on the other frame, its length and
**                           units unchanged (this library allows pos1;
**                           NOVAS's does not)
**
**  Notes:
**  1) The rotation is the frame-bias matrix B of frame_bias.h, NOVAS's
**     first-order matrix with a second-order diagonal: B . pos1 to the
**     ICRS, B^T . pos1 from it, each component summed x term, y term,
**     z term, so that the result is NOVAS's to the last bit.
**  2) The ICRS and the GCRS share their axes: a geocentric vector on the
**     dynamical J2000 frame (EME2000) comes to the GCRS with direction -1.
**
**  Reference:
**     Kaplan, G. 2005, USNO Circular 179, eq. 3.3.
*/
void frame_tie(double *pos1, short int direction, double *pos2) {
  const astro::Vec3 v = astro::from_array(pos1);
  const astro::Vec3 w = direction < 0
                            ? astro::apply(astro::kFrameBias, v)
                            : astro::apply_transposed(astro::kFrameBias, v);
  astro::to_array(w, pos2);
}

} // extern "C"
