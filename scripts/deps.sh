#!/usr/bin/env bash
# Installs the Debian packages Marvolen needs to build, run and test, when any is missing
# (clang with its sanitizer and fuzzer runtimes, clang-format, and the validators of the
# desktop entry and the AppStream data, serve the CI; openbox, the buses and pyatspi let the
# end-to-end tests play as a screen reader user, and Orca with speech-dispatcher lets them hear
# what one hears).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-dev clang-format
  qt6-base-dev libfontconfig-dev qt6-translations-l10n qt6-l10n-tools
  qt6-tools-dev
  libfluidsynth-dev libpulse-dev timgm6mb-soundfont
  fonts-symbola fonts-comic-neue
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick pulseaudio libx11-dev python3
  openbox dbus-daemon at-spi2-core python3-pyatspi
  orca speech-dispatcher speech-dispatcher-espeak-ng
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
