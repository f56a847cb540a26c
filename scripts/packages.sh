# Sourced by the scripts: the Debian packages the builds need, and their
# installation (as root, non-interactive).

# The normal build, the tests and the benchmarks. qt6-svg-dev writes the
# charts as SVG images. qt6-translations-l10n gives Qt's own buttons and
# dialogs their French texts. The reports are laid out in Arial; Liberation
# Sans has its metrics, so a page holds what it should. help2man writes the
# man pages from the programs' --help; dpkg-dev and file let CPack find the
# package's dependencies; lintian, desktop-file-utils and appstream check the
# package and its desktop files; xdotool drives the packaged program in its test.
build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-translations-l10n libgl-dev
                libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev poppler-utils
                xvfb xauth xdotool fonts-dejavu-core fonts-liberation2
                help2man dpkg-dev file lintian desktop-file-utils appstream)
# The sanitizer and fuzz builds: clang and its ASan, UBSan and libFuzzer
# runtimes.
sanitizer_packages=(clang libclang-rt-14-dev)

# Installs those of the named packages that are missing.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
}
