// tundrax-host info: everything a host learns about a plug-in when it scans and opens it.
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/Commands.h"
#include "tools/host/OpenedPlugin.h"

namespace host {

namespace {

// The capability texts hosts commonly ask plug-ins about.
constexpr const char* kCapabilities[] = {"sendVstEvents",
                                         "sendVstMidiEvent",
                                         "receiveVstEvents",
                                         "receiveVstMidiEvent",
                                         "receiveVstTimeInfo",
                                         "receiveVstSysexEvent",
                                         "offline",
                                         "midiProgramNames",
                                         "bypass",
                                         "MPE",
                                         "hasCockosExtensions",
                                         "hasCockosViewAsConfig"};

constexpr const char* kCategoryNames[] = {"unknown",     "effect",      "synth",   "analysis",
                                          "mastering",   "spacializer", "room fx", "surround fx",
                                          "restoration", "offline",     "shell",   "generator"};

struct Parameter {
  std::string name, label, display;
  float value;
};

struct Capability {
  const char* text;
  intptr_t answer;
};

struct Report {
  std::string path, entryName;
  vst2::AEffect record;
  std::string effectName, vendor, product;
  intptr_t vendorVersion, category, vstVersion, tailSize;
  std::vector<Parameter> parameters;
  std::vector<std::string> programs;
  int32_t currentProgram;
  std::vector<Capability> capabilities;
};

Report gather(PluginInstance& plugin, const std::string& path) {
  Report report{};
  report.path = path;
  report.entryName = plugin.library().entryName();
  report.record = plugin.effect();
  report.effectName = plugin.effectName();
  report.vendor = plugin.vendorString();
  report.product = plugin.productString();
  report.vendorVersion = plugin.vendorVersion();
  report.category = plugin.category();
  report.vstVersion = plugin.vstVersion();
  report.tailSize = plugin.dispatch(vst2::effGetTailSize);
  for (int32_t i = 0; i < plugin.numParams(); ++i) {
    report.parameters.push_back({plugin.paramName(i), plugin.paramLabel(i), plugin.paramDisplay(i),
                                 plugin.getParameter(i)});
  }
  for (int32_t i = 0; i < plugin.numPrograms(); ++i) {
    report.programs.push_back(plugin.programNameIndexed(i).value_or(""));
  }
  report.currentProgram = plugin.program();
  for (const char* text : kCapabilities) report.capabilities.push_back({text, plugin.canDo(text)});
  return report;
}

std::string categoryName(intptr_t category) {
  if (category >= 0 && category < static_cast<intptr_t>(std::size(kCategoryNames))) {
    return kCategoryNames[category];
  }
  return "?";
}

// Host-extension answers are 32-bit patterns (0xBEEF0000), shown in hex.
std::string answerText(intptr_t answer) {
  if (answer >= -1 && answer <= 1) return std::to_string(answer);
  char text[24];
  std::snprintf(text, sizeof text, "0x%08" PRIx32, static_cast<uint32_t>(answer));
  return text;
}

std::string flagsText(int32_t flags) {
  static constexpr struct {
    int32_t bit;
    const char* name;
  } kNames[] = {{vst2::effFlagsHasEditor, "editor"},
                {vst2::effFlagsCanMono, "can-mono"},
                {vst2::effFlagsCanReplacing, "replacing"},
                {vst2::effFlagsProgramChunks, "chunks"},
                {vst2::effFlagsIsSynth, "synth"},
                {vst2::effFlagsNoSoundInStop, "no-sound-in-stop"},
                {vst2::effFlagsCanDoubleReplacing, "double-replacing"}};
  std::string text;
  for (const auto& entry : kNames) {
    if (!(flags & entry.bit)) continue;
    if (!text.empty()) text += ' ';
    text += entry.name;
  }
  return text;
}

std::string json(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void printText(const Report& r) {
  const vst2::AEffect& e = r.record;
  std::printf("plug-in          %s (entry %s)\n", r.path.c_str(), r.entryName.c_str());
  std::printf("magic            0x%08" PRIx32 " %s\n", static_cast<uint32_t>(e.magic),
              fourCharText(e.magic).c_str());
  std::printf("unique ID        %s %" PRId32 " (0x%08" PRIx32 ")\n",
              fourCharText(e.uniqueID).c_str(), e.uniqueID, static_cast<uint32_t>(e.uniqueID));
  std::printf("version          %" PRId32 "\n", e.version);
  std::printf("flags            0x%" PRIx32 " (%s)\n", static_cast<uint32_t>(e.flags),
              flagsText(e.flags).c_str());
  std::printf("inputs, outputs  %" PRId32 ", %" PRId32 "\n", e.numInputs, e.numOutputs);
  std::printf("parameters       %" PRId32 "\n", e.numParams);
  std::printf("programs         %" PRId32 " (current %" PRId32 ")\n", e.numPrograms,
              r.currentProgram);
  std::printf("initial delay    %" PRId32 "\n", e.initialDelay);
  std::printf("effect name      %s\n", r.effectName.c_str());
  std::printf("vendor           %s\n", r.vendor.c_str());
  std::printf("product          %s\n", r.product.c_str());
  std::printf("vendor version   %" PRIdPTR "\n", r.vendorVersion);
  std::printf("category         %" PRIdPTR " (%s)\n", r.category, categoryName(r.category).c_str());
  std::printf("VST version      %" PRIdPTR "\n", r.vstVersion);
  std::printf("tail size        %" PRIdPTR "\n", r.tailSize);
  std::printf("\nparameters (index, name, normalised value, display, label):\n");
  for (std::size_t i = 0; i < r.parameters.size(); ++i) {
    const Parameter& p = r.parameters[i];
    std::printf("  %2zu  %-24s %8.6f  %s %s\n", i, p.name.c_str(), static_cast<double>(p.value),
                p.display.c_str(), p.label.c_str());
  }
  std::printf("\nprograms:\n");
  for (std::size_t i = 0; i < r.programs.size(); ++i) {
    std::printf("  %2zu  %s\n", i, r.programs[i].c_str());
  }
  std::printf("\ncanDo:\n");
  for (const Capability& c : r.capabilities) {
    std::printf("  %-24s %s\n", c.text, answerText(c.answer).c_str());
  }
}

void printJson(const Report& r) {
  const vst2::AEffect& e = r.record;
  std::printf("{\n  \"path\": %s,\n  \"entry\": %s,\n", json(r.path).c_str(),
              json(r.entryName).c_str());
  std::printf("  \"magic\": \"0x%08" PRIx32 "\",\n", static_cast<uint32_t>(e.magic));
  std::string id = fourCharText(e.uniqueID);
  std::printf("  \"uniqueID\": %s,\n  \"uniqueIDNumber\": %" PRId32 ",\n",
              json(id.substr(1, 4)).c_str(), e.uniqueID);
  std::printf("  \"version\": %" PRId32 ",\n  \"flags\": \"0x%" PRIx32 "\",\n", e.version,
              static_cast<uint32_t>(e.flags));
  std::printf("  \"numInputs\": %" PRId32 ",\n  \"numOutputs\": %" PRId32 ",\n", e.numInputs,
              e.numOutputs);
  std::printf("  \"numParams\": %" PRId32 ",\n  \"numPrograms\": %" PRId32 ",\n", e.numParams,
              e.numPrograms);
  std::printf("  \"initialDelay\": %" PRId32 ",\n", e.initialDelay);
  std::printf("  \"effectName\": %s,\n  \"vendor\": %s,\n  \"product\": %s,\n",
              json(r.effectName).c_str(), json(r.vendor).c_str(), json(r.product).c_str());
  std::printf("  \"vendorVersion\": %" PRIdPTR ",\n  \"category\": %" PRIdPTR ",\n",
              r.vendorVersion, r.category);
  std::printf("  \"vstVersion\": %" PRIdPTR ",\n  \"tailSize\": %" PRIdPTR ",\n", r.vstVersion,
              r.tailSize);
  std::printf("  \"parameters\": [");
  for (std::size_t i = 0; i < r.parameters.size(); ++i) {
    const Parameter& p = r.parameters[i];
    std::printf(
        "%s\n    {\"index\": %zu, \"name\": %s, \"label\": %s, \"display\": %s, "
        "\"value\": %.9g}",
        i ? "," : "", i, json(p.name).c_str(), json(p.label).c_str(), json(p.display).c_str(),
        static_cast<double>(p.value));
  }
  std::printf("\n  ],\n  \"currentProgram\": %" PRId32 ",\n  \"programs\": [", r.currentProgram);
  for (std::size_t i = 0; i < r.programs.size(); ++i) {
    std::printf("%s%s", i ? ", " : "", json(r.programs[i]).c_str());
  }
  std::printf("],\n  \"canDo\": {");
  for (std::size_t i = 0; i < r.capabilities.size(); ++i) {
    std::printf("%s\n    %s: %" PRId32, i ? "," : "", json(r.capabilities[i].text).c_str(),
                static_cast<int32_t>(r.capabilities[i].answer));
  }
  std::printf("\n  }\n}\n");
}

}  // namespace

int runInfo(const InfoOptions& options) {
  std::unique_ptr<PluginInstance> plugin = openPlugin(options.plugin, HostSettings{});
  Report report = gather(*plugin, options.plugin);
  plugin->close();
  if (options.json) {
    printJson(report);
  } else {
    printText(report);
  }
  return 0;
}

}  // namespace host
