#!/usr/bin/env bash
# Builds Quorin on Debian 12, installing the Debian packages it needs, then
# starts it ("start") or runs every test through CTest ("test"). Started
# without arguments, Quorin opens the example document (a table on the example
# survey); its paths are relative to the repository's root.
set -euo pipefail

usage() {
    echo "usage: $0 start [quorin arguments...] | test [ctest arguments...]" >&2
    exit 2
}

[ $# -ge 1 ] || usage
command=$1
shift
case "$command" in start | test) ;; *) usage ;; esac

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QUORIN_BUILD_DIR:-$source_dir/build}

# zlib1g-dev: the tests read exported workbooks back through zlib; the
# tests are built by both commands.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libreadstat-dev libxlsxwriter-dev zlib1g-dev
    fonts-dejavu-core)
if [ "$command" = test ]; then
    # The dataset reader's fuzz target needs clang with its sanitizer runtime.
    packages+=(clang libclang-rt-14-dev)
else
    packages+=(xvfb xauth)
fi

install_missing_packages() {
    local missing=() package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "Please install as root: apt-get install ${missing[*]}" >&2
            exit 1
        }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing_packages
cmake -G Ninja -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir"

if [ "$command" = test ]; then
    cd "$build_dir"
    exec ctest --output-on-failure -j "$(nproc)" "$@"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<TEXT
Quorin is built, but there is no display to show its window on (DISPLAY and
WAYLAND_DISPLAY are not set). Run it from a desktop session, or under a
virtual display:

    xvfb-run -a $0 start${*:+ $*}
TEXT
    exit 1
fi
[ $# -gt 0 ] || set -- "$source_dir/examples/survey-table.xml"
exec "$build_dir/app/quorin" "$@"
