// The subcommands of tundrax-host. Each returns the process exit code and prints its report on
// stdout; errors travel as HostError to main, which prints them and exits non-zero.
#pragma once

#include "tools/host/CommandLine.h"

namespace host {

int runInfo(const InfoOptions& options);
int runProcess(const ProcessOptions& options);
int runState(const StateOptions& options);
int runScreenshot(const ScreenshotOptions& options);

}  // namespace host
