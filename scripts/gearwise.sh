#!/usr/bin/env bash
# Installs what is missing, builds, then starts the program ("run") or runs
# every test ("test"). Meant for a Debian 12 machine, run as root.
set -euo pipefail

mode=${1:-}
case "$mode" in
    run|test) ;;
    *) echo "usage: $0 run|test" >&2; exit 64 ;;
esac

cd "$(dirname "$0")/.."

source scripts/packages.sh
install_missing "${build_packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

if [[ $mode == test ]]; then
    cd build
    ctest --output-on-failure -j2
else
    if [[ -x build/gearwise-planner ]]; then
        if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
            exec xvfb-run -a -s "-screen 0 1600x1000x24" build/gearwise-planner
        fi
        exec build/gearwise-planner
    fi
    exec build/gearwise-cli --help
fi
