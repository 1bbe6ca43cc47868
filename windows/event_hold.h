// event_hold.h - events held until a search has moved past their instant,
// so that those of a window of no length can be taken back and the rest
// reach their reader in time order (the windows library).
#ifndef KIT_WINDOWS_EVENT_HOLD_H
#define KIT_WINDOWS_EVENT_HOLD_H

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

namespace windows {

// ---------------------------------------------------------------------------
// EventHold: events of type E, each with its instant, emitted in
// nondecreasing time; an event is handed to `deliver` once an event of a
// later instant is emitted (or release_all is called), and until then may
// be taken back with drop().
// ---------------------------------------------------------------------------
template <class E> class EventHold {
public:
  explicit EventHold(std::function<void(const E &)> deliver) : deliver_(std::move(deliver)) {}

  void emit(double t, const E &e) {
    release(t);
    held_.push_back({t, e});
  }

  // Takes back the held events that `which` names.
  void drop(const std::function<bool(double, const E &)> &which) {
    held_.erase(std::remove_if(held_.begin(), held_.end(),
                               [&](const Held &h) { return which(h.t, h.e); }),
                held_.end());
  }

  void release_all() { release(std::numeric_limits<double>::infinity()); }

private:
  struct Held {
    double t;
    E e;
  };
  void release(double before) {
    std::size_t n = 0;
    while (n < held_.size() && held_[n].t < before)
      deliver_(held_[n++].e);
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(n));
  }

  std::function<void(const E &)> deliver_;
  std::vector<Held> held_;
};

} // namespace windows

#endif
