#!/usr/bin/env bash
# Fails when a .cpp file under the code folders is in no target of CMakeLists.txt.
#   scripts/check-sources.sh LISTED   (LISTED: the listed sources, one per line, written by CMake)
set -euo pipefail
listed=$1
cd "$(dirname "$0")/.."
missing=0
while IFS= read -r file; do
  if ! grep -qxF -e "$file" -e "$PWD/$file" "$listed"; then
    echo "not listed in CMakeLists.txt: $file"
    missing=1
  fi
done < <(find app bench cli editors i18n names rom tests tools widgets -type f -name '*.cpp' | sort)
exit $missing
