#include "tools/host/PresetFileCommand.h"

#include <cstdio>

#include "tools/host/HostError.h"
#include "tools/host/PresetFile.h"
#include "tools/host/OpenedPlugin.h"

namespace host {

namespace {

bool hasExtension(const std::string& path, const char* extension) {
  const std::string ext = extension;
  if (path.size() <= ext.size()) return false;
  std::string tail = path.substr(path.size() - ext.size());
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ext;
}

bool doesChunks(PluginInstance& plugin) {
  return (plugin.effect().flags & vst2::effFlagsProgramChunks) != 0;
}

// The current program in the form the plug-in's flags call for.
FxProgram currentProgram(PluginInstance& plugin) {
  FxProgram program;
  program.name = plugin.programName();
  program.isChunk = doesChunks(plugin);
  if (program.isChunk) {
    program.chunk = plugin.getChunk(ChunkKind::Program);
    if (program.chunk.empty()) throw HostError("the plug-in gave no program chunk");
  } else {
    for (int32_t i = 0; i < plugin.numParams(); ++i)
      program.params.push_back(plugin.getParameter(i));
  }
  return program;
}

void checkPlugin(PluginInstance& plugin, int32_t uniqueID, const std::string& path) {
  if (uniqueID != plugin.effect().uniqueID) {
    throw HostError(path + " holds a preset of plug-in " + fourCharText(uniqueID) + ", not of " +
                    fourCharText(plugin.effect().uniqueID));
  }
}

void applyProgram(PluginInstance& plugin, const FxProgram& program, const std::string& path) {
  if (program.isChunk) {
    if (!plugin.setChunk(ChunkKind::Program, program.chunk)) {
      throw HostError("the plug-in rejected the program chunk of " + path);
    }
  } else {
    if (static_cast<int32_t>(program.params.size()) != plugin.numParams()) {
      throw HostError(path + " holds " + std::to_string(program.params.size()) +
                      " parameter values, the plug-in has " + std::to_string(plugin.numParams()) +
                      " parameters");
    }
    for (int32_t i = 0; i < plugin.numParams(); ++i) plugin.setParameter(i, program.params[i]);
  }
  plugin.setProgramName(program.name);
}

}  // namespace

bool isProgramFile(const std::string& path) { return hasExtension(path, ".fxp"); }
bool isBankFile(const std::string& path) { return hasExtension(path, ".fxb"); }

void saveProgramFile(PluginInstance& plugin, const std::string& path) {
  FxProgramFile file;
  file.uniqueID = plugin.effect().uniqueID;
  file.pluginVersion = plugin.effect().version;
  file.numParams = plugin.numParams();
  file.program = currentProgram(plugin);
  writePresetFile(path, encodeProgramFile(file));
  std::printf("saved %s: program \"%s\" as %s\n", path.c_str(), file.program.name.c_str(),
              file.program.isChunk ? "a chunk" : "parameter values");
}

void saveBankFile(PluginInstance& plugin, const std::string& path) {
  FxBankFile file;
  file.uniqueID = plugin.effect().uniqueID;
  file.pluginVersion = plugin.effect().version;
  file.numPrograms = plugin.numPrograms();
  file.currentProgram = plugin.program();
  file.isChunk = doesChunks(plugin);
  if (file.isChunk) {
    file.chunk = plugin.getChunk(ChunkKind::Bank);
    if (file.chunk.empty()) throw HostError("the plug-in gave no bank chunk");
  } else {
    // Walks through every program, as hosts do for a plug-in without chunks; the plug-in keeps
    // the edits of the program it leaves, so selecting the current one again restores it.
    for (int32_t i = 0; i < plugin.numPrograms(); ++i) {
      plugin.setProgram(i);
      file.programs.push_back(currentProgram(plugin));
    }
    plugin.setProgram(file.currentProgram);
  }
  writePresetFile(path, encodeBankFile(file));
  std::printf("saved %s: %d programs as %s, current program %d\n", path.c_str(), file.numPrograms,
              file.isChunk ? "a chunk" : "parameter values", file.currentProgram);
}

void loadProgramFile(PluginInstance& plugin, const std::string& path) {
  const FxProgramFile file = decodeProgramFile(readPresetFile(path));
  checkPlugin(plugin, file.uniqueID, path);
  applyProgram(plugin, file.program, path);
  std::printf("loaded %s: program \"%s\" from %s\n", path.c_str(), file.program.name.c_str(),
              file.program.isChunk ? "a chunk" : "parameter values");
}

void loadBankFile(PluginInstance& plugin, const std::string& path) {
  const FxBankFile file = decodeBankFile(readPresetFile(path));
  checkPlugin(plugin, file.uniqueID, path);
  if (file.isChunk) {
    if (!plugin.setChunk(ChunkKind::Bank, file.chunk)) {
      throw HostError("the plug-in rejected the bank chunk of " + path);
    }
  } else {
    if (file.numPrograms != plugin.numPrograms()) {
      throw HostError(path + " holds " + std::to_string(file.numPrograms) +
                      " programs, the plug-in has " + std::to_string(plugin.numPrograms()));
    }
    // Checked before anything changes, so a bad bank leaves the plug-in as it was.
    for (const FxProgram& program : file.programs) {
      if (static_cast<int32_t>(program.params.size()) != plugin.numParams()) {
        throw HostError(path + " holds programs of " + std::to_string(program.params.size()) +
                        " parameters, the plug-in has " + std::to_string(plugin.numParams()));
      }
    }
    for (int32_t i = 0; i < file.numPrograms; ++i) {
      plugin.setProgram(i);
      applyProgram(plugin, file.programs[i], path);
    }
  }
  if (file.currentProgram >= 0 && file.currentProgram < plugin.numPrograms()) {
    plugin.setProgram(file.currentProgram);
  }
  std::printf("loaded %s: %d programs from %s\n", path.c_str(), file.numPrograms,
              file.isChunk ? "a chunk" : "parameter values");
}

}  // namespace host
