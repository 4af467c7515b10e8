#!/usr/bin/env bash
# Installs the Debian packages Quorvel builds, tests and runs with, when any
# of them is missing. Needs root or sudo only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgtest-dev libbenchmark-dev
  clang libclang-rt-dev
  fonts-liberation xvfb xauth
  exfat-fuse exfatprogs
  libcli11-dev
  desktop-file-utils appstream man-db dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to add: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${missing[@]}"
