#!/usr/bin/env bash
# Takes a picture of the main window with results, as docs/main-window.png
# shows it: runs the built program on a virtual screen, starts it in English,
# selects an output page and saves the main window as a PNG.
#
#   scripts/screenshot.sh [--build DIR] [--page N] [OUTPUT]
#
# DIR is the build folder holding gearwise-planner and its data files
# (default build/); N the output page (0 summary table and notes, the
# default; 1 summary chart; 2 projection table; 3 projection chart; 4 range
# of outcomes); OUTPUT the picture (default docs/main-window.png). Needs
# xvfb-run, xdotool and ImageMagick's import; on Debian, run as root, it
# installs them when they are missing.
set -euo pipefail

cd "$(dirname "$0")/.."

build=build
page=0
output=docs/main-window.png
inside=0
while (($#)); do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --page) page=$2; shift 2 ;;
        --inside) inside=1; shift ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        -*) echo "unknown option $1" >&2; exit 64 ;;
        *) output=$1; shift ;;
    esac
done
[[ $page =~ ^[0-4]$ ]] || { echo "--page takes 0 to 4" >&2; exit 64; }

if ((!inside)); then
    [[ -x $build/gearwise-planner ]] || { echo "no $build/gearwise-planner: build it first" >&2; exit 66; }
    missing=()
    command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v import >/dev/null || missing+=(imagemagick)
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
    mkdir -p "$(dirname "$output")"
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --inside --build "$build" --page "$page" "$output"
fi

# On the virtual screen from here on; there is no window manager, so every
# window sits where the program puts it and takes keys once focused.
"$build/gearwise-planner" >/dev/null 2>&1 &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

title="Gearwise Planner"
# The start window: English is its default button.
start=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -1)
sleep 1
xdotool windowfocus --sync "$start" key Return

# The main window is the wide one.
main=
for _ in $(seq 60); do
    for w in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
        width=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        if ((width > 800)); then main=$w; fi
    done
    [[ -n $main ]] && break
    sleep 0.5
done
[[ -n $main ]] || { echo "the main window did not open" >&2; exit 1; }
sleep 1

# The output side's Next button sits in the bottom right corner, above the
# status bar; each click shows the next page.
eval "$(xdotool getwindowgeometry --shell "$main")"
for ((i = 0; i < page; i++)); do
    xdotool mousemove --window "$main" $((WIDTH - 50)) $((HEIGHT - 43)) click 1
    sleep 0.5
done
xdotool mousemove 0 "$((HEIGHT + 100))"
# The range of outcomes is worked out off the window's thread.
((page == 4)) && sleep 2
sleep 1
import -window "$main" "$output"
echo "wrote $output"
