#!/usr/bin/env bash
# Sets up the machine, checks the formatting, builds Orvane and runs every
# test; builds the Debian package from that build and checks it (as root it
# is installed, started and removed again); then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there;
# then runs each libFuzzer harness briefly over its seeds (clang, build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format"
scripts/format.sh

echo "== build"
# Configured for the install prefix /usr, so that the package is made from
# the very binaries the tests ran.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=OFF \
  -DORVANE_BUILD_QT=ON -DORVANE_BUILD_TESTS=ON -DORVANE_BUILD_BENCH=ON -DCMAKE_INSTALL_PREFIX=/usr
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== package"
scripts/package.sh build
scripts/check_package.sh build/package/orvane_*.deb

echo "== sanitizer build"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON \
  -DORVANE_BUILD_QT=ON -DORVANE_BUILD_TESTS=ON -DORVANE_BUILD_BENCH=OFF
echo "== sanitizer tests"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzz (each harness 20 s)"
scripts/fuzz.sh build-fuzz 20
