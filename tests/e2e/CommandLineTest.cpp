// tundrax-host's argument parsing: what is accepted and what is refused with a message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/host/CommandLine.h"

namespace {

using host::UsageError;
using Args = std::vector<std::string>;

TEST(CommandLine, ProcessTakesEveryOption) {
  Args args = {"p.so",   "in.wav",    "out.flac",  "--preset", "808 Kick", "--param",
               "13=0.5", "--param",   "0=1",       "--block",  "300",      "--precision",
               "double", "--offline", "--compare", "12=0"};
  host::ProcessOptions options = host::parseProcessArgs(args);
  EXPECT_EQ(options.plugin, "p.so");
  EXPECT_EQ(options.input, "in.wav");
  EXPECT_EQ(options.output, "out.flac");
  EXPECT_EQ(options.preset, "808 Kick");
  EXPECT_FALSE(options.program);
  ASSERT_EQ(options.params.size(), 2u);
  EXPECT_EQ(options.params[0].index, 13);
  EXPECT_EQ(options.params[0].value, 0.5f);
  EXPECT_EQ(options.params[1].index, 0);
  EXPECT_EQ(options.params[1].value, 1.0f);
  EXPECT_EQ(options.blockSize, 300);
  EXPECT_EQ(options.precision, host::Precision::Double);
  EXPECT_TRUE(options.offline);
  ASSERT_TRUE(options.compare);
  EXPECT_EQ(options.compare->index, 12);
  EXPECT_EQ(options.compare->value, 0.0f);

  host::ProcessOptions defaults = host::parseProcessArgs(Args{"p.so", "a.wav", "b.wav"});
  EXPECT_EQ(defaults.blockSize, 512);
  EXPECT_EQ(defaults.precision, host::Precision::Single);
  EXPECT_FALSE(defaults.offline);
  EXPECT_FALSE(defaults.compare);
}

TEST(CommandLine, ProcessRefusesMalformedArguments) {
  const Args bad[] = {
      {"p.so", "in.wav"},                          // no output
      {"p.so", "in.wav", "out.wav", "extra"},      // too many files
      {"p.so", "in.wav", "out.wav", "--program"},  // missing value
      {"p.so", "in.wav", "out.wav", "--program", "-1"},
      {"p.so", "in.wav", "out.wav", "--program", "2x"},
      {"p.so", "in.wav", "out.wav", "--program", "1", "--preset", "Default"},
      {"p.so", "in.wav", "out.wav", "--param", "13"},
      {"p.so", "in.wav", "out.wav", "--param", "13=1.5"},
      {"p.so", "in.wav", "out.wav", "--param", "13=-0.1"},
      {"p.so", "in.wav", "out.wav", "--param", "13=nan"},
      {"p.so", "in.wav", "out.wav", "--param", "-1=0.5"},
      {"p.so", "in.wav", "out.wav", "--param", "x=0.5"},
      {"p.so", "in.wav", "out.wav", "--param", "1=0.5v"},
      {"p.so", "in.wav", "out.wav", "--block", "0"},
      {"p.so", "in.wav", "out.wav", "--block", "65537"},
      {"p.so", "in.wav", "out.wav", "--precision", "half"},
      {"p.so", "in.wav", "out.wav", "--unknown"},
  };
  for (const Args& args : bad) {
    std::string joined;
    for (const std::string& word : args) joined += word + " ";
    EXPECT_THROW(host::parseProcessArgs(args), UsageError) << joined;
  }
}

TEST(CommandLine, InfoAndState) {
  EXPECT_TRUE(host::parseInfoArgs(Args{"p.so", "--json"}).json);
  EXPECT_FALSE(host::parseInfoArgs(Args{"p.so"}).json);
  EXPECT_THROW(host::parseInfoArgs(Args{}), UsageError);
  EXPECT_THROW(host::parseInfoArgs(Args{"p.so", "--xml"}), UsageError);

  host::StateOptions save =
      host::parseStateArgs(Args{"p.so", "save", "s.txst", "--program", "3", "--program", "0"});
  EXPECT_EQ(save.action, host::StateOptions::Action::Save);
  EXPECT_EQ(save.file, "s.txst");
  EXPECT_EQ(save.programs, (std::vector<int32_t>{3, 0}));
  EXPECT_EQ(host::parseStateArgs(Args{"p.so", "load", "s.txst"}).action,
            host::StateOptions::Action::Load);
  EXPECT_THROW(host::parseStateArgs(Args{"p.so", "load", "s", "--program", "1"}), UsageError);
  EXPECT_THROW(host::parseStateArgs(Args{"p.so", "copy", "s"}), UsageError);
  EXPECT_THROW(host::parseStateArgs(Args{"p.so", "save"}), UsageError);
}

TEST(CommandLine, ParseInteger) {
  EXPECT_EQ(host::parseInteger("42"), 42);
  EXPECT_EQ(host::parseInteger("+7"), 7);
  EXPECT_EQ(host::parseInteger("-3"), -3);
  EXPECT_FALSE(host::parseInteger(""));
  EXPECT_FALSE(host::parseInteger("+"));
  EXPECT_FALSE(host::parseInteger(" 1"));
  EXPECT_FALSE(host::parseInteger("1.0"));
  EXPECT_FALSE(host::parseInteger("99999999999999999999"));
}

}  // namespace
