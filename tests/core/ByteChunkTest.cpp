// The chunk's guards: reads past the end, strings with bad lengths, resizing. Typed values in
// little-endian order are pinned byte for byte by the plug-in's chunks (tests/e2e ChunkTest).
#include "core/ByteChunk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ByteChunk, ReadsNeverRunPastTheEndAndLeaveTheOutputAlone) {
  ByteChunk chunk;
  chunk.Put(1.0);
  double d = 7.0;
  EXPECT_EQ(chunk.Get(&d, 1), -1);
  EXPECT_EQ(chunk.Get(&d, -1), -1);
  EXPECT_EQ(chunk.Get(&d, 8), -1);
  EXPECT_EQ(chunk.Get(&d, 1 << 30), -1);
  EXPECT_EQ(d, 7.0);
  EXPECT_EQ(chunk.GetBytes(&d, 0, 8), 8);  // an empty read at the end is fine
}

TEST(ByteChunk, StringsCarryTheirLengthAndRejectBadLengths) {
  ByteChunk chunk;
  chunk.PutStr("Dub Kick");
  chunk.PutStr("");
  EXPECT_EQ(chunk.Size(), 4 + 8 + 4);
  std::string text = "x";
  int pos = chunk.GetStr(&text, 0);
  EXPECT_EQ(pos, 12);
  EXPECT_EQ(text, "Dub Kick");
  EXPECT_EQ(chunk.GetStr(&text, pos), 16);
  EXPECT_EQ(text, "");

  for (int32_t badLength : {-1, 100, INT32_MAX}) {
    ByteChunk bad;
    bad.Put(badLength);
    bad.PutBytes("abcd", 4);
    EXPECT_EQ(bad.GetStr(&text, 0), -1) << badLength;
  }

  ByteChunk embeddedZero;  // the text stops at the first zero byte, the position does not
  embeddedZero.Put(int32_t{4});
  embeddedZero.PutBytes("ab\0c", 4);
  EXPECT_EQ(embeddedZero.GetStr(&text, 0), 8);
  EXPECT_EQ(text, "ab");
}

TEST(ByteChunk, ResizeZeroesNewBytes) {
  ByteChunk chunk;
  chunk.PutBytes("\xff\xff", 2);
  chunk.Resize(4);
  EXPECT_EQ(chunk.Size(), 4);
  EXPECT_EQ(chunk.GetBytes()[3], 0);
  chunk.Resize(-5);
  EXPECT_EQ(chunk.Size(), 0);
}
