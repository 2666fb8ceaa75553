#include "tools/host/PluginLibrary.h"

#include <dlfcn.h>

#include <filesystem>

#include "tools/host/HostError.h"

namespace host {

namespace {

vst2::EntryProc findEntry(void* handle, const char* name) {
  // dlsym returns an object pointer; the entry is a function taking the host callback.
  void* symbol = dlsym(handle, name);
  return reinterpret_cast<vst2::EntryProc>(symbol);
}

}  // namespace

std::shared_ptr<PluginLibrary> PluginLibrary::load(const std::string& path) {
  if (!std::filesystem::exists(path)) throw HostError("no such plug-in file: " + path);
  // A path without a slash would make dlopen search the library path instead of the file.
  std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    throw HostError("cannot load " + path + ": " + (why != nullptr ? why : "unknown error"));
  }
  std::string entryName = "VSTPluginMain";
  vst2::EntryProc entry = findEntry(handle, entryName.c_str());
  if (entry == nullptr) {
    entryName = "main";
    entry = findEntry(handle, entryName.c_str());
  }
  if (entry == nullptr) {
    dlclose(handle);
    throw HostError(path + " is not a VST2 plug-in: it exports neither VSTPluginMain nor main");
  }
  return std::shared_ptr<PluginLibrary>(new PluginLibrary(handle, entry, entryName, path));
}

PluginLibrary::PluginLibrary(void* handle, vst2::EntryProc entry, std::string entryName,
                             std::string path)
    : mHandle(handle), mEntry(entry), mEntryName(std::move(entryName)), mPath(std::move(path)) {
  mDirectory = std::filesystem::absolute(mPath).parent_path().string();
}

PluginLibrary::~PluginLibrary() { dlclose(mHandle); }

}  // namespace host
