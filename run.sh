#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillary. Arguments go to the
# program ("TEST" keeps the program's files in ~/bb).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
exec build/quillary "$@"
