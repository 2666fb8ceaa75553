// The one error type of the host library: loading, driving a plug-in, reading and writing
// audio and state files all report failure by throwing it, with a message meant for a user.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

class HostError : public std::runtime_error {
 public:
  explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace host
