// astro.h - the one header through which the tools reach the astronomy
// library: the kit's own NOVAS 3.1 subset, or a real NOVAS 3.1 installation
// when the build is configured with KIT_NOVAS_PREFIX.  NOVAS is C code.
#ifndef KIT_ASTRO_API_H
#define KIT_ASTRO_API_H

extern "C" {
#include <novas.h>
}

#endif
