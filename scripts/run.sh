#!/usr/bin/env bash
# Sets up the machine, builds Orvane and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Only the program is built here; its own folder keeps the tests' build untouched.
scripts/build.sh build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=OFF \
  -DORVANE_BUILD_QT=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
exec build-run/bin/orvane "$@"
