#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, if any are missing: with no argument what
# `make run` and `make test` need; `fuzz` adds clang for the libFuzzer harnesses; `package` adds the
# tools that check the .deb (scripts/check-package.sh, which the tests skip without them).
# Qt Charts' CMake package needs Qt OpenGL's, which Debian ships apart (libqt6opengl6-dev).
# As root it runs apt-get; otherwise it prints the command to run and fails.
set -euo pipefail
case ${1:-} in
  "") packages=(cmake make g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libmuparser-dev libgtest-dev libbenchmark-dev fonts-wqy-microhei qt6-translations-l10n
                clang-format python3 dpkg-dev file qt6-l10n-tools) ;;
  fuzz) packages=(clang libclang-rt-14-dev) ;;
  package) packages=(lintian desktop-file-utils appstream man-db) ;;
  *) echo "usage: $0 [fuzz|package]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run: sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
