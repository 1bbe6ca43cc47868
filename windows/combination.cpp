// combination.cpp - combining constraints' changes, instant by instant.
#include "combination.h"

namespace windows {

Combination::Combination(Op op, int inputs) : op_(op), inputs_(static_cast<std::size_t>(inputs), 0) {}

void Combination::set(int input, bool inside, Bound bound) {
  char &state = inputs_[static_cast<std::size_t>(input)];
  if (state == static_cast<char>(inside))
    return;
  state = static_cast<char>(inside);
  inside_count_ += inside ? 1 : -1;
  (inside ? came_in_ : went_out_) = bound;
}

Change Combination::settle() {
  const bool now = op_ == Op::all ? inside_count_ == static_cast<int>(inputs_.size())
                                  : inside_count_ > 0;
  Change c;
  if (now != inside_) {
    c.changed = true;
    c.inside = now;
    c.bound = now ? came_in_ : went_out_;
    inside_ = now;
  }
  came_in_ = went_out_ = nullptr;
  return c;
}

Stream::Event Stream::change(double t, const Change &c) {
  if (!c.changed || c.inside == open_)
    return Event::none;
  open_ = c.inside;
  if (c.inside) {
    ++count_;
    window_.start = {t, c.bound};
    window_.end = {t, c.bound};
    window_.pass = passes_ != nullptr ? passes_->pass() : count_;
    return Event::opened;
  }
  window_.end = {t, c.bound};
  if (t == window_.start.t) {
    --count_;
    return Event::dropped;
  }
  return Event::closed;
}

} // namespace windows
