#include "LICE.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace lice;

// Shapes weight like fills: LICE_BLIT_USE_ALPHA folds the colour's alpha into the weight and
// the operator then works without source alpha. Each pixel gets weight · coverage.
namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct ShapePainter {
  RasterView view;
  LICE_pixel color;
  int weight;
  int mode;

  ShapePainter(LICE_IBitmap* bm, LICE_pixel c, float alpha, int m)
      : view(bm), color(c), weight(0), mode(m & ~LICE_BLIT_USE_ALPHA) {
    if (m & LICE_BLIT_USE_ALPHA) alpha *= float(LICE_GETA(c)) / 255.0f;
    weight = WeightOf(alpha);
  }
  bool active() const { return !view.empty() && weight > 0; }

  // Visits every pixel of the box [x0, x1] × [y0, y1] inside the raster and blends it with
  // the weight scaled by coverage(x, y) in 0..1.
  template <class Coverage>
  void Paint(double x0, double y0, double x1, double y1, Coverage&& coverage) const {
    const int l = int(std::max(std::ceil(x0), 0.0)), t = int(std::max(std::ceil(y0), 0.0));
    const int r = int(std::min(std::floor(x1), double(view.width - 1)));
    const int b = int(std::min(std::floor(y1), double(view.height - 1)));
    if (l > r || t > b) return;
    WithOperator(mode, [&](const auto& blend) {
      for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) {
          const int w = int(weight * std::clamp(coverage(x, y), 0.0, 1.0));
          if (w > 0) BlendAt(view, x, y, color, w, blend);
        }
    });
  }
};

// Coverage of a one-pixel outline at distance `off` from the ideal curve.
double OutlineCoverage(double off, bool aa) {
  off = std::fabs(off);
  return aa ? 1.0 - off : (off < 0.5 ? 1.0 : 0.0);
}

// Whether the clockwise-from-up angle of (dx, dy) lies in [lo, lo + span].
bool InSweep(double dx, double dy, double lo, double span) {
  if (span >= kTwoPi || (dx == 0 && dy == 0)) return true;  // the centre lies in every sweep
  double rel = std::fmod(std::atan2(dx, -dy) - lo, kTwoPi);
  if (rel < 0) rel += kTwoPi;
  return rel <= span;
}

// The part of the circle outline around (cx, cy) that lies in the box and in the sweep.
void PaintRing(const ShapePainter& p, double cx, double cy, double r, double x0, double y0,
               double x1, double y1, double lo, double span, bool aa) {
  p.Paint(x0, y0, x1, y1, [&](int x, int y) {
    const double dx = x - cx, dy = y - cy;
    if (!InSweep(dx, dy, lo, span)) return 0.0;
    return OutlineCoverage(std::hypot(dx, dy) - r, aa);
  });
}

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}
}  // namespace

void LICE_Arc(LICE_IBitmap* bitmap, float cx, float cy, float r, float minAngle, float maxAngle,
              LICE_pixel color, float alpha, int mode, bool aa) {
  const ShapePainter p(bitmap, color, alpha, mode);
  if (!p.active() || !Finite({cx, cy, r, minAngle, maxAngle}) || r < 0) return;
  double lo = minAngle, span = double(maxAngle) - minAngle;
  if (span < 0) lo = maxAngle, span = -span;
  const double reach = double(r) + 1.0;
  PaintRing(p, cx, cy, r, cx - reach, cy - reach, cx + reach, cy + reach, lo, span, aa);
}

void LICE_Circle(LICE_IBitmap* bitmap, float cx, float cy, float r, LICE_pixel color, float alpha,
                 int mode, bool aa) {
  LICE_Arc(bitmap, cx, cy, r, 0.0f, float(kTwoPi) + 1.0f, color, alpha, mode, aa);
}

void LICE_FillCircle(LICE_IBitmap* bitmap, float cx, float cy, float r, LICE_pixel color,
                     float alpha, int mode, bool aa) {
  const ShapePainter p(bitmap, color, alpha, mode);
  if (!p.active() || !Finite({cx, cy, r}) || r < 0) return;
  const double reach = double(r) + 1.0;
  p.Paint(cx - reach, cy - reach, cx + reach, cy + reach, [&](int x, int y) {
    const double dist = std::hypot(x - double(cx), y - double(cy));
    return aa ? double(r) + 0.5 - dist : (dist <= r ? 1.0 : 0.0);
  });
}

void LICE_RoundRect(LICE_IBitmap* bitmap, float x, float y, float w, float h, int radius,
                    LICE_pixel color, float alpha, int mode, bool aa) {
  const ShapePainter p(bitmap, color, alpha, mode);
  if (!p.active() || !Finite({x, y, w, h}) || w < 0 || h < 0) return;
  const double l = std::round(x), t = std::round(y), rt = l + std::round(w), b = t + std::round(h);
  const double r = std::clamp(double(radius), 0.0, std::floor(std::min(rt - l, b - t) / 2));
  const double pi = std::numbers::pi;

  // Corners: quarter outlines in boxes reaching one pixel outside for the anti-aliased edge.
  // The right and lower boxes start past the left and upper ones so no pixel is drawn twice.
  const double rightBox = std::max(rt - r, l + r + 1), lowerBox = std::max(b - r, t + r + 1);
  PaintRing(p, l + r, t + r, r, l - 1, t - 1, l + r, t + r, -pi / 2, pi / 2, aa);
  PaintRing(p, rt - r, t + r, r, rightBox, t - 1, rt + 1, t + r, 0, pi / 2, aa);
  PaintRing(p, rt - r, b - r, r, rightBox, lowerBox, rt + 1, b + 1, pi / 2, pi / 2, aa);
  PaintRing(p, l + r, b - r, r, l - 1, lowerBox, l + r, b + 1, pi, pi / 2, aa);

  // Straight edges between the corners (empty when the corners meet).
  auto edge = [&](double x0, double y0, double x1, double y1) {
    p.Paint(x0, y0, x1, y1, [](int, int) { return 1.0; });
  };
  edge(l + r + 1, t, rt - r - 1, t);
  edge(l + r + 1, b, rt - r - 1, b);
  edge(l, t + r + 1, l, b - r - 1);
  edge(rt, t + r + 1, rt, b - r - 1);
}

void LICE_FillConvexPolygon(LICE_IBitmap* bitmap, const int* x, const int* y, int n,
                            LICE_pixel color, float alpha, int mode) {
  const ShapePainter p(bitmap, color, alpha, mode);
  if (!p.active() || !x || !y || n < 1) return;
  const int top = std::max(*std::min_element(y, y + n), 0);
  const int bottom = std::min(*std::max_element(y, y + n), p.view.height - 1);
  for (int row = top; row <= bottom; ++row) {
    // The leftmost and rightmost crossings of the polygon's edges with this row.
    double left = INFINITY, right = -INFINITY;
    for (int i = 0; i < n; ++i) {
      const int j = (i + 1) % n;
      const double xa = x[i], ya = y[i], xb = x[j], yb = y[j];
      if (row < std::min(ya, yb) || row > std::max(ya, yb)) continue;
      if (ya == yb) {
        left = std::min({left, xa, xb});
        right = std::max({right, xa, xb});
        continue;
      }
      const double cross = xa + (row - ya) * (xb - xa) / (yb - ya);
      left = std::min(left, cross);
      right = std::max(right, cross);
    }
    if (left <= right)
      p.Paint(std::ceil(left - 1e-9), row, std::floor(right + 1e-9), row,
              [](int, int) { return 1.0; });
  }
}

void LICE_FillTriangle(LICE_IBitmap* bitmap, int x1, int y1, int x2, int y2, int x3, int y3,
                       LICE_pixel color, float alpha, int mode) {
  const int xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
  LICE_FillConvexPolygon(bitmap, xs, ys, 3, color, alpha, mode);
}
