// The committed strips change from frame to frame the way the controls read them. That they
// decode to the sizes and places the layout expects is pinned by the built editor's tests.
#include "LICE.h"
#include "LICE_PNG.h"
#include "product/TundraxLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace layout = tundrax::layout;

namespace {
struct Strip {
  std::unique_ptr<LICE_IBitmap> bitmap;
  int frames = 0;
  int FrameWidth() const { return bitmap->getWidth(); }
  int FrameHeight() const { return bitmap->getHeight() / frames; }
};

// Every resource decoded, by id.
const std::map<int, Strip>& Strips() {
  static const std::map<int, Strip> strips = [] {
    std::map<int, Strip> all;
    for (const layout::Resource& r : layout::kResources) {
      const std::string path = std::string(TUNDRAX_RESOURCE_DIR) + "/" + r.file;
      all[r.id] = Strip{std::unique_ptr<LICE_IBitmap>(LICE_LoadPNG(path.c_str())), r.frames};
    }
    return all;
  }();
  return strips;
}

RECT ControlRect(const layout::Control& c) {
  if (c.right > 0) return {c.x, c.y, c.right, c.bottom};
  const Strip& s = Strips().at(c.resource);
  return {c.x, c.y, c.x + s.FrameWidth(), c.y + s.FrameHeight()};
}

std::string Describe(int index) {
  const layout::Control& c = layout::kControls[index];
  const RECT r = ControlRect(c);
  return "control " + std::to_string(index + 1) + " (" + layout::FindResource(c.resource)->file +
         ") at (" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

// Pixels of frame a that differ from frame b.
int DifferingPixels(const Strip& s, int a, int b) {
  int n = 0;
  for (int y = 0; y < s.FrameHeight(); ++y)
    for (int x = 0; x < s.FrameWidth(); ++x)
      n += LICE_GetPixel(s.bitmap.get(), x, a * s.FrameHeight() + y) !=
           LICE_GetPixel(s.bitmap.get(), x, b * s.FrameHeight() + y);
  return n;
}
}  // namespace

TEST(Artwork, FramesChangeTheWayTheControlsReadThem) {
  // Neighbouring frames of every strip differ (no frame drawn twice or left blank).
  for (const layout::Resource& r : layout::kResources) {
    const Strip& s = Strips().at(r.id);
    ASSERT_NE(s.bitmap, nullptr) << r.file << " does not decode";
    for (int f = 1; f < r.frames; ++f)
      EXPECT_GT(DifferingPixels(s, f, f - 1), 0)
          << r.file << " frames " << f << " and " << f + 1 << " are the same";
  }
  // Meters fill from empty (frame 1) to full (frame 101): each frame lights at least what the
  // one before it did, and a full meter is well lit.
  for (int id : {layout::kMeterGainReduction, layout::kMeterOutput}) {
    const Strip& s = Strips().at(id);
    int lit = 0;
    for (int f = 1; f < s.frames; ++f) {
      const int now = DifferingPixels(s, f, 0);
      EXPECT_GE(now, lit) << layout::FindResource(id)->file << " frame " << f + 1;
      lit = now;
    }
    EXPECT_GT(lit, s.FrameWidth() * s.FrameHeight() / 2) << layout::FindResource(id)->file;
  }
}

namespace {
int Luminance(LICE_pixel p) { return int(LICE_GETR(p) * 3 + LICE_GETG(p) * 6 + LICE_GETB(p)) / 10; }

// Columns of the background's row y, between x0 and x1, that stand out from the panel: the
// scale's ticks.
std::vector<int> TickColumns(int y, int x0, int x1) {
  LICE_IBitmap* bg = Strips().at(layout::kBackground).bitmap.get();
  const int panel = Luminance(LICE_GetPixel(bg, x0 - 12, y));
  std::vector<int> ticks;
  for (int x = x0; x < x1; ++x)
    if (Luminance(LICE_GetPixel(bg, x, y)) > panel + 40) ticks.push_back(x);
  return ticks;
}

// The lit part of meter frame f (0-based) against the empty frame: its first and last column.
std::pair<int, int> LitColumns(const Strip& s, int f) {
  int first = s.FrameWidth(), last = -1;
  for (int x = 0; x < s.FrameWidth(); ++x)
    for (int y = 0; y < s.FrameHeight(); ++y)
      if (LICE_GetPixel(s.bitmap.get(), x, f * s.FrameHeight() + y) !=
          LICE_GetPixel(s.bitmap.get(), x, y)) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}
}  // namespace

TEST(Artwork, MeterScalesOnTheBackgroundLineUpWithTheStripsFrames) {
  // Frame 1 + 100 · (level + 48) / 48 shows the level; at every 12 dB that frame is exact.
  // The output meter lights from the left, so its lit part ends at the level's tick (the
  // scale sits above it); the gain-reduction meter lights from the right and starts there
  // (the scale sits below it).
  for (const int index : {layout::kOutputMeterControl, layout::kGainReductionMeterControl}) {
    const layout::Control& meter = layout::kControls[index];
    const Strip& s = Strips().at(meter.resource);
    const bool fromRight = meter.resource == layout::kMeterGainReduction;
    const RECT r = ControlRect(meter);
    const std::vector<int> ticks =
        TickColumns(fromRight ? r.bottom + 3 : r.top - 4, r.left, r.right);
    ASSERT_EQ(ticks.size(), 9u) << Describe(index) << ": a tick every 6 dB from -48 to 0";
    for (int db = 12; db <= 48; db += 12) {
      const int frame = 100 * db / 48;  // 0-based: db from the empty end
      const auto [first, last] = LitColumns(s, frame);
      const int edge = fromRight ? r.left + first - 1 : r.left + last + 1;
      const int tick = fromRight ? ticks[size_t(8 - db / 6)] : ticks[size_t(db / 6)];
      EXPECT_LE(std::abs(edge - tick), 1) << Describe(index) << " frame " << frame + 1
                                          << " ends at x " << edge << ", its tick is at " << tick;
    }
  }
}

TEST(Artwork, KnobPointerTurnsClockwiseFromLowerLeftToLowerRight) {
  // The pointer is the only near-white ink in a frame; its centre of mass, relative to the
  // frame's centre, shows where it points.
  const Strip& knob = Strips().at(layout::kCompressorKnob);
  auto pointer = [&](int frame) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < knob.FrameHeight(); ++y)
      for (int x = 0; x < knob.FrameWidth(); ++x)
        if (Luminance(LICE_GetPixel(knob.bitmap.get(), x, frame * knob.FrameHeight() + y)) > 200)
          sx += x + 0.5, sy += y + 0.5, ++n;
    const double c = knob.FrameWidth() / 2.0;
    return n ? std::make_pair(sx / n - c, sy / n - c) : std::make_pair(0.0, 0.0);
  };
  const auto [x0, y0] = pointer(0);       // −135°
  const auto [xMid, yMid] = pointer(50);  // 0°
  const auto [x1, y1] = pointer(100);     // +135°
  EXPECT_TRUE(x0 < -3 && y0 > 3) << "first frame points to " << x0 << ", " << y0;
  EXPECT_TRUE(std::abs(xMid) < 1.5 && yMid < -5)
      << "middle frame points to " << xMid << ", " << yMid;
  EXPECT_TRUE(x1 > 3 && y1 > 3) << "last frame points to " << x1 << ", " << y1;
  EXPECT_NEAR(x0, -x1, 1.0) << "the ends are not symmetric";
}

// Which control binds which parameter, and where each lies, is pinned by the built editor's
// tests; only the Threshold knob (parameter 13) shows its value negated.
TEST(Artwork, OnlyTheThresholdKnobNegatesItsValue) {
  for (const layout::Control& c : layout::kControls) EXPECT_EQ(c.negateDisplay, c.param == 13);
}
