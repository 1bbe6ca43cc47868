// label_placement.cpp - labels taken by rank where they fit.
#include "label_placement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace chart {

std::vector<bool> place_labels(const std::vector<LabelBox> &boxes, const Frame &frame) {
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return boxes[a].rank > boxes[b].rank;
  });
  std::vector<bool> written(boxes.size(), false);
  // The written boxes by their left edge: a box can meet only those whose
  // left edge lies within the widest width of its own.
  std::vector<std::size_t> placed;
  double widest = 0.0;
  for (const std::size_t i : order) {
    const LabelBox &b = boxes[i];
    const double left = b.x - b.width / 2, right = b.x + b.width / 2;
    if (!(left >= frame.left && right <= frame.right && b.y >= frame.bottom &&
          b.y + b.height <= frame.top))
      continue;
    const auto from = std::lower_bound(placed.begin(), placed.end(), left - widest,
                                       [&](std::size_t k, double x) {
                                         return boxes[k].x - boxes[k].width / 2 < x;
                                       });
    bool meets = false;
    for (auto k = from; k != placed.end() && !meets; ++k) {
      const LabelBox &o = boxes[*k];
      if (o.x - o.width / 2 >= right)
        break;
      meets = o.x + o.width / 2 > left && o.y < b.y + b.height && b.y < o.y + o.height;
    }
    if (meets)
      continue;
    written[i] = true;
    widest = std::max(widest, b.width);
    placed.insert(std::lower_bound(placed.begin(), placed.end(), left,
                                   [&](std::size_t k, double x) {
                                     return boxes[k].x - boxes[k].width / 2 < x;
                                   }),
                  i);
  }
  return written;
}

} // namespace chart
