#!/bin/sh
# Installs the Debian 12 packages SkyLog needs to build, run and test,
# asking apt only for what is missing.
set -eu
packages="cmake ninja-build g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgl-dev
libcurl4-openssl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
qt6-svg-dev poppler-utils
xdg-utils python3 openssl locales desktop-file-utils appstream libxml2-utils systemd
shared-mime-info python3-pyftpdlib wget curl"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
fi
