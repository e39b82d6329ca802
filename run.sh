#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillary in the folder this
# script was called from (its settings files live there). Arguments go to the
# program ("TEST" keeps the program's files in ~/bb).
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh" build
exec "$repo/build/quillary" "$@"
