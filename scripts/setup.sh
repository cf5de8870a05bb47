#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building, testing and
# running Orvane, and for building and checking its Debian package (CPack
# works the package's dependencies out with dpkg-shlibdeps, which needs
# dpkg-dev and file; lintian, desktop-file-validate, appstreamcli and
# update-mime-database check it; strace watches the installed program read
# its book). Quiet and quick when everything is there.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config git
          qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          clang-14 libclang-rt-14-dev clang-format-14
          xvfb xauth fonts-dejavu-core
          dpkg-dev file lintian desktop-file-utils appstream shared-mime-info strace)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
