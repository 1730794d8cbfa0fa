#!/usr/bin/env bash
# Fails, listing the files, when a C++ source of the project is not formatted
# with the project's .clang-format. `scripts/check-format.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$formatter" ]; then
  echo "clang-format is not installed (Debian: clang-format)" >&2
  exit 2
fi
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${sources[@]}"
  exit 0
fi
unformatted=()
for file in "${sources[@]}"; do
  if ! "$formatter" --dry-run -Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted with .clang-format (run scripts/check-format.sh --fix):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "Formatting: ${#sources[@]} files checked"
