// Anti-aliased shapes drawn into masks: polygons, ellipses, rounded rectangles and thick lines.
#pragma once

#include <vector>

#include "mask.h"

namespace assetgen {

struct Pt {
  float x = 0, y = 0;
};

// Each adds coverage (max with what is there) of value `v`. Coordinates in pixels, (0, 0) the
// top-left corner of the first pixel. With wrap the shape wraps around the mask's edges.
void FillPolygon(Mask& m, const std::vector<Pt>& pts, float v = 1.0f, bool wrap = false);
void FillEllipse(Mask& m, float cx, float cy, float rx, float ry, float v = 1.0f, bool wrap = false);
void FillRect(Mask& m, float x0, float y0, float x1, float y1, float v = 1.0f, bool wrap = false);
void FillRoundRect(Mask& m, float x0, float y0, float x1, float y1, float radius, float v = 1.0f);
void StrokeLine(Mask& m, float x0, float y0, float x1, float y1, float width, float v = 1.0f,
                bool wrap = false);

}  // namespace assetgen
