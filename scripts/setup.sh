#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping those already present.
# Sourced by ./run and ./test. When not root, prints the exact install line and stops.
set -euo pipefail

# libqt6svg6: Qt's SVG plugin draws the window icon (the Debian package depends on it too).
GRE_PACKAGES=(qt6-base-dev libqt6svg6 libsqlite3-dev libcsv-dev libxcb1-dev pkgconf cmake make g++
              fonts-dejavu-core xvfb openbox xdotool imagemagick sqlite3 xauth x11-utils
              x11-xserver-utils desktop-file-utils appstream man-db groff-base dpkg-dev file)

gre_missing_packages() {
  local missing=() p
  for p in "${GRE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]:-}"
}

gre_install_packages() {
  local missing
  missing=$(gre_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing. Install them as root, then run this command again:" >&2
    echo "  apt-get install -y $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  # shellcheck disable=SC2086
  if ! apt-get install -y --no-install-recommends $missing; then
    apt-get update
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing
  fi
}
