// rotation_stream.cpp - ter2cel_stream_init, the start of a stream of
// dates, common to both implementations of ter2cel_batch.
#include <cmath>

#include "novas_kit.h"

extern "C" {

/*
**  ter2cel_stream_init: a stream with no interval fitted yet.
**
**  Returned:
**     stream   ter2cel_stream*   half-day intervals; interval index NaN,
**                                which equals no index, so the first date
**                                fits its interval; coefficients zero.
**                                The implementation made of NOVAS calls
**                                leaves the stream unused.
*/
void ter2cel_stream_init(ter2cel_stream *stream) {
  ter2cel_stream_init_span(stream, 0.5);
}

/*
**  ter2cel_stream_init_span: a stream of intervals of a given length.
**
**  Given:
**     span_days  double            days per fitted interval; a span below
**                                  half a day, or not a number, is half a
**                                  day
**  Returned:
**     stream     ter2cel_stream*   as from ter2cel_stream_init, fitting
**                                  intervals of span_days
*/
void ter2cel_stream_init_span(ter2cel_stream *stream, double span_days) {
  stream->span = span_days >= 0.5 ? span_days : 0.5;
  stream->interval = std::nan("");
  for (auto &row : stream->coef)
    for (double &c : row)
      c = 0.0;
}

} // extern "C"
