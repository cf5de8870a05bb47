#!/usr/bin/env bash
# Sets up the machine, builds Orvane and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
exec build/bin/orvane "$@"
