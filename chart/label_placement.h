// label_placement.h - which of a chart's labels to write: none over
// another, none beyond the frame (the chart library).
#ifndef KIT_CHART_LABEL_PLACEMENT_H
#define KIT_CHART_LABEL_PLACEMENT_H

#include <vector>

namespace chart {

// A label's box in pixels: the centre of its foot (x, y, y growing up),
// its width and height; and its rank (the higher one is kept first).
struct LabelBox {
  double x, y;
  double width, height;
  double rank;
};

// A frame in pixels: left, right, bottom, top.
struct Frame {
  double left, right, bottom, top;
};

// ---------------------------------------------------------------------------
// place_labels: the labels to write.
//
// Given:   boxes  the labels wanted; frame  the plot's
// Returned (function value):
//   for each box, whether it is written: taken in order of rank (the
//   earlier of equal ranks first), a box is written when it lies wholly
//   inside the frame and meets no box already written (boxes that only
//   touch do not meet).  So no two written labels overlap and none leaves
//   the frame; the rest are marked without text.
// ---------------------------------------------------------------------------
std::vector<bool> place_labels(const std::vector<LabelBox> &boxes, const Frame &frame);

} // namespace chart

#endif
