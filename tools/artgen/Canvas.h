#pragma once
// Drawing helpers shared by every piece of artwork. Shapes are given in continuous
// coordinates (pixel (x, y) covers [x, x + 1) × [y, y + 1)) and drawn anti-aliased from a
// signed distance: negative inside, the edge pixel weighted by how much of it is covered.
// Pixels are blended with LICE_PutPixel (COPY at the coverage weight), so the result is the
// same on every run.

#include "LICE.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace artgen {

struct Box {
  double l, t, r, b;
  double Width() const { return r - l; }
  double Height() const { return b - t; }
  double CentreX() const { return (l + r) / 2; }
  double CentreY() const { return (t + b) / 2; }
  Box Inset(double d) const { return {l + d, t + d, r - d, b - d}; }
  Box Shift(double dx, double dy) const { return {l + dx, t + dy, r + dx, b + dy}; }
};

// An opaque raster filled with one colour.
std::unique_ptr<LICE_MemBitmap> NewRaster(int w, int h, LICE_pixel fill);

// Linear mix of two colours, t in 0..1 (0 gives a).
LICE_pixel Mix(LICE_pixel a, LICE_pixel b, double t);
// The colour scaled towards black (f < 1) or white (f > 1 moves by f − 1 towards white).
LICE_pixel Shade(LICE_pixel c, double f);

// Signed distances.
double RoundRectDistance(double x, double y, const Box& box, double radius);
double CircleDistance(double x, double y, double cx, double cy, double r);
// A line segment of the given width with round ends.
double CapsuleDistance(double x, double y, double x1, double y1, double x2, double y2,
                       double width);
// A ring of the given width around radius r, from angle a0 to a1 (radians clockwise from
// twelve o'clock), with round ends.
double ArcDistance(double x, double y, double cx, double cy, double r, double width, double a0,
                   double a1);

// Blends colour(x, y) over every pixel of `area` that the shape covers, times opacity.
template <class Distance, class Colour>
void Paint(LICE_IBitmap* bm, const Box& area, Distance&& distance, Colour&& colour,
           double opacity = 1.0) {
  const int l = std::max(0, int(std::floor(area.l))), t = std::max(0, int(std::floor(area.t)));
  const int r = std::min(bm->getWidth(), int(std::ceil(area.r)));
  const int b = std::min(bm->getHeight(), int(std::ceil(area.b)));
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) {
      const double cover = std::clamp(0.5 - distance(x + 0.5, y + 0.5), 0.0, 1.0) * opacity;
      if (cover > 0) LICE_PutPixel(bm, x, y, colour(x + 0.5, y + 0.5), float(cover), 0);
    }
}

// One-colour shapes.
void FillRoundRect(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel c,
                   double opacity = 1.0);
void StrokeRoundRect(LICE_IBitmap* bm, const Box& box, double radius, double width, LICE_pixel c,
                     double opacity = 1.0);
void FillCircle(LICE_IBitmap* bm, double cx, double cy, double r, LICE_pixel c,
                double opacity = 1.0);
void StrokeLine(LICE_IBitmap* bm, double x1, double y1, double x2, double y2, double width,
                LICE_pixel c, double opacity = 1.0);
// A polyline drawn as one shape, so its joints are not blended twice.
struct Point {
  double x, y;
};
void StrokePolyline(LICE_IBitmap* bm, const std::vector<Point>& points, double width, LICE_pixel c,
                    double opacity = 1.0);
void StrokeArc(LICE_IBitmap* bm, double cx, double cy, double r, double width, double a0, double a1,
               LICE_pixel c, double opacity = 1.0);
// A round rectangle shaded from top to bottom.
void FillRoundRectVertical(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel top,
                           LICE_pixel bottom, double opacity = 1.0);
// Rows y0 .. y1 − 1 of the whole width, shaded from top to bottom.
void FillVertical(LICE_IBitmap* bm, int y0, int y1, LICE_pixel top, LICE_pixel bottom);

// A recess inside the box: a darker well with a shadow along its top and a lit lip along its
// bottom.
void DrawWell(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel face);
// A raised plate: lit along the top edge, shadowed below.
void DrawPlate(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel top, LICE_pixel bottom);
// A knob's round body of radius r: its drop shadow shifted down by shadowDy, a rim, and a face
// lit from above.
void DrawKnobBody(LICE_IBitmap* bm, double cx, double cy, double r, double shadowDy,
                  double shadowOpacity);
// A small lamp: a glow of the colour around a bright core, or a dark unlit lens.
void DrawLamp(LICE_IBitmap* bm, double cx, double cy, double r, LICE_pixel colour, bool lit);

// Copies the w × h pixels at (x, y) of src into a new raster.
std::unique_ptr<LICE_MemBitmap> Crop(LICE_IBitmap* src, int x, int y, int w, int h);
// Whether the w × h pixels at (ax, ay) of a and (bx, by) of b are the same.
bool SameArea(LICE_IBitmap* a, int ax, int ay, LICE_IBitmap* b, int bx, int by, int w, int h);

}  // namespace artgen
