#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need. Safe to run again.
# 32-bit Wine, which runs the i686 build (the release), comes from Debian's i386 architecture;
# when it cannot be installed, the reason goes to build/wine32-missing and the scripts test
# and show the x86_64 build alone, saying so. LAUNCHER_SIMULATE_NO_WINE32=1 makes it act as if
# the i386 packages could not be installed (to try that fallback).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make clang-format git
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
    googletest
    wine64
    xvfb xdotool x11-apps x11-utils imagemagick
    fonts-liberation
    zip
)
# 32-bit Wine; OpenGL, or its DirectDraw reports no acceleration; the X extensions its display
# driver loads at run time, as the 64-bit Wine finds them. Sound needs libasound2:i386, which
# wine32 brings.
wine32_packages=(
    wine32:i386 libgl1:i386 libgl1-mesa-dri:i386
    libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxcomposite1:i386
    libxinerama1:i386
)

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}
need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "bootstrap: missing packages ($*); run as root to install them" >&2
        return 1
    fi
}
export DEBIAN_FRONTEND=noninteractive

mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
    need_root "${missing[*]}"
    echo "bootstrap: installing ${missing[*]}"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Prints why 32-bit Wine could not be installed; nothing when it is installed.
install_wine32() {
    if [ -n "${LAUNCHER_SIMULATE_NO_WINE32:-}" ]; then
        echo "the i386 packages could not be installed (simulated by LAUNCHER_SIMULATE_NO_WINE32)"
        return
    fi
    local missing32 errors
    mapfile -t missing32 < <(missing_of "${wine32_packages[@]}")
    [ ${#missing32[@]} -gt 0 ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "${missing32[*]} are not installed, and bootstrap ran without root to install them"
        return
    fi
    echo "bootstrap: installing ${missing32[*]}" >&2
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    errors=$(mktemp)
    # An i386 index out of step with the others refuses them; a second update often mends it.
    for _ in 1 2; do
        apt-get update -qq >/dev/null 2>&1 || true
        if apt-get install -y -qq --no-install-recommends "${missing32[@]}" \
            >/dev/null 2>"$errors"; then
            rm -f "$errors"
            return
        fi
    done
    echo "apt-get could not install ${missing32[*]}:" \
        "$(grep -m 1 '^E:' "$errors" || tail -n 1 "$errors")"
    rm -f "$errors"
}

why=$(install_wine32)
mkdir -p build
if [ -n "$why" ]; then
    echo "$why" >build/wine32-missing
    echo "bootstrap: no 32-bit Wine: $why" >&2
else
    rm -f build/wine32-missing
fi
