#!/usr/bin/env bash
# Fails, listing them, when a source includes a project header by a relative
# path ("../", "./"). The layers are kept apart by their include roots
# (cmake/FindtavlaLayers.cmake): a path relative to the including file is
# found without them, and would let a lower layer reach a higher one.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
relative=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"\.\.?/' "${sources[@]}" || true)
if [ -n "$relative" ]; then
  echo "Includes by a relative path (write the layer's path, e.g. \"core/formats/...\"):" >&2
  printf '  %s\n' "$relative" >&2
  exit 1
fi
echo "Includes: ${#sources[@]} files checked"
