#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) in build-fuzz and runs each for a
# short fixed time on a copy of its seed corpus, fuzz/corpus/<target>/.
# A crash, a sanitizer finding or a broken property fails the script; the
# input that did it is kept as build-fuzz/findings/<target>/crash-*.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]     default: 20 seconds, every target
#
# Debian 12, as root.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true

source scripts/packages.sh
install_missing "${build_packages[@]}" "${sanitizer_packages[@]}"

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DGEARWISE_BUILD_FUZZ=ON \
      -DGEARWISE_BUILD_GUI=OFF -DGEARWISE_BUILD_TESTS=OFF -DGEARWISE_BUILD_BENCH=OFF
cmake --build build-fuzz -j2 --target gearwise_fuzzers

targets=("$@")
if ((${#targets[@]} == 0)); then
    for dir in fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

failed=()
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    rm -rf "$corpus" "$findings"
    mkdir -p "$corpus" "$findings"
    cp fuzz/corpus/"$target"/* "$corpus"/
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$findings"/)
    # Words the target's input format knows (option names, setting keys).
    if [[ -f fuzz/$target.dict ]]; then
        options+=(-dict=fuzz/"$target".dict)
    fi
    echo "== $target: ${seconds}s"
    # -timeout: one input taking this long counts as a hang.
    if ! build-fuzz/"$target" "${options[@]}" "$corpus" 2> "build-fuzz/$target.log"; then
        tail -n 60 "build-fuzz/$target.log"
        failed+=("$target")
    else
        grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "build-fuzz/$target.log" || true
    fi
done

if ((${#failed[@]})); then
    echo "failed: ${failed[*]} (inputs in build-fuzz/findings/)" >&2
fi
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
((${#failed[@]} == 0))
