#!/usr/bin/env bash
# Installs what the build, the tests and the demo need (Debian packages).
set -euo pipefail
pkgs=(build-essential cmake pkg-config locales libgtk2.0-dev libjpeg62-turbo-dev nettle-dev zlib1g-dev
      libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool xclip libxtst-dev x11-apps
      clang libclang-rt-dev fontconfig fonts-dejavu-core
      # the desktop font set the layout tests also run under
      fonts-noto-mono fonts-noto-core fonts-dejavu-extra fonts-urw-base35 fonts-droid-fallback)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
