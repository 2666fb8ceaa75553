// Loading a plug-in the way the commands all start: load the library, create the instance,
// effOpen, then tell it the sample rate and block size.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/PluginInstance.h"

namespace host {

std::unique_ptr<PluginInstance> openPlugin(const std::string& path, const HostSettings& settings);

// Checks a program index against the plug-in's count; throws HostError naming the range.
void checkProgramIndex(PluginInstance& plugin, int32_t program);

struct ParamSetting {
  int32_t index;
  float value;  // normalised, 0..1
};

// The index of the program with that name; throws HostError listing the programs otherwise.
int32_t findPreset(PluginInstance& plugin, const std::string& name);

// Preset, program and parameter choices, in that order, as a user would make them; throws
// HostError for a program or parameter the plug-in does not have.
void applyChoices(PluginInstance& plugin, const std::optional<int32_t>& program,
                  const std::optional<std::string>& preset,
                  const std::vector<ParamSetting>& params);

// The quoted four-character form of an ID ('zoor'), non-printing bytes as '.'.
std::string fourCharText(int32_t id);

}  // namespace host
