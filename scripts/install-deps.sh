#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Only what is missing is installed, so a second run does nothing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build ccache pkg-config
  # libraries
  qt6-base-dev libsqlite3-dev zlib1g-dev libjpeg62-turbo-dev libxlsxwriter-dev libicu-dev
  libgtest-dev libbenchmark-dev
  # the toolkit's own texts in Hungarian (input box buttons, edit menus, file dialogs)
  qt6-translations-l10n
  # fonts metric-compatible with the ones the report layouts name
  fonts-liberation2 fonts-dejavu-core
  # the format check of the test suite
  clang-format
  # real tools the tests check our files with
  unzip zip libxml2-utils qpdf poppler-utils sqlite3 shapelib libdbd-xbase-perl python3
  # a spreadsheet program that reads the exported workbooks back
  libreoffice-calc-nogui
  # screenshots of the real program, and its test under a real window manager
  xvfb xauth openbox
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != "installed" ]; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
