// The shared object as a host's loader sees it: only the two entry points exported, and no
// symbol of unique binding that would keep the library mapped after dlclose.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "RunCommand.h"

namespace {

TEST(Exports, OnlyTheEntryPoints) {
  const std::string symbols = runCommand("nm -D --defined-only '" TUNDRAX_PLUGIN_PATH "'");
  ASSERT_FALSE(symbols.empty()) << "nm printed nothing";
  std::set<std::string> functions;
  std::istringstream lines(symbols);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string address, type, name;
    fields >> address >> type >> name;
    if (type == "T" || type == "t" || type == "W" || type == "w" || type == "i") {
      functions.insert(name);
    }
  }
  EXPECT_EQ(functions, (std::set<std::string>{"VSTPluginMain", "main"})) << symbols;
}

TEST(Exports, NoUniqueBinding) {
  const std::string symbols = runCommand("readelf --dyn-syms -W '" TUNDRAX_PLUGIN_PATH "'");
  ASSERT_NE(symbols.find("VSTPluginMain"), std::string::npos) << symbols;
  EXPECT_EQ(symbols.find("UNIQUE"), std::string::npos) << symbols;
}

}  // namespace
