// frame_bias.h - the frame bias between the dynamical J2000 frame and the
// GCRS, in NOVAS 3.1's first-order form.  Internal to the astro library.
#ifndef KIT_ASTRO_FRAME_BIAS_H
#define KIT_ASTRO_FRAME_BIAS_H

#include "constants.h"
#include "vector.h"

namespace astro {

namespace bias {
// The bias angles xi0, eta0 and d alpha0, radians.
inline constexpr double kXi0 = -0.0166170 * kArcsecToRad;
inline constexpr double kEta0 = -0.0068192 * kArcsecToRad;
inline constexpr double kDa0 = -0.01460 * kArcsecToRad;
} // namespace bias

// The frame-bias matrix B, dynamical J2000 -> GCRS (B . v; B^T goes the
// other way): first order in the bias angles off the diagonal, second order
// on it.  ERFA's bias matrices are built from other angles and exact
// rotations and differ from B by up to 1e-12 per element, which moves
// station positions by micrometres.
//
// Reference: Kaplan, G. 2005, USNO Circular 179, eq. 3.3.
inline constexpr Mat3 kFrameBias = {
    {{1.0 - 0.5 * (bias::kDa0 * bias::kDa0 + bias::kXi0 * bias::kXi0),
      -bias::kDa0, bias::kXi0},
     {bias::kDa0,
      1.0 - 0.5 * (bias::kDa0 * bias::kDa0 + bias::kEta0 * bias::kEta0),
      bias::kEta0},
     {-bias::kXi0, -bias::kEta0,
      1.0 - 0.5 * (bias::kEta0 * bias::kEta0 + bias::kXi0 * bias::kXi0)}}};

} // namespace astro

#endif
