#include "PortLayout.h"

#include "core/IPlugBase.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsAlnum(char c) { return IsDigit(c) || IsUpper(c) || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string IdentifierOf(const char* name, char separator) {
  std::string id;
  bool pendingSeparator = false;
  for (const char* c = name; *c; ++c) {
    if (!IsAlnum(*c)) {
      pendingSeparator = !id.empty();
      continue;
    }
    if (pendingSeparator) id += separator;
    pendingSeparator = false;
    id += IsUpper(*c) ? static_cast<char>(*c - 'A' + 'a') : *c;
  }
  return id;
}

std::string PortSymbolOf(const char* name) {
  std::string symbol = IdentifierOf(name, '_');
  if (symbol.empty() || IsDigit(symbol[0])) symbol.insert(0, "p_");
  return symbol;
}

PortLayout PortLayout::Of(const IPlugBase& plug, int nMeters) {
  PortLayout layout;
  layout.mNAudioIn = static_cast<uint32_t>(plug.NInChannels());
  layout.mNAudioOut = static_cast<uint32_t>(plug.NOutChannels());
  layout.mNParams = static_cast<uint32_t>(plug.NParams());
  layout.mNMeters = static_cast<uint32_t>(nMeters);
  return layout;
}
