#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, but
# only those that are missing, so it is quick and safe to run again.
#
#   bash scripts/install-deps.sh [PACKAGE...]   # the given packages instead
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev
  clang libclang-rt-14-dev valgrind
  xvfb xauth fonts-dejavu-core
  dpkg-dev file desktop-file-utils lintian appstream
)
if [ $# -gt 0 ]; then
  packages=("$@")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this command as root (it installs them with apt-get)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another install on the same machine holds apt's locks for a while: wait for it.
wait_lock=(-o DPkg::Lock::Timeout=900)
for try in 1 2 3 4 5 6; do
  apt-get "${wait_lock[@]}" update -qq && break
  sleep 20
done
apt-get "${wait_lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
