#include "tools/host/HostEventLog.h"

#include <algorithm>

namespace host {

const char* toString(HostEvent::Kind kind) {
  switch (kind) {
    case HostEvent::Kind::Automate:
      return "automate";
    case HostEvent::Kind::BeginEdit:
      return "begin-edit";
    case HostEvent::Kind::EndEdit:
      return "end-edit";
    case HostEvent::Kind::UpdateDisplay:
      return "update-display";
  }
  return "?";
}

void HostEventLog::record(const HostEvent& event) {
  std::lock_guard lock(mMutex);
  mEvents.push_back(event);
}

std::vector<HostEvent> HostEventLog::events() const {
  std::lock_guard lock(mMutex);
  return mEvents;
}

std::vector<HostEvent> HostEventLog::take() {
  std::lock_guard lock(mMutex);
  std::vector<HostEvent> taken;
  taken.swap(mEvents);
  return taken;
}

std::size_t HostEventLog::count(HostEvent::Kind kind) const {
  std::lock_guard lock(mMutex);
  return static_cast<std::size_t>(std::count_if(
      mEvents.begin(), mEvents.end(), [kind](const HostEvent& e) { return e.kind == kind; }));
}

void HostEventLog::clear() {
  std::lock_guard lock(mMutex);
  mEvents.clear();
}

}  // namespace host
