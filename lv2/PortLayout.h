// Where each kind of port starts in the LV2 plug-in's port list: audio inputs, audio outputs,
// one control input per parameter in index order, then the meters as control outputs.
#pragma once

#include <cstdint>
#include <string>

class IPlugBase;

struct PortLayout {
  uint32_t mNAudioIn = 0;
  uint32_t mNAudioOut = 0;
  uint32_t mNParams = 0;
  uint32_t mNMeters = 0;

  uint32_t FirstAudioOut() const { return mNAudioIn; }
  uint32_t FirstParam() const { return mNAudioIn + mNAudioOut; }
  uint32_t FirstMeter() const { return FirstParam() + mNParams; }
  uint32_t NPorts() const { return FirstMeter() + mNMeters; }

  // The ports of a plug-in with these channels and parameters, and nMeters meters.
  static PortLayout Of(const IPlugBase& plug, int nMeters);
};

// A name as an identifier: lower case, every run of other characters than letters and digits
// becomes one separator, none at either end ("Make-up" gives "make_up" with '_').
std::string IdentifierOf(const char* name, char separator);
// The port symbol for a parameter name: its identifier with '_', "p_" put in front when it
// would otherwise be empty or start with a digit.
std::string PortSymbolOf(const char* name);
