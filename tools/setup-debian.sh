#!/usr/bin/env bash
# Installs the Debian packages the build, the main job and the tests need.
# Usage: tools/setup-debian.sh [--tests]   (--tests adds what only the test suite uses)
set -euo pipefail

packages=(cmake ninja-build g++ clang pkg-config libpng-dev zlib1g-dev libfreetype-dev
          libfontconfig-dev libx11-dev libxext-dev libsndfile1-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core lv2-dev)
if [[ "${1:-}" == "--tests" ]]; then
  # Xvfb for the editor tests and xdotool as their user, Ardour's scanner as a real host,
  # clang's fuzzer runtime, valgrind for instruction counts, pixman as a benchmark reference,
  # lilv and its tools (lv2ls, lv2info, lv2apply) to read and run the LV2 bundle as LV2 hosts do,
  # jalv with a JACK server (dummy driver) to show the LV2 editor in a real host.
  packages+=(xvfb xauth xdotool ardour libclang-rt-14-dev valgrind libpixman-1-dev locales
             clang-format liblilv-dev lilv-utils jalv jackd2)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so the tests can show that texts for the host ignore the locale.
if [[ "${1:-}" == "--tests" ]] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf'; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
