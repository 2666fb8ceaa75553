#!/usr/bin/env bash
# Builds the plug-in and the command-line host, then runs the plug-in on a generated kick.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release
