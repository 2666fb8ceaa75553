#include "TurtleWriter.h"

#include <charconv>
#include <cmath>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/port-props/port-props.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/ui/ui.h>
#include <lv2/units/units.h>
#include <lv2/urid/urid.h>

#include "lv2/PortLayout.h"

namespace {

constexpr const char* kPrefixes = "@prefix lv2: <" LV2_CORE_PREFIX
                                  "> .\n"
                                  "@prefix pprops: <" LV2_PORT_PROPS_PREFIX
                                  "> .\n"
                                  "@prefix pset: <" LV2_PRESETS_PREFIX
                                  "> .\n"
                                  "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <" LV2_STATE_PREFIX
                                  "> .\n"
                                  "@prefix ui: <" LV2_UI_PREFIX
                                  "> .\n"
                                  "@prefix units: <" LV2_UNITS_PREFIX
                                  "> .\n"
                                  "@prefix urid: <" LV2_URID_PREFIX
                                  "> .\n"
                                  "@prefix opts: <" LV2_OPTIONS_PREFIX
                                  "> .\n"
                                  "@prefix bufsz: <" LV2_BUF_SIZE_PREFIX
                                  "> .\n"
                                  "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n\n";

// The shortest text that reads back as the same double, whatever the locale, always with a
// decimal point or exponent: a Turtle integer would reach hosts as an integer, not a float.
std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::string number(text, result.ptr);
  if (number.find_first_of(".en") == std::string::npos) number += ".0";
  return number;
}

std::string Quoted(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c; ++c) {
    if (*c == '"' || *c == '\\') out += '\\';
    out += *c;
  }
  return out + "\"";
}

std::string UnitOf(const char* label) {
  const std::string unit = label;
  if (unit == "dB") return "units:db";
  if (unit == "ms") return "units:ms";
  if (unit == "Hz") return "units:hz";
  if (unit == "%") return "units:pc";
  return "";
}

std::string ChannelName(int channel, int count) {
  if (count == 2) return channel == 0 ? "left" : "right";
  return std::to_string(channel + 1);
}

void WriteAudioPort(std::ostream& out, uint32_t index, bool input, int channel, int count) {
  const std::string channelName = ChannelName(channel, count);
  const char* direction = input ? "in" : "out";
  out << "    [\n"
      << "      a lv2:" << (input ? "InputPort" : "OutputPort") << " , lv2:AudioPort ;\n"
      << "      lv2:index " << index << " ;\n"
      << "      lv2:symbol \"" << direction << "_" << channelName << "\" ;\n"
      << "      lv2:name \"" << (input ? "In " : "Out ") << channelName << "\"\n"
      << "    ]";
}

void WriteParamPort(std::ostream& out, uint32_t index, IParam* param, int idx,
                    const TurtleBundle& bundle) {
  double lo = 0.0;
  double hi = 0.0;
  param->GetBounds(&lo, &hi);
  out << "    [\n"
      << "      a lv2:InputPort , lv2:ControlPort ;\n"
      << "      lv2:index " << index << " ;\n"
      << "      lv2:symbol \"" << PortSymbolOf(param->GetNameForHost()) << "\" ;\n"
      << "      lv2:name " << Quoted(param->GetNameForHost()) << " ;\n"
      << "      lv2:default " << Number(param->GetDefault()) << " ;\n"
      << "      lv2:minimum " << Number(lo) << " ;\n"
      << "      lv2:maximum " << Number(hi);
  const std::string unit = UnitOf(param->GetLabelForHost());
  if (!unit.empty()) out << " ;\n      units:unit " << unit;
  switch (param->Type()) {
    case IParam::kTypeBool:
      out << " ;\n      lv2:portProperty lv2:toggled , lv2:integer";
      break;
    case IParam::kTypeInt:
    case IParam::kTypeEnum: {
      std::string points;
      for (int v = static_cast<int>(lo); v <= static_cast<int>(hi); ++v) {
        const std::string label = bundle.mScalePointLabel ? bundle.mScalePointLabel(idx, v) : "";
        if (label.empty()) continue;
        points += points.empty() ? "" : " ,";
        points += "\n        [ rdfs:label " + Quoted(label.c_str()) + " ; rdf:value " +
                  std::to_string(v) + " ]";
      }
      if (points.empty()) {
        out << " ;\n      lv2:portProperty lv2:integer";
      } else {
        out << " ;\n      lv2:portProperty lv2:integer , lv2:enumeration ;\n      lv2:scalePoint"
            << points;
      }
      break;
    }
    case IParam::kTypeDouble:
      if (param->GetStep() > 0.0) {
        out << " ;\n      pprops:rangeSteps "
            << static_cast<long>(std::lround((hi - lo) / param->GetStep())) + 1;
      }
      break;
    case IParam::kTypeNone:
      break;
  }
  out << "\n    ]";
}

void WriteMeterPort(std::ostream& out, uint32_t index, const LV2MeterPort& meter) {
  out << "    [\n"
      << "      a lv2:OutputPort , lv2:ControlPort ;\n"
      << "      lv2:index " << index << " ;\n"
      << "      lv2:symbol \"" << meter.mSymbol << "\" ;\n"
      << "      lv2:name " << Quoted(meter.mName) << " ;\n"
      << "      lv2:minimum " << Number(meter.mMin) << " ;\n"
      << "      lv2:maximum " << Number(meter.mMax);
  if (meter.mUnit) out << " ;\n      units:unit <" << meter.mUnit << ">";
  out << "\n    ]";
}

}  // namespace

std::string PresetURI(const char* presetName) {
  return std::string(kPlugURI) + "#preset-" + IdentifierOf(presetName, '-');
}

void WriteManifest(std::ostream& out, IPlugLV2& plug, const TurtleBundle& bundle) {
  out << kPrefixes;
  out << "<" << kPlugURI << ">\n"
      << "  a lv2:Plugin ;\n"
      << "  lv2:binary <" << bundle.mBinary << "> ;\n"
      << "  rdfs:seeAlso <" << bundle.mPluginFile << "> .\n";
  for (int i = 0; i < plug.NPresets(); ++i) {
    out << "\n<" << PresetURI(plug.GetPresetName(i)) << ">\n"
        << "  a pset:Preset ;\n"
        << "  lv2:appliesTo <" << kPlugURI << "> ;\n"
        << "  rdfs:label " << Quoted(plug.GetPresetName(i)) << " ;\n"
        << "  rdfs:seeAlso <" << bundle.mPresetsFile << "> .\n";
  }
  if (!bundle.mUiURI.empty()) {
    // The editor: an X11 UI embedded in the host's window, idled by the host; it reaches the
    // plug-in through the ports alone.
    out << "\n<" << bundle.mUiURI << ">\n"
        << "  a ui:X11UI ;\n"
        << "  ui:binary <" << bundle.mUiBinary << "> ;\n"
        << "  lv2:requiredFeature ui:parent ;\n"
        << "  lv2:optionalFeature ui:resize , ui:touch , ui:idleInterface ;\n"
        << "  lv2:extensionData ui:idleInterface .\n";
  }
}

void WritePluginDescription(std::ostream& out, IPlugLV2& plug, const TurtleBundle& bundle) {
  const PortLayout layout = plug.GetPortLayout();
  const int version = plug.GetEffectVersion(false);
  out << kPrefixes;
  out << "<" << kPlugURI << ">\n"
      << "  a lv2:Plugin , lv2:DynamicsPlugin ;\n"
      << "  doap:name " << Quoted(plug.GetEffectName()) << " ;\n"
      << "  doap:maintainer [ foaf:name " << Quoted(plug.GetMfrName()) << " ] ;\n"
      << "  lv2:minorVersion " << ((version >> 8) & 0xff) << " ;\n"
      << "  lv2:microVersion " << (version & 0xff) << " ;\n"
      << "  lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options ;\n"
      << "  opts:supportedOption bufsz:maxBlockLength ;\n"
      << "  lv2:extensionData state:interface ;\n";
  if (!bundle.mUiURI.empty()) out << "  ui:ui <" << bundle.mUiURI << "> ;\n";
  out << "  lv2:port\n";
  uint32_t index = 0;
  auto separator = [&out, &index, &layout] {
    out << (index + 1 < layout.NPorts() ? " ,\n" : " .\n");
  };
  for (int c = 0; c < static_cast<int>(layout.mNAudioIn); ++c, ++index) {
    WriteAudioPort(out, index, true, c, static_cast<int>(layout.mNAudioIn));
    separator();
  }
  for (int c = 0; c < static_cast<int>(layout.mNAudioOut); ++c, ++index) {
    WriteAudioPort(out, index, false, c, static_cast<int>(layout.mNAudioOut));
    separator();
  }
  for (int p = 0; p < plug.NParams(); ++p, ++index) {
    WriteParamPort(out, index, plug.GetParam(p), p, bundle);
    separator();
  }
  for (int m = 0; m < plug.NMeterPorts(); ++m, ++index) {
    WriteMeterPort(out, index, plug.GetMeterPort(m));
    separator();
  }
}

void WritePresets(std::ostream& out, IPlugLV2& plug) {
  out << kPrefixes;
  for (int i = 0; i < plug.NPresets(); ++i) {
    plug.RestorePreset(i);
    out << "<" << PresetURI(plug.GetPresetName(i)) << ">\n"
        << "  a pset:Preset ;\n"
        << "  lv2:appliesTo <" << kPlugURI << "> ;\n"
        << "  rdfs:label " << Quoted(plug.GetPresetName(i)) << " ;\n"
        << "  lv2:port";
    for (int p = 0; p < plug.NParams(); ++p) {
      out << (p ? " ,\n" : "\n") << "    [ lv2:symbol \""
          << PortSymbolOf(plug.GetParam(p)->GetNameForHost()) << "\" ; pset:value "
          << Number(plug.GetParam(p)->Value()) << " ]";
    }
    out << " .\n\n";
  }
}
