// rotation_stream.cpp - ter2cel_stream_init, the start of a stream of
// dates, common to both implementations of ter2cel_batch.
#include <cmath>

#include "novas_kit.h"

extern "C" {

/*
**  ter2cel_stream_init: a stream with no interval fitted yet.
**
**  Returned:
**     stream   ter2cel_stream*   interval index NaN, which equals no index,
**                                so the first date fits its interval;
**                                coefficients zero.  The per-vector
**                                implementation leaves the stream unused.
*/
void ter2cel_stream_init(ter2cel_stream *stream) {
  stream->interval = std::nan("");
  for (auto &row : stream->coef)
    for (double &c : row)
      c = 0.0;
}

} // extern "C"
