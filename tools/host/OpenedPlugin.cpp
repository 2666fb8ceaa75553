#include "tools/host/OpenedPlugin.h"

#include "tools/host/HostError.h"

namespace host {

std::unique_ptr<PluginInstance> openPlugin(const std::string& path, const HostSettings& settings) {
  auto plugin = std::make_unique<PluginInstance>(PluginLibrary::load(path), settings);
  plugin->open();
  plugin->setSampleRate(settings.sampleRate);
  plugin->setBlockSize(settings.blockSize);
  return plugin;
}

void checkProgramIndex(PluginInstance& plugin, int32_t program) {
  if (program < 0 || program >= plugin.numPrograms()) {
    throw HostError("program " + std::to_string(program) + " does not exist (the plug-in has " +
                    std::to_string(plugin.numPrograms()) + " programs, 0 to " +
                    std::to_string(plugin.numPrograms() - 1) + ")");
  }
}

std::string fourCharText(int32_t id) {
  std::string text = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    auto c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '.';
  }
  return text + "'";
}

int32_t findPreset(PluginInstance& plugin, const std::string& name) {
  std::string known;
  for (int32_t i = 0; i < plugin.numPrograms(); ++i) {
    std::string programName = plugin.programNameIndexed(i).value_or("");
    if (programName == name) return i;
    known += "\n  " + std::to_string(i) + "  " + programName;
  }
  throw HostError("the plug-in has no preset named '" + name + "'; its presets are:" + known);
}

void applyChoices(PluginInstance& plugin, const std::optional<int32_t>& program,
                  const std::optional<std::string>& preset,
                  const std::vector<ParamSetting>& params) {
  if (preset) plugin.setProgram(findPreset(plugin, *preset));
  if (program) {
    checkProgramIndex(plugin, *program);
    plugin.setProgram(*program);
  }
  for (const ParamSetting& setting : params) {
    if (setting.index >= plugin.numParams()) {
      throw HostError("parameter " + std::to_string(setting.index) +
                      " does not exist (the plug-in has " + std::to_string(plugin.numParams()) +
                      " parameters, 0 to " + std::to_string(plugin.numParams() - 1) + ")");
    }
    plugin.setParameter(setting.index, setting.value);
  }
}

}  // namespace host
