#!/usr/bin/env bash
# Instructions per stereo frame of the LV2 library against the VST2 one, on the generated kick
# at 48 kHz in 512-frame cycles, through "Default", "808 Kick" and a compressing setting
# (threshold 18 dB), counted by callgrind in the same run of this script:
#   VST2 single, double  Tundrax.so through tundrax-host process (process callback only);
#   LV2                  Tundrax.lv2 through lv2_bench_driver (its run cycle only), with float
#                        audio ports like VST2's single-precision path.
# Each figure is (long file - short silent file) / (frame difference), as in callgrind-kick.sh.
#   bench/callgrind-lv2.sh [build dir, default build/callgrind] [seconds of audio, default 4]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/callgrind}
seconds=${2:-4}
block=512

command -v valgrind >/dev/null || { echo "valgrind is missing (tools/setup-debian.sh --tests)" >&2; exit 1; }
# valgrind 3.19 cannot read clang 14's DWARF 5, and the figures are for g++'s code.
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
fi
cmake --build "$build" -j2 --target tundrax-host tundrax-kickgen Tundrax TundraxLV2 \
  lv2_bench_driver >/dev/null
host=$build/tools/host/tundrax-host
driver=$build/bench/lv2/lv2_bench_driver

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/kickgen/tundrax-kickgen" "$work/long.wav" --seconds "$seconds" >/dev/null
"$build/tools/kickgen/tundrax-kickgen" "$work/short.wav" --seconds 0.02 >/dev/null

# Instructions inside the toggled function for one run; the frame count goes to $work/frames.
count() {  # toggle program args...
  local toggle=$1
  shift
  valgrind --tool=callgrind --collect-atstart=no "--toggle-collect=$toggle" \
    --callgrind-out-file="$work/out" "$@" >"$work/stdout" 2>"$work/stderr" ||
    { tail -n 5 "$work/stderr" >&2; exit 1; }
  sed -n 's/^\([0-9]*\) frames.*/\1/p' "$work/stdout" >"$work/frames"
  awk '/^summary:/ { print $2 }' "$work/out"
}

per_frame() {  # toggle program-before-input program-after-input...
  local toggle=$1 long short lf sf
  local -n before=$2 after=$3
  long=$(count "$toggle" "${before[@]}" "$work/long.wav" "${after[@]}")
  lf=$(cat "$work/frames")
  short=$(count "$toggle" "${before[@]}" "$work/short.wav" "${after[@]}")
  sf=$(cat "$work/frames")
  awk -v l="$long" -v s="$short" -v lf="$lf" -v sf="$sf" 'BEGIN { printf "%.1f", (l - s) / (lf - sf) }'
}

vst2() {  # precision vst2-options...
  local precision=$1
  shift
  local before=("$host" process "$build/product/Tundrax.so")
  local after=("$work/out.wav" --block "$block" --precision "$precision" "$@")
  per_frame 'host::PluginInstance::process*Replacing(*' before after
}

lv2() {  # INDEX=VALUE...
  local before=("$driver")
  local after=("$block" "$@")
  per_frame '*RunCycle*' before after
}

printf '%-18s %12s %12s %12s %10s\n' setting 'VST2 single' 'VST2 double' LV2 'LV2/single'
while IFS=: read -r name vst2_options lv2_options; do
  # shellcheck disable=SC2086  # the options are meant to split
  single=$(vst2 single $vst2_options)
  # shellcheck disable=SC2086
  double=$(vst2 double $vst2_options)
  # shellcheck disable=SC2086
  plugin=$(lv2 $lv2_options)
  printf '%-18s %12s %12s %12s %10s\n' "$name" "$single" "$double" "$plugin" \
    "$(awk -v a="$plugin" -v b="$single" 'BEGIN { printf "%.3f", a / b }')"
done <<'SETTINGS'
Default:--program 0:
808 Kick:--program 4:3=2 4=1 5=2 6=2 7=1 8=1 9=0 10=2 11=0
threshold 18 dB:--param 13=0.375:13=18
SETTINGS
