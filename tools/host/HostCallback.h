// The callback every plug-in loaded by this host gets (audioMasterCallback). It answers the
// version (also with a null effect, as plug-ins ask from inside their entry point), identity,
// sample rate, block size, process level, transport and capability queries, and records
// automate, begin-edit, end-edit and update-display calls in the instance's event log.
// Opcodes it does not know, and calls from a record it cannot place, are answered with 0.
#pragma once

#include <cstdint>

#include "vst2/VstAbi.h"

namespace host {

constexpr intptr_t kHostVstVersion = 2400;
constexpr const char* kHostProductString = "tundrax-host";
constexpr const char* kHostVendorString = "Orvalline";
constexpr intptr_t kHostVendorVersion = 10002;  // 1.0.2 in the decimal form

intptr_t hostCallback(vst2::AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                      void* ptr, float opt);

// The host's answer to audioMasterCanDo: 1 for what it does, -1 for what it knows and does not
// do, 0 for texts it does not know.
intptr_t hostCanDo(const char* capability);

}  // namespace host
