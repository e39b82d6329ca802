#!/usr/bin/env bash
# Builds the Debian package quillary_VERSION_ARCH.deb in build-package/:
# a release build of quillary and psktool only, installed under /usr.
# Install it with:  sudo apt-get install ./build-package/quillary_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# dpkg-shlibdeps finds the Debian packages the programs' libraries come from.
scripts/install-packages.sh dpkg-dev
scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DQUILLARY_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
(cd build-package && cpack)
ls build-package/quillary_*.deb
