// rotation_per_vector.cpp - ter2cel_batch by one ter2cel call per vector,
// every model evaluated afresh each time: the implementation of the
// extension for a build against a real NOVAS 3.1, and the straightforward
// path the kit's own implementation is compared with.  It needs nothing
// but the NOVAS interface.
#include "novas_kit.h"

extern "C" {

/*
**  ter2cel_batch: n vectors rotated by n ter2cel calls.
**
**  Given, Returned: as the kit's own ter2cel_batch (novas_kit.h); the
**  stream is ignored.
**
**  Returned (function value):
**     short   0, or the status of the first failing ter2cel call, before
**             any vector is written (the selectors are the same for every
**             call)
*/
short int ter2cel_batch(double jd_ut_high, double jd_ut_low, double delta_t,
                        short int method, short int accuracy,
                        short int option, double xp, double yp, int n,
                        const double (*vec1)[3], double (*vec2)[3],
                        ter2cel_stream *) {
  for (int i = 0; i < n; ++i) {
    double in[3] = {vec1[i][0], vec1[i][1], vec1[i][2]};
    const short int status = ter2cel(jd_ut_high, jd_ut_low, delta_t, method,
                                     accuracy, option, xp, yp, in, vec2[i]);
    if (status != 0)
      return status;
  }
  return 0;
}

} // extern "C"
