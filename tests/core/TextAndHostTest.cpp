#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "core/Base64.h"
#include "core/HostId.h"
#include "core/TextUtil.h"

TEST(Base64, EncodesWithFill) {
  const unsigned char abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(Base64Encode(abc, 3), "YWJj");
  const unsigned char zero[] = {0};
  EXPECT_EQ(Base64Encode(zero, 1), "AA==");
  EXPECT_EQ(Base64Encode(abc, 2), "YWI=");
  EXPECT_EQ(Base64Encode(abc, 0), "");
}

TEST(Base64, DecodesUpToTheSizeAndZeroFillsTheRest) {
  const auto bytes = Base64Decode("YWJj", 5);
  ASSERT_EQ(bytes.size(), 5u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "abc");
  EXPECT_EQ(bytes[3], 0);
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(Base64Decode("YWJj", 2).size(), 2u);
  const auto stopped = Base64Decode("YW Jj", 3);  // white space ends the text
  EXPECT_EQ(stopped[0], 'a');
  EXPECT_EQ(stopped[1], 0);
}

TEST(HostId, LooksUpLowerCasedSubstringsInOrder) {
  EXPECT_EQ(LookUpHost("REAPER"), kHostReaper);
  EXPECT_EQ(LookUpHost("SONAR by CaKeWaLk"), kHostSonar);
  EXPECT_EQ(LookUpHost("Cubase Live"), kHostCubase);
  EXPECT_EQ(LookUpHost("Ardour"), kHostArdour);
  EXPECT_EQ(LookUpHost(""), kHostUnknown);
  EXPECT_EQ(LookUpHost(nullptr), kHostUnknown);
  char name[32];
  GetHostNameStr(kHostVegas, name);
  EXPECT_STREQ(name, "Vegas");
  GetHostNameStr(11, name);
  EXPECT_STREQ(name, "Unknown");
}

TEST(TextUtil, CopiesAreBoundedAndTruncationSaturates) {
  char buf[4] = {'x', 'x', 'x', 'x'};
  CopyText(buf, "abcdef", sizeof buf);
  EXPECT_STREQ(buf, "abc");
  CopyText(buf, nullptr, sizeof buf);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(TruncToInt(-2.7), -2);
  EXPECT_EQ(TruncToInt(1e300), INT_MAX);
  EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(TruncToInt(std::nan("")), 0);
}
