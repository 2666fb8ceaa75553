#include "X11Scale.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>

namespace x11scale {

double XftDpi(const char* resources) {
  if (!resources) return 0.0;
  constexpr std::string_view kName = "Xft.dpi:";
  for (const char* line = resources; *line;) {
    const char* end = strchr(line, '\n');
    const size_t length = end ? static_cast<size_t>(end - line) : strlen(line);
    if (std::string_view(line, length).starts_with(kName)) {
      // strtod stops at the end of the number; the line ends at most at its newline.
      const double dpi = strtod(line + kName.size(), nullptr);
      return dpi > 0.0 && dpi < 10000.0 ? dpi : 0.0;
    }
    if (!end) break;
    line = end + 1;
  }
  return 0.0;
}

int Choose(float hostScale, const char* env, double dpi) {
  if (hostScale > 0.0f) return hostScale >= 1.5f ? 2 : 1;
  if (env && (!strcmp(env, "1") || !strcmp(env, "2"))) return env[0] - '0';
  return dpi >= 192.0 ? 2 : 1;
}

int Detect(float hostScale) {
  const char* env = getenv("TUNDRAX_SCALE");
  if (hostScale > 0.0f || (env && (!strcmp(env, "1") || !strcmp(env, "2")))) {
    return Choose(hostScale, env, 0.0);
  }
  // Process-wide cache: instances are created by the dozen when a host scans, and the
  // resource does not change while the process runs.
  static std::mutex mutex;
  static std::optional<double> cachedDpi;
  std::lock_guard lock(mutex);
  if (!cachedDpi) {
    cachedDpi = 0.0;
    if (Display* display = XOpenDisplay(nullptr)) {
      // The resource string is read at connection time; no request can fail here.
      cachedDpi = XftDpi(XResourceManagerString(display));
      XCloseDisplay(display);
    }
  }
  return Choose(hostScale, nullptr, *cachedDpi);
}

}  // namespace x11scale
