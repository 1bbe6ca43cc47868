// math_constants.h - the kit's one value of pi.
#ifndef KIT_COMMON_MATH_CONSTANTS_H
#define KIT_COMMON_MATH_CONSTANTS_H

namespace kit {

// The double nearest pi, 3.141592653589793.
inline constexpr double kPi = 3.141592653589793238462643;

} // namespace kit

#endif
