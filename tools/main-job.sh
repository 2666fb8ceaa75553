#!/usr/bin/env bash
# Builds the plug-in and the command-line host, then runs the plug-in on a generated kick.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release

host=build/release/tools/host/tundrax-host
plugin=build/release/product/Tundrax.so
mkdir -p out
build/release/tools/kickgen/tundrax-kickgen out/kick.wav
"$host" info "$plugin"
"$host" process "$plugin" out/kick.wav out/kick-processed.wav
