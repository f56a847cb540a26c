#!/usr/bin/env bash
# Builds the Debian package from a finished build, checks it with lintian,
# unpacks it into an empty folder and runs both programs from there: the
# command line on the packaged data, and the desktop program headless with
# its folders read-only, saving its defaults to a temporary configuration
# folder.
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

cd "$build"
cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/gearwise-planner_${version}_amd64.deb
[[ -f $deb ]] || { ls "$work/out"; fail "no $deb"; }

# Dependencies come from the programs' libraries.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6charts6 libqt6printsupport6 libqt6svg6 libc6 libstdc++6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

# No lintian error (warnings are allowed and listed).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" | tee "$work/lintian.log" || fail "lintian reports errors"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr
for file in bin/gearwise-planner bin/gearwise-cli \
    share/gearwise/Config.dat share/gearwise/english.txt share/gearwise/french.txt share/gearwise/gearwise-logo.png \
    share/gearwise/print-english.gif share/gearwise/help/topics.txt share/gearwise/help/en/topic-201.html \
    share/man/man1/gearwise-planner.1.gz share/man/man1/gearwise-cli.1.gz \
    share/doc/gearwise-planner/copyright share/applications/ca.gearwise.Planner.desktop \
    share/metainfo/ca.gearwise.Planner.metainfo.xml share/mime/packages/ca.gearwise.Planner.xml \
    share/icons/hicolor/scalable/apps/ca.gearwise.Planner.svg share/icons/hicolor/48x48/apps/ca.gearwise.Planner.png; do
    [[ -f $usr/$file ]] || fail "the package lacks /usr/$file"
done

# Nothing may be written into the unpacked program (root ignores the mode,
# so writes are caught by comparing listings).
chmod -R a-w "$work/root"
find "$work/root" | sort >"$work/before.txt"
export XDG_CONFIG_HOME=$work/config HOME=$work/home
mkdir -p "$HOME"

"$usr/bin/gearwise-cli" --version | grep -qx "gearwise-cli $version" || fail "gearwise-cli --version"
"$usr/bin/gearwise-planner" --version | grep -qx "gearwise-planner $version" || fail "gearwise-planner --version"
"$usr/bin/gearwise-planner" --help | grep -q "Usage:" || fail "gearwise-planner --help"

"$usr/bin/gearwise-cli" analyze --strategy interest-only --format json >"$work/analysis.json" ||
    fail "gearwise-cli analyze"
grep -q '"strategy"' "$work/analysis.json" || fail "the analysis has no figures"
"$usr/bin/gearwise-cli" report --report summary --out "$work/report.pdf" || fail "gearwise-cli report"
[[ $(head -c 5 "$work/report.pdf") == "%PDF-" ]] || fail "the report is not a PDF"

# The desktop program, started as a user would, saves its defaults: the
# start window's default button, then File > Save Defaults and Yes.
export GEARWISE_PLANNER=$usr/bin/gearwise-planner
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    "$GEARWISE_PLANNER" >"$XDG_CONFIG_HOME.log" 2>&1 &
    planner=$!
    trap "kill $planner 2>/dev/null || true" EXIT
    start=$(timeout 30 xdotool search --sync --onlyvisible --name "^Gearwise Planner$" | head -1)
    xdotool windowfocus --sync "$start" key Return
    main=$(timeout 30 xdotool search --sync --onlyvisible --name "Untitled" | head -1)
    xdotool windowfocus --sync "$main" key alt+f
    sleep 1
    xdotool key s
    question=$(timeout 30 xdotool search --sync --onlyvisible --name "^Save Defaults$" | head -1)
    xdotool windowfocus --sync "$question" key Return
    for _ in $(seq 50); do
        [[ -s $XDG_CONFIG_HOME/gearwise/User.dat ]] && exit 0
        sleep 0.2
    done
    exit 1
' || { cat "$XDG_CONFIG_HOME.log" 2>/dev/null; fail "the desktop program did not save its defaults to \$XDG_CONFIG_HOME/gearwise"; }

find "$work/root" | sort >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" || fail "something was written into the unpacked program"

# The command line reads the defaults the desktop program saved.
"$usr/bin/gearwise-cli" analyze --format json >/dev/null || fail "gearwise-cli analyze after Save Defaults"
echo "package test passed: $(basename "$deb")"
