#!/usr/bin/env bash
# What an open editor adds to a host: tundrax-host edit runs one process that first idles
# with the editor closed, then with it open, effEditIdle at 25 Hz in both phases, and reports
# per phase its own CPU time (all threads), the bytes it wrote (its only writing is to the X
# server: Xlib sends with writev) and the X server's CPU time. Two runs:
#   idle     nothing changes on the editor;
#   playing  a generated kick is processed in real time, so the meters move.
# The editor's cost is the open phase minus the closed phase of the same run.
#   bench/editor-cpu.sh [plug-in .so, default the test plug-in] [seconds per phase, default 30]
#                       [build dir, default build/bench-editor]
# Needs Xvfb (tools/setup-debian.sh --tests); runs its own on a free display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${3:-build/bench-editor}
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target tundrax-host X11TestPlug >/dev/null
plugin=${1:-$build/tests/x11/X11TestPlug.so}
seconds=${2:-30}

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
read -r -u "$displayfd" display
export DISPLAY=":$display"

for mode in idle playing; do
  flags=()
  [[ $mode == playing ]] && flags=(--play)
  echo "== $mode ($plugin, $seconds s per phase)"
  "$build/tools/host/tundrax-host" edit "$plugin" --idle-hz 25 --closed-seconds "$seconds" \
    --seconds "$seconds" --x-server-pid "$xvfb" "${flags[@]}" | grep -v '^editor:'
done
