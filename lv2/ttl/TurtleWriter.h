// Writes an LV2 bundle's description from a plug-in instance: manifest.ttl (the plug-in and its
// presets), the plug-in's own file (ports from the parameter table and the meters, features,
// state) and presets.ttl (every preset's parameter values as port values). Nothing in these
// files is written by hand; the build runs a small tool of the product that calls this.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "lv2/IPlugLV2.h"

struct TurtleBundle {
  std::string mPluginFile = "Tundrax.ttl";
  std::string mPresetsFile = "presets.ttl";
  std::string mBinary = "Tundrax.so";
  // The editor's UI and its binary; no UI is announced when the URI is empty.
  std::string mUiURI;
  std::string mUiBinary = "TundraxUI.so";
  // The name of value v of an int parameter idx listed by name (lv2:enumeration), or empty.
  std::function<std::string(int idx, int value)> mScalePointLabel;
};

// The preset's URI: the plug-in URI, "#preset-" and its name as an identifier.
std::string PresetURI(const char* presetName);

void WriteManifest(std::ostream& out, IPlugLV2& plug, const TurtleBundle& bundle);
void WritePluginDescription(std::ostream& out, IPlugLV2& plug, const TurtleBundle& bundle);
// Selects each preset in turn to read its values; the current preset changes.
void WritePresets(std::ostream& out, IPlugLV2& plug);
