# packages.sh -- makes sure the Debian packages a build needs are installed (sourced by play.sh and test.sh)

PLAY_PACKAGES="g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-liberation googletest libgtest-dev libgmock-dev"
TEST_PACKAGES="$PLAY_PACKAGES xvfb xauth xdotool imagemagick clang libclang-rt-14-dev libbenchmark-dev time"

# EnsurePackages LIST: installs whatever of LIST is missing, as root; otherwise says how.
EnsurePackages() {
    local missing=""
    for package in $1; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing. Install them as root, then run this again:" >&2
        echo "  apt-get update && apt-get install -y$missing" >&2
        exit 1
    fi
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
}
