#!/usr/bin/env bash
# Installs the Debian packages the build, the demo, the tests and the dialog
# pictures (Xvfb) need, when missing (locales: localedef and its sources).
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config ccache
      qt6-base-dev libzint-dev libzxing-dev libzip-dev libgif-dev nlohmann-json3-dev
      fonts-liberation2 fonts-dejavu-core poppler-utils libgxps-utils python3-fonttools
      libgtest-dev libgmock-dev googletest libbenchmark-dev
      qt6-tools-dev libqt6opengl6-dev
      cups printer-driver-cups-pdf
      xvfb xauth locales)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
