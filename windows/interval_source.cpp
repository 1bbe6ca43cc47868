// interval_source.cpp - sources of windows, gates and combined sources.
#include "interval_source.h"

#include <algorithm>
#include <limits>

namespace windows {

bool ListSource::next(Interval &w) {
  if (at_ >= windows_.size())
    return false;
  w = windows_[at_++];
  return true;
}

// The windows known up to t at least, those wholly before it dropped but
// the last.
void Gate::fill(double t) {
  source_.reach(t);
  Interval w;
  while (!done_ && (windows_.empty() || windows_.back().end.t < t)) {
    if (source_.next(w))
      windows_.push_back(w);
    else
      done_ = true;
  }
}

bool Gate::inside_at(double t) {
  fill(t);
  for (const Interval &w : windows_)
    if (w.start.t <= t && t <= w.end.t)
      return true;
  return false;
}

void Gate::changes(double from, double to, std::vector<GateChange> &out) {
  fill(to);
  while (!windows_.empty() && windows_.front().end.t < from)
    windows_.pop_front();
  for (const Interval &w : windows_) {
    if (w.start.t > from && w.start.t <= to)
      out.push_back({w.start.t, true, w.start.bound});
    if (w.end.t > from && w.end.t <= to)
      out.push_back({w.end.t, false, w.end.bound});
  }
}

CombinedSource::CombinedSource(Combination::Op op, IntervalSource &first,
                               IntervalSource &second, bool pass_of_first)
    : inputs_{{&first}, {&second}}, combination_(op, 2), pass_of_first_(pass_of_first) {}

void CombinedSource::reach(double t) {
  for (Input &in : inputs_)
    in.source->reach(t);
}

void CombinedSource::pull(Input &in) {
  in.have = in.source->next(in.window);
  in.started = false;
}

bool CombinedSource::next(Interval &w) {
  if (!pulled_) {
    for (Input &in : inputs_)
      pull(in);
    pulled_ = true;
  }
  for (;;) {
    double t = std::numeric_limits<double>::infinity();
    for (const Input &in : inputs_)
      if (in.have)
        t = std::min(t, in.next_t());
    if (!(t < std::numeric_limits<double>::infinity()))
      return false;
    // Every edge at t, each input's in its own order.
    for (int k = 0; k < 2; ++k) {
      Input &in = inputs_[k];
      while (in.have && in.next_t() == t) {
        if (!in.started) {
          combination_.set(k, true, in.window.start.bound);
          in.started = true;
          if (k == 0)
            first_pass_ = in.window.pass;
        } else {
          combination_.set(k, false, in.window.end.bound);
          pull(in);
        }
      }
    }
    const Stream::Event e = stream_.change(t, combination_.settle());
    if (e == Stream::Event::opened)
      open_pass_ = pass_of_first_ ? first_pass_ : stream_.window().pass;
    if (e == Stream::Event::closed) {
      w = stream_.window();
      w.pass = open_pass_;
      return true;
    }
  }
}

std::vector<Interval> combine(Combination::Op op, const std::vector<Interval> &first,
                              const std::vector<Interval> &second, bool pass_of_first) {
  ListSource a(first), b(second);
  CombinedSource c(op, a, b, pass_of_first);
  std::vector<Interval> out;
  for (Interval w; c.next(w);)
    out.push_back(w);
  return out;
}

} // namespace windows
