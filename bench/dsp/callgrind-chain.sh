#!/usr/bin/env bash
# Instructions per stereo frame of the kick processor's chain, fast path and plain reference,
# on the synthetic kick at 48 kHz in 512-frame blocks through the "Default" and "808 Kick"
# presets. Each figure is (run with processing - run with setup only) / frames, counted by
# callgrind over everything executed, the math library included.
#   bench/dsp/callgrind-chain.sh [build dir, default build/dev] [seconds of audio, default 2]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/dev}
seconds=${2:-2}

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" -j2 --target dsp_chain_driver >/dev/null
driver=$(find "$build" -name dsp_chain_driver -type f -perm -u+x | head -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Total instructions of one driver run.
count() {
  if ! valgrind --tool=callgrind --callgrind-out-file="$work/out" "$driver" "$@" \
    >"$work/stdout" 2>"$work/stderr"; then
    # (valgrind 3.19 cannot read clang 14's DWARF 5: build with g++ or -gdwarf-4)
    tail -n 5 "$work/stderr" >&2
    exit 1
  fi
  awk '/^summary:/ { print $2 }' "$work/out"
}

frames_of() { sed -n 's/.*frames=\([0-9]*\).*/\1/p' "$work/stdout"; }

printf '%-10s %-10s %12s\n' preset path 'Ir/frame'
for preset in 0:Default 4:808; do
  index=${preset%%:*}
  name=${preset#*:}
  setup=$(count setup "$index" "$seconds")
  for path in fast reference; do
    total=$(count "$path" "$index" "$seconds")
    frames=$(frames_of)
    awk -v t="$total" -v s="$setup" -v f="$frames" -v p="$name" -v m="$path" \
      'BEGIN { printf "%-10s %-10s %12.1f\n", p, m, (t - s) / f }'
  done
done
