#include "HostFeatures.h"

#include <cstring>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

const void* FeatureData(const LV2_Feature* const* features, const char* uri) {
  for (; features && *features; ++features) {
    if ((*features)->URI && std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
  }
  return nullptr;
}

const LV2_URID_Map* UridMapOf(const LV2_Feature* const* features) {
  const auto* map = static_cast<const LV2_URID_Map*>(FeatureData(features, LV2_URID__map));
  return map && map->map ? map : nullptr;
}

std::optional<int> MaxBlockLengthOf(const LV2_Feature* const* features) {
  const LV2_URID_Map* map = UridMapOf(features);
  const auto* options =
      static_cast<const LV2_Options_Option*>(FeatureData(features, LV2_OPTIONS__options));
  if (!map || !options) return std::nullopt;
  const LV2_URID maxBlock = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID atomInt = map->map(map->handle, LV2_ATOM__Int);
  for (; options->key != 0; ++options) {
    if (options->context == LV2_OPTIONS_INSTANCE && options->key == maxBlock &&
        options->type == atomInt && options->size == sizeof(int32_t) && options->value) {
      const int32_t value = *static_cast<const int32_t*>(options->value);
      if (value > 0) return value;
    }
  }
  return std::nullopt;
}
