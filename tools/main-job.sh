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

# Each render is compared with one at a 1:1 ratio (parameter 12 at 0), which shows the largest
# gain reduction the compressor applied. Beside each WAV lies the editor as it looks after
# playing the kick through the same settings.
render() {
  local name=$1 file=$2
  shift 2
  echo
  "$host" process "$plugin" out/kick.wav "out/$file.wav" --preset "$name" --compare 12=0 "$@" |
    sed -n '/^program/,/^largest/p'
  "$host" screenshot "$plugin" "out/$file.png" --preset "$name" --audio out/kick.wav "$@"
}
render "Default" kick-default
render "808 Kick" kick-808
render "Dub Kick" kick-dub
render "Trance Kick 2" kick-trance-2
echo
echo "The factory programs leave the threshold at 0 dBFS, which this kick never reaches;"
echo "with the threshold at -18 dBFS (parameter 13 at 18/48) the compressor works:"
render "Default" kick-default-threshold-18 --param 13=0.375
