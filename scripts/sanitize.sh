#!/usr/bin/env bash
# Builds everything but the benchmarks with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang) in build-san and runs every test under
# them; a finding fails the test that triggers it. Debian 12, as root.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
install_missing "${build_packages[@]}" "${sanitizer_packages[@]}"

cmake -S . -B build-san -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DGEARWISE_SANITIZE=ON
cmake --build build-san -j2
cd build-san
ctest --output-on-failure -j2
