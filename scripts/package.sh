#!/usr/bin/env bash
# Builds Orvane as a release and its Debian package (CPack, dependencies
# worked out from the binaries) into FOLDER/package/, and names the package
# on its last line. FOLDER is build-package/ by default; an existing release
# build may be given instead (scripts/test.sh hands it build/): it is built
# again for the install prefix /usr, which changes little.
#   scripts/package.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir=${1:-build-package}

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_SANITIZE=OFF -DORVANE_FUZZ=OFF \
    -DORVANE_BUILD_QT=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF >/dev/null
fi
cached() { sed -n "s/^$1:[A-Z]*=//p" "$dir/CMakeCache.txt"; }
case "$(cached CMAKE_BUILD_TYPE)" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *) echo "package.sh: $dir is not a release build"; exit 1 ;;
esac
if [ "$(cached ORVANE_SANITIZE)" = ON ] || [ "$(cached ORVANE_FUZZ)" = ON ] || [ "$(cached ORVANE_BUILD_QT)" = OFF ]; then
  echo "package.sh: $dir is a sanitizer or fuzz build, or lacks the program"
  exit 1
fi

# The program's own idea of its install folders is the package's.
cmake -S . -B "$dir" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$dir" -- -j"$(nproc)"

out=$(realpath "$dir")/package
rm -rf "$out"
cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"

version=$("$dir/bin/orvane" --version | sed -n 's/^Orvane //p')
deb="$out/orvane_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "package.sh: $deb was not made; $out holds: $(ls "$out")"
  exit 1
fi
echo "package: $deb"
