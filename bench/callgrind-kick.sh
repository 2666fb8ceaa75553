#!/usr/bin/env bash
# Instructions per stereo frame on the generated kick (tundrax-kickgen: 48 kHz, stereo) in
# 512-frame blocks, through the "Default" and "808 Kick" presets, counted by callgrind over
# everything executed (the math library included):
#   chain, reference  Tundrax's fast chain and the plain reference chain, run by
#                     dsp_chain_driver on the same kick synthesised in memory;
#                     (run with processing - run with setup only) / frames.
#   Tundrax.so        the whole plug-in through tundrax-host process, double and single
#                     precision.
#   LSP               Debian's lsp-plugins-vst through tundrax-host process: the parametric
#                     equaliser with the fewest bands (x16, stereo) with three bells set like
#                     the preset's bands, then the stereo compressor at its defaults on the
#                     equaliser's output; the pair is the sum of the two.
# For the plug-ins only the process callback is counted (collection toggled on the host's
# PluginInstance::process*Replacing), and the figure is (long file - short silent file) /
# (frame difference), which also removes what a plug-in does once in its first blocks.
#   bench/callgrind-kick.sh [build dir, default build/callgrind] [seconds of audio, default 4]
# Installs valgrind and lsp-plugins-vst with apt-get when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/callgrind}
seconds=${2:-4}
short_seconds=0.02  # silence: the first hit starts at 50 ms
block=512

install_packages() {
  local sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y "$@" >/dev/null ||
    { "${sudo[@]}" apt-get update >/dev/null && "${sudo[@]}" apt-get install -y "$@" >/dev/null; }
}
command -v valgrind >/dev/null || install_packages valgrind
dpkg -s lsp-plugins-vst >/dev/null 2>&1 || install_packages lsp-plugins-vst
lsp_plugin() { dpkg -L lsp-plugins-vst | grep "/$1\.so\$" | head -n 1; }
lsp_eq=$(lsp_plugin para-equalizer-x16-stereo)
lsp_comp=$(lsp_plugin compressor-stereo)

# valgrind 3.19 cannot read clang 14's DWARF 5, and the figures are for g++'s code.
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
fi
if ! grep -q '^CMAKE_BUILD_TYPE:STRING=RelWithDebInfo$' "$build/CMakeCache.txt" ||
  ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*g++' "$build/CMakeCache.txt"; then
  echo "$build is not a g++ RelWithDebInfo build directory" >&2
  exit 1
fi
cmake --build "$build" -j2 --target dsp_chain_driver tundrax-host tundrax-kickgen Tundrax >/dev/null
driver=$build/bench/dsp/dsp_chain_driver
host=$build/tools/host/tundrax-host
tundrax=$build/product/Tundrax.so

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/kickgen/tundrax-kickgen" "$work/long.wav" --seconds "$seconds" >/dev/null
"$build/tools/kickgen/tundrax-kickgen" "$work/short.wav" --seconds "$short_seconds" >/dev/null

# Runs valgrind's callgrind with the given options before "--" and the program after it;
# prints the instructions counted. The program's output is kept in $work/stdout.
callgrind() {
  local options=()
  while [[ $1 != -- ]]; do options+=("$1"); shift; done
  shift
  if ! valgrind --tool=callgrind "${options[@]}" --callgrind-out-file="$work/out" "$@" \
    >"$work/stdout" 2>"$work/stderr"; then
    tail -n 5 "$work/stderr" >&2
    exit 1
  fi
  awk '/^summary:/ { print $2 }' "$work/out"
}

# Instructions per frame of the chain driver in one mode.
chain_per_frame() {  # mode preset-index
  local setup total frames
  setup=$(callgrind -- "$driver" setup "$2" "$seconds")
  total=$(callgrind -- "$driver" "$1" "$2" "$seconds")
  frames=$(sed -n 's/.*frames=\([0-9]*\).*/\1/p' "$work/stdout")
  awk -v t="$total" -v s="$setup" -v f="$frames" 'BEGIN { printf "%.1f", (t - s) / f }'
}

# Instructions inside the process callback for one file; the frame count goes to $work/frames.
# Leaves the output in $work/<input name>.out.wav.
host_count() {  # plugin input.wav host-options...
  local plugin=$1 input=$2
  shift 2
  callgrind --collect-atstart=no '--toggle-collect=host::PluginInstance::process*Replacing(*' -- \
    "$host" process "$plugin" "$input" "${input%.wav}.out.wav" --block "$block" "$@"
  sed -n 's/^\([0-9]*\) frames,.*/\1/p' "$work/stdout" >"$work/frames"
}

# Instructions per frame of one plug-in: (long - short) / (frame difference). The inputs are
# given without ".wav" so a chained plug-in can take the previous one's outputs.
plugin_per_frame() {  # plugin long-input short-input host-options...
  local plugin=$1 long=$2 short=$3 long_count short_count long_frames short_frames
  shift 3
  long_count=$(host_count "$plugin" "$long.wav" "$@")
  long_frames=$(cat "$work/frames")
  short_count=$(host_count "$plugin" "$short.wav" "$@")
  short_frames=$(cat "$work/frames")
  awk -v l="$long_count" -v s="$short_count" -v lf="$long_frames" -v sf="$short_frames" \
    'BEGIN { printf "%.1f", (l - s) / (lf - sf) }'
}

# --param options setting LSP equaliser bands 0..2 to bells: "Hz dB Q" for each band. The
# normalised values follow the plug-in's scales: type 0.175 is "Bell", frequency is
# logarithmic from 10 Hz to 24 kHz, gain linear from -36 to +36 dB, quality linear from 0 to 100.
lsp_bells() {
  awk -v bands="$*" 'BEGIN {
    n = split(bands, v, " ")
    for (b = 0; b < n / 3; ++b) {
      base = 13 + 9 * b
      printf "--param %d=0.175 --param %d=%.6f --param %d=%.6f --param %d=%.6f ",
        base, base + 5, log(v[3 * b + 1] / 10) / log(2400), base + 6, (v[3 * b + 2] + 36) / 72,
        base + 7, v[3 * b + 3] / 100
    }
  }'
}

row() { printf '%-10s %-34s %10s\n' "$@"; }

row preset measured 'Ir/frame'
# index:name:the preset's bands as "Hz dB Q" (Warmth, Boxiness, Click; KickChain's step tables)
for preset in '0:Default:50 3 1 180 -4 1 1000 3 1' '4:808 Kick:130 6 4 420 -8 2 1000 9 1'; do
  index=${preset%%:*}
  rest=${preset#*:}
  name=${rest%%:*}
  bands=${rest#*:}
  row "$name" "Tundrax chain, fast" "$(chain_per_frame fast "$index")"
  row "$name" "Tundrax chain, reference" "$(chain_per_frame reference "$index")"
  for precision in double single; do
    row "$name" "Tundrax.so, $precision" "$(plugin_per_frame "$tundrax" "$work/long" \
      "$work/short" --program "$index" --precision "$precision")"
  done
  # shellcheck disable=SC2046  # the --param options are meant to split
  eq=$(plugin_per_frame "$lsp_eq" "$work/long" "$work/short" --precision single \
    $(lsp_bells "$bands"))
  comp=$(plugin_per_frame "$lsp_comp" "$work/long.out" "$work/short.out" --precision single)
  row "$name" "LSP para-equalizer x16, 3 bells" "$eq"
  row "$name" "LSP compressor stereo, defaults" "$comp"
  row "$name" "LSP pair" "$(awk -v a="$eq" -v b="$comp" 'BEGIN { printf "%.1f", a + b }')"
done
