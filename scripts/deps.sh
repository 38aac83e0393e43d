#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need, and
# only those that are missing, so that a prepared machine does not wait.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgtest-dev
          libbenchmark-dev python3 stockfish fonts-dejavu-core desktop-file-utils dpkg-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
