#include "Canvas.h"

#include "Palette.h"

#include <numbers>

namespace artgen {
namespace {
constexpr double kPi = std::numbers::pi;

unsigned Lerp(unsigned a, unsigned b, double t) {
  return unsigned(std::lround(double(a) + (double(b) - double(a)) * t));
}
}  // namespace

std::unique_ptr<LICE_MemBitmap> NewRaster(int w, int h, LICE_pixel fill) {
  auto bm = std::make_unique<LICE_MemBitmap>(w, h);
  LICE_ClearRect(bm.get(), 0, 0, w, h, 0, fill);
  return bm;
}

LICE_pixel Mix(LICE_pixel a, LICE_pixel b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return LICE_ARGB(Lerp(LICE_GETA(a), LICE_GETA(b), t), Lerp(LICE_GETR(a), LICE_GETR(b), t),
                   Lerp(LICE_GETG(a), LICE_GETG(b), t), Lerp(LICE_GETB(a), LICE_GETB(b), t));
}

LICE_pixel Shade(LICE_pixel c, double f) {
  if (f <= 1.0) return Mix(LICE_ARGB(LICE_GETA(c), 0, 0, 0), c, f);
  return Mix(c, LICE_ARGB(LICE_GETA(c), 255, 255, 255), f - 1.0);
}

double RoundRectDistance(double x, double y, const Box& box, double radius) {
  const double hw = box.Width() / 2 - radius, hh = box.Height() / 2 - radius;
  const double qx = std::fabs(x - box.CentreX()) - hw, qy = std::fabs(y - box.CentreY()) - hh;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double CircleDistance(double x, double y, double cx, double cy, double r) {
  return std::hypot(x - cx, y - cy) - r;
}

double CapsuleDistance(double x, double y, double x1, double y1, double x2, double y2,
                       double width) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy)) - width / 2;
}

double ArcDistance(double x, double y, double cx, double cy, double r, double width, double a0,
                   double a1) {
  const double dx = x - cx, dy = y - cy;
  double a = std::atan2(dx, -dy);  // clockwise from twelve o'clock, −π .. π
  const double mid = (a0 + a1) / 2;
  while (a < mid - kPi) a += 2 * kPi;
  while (a > mid + kPi) a -= 2 * kPi;
  if (a >= a0 && a <= a1) return std::fabs(std::hypot(dx, dy) - r) - width / 2;
  // Past an end: the distance to that end's cap.
  const double end = a < a0 ? a0 : a1;
  const double ex = cx + r * std::sin(end), ey = cy - r * std::cos(end);
  return std::hypot(x - ex, y - ey) - width / 2;
}

void FillRoundRect(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel c, double opacity) {
  Paint(
      bm, box.Inset(-1), [&](double x, double y) { return RoundRectDistance(x, y, box, radius); },
      [&](double, double) { return c; }, opacity);
}

void StrokeRoundRect(LICE_IBitmap* bm, const Box& box, double radius, double width, LICE_pixel c,
                     double opacity) {
  // The stroke lies inside the box.
  const Box mid = box.Inset(width / 2);
  Paint(
      bm, box.Inset(-1),
      [&](double x, double y) {
        return std::fabs(RoundRectDistance(x, y, mid, std::max(0.0, radius - width / 2))) -
               width / 2;
      },
      [&](double, double) { return c; }, opacity);
}

void FillCircle(LICE_IBitmap* bm, double cx, double cy, double r, LICE_pixel c, double opacity) {
  Paint(
      bm, {cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1},
      [&](double x, double y) { return CircleDistance(x, y, cx, cy, r); },
      [&](double, double) { return c; }, opacity);
}

void StrokeLine(LICE_IBitmap* bm, double x1, double y1, double x2, double y2, double width,
                LICE_pixel c, double opacity) {
  const double m = width / 2 + 1;
  Paint(
      bm, {std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m, std::max(y1, y2) + m},
      [&](double x, double y) { return CapsuleDistance(x, y, x1, y1, x2, y2, width); },
      [&](double, double) { return c; }, opacity);
}

void StrokePolyline(LICE_IBitmap* bm, const std::vector<Point>& points, double width, LICE_pixel c,
                    double opacity) {
  if (points.size() < 2) return;
  Box area{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points)
    area = {std::min(area.l, p.x), std::min(area.t, p.y), std::max(area.r, p.x),
            std::max(area.b, p.y)};
  const double m = width / 2 + 1;
  Paint(
      bm, area.Inset(-m),
      [&](double x, double y) {
        double best = 1e9;
        for (size_t i = 0; i + 1 < points.size(); ++i) {
          const Point& a = points[i];
          const Point& b = points[i + 1];
          // Only segments near the pixel can be nearest.
          if (std::min(a.x, b.x) - m > x || std::max(a.x, b.x) + m < x) continue;
          best = std::min(best, CapsuleDistance(x, y, a.x, a.y, b.x, b.y, width));
        }
        return best;
      },
      [&](double, double) { return c; }, opacity);
}

void StrokeArc(LICE_IBitmap* bm, double cx, double cy, double r, double width, double a0, double a1,
               LICE_pixel c, double opacity) {
  const double m = r + width / 2 + 1;
  Paint(
      bm, {cx - m, cy - m, cx + m, cy + m},
      [&](double x, double y) { return ArcDistance(x, y, cx, cy, r, width, a0, a1); },
      [&](double, double) { return c; }, opacity);
}

void FillRoundRectVertical(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel top,
                           LICE_pixel bottom, double opacity) {
  Paint(
      bm, box.Inset(-1), [&](double x, double y) { return RoundRectDistance(x, y, box, radius); },
      [&](double, double y) { return Mix(top, bottom, (y - box.t) / box.Height()); }, opacity);
}

void FillVertical(LICE_IBitmap* bm, int y0, int y1, LICE_pixel top, LICE_pixel bottom) {
  for (int y = y0; y < y1; ++y)
    LICE_FillRect(bm, 0, y, bm->getWidth(), 1,
                  Mix(top, bottom, y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0.0), 1.0f, 0);
}

void DrawWell(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel face) {
  // All inside the box: the lit lip along the bottom, the dark rim, then the face.
  FillRoundRect(bm, box, radius, palette::kWellLip);
  FillRoundRect(bm, {box.l, box.t, box.r, box.b - 1}, radius, Shade(face, 0.55));
  FillRoundRect(bm, {box.l + 1, box.t + 1.5, box.r - 1, box.b - 1.5}, std::max(0.0, radius - 1),
                face);
}

void DrawPlate(LICE_IBitmap* bm, const Box& box, double radius, LICE_pixel top, LICE_pixel bottom) {
  FillRoundRect(bm, box.Shift(0, 1.5), radius, palette::kPanelEdgeDark, 0.7);
  FillRoundRectVertical(bm, box, radius, Shade(top, 1.25), Shade(bottom, 0.8));
  FillRoundRectVertical(bm, {box.l + 1, box.t + 1, box.r - 1, box.b - 1}, std::max(0.0, radius - 1),
                        top, bottom);
}

void DrawKnobBody(LICE_IBitmap* bm, double cx, double cy, double r, double shadowDy,
                  double shadowOpacity) {
  FillCircle(bm, cx, cy + shadowDy, r, Rgb(0, 0, 0), shadowOpacity);
  FillCircle(bm, cx, cy, r, palette::kKnobRim);
  const double face = r - 1;
  Paint(
      bm, {cx - r, cy - r, cx + r, cy + r},
      [&](double x, double y) { return CircleDistance(x, y, cx, cy, face); },
      [&](double, double y) {
        return Mix(palette::kKnobLight, palette::kKnobDark, (y - (cy - face)) / (2 * face));
      });
}

void DrawLamp(LICE_IBitmap* bm, double cx, double cy, double r, LICE_pixel colour, bool lit) {
  if (!lit) {
    FillCircle(bm, cx, cy + 0.5, r + 0.5, palette::kWellLip, 0.6);
    FillCircle(bm, cx, cy, r, palette::kWellDeep);
    FillCircle(bm, cx, cy, r - 1, Shade(colour, 0.22));
    FillCircle(bm, cx - r * 0.3, cy - r * 0.35, r * 0.35, Rgb(255, 255, 255), 0.08);
    return;
  }
  for (int i = 4; i >= 1; --i) FillCircle(bm, cx, cy, r + i * 1.2, colour, 0.07);
  FillCircle(bm, cx, cy, r, Shade(colour, 0.8));
  FillCircle(bm, cx, cy, r - 1, colour);
  FillCircle(bm, cx - r * 0.2, cy - r * 0.25, r * 0.45, Shade(colour, 1.6), 0.9);
}

std::unique_ptr<LICE_MemBitmap> Crop(LICE_IBitmap* src, int x, int y, int w, int h) {
  auto out = NewRaster(w, h, 0);
  LICE_Blit(out.get(), src, 0, 0, x, y, w, h, 1.0f, LICE_BLIT_MODE_COPY);
  return out;
}

bool SameArea(LICE_IBitmap* a, int ax, int ay, LICE_IBitmap* b, int bx, int by, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (LICE_GetPixel(a, ax + x, ay + y) != LICE_GetPixel(b, bx + x, by + y)) return false;
  return true;
}

}  // namespace artgen
