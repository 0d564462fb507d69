#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when one is missing:
# both compilers (clang with its sanitizer and libFuzzer runtimes), Qt 6,
# GoogleTest, Google Benchmark and what the tests include and start:
#   libx11-dev, libxfixes-dev  the X headers of the tests under a window
#                              manager (the cursor the X server shows)
#   xvfb, xauth, openbox       their virtual X server and window manager
#   poppler-utils              pdftoppm, to look at printed PDF pages
#   python3                    the translations check (a ctest entry)
#   locales, tzdata            the German locale and time zones of the tests
set -euo pipefail
packages=(build-essential clang libclang-rt-dev cmake ninja-build ccache libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6svg6 qt6-tools-dev qt6-l10n-tools qt6-qpa-plugins
  qt6-translations-l10n libx11-dev libxfixes-dev xvfb xauth openbox poppler-utils python3
  fonts-dejavu-core locales tzdata)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  # Another package manager at work: wait for it (up to ten minutes).
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
    "${missing[@]}"
fi
