// The .fxp and .fxb side of `tundrax-host state`: saving the current program or the whole bank
// of an open plug-in into the standard files, and loading them back. Each throws HostError with
// a message for the user when the file is not one this plug-in can take.
#pragma once

#include <string>

#include "tools/host/PluginInstance.h"

namespace host {

// Whether path names a standard program (.fxp) or bank (.fxb) file, by its extension.
bool isProgramFile(const std::string& path);
bool isBankFile(const std::string& path);

void saveProgramFile(PluginInstance& plugin, const std::string& path);
void saveBankFile(PluginInstance& plugin, const std::string& path);
void loadProgramFile(PluginInstance& plugin, const std::string& path);
void loadBankFile(PluginInstance& plugin, const std::string& path);

}  // namespace host
