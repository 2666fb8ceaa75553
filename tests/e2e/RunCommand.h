// Runs a shell command and returns what it printed on stdout (empty when it could not start).
#pragma once

#include <cstdio>
#include <string>

inline std::string runCommand(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}
