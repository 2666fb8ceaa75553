// The arguments of tundrax-host's subcommands, parsed into plain records. Parsing checks the
// form of every argument (numbers are numbers, values are in range); what needs the plug-in
// (a parameter or program index beyond its count, a preset name it does not have) is checked
// when the command runs. Mistakes throw UsageError with a message naming the argument.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tools/host/HostError.h"
#include "tools/host/OpenedPlugin.h"
#include "tools/host/PluginInstance.h"

namespace host {

class UsageError : public HostError {
 public:
  explicit UsageError(const std::string& message) : HostError(message) {}
};

struct InfoOptions {
  std::string plugin;
  bool json = false;
};

struct ProcessOptions {
  std::string plugin;
  std::string input;
  std::string output;
  std::optional<int32_t> program;
  std::optional<std::string> preset;
  std::vector<ParamSetting> params;  // applied in command-line order
  int32_t blockSize = 512;
  Precision precision = Precision::Single;
  bool offline = false;  // report the offline process level instead of realtime
  // Renders once more with this parameter changed too, and reports how much quieter the
  // first render is at most (e.g. the ratio at 1:1 shows the compressor's gain reduction).
  std::optional<ParamSetting> compare;
};

struct StateOptions {
  enum class Action { Save, Load };
  std::string plugin;
  Action action = Action::Save;
  std::string file;
  std::vector<int32_t> programs;  // save: selected in this order before the chunks are taken
};

struct ScreenshotOptions {
  std::string plugin;
  std::string output;  // a PNG file
  std::optional<int32_t> program;
  std::optional<std::string> preset;
  std::vector<ParamSetting> params;                  // applied in command-line order
  std::optional<std::pair<int32_t, int32_t>> hover;  // where the pointer rests, editor pixels
  std::optional<std::string> audio;  // processed first, so the meters show its levels
};

constexpr int32_t kMaxBlockSize = 1 << 16;

// `args` are the words after the subcommand name.
InfoOptions parseInfoArgs(std::span<const std::string> args);
ProcessOptions parseProcessArgs(std::span<const std::string> args);
StateOptions parseStateArgs(std::span<const std::string> args);
ScreenshotOptions parseScreenshotArgs(std::span<const std::string> args);

// Whole-string integer parsing; nullopt for anything else (signs allowed, no spaces).
std::optional<int64_t> parseInteger(const std::string& text);

std::string usageText();

}  // namespace host
