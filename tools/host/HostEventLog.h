// What a plug-in told the host about parameter and program changes: automate, begin-edit,
// end-edit and update-display calls, in the order they arrived. One log per loaded instance.
// Thread-safe: the plug-in may call from the audio thread, the host's thread or any thread
// that happens to set a parameter, so every access takes the log's mutex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace host {

struct HostEvent {
  enum class Kind { Automate, BeginEdit, EndEdit, UpdateDisplay };
  Kind kind;
  int32_t index;  // parameter index; 0 for UpdateDisplay
  float value;    // normalised value of Automate; 0 otherwise

  bool operator==(const HostEvent&) const = default;
};

const char* toString(HostEvent::Kind kind);

class HostEventLog {
 public:
  void record(const HostEvent& event);
  // A copy of every event so far.
  std::vector<HostEvent> events() const;
  // Returns the events so far and empties the log.
  std::vector<HostEvent> take();
  std::size_t count(HostEvent::Kind kind) const;
  void clear();

 private:
  mutable std::mutex mMutex;
  std::vector<HostEvent> mEvents;
};

}  // namespace host
