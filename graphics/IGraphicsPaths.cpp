// The folders offered to file prompts, after the XDG base and user directory conventions.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "IGraphics.h"

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string Home() {
  std::string home = Env("HOME");
  return home.empty() ? std::string("/") : home;
}

std::string FolderOf(const std::string& file) {
  const auto slash = file.find_last_of('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// A user directory (XDG_*_DIR) when set to an absolute path, else the usual folder in $HOME.
std::string UserDir(const char* variable, const char* fallback) {
  std::string dir = Env(variable);
  if (dir.empty()) dir = Home() + "/" + fallback;
  if (dir.back() != '/') dir += '/';
  return dir;
}
}  // namespace

void IGraphics::HostPath(std::string* path) {
  if (!path) return;
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  *path = n > 0 ? FolderOf(std::string(buf, static_cast<size_t>(n))) : std::string();
}

void IGraphics::PluginPath(std::string* path) {
  if (!path) return;
  Dl_info info{};
  const bool found = dladdr(reinterpret_cast<void*>(&FolderOf), &info) && info.dli_fname;
  *path = found ? FolderOf(info.dli_fname) : std::string();
}

void IGraphics::DesktopPath(std::string* path) {
  if (path) *path = UserDir("XDG_DESKTOP_DIR", "Desktop");
}

void IGraphics::AppSupportPath(std::string* path, bool isSystem) {
  if (!path) return;
  if (isSystem) {
    *path = "/etc/xdg/";
    return;
  }
  *path = UserDir("XDG_CONFIG_HOME", ".config");
}

void IGraphics::UserMusicPath(std::string* path) {
  if (path) *path = UserDir("XDG_MUSIC_DIR", "Music");
}
