// tundrax-host state: saves a plug-in's bank and program chunks into a file of our own and
// loads them back, the way a DAW keeps a plug-in's state in its project; or, for a file named
// .fxp or .fxb, the current program or the bank in the standard VST2 preset files.
#include <cinttypes>
#include <cstdio>

#include "tools/host/Commands.h"
#include "tools/host/OpenedPlugin.h"
#include "tools/host/PresetFileCommand.h"
#include "tools/host/StateFile.h"

namespace host {

namespace {

void printPrograms(PluginInstance& plugin) {
  std::printf("programs (current %" PRId32 "):\n", plugin.program());
  for (int32_t i = 0; i < plugin.numPrograms(); ++i) {
    std::printf("  %2" PRId32 "  %s\n", i, plugin.programNameIndexed(i).value_or("").c_str());
  }
}

void printParameters(PluginInstance& plugin) {
  std::printf("parameters:\n");
  for (int32_t i = 0; i < plugin.numParams(); ++i) {
    std::printf("  %2" PRId32 "  %-24s %s %s\n", i, plugin.paramName(i).c_str(),
                plugin.paramDisplay(i).c_str(), plugin.paramLabel(i).c_str());
  }
}

int save(PluginInstance& plugin, const StateOptions& options) {
  for (int32_t program : options.programs) {
    checkProgramIndex(plugin, program);
    plugin.setProgram(program);
  }
  if (isProgramFile(options.file)) {
    saveProgramFile(plugin, options.file);
    return 0;
  }
  if (isBankFile(options.file)) {
    saveBankFile(plugin, options.file);
    return 0;
  }
  SavedState state;
  state.uniqueID = plugin.effect().uniqueID;
  state.pluginVersion = plugin.effect().version;
  state.currentProgram = plugin.program();
  state.bank = plugin.getChunk(ChunkKind::Bank);
  if (state.bank.empty()) throw HostError("the plug-in gave no bank chunk");
  state.program = plugin.getChunk(ChunkKind::Program);
  if (state.program.empty()) throw HostError("the plug-in gave no program chunk");
  writeStateFile(options.file, state);
  std::printf("saved %s: bank chunk %zu bytes, program chunk %zu bytes, current program %" PRId32
              "\n",
              options.file.c_str(), state.bank.size(), state.program.size(), state.currentProgram);
  return 0;
}

int load(PluginInstance& plugin, const StateOptions& options) {
  if (isProgramFile(options.file) || isBankFile(options.file)) {
    if (isProgramFile(options.file)) {
      loadProgramFile(plugin, options.file);
    } else {
      loadBankFile(plugin, options.file);
    }
    printPrograms(plugin);
    printParameters(plugin);
    return 0;
  }
  SavedState state = readStateFile(options.file);
  if (state.uniqueID != plugin.effect().uniqueID) {
    throw HostError(options.file + " holds the state of plug-in " + fourCharText(state.uniqueID) +
                    ", not of " + fourCharText(plugin.effect().uniqueID));
  }
  // The bank brings every program; then the saved program is selected again and its chunk
  // restores the exact parameter values it had.
  if (!plugin.setChunk(ChunkKind::Bank, state.bank)) {
    throw HostError("the plug-in rejected the bank chunk of " + options.file);
  }
  if (state.currentProgram >= 0 && state.currentProgram < plugin.numPrograms()) {
    plugin.setProgram(state.currentProgram);
  }
  if (!plugin.setChunk(ChunkKind::Program, state.program)) {
    throw HostError("the plug-in rejected the program chunk of " + options.file);
  }
  std::printf("loaded %s: bank chunk %zu bytes, program chunk %zu bytes\n", options.file.c_str(),
              state.bank.size(), state.program.size());
  printPrograms(plugin);
  printParameters(plugin);
  return 0;
}

}  // namespace

int runState(const StateOptions& options) {
  std::unique_ptr<PluginInstance> plugin = openPlugin(options.plugin, HostSettings{});
  int result = options.action == StateOptions::Action::Save ? save(*plugin, options)
                                                            : load(*plugin, options);
  plugin->close();
  return result;
}

}  // namespace host
