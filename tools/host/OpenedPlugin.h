// Loading a plug-in the way the commands all start: load the library, create the instance,
// effOpen, then tell it the sample rate and block size.
#pragma once

#include <memory>
#include <string>

#include "tools/host/PluginInstance.h"

namespace host {

std::unique_ptr<PluginInstance> openPlugin(const std::string& path, const HostSettings& settings);

// Checks a program index against the plug-in's count; throws HostError naming the range.
void checkProgramIndex(PluginInstance& plugin, int32_t program);

// The quoted four-character form of an ID ('zoor'), non-printing bytes as '.'.
std::string fourCharText(int32_t id);

}  // namespace host
