// The bundle as lilv reads it: every control port's range, default, unit and scale points, and
// the presets' values, against the product's parameter table and factory programs; the names
// against what the VST2 plug-in tells its host.
#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/port-props/port-props.h>
#include <lv2/units/units.h>

#include <map>
#include <string>

#include "Lv2Host.h"
#include "tests/e2e/TundraxPlugin.h"

namespace {

struct ParamRow {
  const char* symbol;
  float min, max;
  const char* unit;  // units: suffix, or empty
  std::vector<const char*> scalePoints;
};

// The product's parameter table and band steps.
const ParamRow kTable[lv2test::kNumParams] = {
    {"bypass_warmth", 0, 1, "", {}},
    {"bypass_boxiness", 0, 1, "", {}},
    {"bypass_click", 0, 1, "", {}},
    {"warmth_frequency", 0, 2, "", {"50 Hz", "90 Hz", "130 Hz"}},
    {"warmth_gain", 0, 2, "", {"+3 dB", "+6 dB", "+9 dB"}},
    {"warmth_quality", 0, 2, "", {"Q 1", "Q 2", "Q 4"}},
    {"boxiness_frequency", 0, 2, "", {"180 Hz", "300 Hz", "420 Hz"}},
    {"boxiness_gain", 0, 2, "", {"-4 dB", "-8 dB", "-12 dB"}},
    {"boxiness_quality", 0, 2, "", {"Q 1", "Q 2", "Q 4"}},
    {"click_frequency", 0, 2, "", {"1 kHz", "2.5 kHz", "4 kHz"}},
    {"click_gain", 0, 2, "", {"+3 dB", "+6 dB", "+9 dB"}},
    {"click_quality", 0, 2, "", {"Q 1", "Q 2", "Q 4"}},
    {"ratio", 1, 20, "", {}},
    {"threshold", 0, 48, "db", {}},
    {"attack", 1, 100, "ms", {}},
    {"release", 1, 500, "ms", {}},
    {"make_up", 0, 48, "db", {}},
};

class Lv2Description : public ::testing::Test {
 protected:
  void SetUp() override {
    mWorld = lilv_world_new();
    LilvNode* bundle = lilv_new_file_uri(mWorld, nullptr, TUNDRAX_LV2_BUNDLE "/");
    lilv_world_load_bundle(mWorld, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(mWorld, "urn:orvalline:tundrax");
    mPlugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(mWorld), uri);
    lilv_node_free(uri);
    ASSERT_NE(mPlugin, nullptr);
  }
  void TearDown() override { lilv_world_free(mWorld); }

  LilvNode* uri(const char* text) { return lilv_new_uri(mWorld, text); }
  bool portIsA(const LilvPort* port, const char* portClass) {
    LilvNode* node = uri(portClass);
    const bool is = lilv_port_is_a(mPlugin, port, node);
    lilv_node_free(node);
    return is;
  }
  bool portIs(const LilvPort* port, const char* property) {
    LilvNode* node = uri(property);
    const bool has = lilv_port_has_property(mPlugin, port, node);
    lilv_node_free(node);
    return has;
  }

  LilvWorld* mWorld = nullptr;
  const LilvPlugin* mPlugin = nullptr;
};

TEST_F(Lv2Description, ControlPortsFollowTheParameterTable) {
  ASSERT_EQ(lilv_plugin_get_num_ports(mPlugin), lv2test::kNumPorts);
  auto vst = e2e::openTundrax();
  LilvNode* unitPredicate = uri(LV2_UNITS__unit);
  for (uint32_t i = 0; i < lv2test::kNumParams; ++i) {
    SCOPED_TRACE(kTable[i].symbol);
    const LilvPort* port = lilv_plugin_get_port_by_index(mPlugin, lv2test::kFirstParamPort + i);
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(mPlugin, port)), kTable[i].symbol);
    LilvNode* name = lilv_port_get_name(mPlugin, port);
    EXPECT_EQ(lilv_node_as_string(name), vst->paramName(static_cast<int32_t>(i)));
    lilv_node_free(name);

    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(mPlugin, port, &def, &min, &max);
    ASSERT_TRUE(def && min && max);
    EXPECT_EQ(lilv_node_as_float(def), static_cast<float>(e2e::kDefaults[i]));
    EXPECT_EQ(lilv_node_as_float(min), kTable[i].min);
    EXPECT_EQ(lilv_node_as_float(max), kTable[i].max);
    lilv_node_free(def);
    lilv_node_free(min);
    lilv_node_free(max);

    LilvNodes* units = lilv_port_get_value(mPlugin, port, unitPredicate);
    const std::string unit = units ? lilv_node_as_uri(lilv_nodes_get_first(units)) : "";
    EXPECT_EQ(unit, *kTable[i].unit ? std::string(LV2_UNITS_PREFIX) + kTable[i].unit : "");
    lilv_nodes_free(units);

    EXPECT_EQ(portIs(port, LV2_CORE__toggled), i < 3);
    EXPECT_EQ(portIs(port, LV2_CORE__integer), i < 12);
    EXPECT_EQ(portIs(port, LV2_CORE__enumeration), !kTable[i].scalePoints.empty());
    std::map<float, std::string> points;
    LilvScalePoints* scalePoints = lilv_port_get_scale_points(mPlugin, port);
    LILV_FOREACH(scale_points, it, scalePoints) {
      const LilvScalePoint* point = lilv_scale_points_get(scalePoints, it);
      points[lilv_node_as_float(lilv_scale_point_get_value(point))] =
          lilv_node_as_string(lilv_scale_point_get_label(point));
    }
    lilv_scale_points_free(scalePoints);
    ASSERT_EQ(points.size(), kTable[i].scalePoints.size());
    for (std::size_t step = 0; step < points.size(); ++step) {
      EXPECT_EQ(points[static_cast<float>(step)], kTable[i].scalePoints[step]);
    }
  }
  lilv_node_free(unitPredicate);
  vst->close();

  const LilvPort* reduction = lilv_plugin_get_port_by_index(mPlugin, lv2test::kGainReductionPort);
  const LilvPort* level = lilv_plugin_get_port_by_index(mPlugin, lv2test::kOutputLevelPort);
  EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(mPlugin, reduction)), "gain_reduction");
  EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(mPlugin, level)), "output_level");
  EXPECT_TRUE(portIsA(level, LV2_CORE__OutputPort) && portIsA(level, LV2_CORE__ControlPort));
  EXPECT_FALSE(lilv_plugin_has_latency(mPlugin));
}

// Collects a preset's port values by symbol.
void CollectValue(const char* symbol, void* data, const void* value, uint32_t size, uint32_t) {
  if (size == sizeof(float)) {
    (*static_cast<std::map<std::string, float>*>(data))[symbol] = *static_cast<const float*>(value);
  }
}

TEST_F(Lv2Description, PresetsAreTheFactoryPrograms) {
  lv2test::UridMap urids;
  LilvNode* presetClass = uri("http://lv2plug.in/ns/ext/presets#Preset");
  LilvNodes* presets = lilv_plugin_get_related(mPlugin, presetClass);
  EXPECT_EQ(lilv_nodes_size(presets), static_cast<unsigned>(e2e::kNumPrograms));
  int found = 0;
  for (int p = 0; p < e2e::kNumPrograms; ++p) {
    SCOPED_TRACE(e2e::kProgramNames[p]);
    LilvState* state = nullptr;
    LILV_FOREACH(nodes, it, presets) {
      const LilvNode* preset = lilv_nodes_get(presets, it);
      lilv_world_load_resource(mWorld, preset);
      LilvState* candidate = lilv_state_new_from_world(
          mWorld, reinterpret_cast<LV2_URID_Map*>(urids.feature()->data), preset);
      if (candidate && std::string(lilv_state_get_label(candidate)) == e2e::kProgramNames[p]) {
        state = candidate;
        break;
      }
      lilv_state_free(candidate);
    }
    ASSERT_NE(state, nullptr);
    ++found;
    std::map<std::string, float> values;
    lilv_state_emit_port_values(state, CollectValue, &values);
    lilv_state_free(state);
    ASSERT_EQ(values.size(), lv2test::kNumParams);
    for (uint32_t i = 0; i < lv2test::kNumParams; ++i) {
      const double expected = i >= 3 && i < 12 ? e2e::kPresetSteps[p][i - 3] : e2e::kDefaults[i];
      EXPECT_EQ(values[kTable[i].symbol], static_cast<float>(expected)) << kTable[i].symbol;
    }
  }
  EXPECT_EQ(found, e2e::kNumPrograms);
  lilv_nodes_free(presets);
  lilv_node_free(presetClass);
}

}  // namespace
