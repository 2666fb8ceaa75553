#!/usr/bin/env bash
# Instructions per stereo frame of the LV2 library against the VST2 one, on the generated kick
# at 48 kHz in 512-frame cycles, through "Default", "808 Kick" and a compressing setting
# (threshold 18 dB), counted by callgrind in the same run of this script:
#   VST2 single, double  Tundrax.so through tundrax-host process (process callback only);
#   LV2                  Tundrax.lv2 through lv2_bench_driver (its run cycle only), with float
#                        audio ports like VST2's single-precision path; "no meters" leaves the
#                        meter outputs unconnected. A connected output-level port lets go of
#                        the meter's held peak every 100 ms, so the meter moves and costs what
#                        it costs under an open editor; without a display the VST2 meter holds
#                        its loudest peak and settles.
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

# Instructions per frame of one measurement: (long - short) / (frame difference). The first
# argument is the counting function, which takes the input file first.
per_frame() {  # function args...
  local fn=$1 long short lf sf
  shift
  long=$("$fn" "$work/long.wav" "$@")
  lf=$(cat "$work/frames")
  short=$("$fn" "$work/short.wav" "$@")
  sf=$(cat "$work/frames")
  awk -v l="$long" -v s="$short" -v lf="$lf" -v sf="$sf" 'BEGIN { printf "%.1f", (l - s) / (lf - sf) }'
}

vst2_count() {  # input precision vst2-options...
  local input=$1 precision=$2
  shift 2
  count 'host::PluginInstance::process*Replacing(*' "$host" process "$build/product/Tundrax.so" \
    "$input" "$work/out.wav" --block "$block" --precision "$precision" "$@"
}

lv2_count() {  # input INDEX=VALUE...
  local input=$1
  shift
  count '*RunCycle*' "$driver" "$input" "$block" "$@"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

printf '%-16s %11s %11s %11s %11s %9s %9s\n' setting 'VST2 single' 'VST2 double' 'LV2 no mtr' \
  'LV2' 'no mtr/1' 'LV2/1'
while IFS=: read -r name vst2_options lv2_options; do
  # shellcheck disable=SC2086  # the options are meant to split
  single=$(per_frame vst2_count single $vst2_options)
  # shellcheck disable=SC2086
  double=$(per_frame vst2_count double $vst2_options)
  # shellcheck disable=SC2086
  quiet=$(per_frame lv2_count $lv2_options --no-meters)
  # shellcheck disable=SC2086
  metered=$(per_frame lv2_count $lv2_options)
  printf '%-16s %11s %11s %11s %11s %9s %9s\n' "$name" "$single" "$double" "$quiet" "$metered" \
    "$(ratio "$quiet" "$single")" "$(ratio "$metered" "$single")"
done <<'SETTINGS'
Default:--program 0:
808 Kick:--program 4:3=2 4=1 5=2 6=2 7=1 8=1 9=0 10=2 11=0
threshold 18 dB:--param 13=0.375:13=18
SETTINGS
