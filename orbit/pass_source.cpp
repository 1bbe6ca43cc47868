// pass_source.cpp - tracking windows pulled from an orbit file.
#include "pass_source.h"

#include "failure.h"

namespace tracking {

namespace {

SearchSettings one_stream(SearchSettings s, int stream) {
  for (int k = 0; k < kStreamCount; ++k)
    s.wanted[k] = k == stream;
  for (bool &a : s.antennas)
    a = false;
  s.gate = nullptr;
  s.track_step = 0.0;
  return s;
}

} // namespace

PassSource::PassSource(const std::string &path, const SearchSettings &settings, int stream,
                       std::string option)
    : stream_(stream), option_(std::move(option)), file_([this, &path] {
        try {
          return OrbitFile(path);
        } catch (const kit::Failure &e) {
          throw kit::Failure(option_ + ": " + e.what());
        }
      }()),
      search_(one_stream(settings, stream), *this) {}

void PassSource::window(const Window &w) {
  if (w.stream == stream_)
    ready_.push_back({{w.aos.t, w.aos_bound}, {w.los.t, w.los_bound}, w.pass});
}

bool PassSource::next(windows::Interval &w) {
  try {
    StateNode node;
    while (ready_.empty() && !done_) {
      if (!file_.next(node)) {
        search_.finish();
        done_ = true;
      } else if (!search_.add(node)) {
        done_ = true;
      }
    }
  } catch (const kit::Failure &e) {
    throw kit::Failure(option_ + ": " + e.what());
  }
  if (ready_.empty())
    return false;
  w = ready_.front();
  ready_.pop_front();
  return true;
}

} // namespace tracking
