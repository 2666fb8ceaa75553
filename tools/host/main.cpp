// tundrax-host: a small command-line VST2 host. See CommandLine.cpp for the usage.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty() || words[0] == "--help" || words[0] == "-h") {
    std::fputs(host::usageText().c_str(), words.empty() ? stderr : stdout);
    return words.empty() ? 2 : 0;
  }
  const std::string command = words[0];
  std::span<const std::string> args(words.begin() + 1, words.end());
  try {
    if (command == "info") return host::runInfo(host::parseInfoArgs(args));
    if (command == "process") return host::runProcess(host::parseProcessArgs(args));
    if (command == "state") return host::runState(host::parseStateArgs(args));
    if (command == "screenshot") return host::runScreenshot(host::parseScreenshotArgs(args));
    throw host::UsageError("unknown command '" + command + "'");
  } catch (const host::UsageError& error) {
    std::fprintf(stderr, "tundrax-host: %s\n%s", error.what(), host::usageText().c_str());
    return 2;
  } catch (const host::HostError& error) {
    std::fprintf(stderr, "tundrax-host: %s\n", error.what());
    return 1;
  }
}
