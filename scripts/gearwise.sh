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

packages=(cmake g++ make pkg-config qt6-base-dev qt6-charts-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
          xvfb xauth fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

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
