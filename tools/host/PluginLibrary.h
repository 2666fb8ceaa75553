// A VST2 plug-in shared object opened with dlopen. Every PluginInstance made from it holds a
// shared_ptr to it, so the library is dlclosed only when the last instance is gone; several
// instances of one library can live at the same time.
#pragma once

#include <memory>
#include <string>

#include "vst2/VstAbi.h"

namespace host {

class PluginLibrary {
 public:
  // Opens the file (RTLD_NOW | RTLD_LOCAL) and resolves the entry point, VSTPluginMain first,
  // then the older name main. Throws HostError when the file cannot be loaded or exports
  // neither symbol.
  static std::shared_ptr<PluginLibrary> load(const std::string& path);

  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  vst2::EntryProc entry() const { return mEntry; }
  // "VSTPluginMain" or "main": the symbol the entry was found under.
  const std::string& entryName() const { return mEntryName; }
  const std::string& path() const { return mPath; }
  // The folder holding the file, as plug-ins ask for it with audioMasterGetDirectory.
  const std::string& directory() const { return mDirectory; }

 private:
  PluginLibrary(void* handle, vst2::EntryProc entry, std::string entryName, std::string path);

  void* mHandle;
  vst2::EntryProc mEntry;
  std::string mEntryName;
  std::string mPath;
  std::string mDirectory;
};

}  // namespace host
