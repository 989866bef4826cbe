# Shared by scripts/run and scripts/test: installs the Debian packages the
# project needs (only those missing, so a second run costs nothing) and
# configures and builds the project out of tree in build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$ROOT/build"

PACKAGES=(
    # tool chain, the formatter the tests hold the sources to, and Python for
    # the test of the folders' include order
    cmake g++ make pkg-config clang-format python3
    # the benchmark watches the X server for windows mapped
    libxcb1-dev
    # start-up reads the font configuration on a thread of its own
    libfontconfig-dev
    # Qt 6 Widgets, its xcb platform plugin and OpenGL for the video surface
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-qpa-plugins libgl-dev
    libgl1-mesa-dri
    # the Arabic font the windows use
    fonts-noto-core
    # the playback engine; Qt's translation tools for the player's texts
    libmpv-dev qt6-tools-dev qt6-l10n-tools
    # a real X server with a window manager for the GUI tests, and ffmpeg to
    # make their media
    xvfb xauth x11-utils openbox ffmpeg
    # https and D-Bus peers for the player tests; validators of the desktop files
    openssl dbus-daemon desktop-file-utils appstream
    # a sound server of the tests' own and its recorder
    pulseaudio pulseaudio-utils
    # the Debian package: its dependencies worked out, and Debian's checker
    dpkg-dev lintian
    # a headless Wayland compositor and Qt's Wayland platform, for the test of
    # the platform chosen in a Wayland session
    weston qt6-wayland
)

ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    ((${#missing[@]} == 0)) && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures $BUILD_DIR once (with any extra CMake arguments given, the
# release configuration by default) and builds what changed: every target,
# or only those named in BUILD_TARGETS.
build_project() {
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        if (($# == 0)); then
            set -- -DCMAKE_BUILD_TYPE=RelWithDebInfo
        fi
        cmake -S "$ROOT" -B "$BUILD_DIR" "$@"
    fi
    local targets=()
    [ -n "${BUILD_TARGETS:-}" ] && targets=(--target ${BUILD_TARGETS})
    cmake --build "$BUILD_DIR" --parallel "$(nproc)" "${targets[@]}"
}
