// pass_source.h - the spacecraft's tracking windows as windows another
// search pulls as it goes: passwindows' search of an orbit file, read as
// far as the windows asked for need (the visibility library).
#ifndef KIT_ORBIT_PASS_SOURCE_H
#define KIT_ORBIT_PASS_SOURCE_H

#include <deque>
#include <string>

#include "interval_source.h"
#include "orbit_file.h"
#include "pass_search.h"

namespace tracking {

// ---------------------------------------------------------------------------
// PassSource: the windows of one stream of passwindows' search (TS1, TS2,
// any or both) of an orbit file, with the search's settings (minimum
// elevations, masks, the span), each edge named as passwindows names it.
// The file is read record by record as windows are asked for; a fault in
// it throws kit::Failure as OrbitFile names it, behind `option` ("--tracked:
// 'F': line N: ...").
// ---------------------------------------------------------------------------
class PassSource : public windows::IntervalSource, private WindowSink {
public:
  PassSource(const std::string &path, const SearchSettings &settings, int stream,
             std::string option);
  bool next(windows::Interval &w) override;

private:
  void window(const Window &w) override;
  void event(const PassEvent &) override {}

  int stream_;
  std::string option_;
  OrbitFile file_;
  PassSearch search_;
  bool done_ = false;
  std::deque<windows::Interval> ready_;
};

} // namespace tracking

#endif
