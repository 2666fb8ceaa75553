// What the LV2 plug-in takes from the features a host passes at instantiation.
#pragma once

#include <optional>

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

// The data of the feature with this URI, or null when the host passed none.
const void* FeatureData(const LV2_Feature* const* features, const char* uri);
// The host's URI map, or null when it offers none.
const LV2_URID_Map* UridMapOf(const LV2_Feature* const* features);
// The maximum block length the host announces through its options (with a URI map), if any.
std::optional<int> MaxBlockLengthOf(const LV2_Feature* const* features);
