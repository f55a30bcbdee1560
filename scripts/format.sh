#!/usr/bin/env bash
# Formats every C++ source and header of the project as .clang-format says.
#   scripts/format.sh          rewrites the files in place (make format)
#   scripts/format.sh --check  changes nothing and fails on the first unformatted file (make test)
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find app bench cli editors fuzz i18n names res rom tests tools widgets \
                          -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
if [ "${1:-}" = "--check" ]; then
  exec clang-format --dry-run --Werror "${files[@]}"
fi
exec clang-format -i "${files[@]}"
