// PNG decoding: every colour type and bit depth round-trips to A, R, G, B bytes; broken files
// give null without leaking (run under ASan).
#include "LICE_PNG.h"
#include "PngWriter.h"
#include "RasterTestSupport.h"

#include <zlib.h>

#include <memory>

using namespace rastertest;

namespace {
struct Format {
  int colorType;
  int bitDepth;
  bool transparency;
  bool interlaced;
};

int To8(const PngImage& im, uint16_t v) {
  if (im.bitDepth == 16) return v >> 8;
  if (im.bitDepth == 8 || im.colorType == PNG_COLOR_TYPE_PALETTE) return v;
  return v * 255 / ((1 << im.bitDepth) - 1);
}

LICE_pixel Expected(const PngImage& im, int x, int y) {
  const uint16_t* s = &im.samples[(size_t(y) * im.width + x) * im.Channels()];
  const png_color_16& t = im.transparentColor;
  switch (im.colorType) {
    case PNG_COLOR_TYPE_GRAY: {
      const int g = To8(im, s[0]);
      return LICE_ARGB(im.hasTransparentColor && s[0] == t.gray ? 0 : 255, g, g, g);
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return LICE_ARGB(To8(im, s[1]), To8(im, s[0]), To8(im, s[0]), To8(im, s[0]));
    case PNG_COLOR_TYPE_RGB: {
      const bool clear =
          im.hasTransparentColor && s[0] == t.red && s[1] == t.green && s[2] == t.blue;
      return LICE_ARGB(clear ? 0 : 255, To8(im, s[0]), To8(im, s[1]), To8(im, s[2]));
    }
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return LICE_ARGB(To8(im, s[3]), To8(im, s[0]), To8(im, s[1]), To8(im, s[2]));
    default: {
      const png_color& c = im.palette[s[0]];
      const int a = s[0] < im.paletteAlpha.size() ? im.paletteAlpha[s[0]] : 255;
      return LICE_ARGB(a, c.red, c.green, c.blue);
    }
  }
}

PngImage RandomImage(const Format& f, SeededRandom& rnd, int width, int height) {
  PngImage im;
  im.width = width;
  im.height = height;
  im.colorType = f.colorType;
  im.bitDepth = f.bitDepth;
  im.interlaced = f.interlaced;
  const int maxSample = (1 << f.bitDepth) - 1;
  if (f.colorType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i <= maxSample; ++i)
      im.palette.push_back(png_color{png_byte(rnd.Int(0, 255)), png_byte(rnd.Int(0, 255)),
                                     png_byte(rnd.Int(0, 255))});
    if (f.transparency)
      for (int i = 0; i < (maxSample + 2) / 2; ++i)
        im.paletteAlpha.push_back(png_byte(rnd.Int(0, 255)));
  }
  for (int i = 0; i < width * height * im.Channels(); ++i)
    im.samples.push_back(uint16_t(rnd.Int(0, maxSample)));
  if (f.transparency && f.colorType != PNG_COLOR_TYPE_PALETTE) {
    // The colour of pixel (1, 0) becomes transparent.
    const uint16_t* s = &im.samples[size_t(im.Channels())];
    im.hasTransparentColor = true;
    im.transparentColor.gray = s[0];
    if (f.colorType == PNG_COLOR_TYPE_RGB)
      im.transparentColor = png_color_16{0, s[0], s[1], s[2], 0};
  }
  return im;
}

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "tundrax_raster_" + std::to_string(getpid()) + "_" + name;
}

void ExpectDecodes(const PngImage& im, LICE_IBitmap* bm, const std::string& what) {
  ASSERT_NE(bm, nullptr) << what;
  ASSERT_EQ(bm->getWidth(), im.width) << what;
  ASSERT_EQ(bm->getHeight(), im.height) << what;
  for (int y = 0; y < im.height; ++y)
    for (int x = 0; x < im.width; ++x)
      ASSERT_EQ(Hex(LICE_GetPixel(bm, x, y)), Hex(Expected(im, x, y)))
          << what << " at " << x << "," << y;
}

std::vector<unsigned char> SmallValidPng(SeededRandom& rnd) {
  return EncodePng(RandomImage({PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false}, rnd, 9, 6));
}

uint32_t Crc(const unsigned char* data, size_t n) { return uint32_t(crc32(0, data, uInt(n))); }

// Replaces IHDR's width and height and fixes the chunk's CRC.
std::vector<unsigned char> WithSize(std::vector<unsigned char> png, uint32_t w, uint32_t h) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = (unsigned char)(w >> (24 - 8 * i));
    png[20 + i] = (unsigned char)(h >> (24 - 8 * i));
  }
  const uint32_t crc = Crc(&png[12], 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = (unsigned char)(crc >> (24 - 8 * i));
  return png;
}
}  // namespace

TEST(LoadPNG, EveryColourTypeAndBitDepthRoundTripsToArgbBytes) {
  SeededRandom rnd(1606);
  SCOPED_TRACE(rnd.Trace());
  const Format formats[] = {
      {PNG_COLOR_TYPE_GRAY, 1, false, false},       {PNG_COLOR_TYPE_GRAY, 2, true, false},
      {PNG_COLOR_TYPE_GRAY, 4, false, true},        {PNG_COLOR_TYPE_GRAY, 8, true, false},
      {PNG_COLOR_TYPE_GRAY, 16, true, true},        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, true}, {PNG_COLOR_TYPE_RGB, 8, false, false},
      {PNG_COLOR_TYPE_RGB, 8, true, true},          {PNG_COLOR_TYPE_RGB, 16, true, false},
      {PNG_COLOR_TYPE_RGB_ALPHA, 8, false, true},   {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
      {PNG_COLOR_TYPE_PALETTE, 1, false, false},    {PNG_COLOR_TYPE_PALETTE, 2, true, false},
      {PNG_COLOR_TYPE_PALETTE, 4, true, true},      {PNG_COLOR_TYPE_PALETTE, 8, true, false},
      {PNG_COLOR_TYPE_PALETTE, 8, false, false},
  };
  for (const Format& f : formats) {
    const std::string what = "colour type " + std::to_string(f.colorType) + " depth " +
                             std::to_string(f.bitDepth) + (f.transparency ? " tRNS" : "") +
                             (f.interlaced ? " interlaced" : "");
    const PngImage im = RandomImage(f, rnd, 13, 7);
    const auto bytes = EncodePng(im);
    ASSERT_FALSE(bytes.empty()) << what;
    std::unique_ptr<LICE_IBitmap> fromMemory(LICE_LoadPNGFromMemory(bytes.data(), bytes.size()));
    ExpectDecodes(im, fromMemory.get(), what + " (memory)");
    const std::string path = TempPath("roundtrip.png");
    ASSERT_TRUE(WriteBytes(path, bytes));
    std::unique_ptr<LICE_IBitmap> fromFile(LICE_LoadPNG(path.c_str()));
    ExpectDecodes(im, fromFile.get(), what + " (file)");
  }
}

TEST(LoadPNG, DecodesIntoAGivenRasterAndLeavesItToItsOwnerOnFailure) {
  SeededRandom rnd(77);
  SCOPED_TRACE(rnd.Trace());
  const PngImage im = RandomImage({PNG_COLOR_TYPE_RGB, 8, false, false}, rnd, 5, 4);
  const auto bytes = EncodePng(im);
  LICE_SysBitmap sys(50, 50);
  EXPECT_EQ(LICE_LoadPNGFromMemory(bytes.data(), bytes.size(), &sys), &sys);
  ExpectDecodes(im, &sys, "into a LICE_SysBitmap");
  FlippedBitmap flipped;
  EXPECT_EQ(LICE_LoadPNGFromMemory(bytes.data(), bytes.size(), &flipped), &flipped);
  ExpectDecodes(im, &flipped, "into a flipped raster");

  // Failure returns null and the raster stays alive (ASan would report a double delete).
  EXPECT_EQ(LICE_LoadPNGFromMemory(bytes.data(), 40, &sys), nullptr);
  EXPECT_EQ(LICE_LoadPNG(TempPath("does-not-exist.png").c_str(), &sys), nullptr);
  EXPECT_EQ(LICE_LoadPNG(nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(nullptr, 10), nullptr);
}

TEST(LoadPNG, TruncatedFilesGiveNull) {
  SeededRandom rnd(31);
  SCOPED_TRACE(rnd.Trace());
  const auto png = SmallValidPng(rnd);
  // Anything cut before the end of the image data (IEND is the last 12 bytes).
  for (size_t n = 0; n + 12 < png.size(); ++n) {
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromMemory(png.data(), n));
    ASSERT_EQ(bm, nullptr) << "cut at " << n << " of " << png.size();
  }
  const std::string path = TempPath("truncated.png");
  ASSERT_TRUE(WriteBytes(path, std::vector<unsigned char>(png.begin(), png.begin() + 60)));
  EXPECT_EQ(LICE_LoadPNG(path.c_str()), nullptr);
}

TEST(LoadPNG, CorruptedFilesGiveNullOrAWholeImageAndNeverLeak) {
  SeededRandom rnd(4040);
  SCOPED_TRACE(rnd.Trace());
  const auto png = SmallValidPng(rnd);
  int rejected = 0;
  for (int round = 0; round < 3000; ++round) {
    auto broken = png;
    for (int flips = rnd.Int(1, 3); flips > 0; --flips)
      broken[size_t(rnd.Int(0, int(png.size()) - 1))] ^= png_byte(rnd.Int(1, 255));
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromMemory(broken.data(), broken.size()));
    if (!bm)
      ++rejected;
    else
      EXPECT_TRUE(bm->getWidth() == 9 && bm->getHeight() == 6) << "round " << round;
  }
  EXPECT_GT(rejected, 2900);  // CRCs catch nearly every corruption

  // Headers that pass their CRC but describe impossible or oversized images.
  EXPECT_EQ(LICE_LoadPNGFromMemory(WithSize(png, 0, 6).data(), png.size()), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(WithSize(png, 20000, 6).data(), png.size()), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(WithSize(png, 16384, 16384).data(), png.size()), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(WithSize(png, 9, 600).data(), png.size()), nullptr);
  const unsigned char notPng[] = "GIF89a not a PNG at all";
  EXPECT_EQ(LICE_LoadPNGFromMemory(notPng, sizeof notPng), nullptr);
}

TEST(WritePNG, RoundTripsPixelsDeterministicallyAndReportsFailure) {
  SeededRandom rnd(2212);
  SCOPED_TRACE(rnd.Trace());
  // A padded row span and a bottom-up raster both come back as the image they show.
  LICE_MemBitmap image(13, 7);
  FillRandom(image, rnd);
  FlippedBitmap flipped(13, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x)
      flipped.getBits()[(6 - y) * flipped.getRowSpan() + x] = LICE_GetPixel(&image, x, y);
  LICE_IBitmap* const sources[] = {&image, &flipped};
  for (LICE_IBitmap* source : sources) {
    for (bool alpha : {true, false}) {
      const std::string path = TempPath(alpha ? "written_rgba.png" : "written_rgb.png");
      ASSERT_TRUE(LICE_WritePNG(path.c_str(), source, alpha));
      std::unique_ptr<LICE_IBitmap> back(LICE_LoadPNG(path.c_str()));
      ASSERT_NE(back, nullptr);
      ASSERT_EQ(back->getWidth(), 13);
      ASSERT_EQ(back->getHeight(), 7);
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
          const LICE_pixel want = LICE_GetPixel(&image, x, y) | (alpha ? 0 : 0xFF);
          ASSERT_EQ(Hex(LICE_GetPixel(back.get(), x, y)), Hex(want))
              << (alpha ? "RGBA" : "RGB") << " at " << x << "," << y;
        }
    }
  }
  // The same pixels give the same bytes.
  const std::string first = TempPath("same1.png"), second = TempPath("same2.png");
  ASSERT_TRUE(LICE_WritePNG(first.c_str(), &image));
  ASSERT_TRUE(LICE_WritePNG(second.c_str(), &flipped));
  auto bytes = [](const std::string& path) {
    std::vector<unsigned char> out;
    FILE* f = fopen(path.c_str(), "rb");
    for (int c; f && (c = fgetc(f)) != EOF;) out.push_back((unsigned char)c);
    if (f) fclose(f);
    return out;
  };
  EXPECT_EQ(bytes(first), bytes(second));

  // Failures are reported: no folder, no permission, a full disk, nothing to write.
  EXPECT_FALSE(LICE_WritePNG(TempPath("no-such-dir/out.png").c_str(), &image));
  EXPECT_FALSE(LICE_WritePNG("/proc/tundrax-not-writable.png", &image));
  LICE_MemBitmap big(600, 600);
  FillRandom(big, rnd);  // more than the stream buffers hold
  EXPECT_FALSE(LICE_WritePNG("/dev/full", &big));
  LICE_MemBitmap empty;
  EXPECT_FALSE(LICE_WritePNG(TempPath("empty.png").c_str(), &empty));
  EXPECT_FALSE(LICE_WritePNG(nullptr, &image));
  EXPECT_FALSE(LICE_WritePNG(first.c_str(), nullptr));
}
