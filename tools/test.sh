#!/usr/bin/env bash
# Builds and runs every test: the plain build, then ASan+UBSan (built with clang, which
# also proves clang builds the project), then the thread tests under TSan, then the fuzzers.
# Our own builds treat warnings as errors (TUNDRAX_WERROR).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh --tests

# The sources keep the house format (.clang-format).
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

jobs=$(nproc)
configure=(-G Ninja -DTUNDRAX_WERROR=ON)
run_ctest() { ctest --test-dir "$1" --output-on-failure -j"$jobs" "${@:2}"; }

cmake -S . -B build/release "${configure[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release
run_ctest build/release

cmake -S . -B build/asan "${configure[@]}" -DCMAKE_BUILD_TYPE=Debug -DTUNDRAX_SANITIZE=address \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTUNDRAX_BUILD_BENCH=OFF
cmake --build build/asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest build/asan -LE no-sanitizer

cmake -S . -B build/tsan "${configure[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUNDRAX_SANITIZE=thread \
  -DTUNDRAX_BUILD_BENCH=OFF
cmake --build build/tsan
TSAN_OPTIONS=halt_on_error=1 run_ctest build/tsan -L threads

if [[ -d tests/fuzz ]]; then
  cmake -S . -B build/fuzz "${configure[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUNDRAX_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTUNDRAX_BUILD_BENCH=OFF
  cmake --build build/fuzz --target fuzzers
  run_ctest build/fuzz -L fuzz
fi
