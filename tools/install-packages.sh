#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Quor Vellum need.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev libgl-dev libsqlite3-dev sqlite3
          libsimpleini-dev libicu-dev libvmime-dev python3-aiosmtpd poppler-utils xvfb libsecret-tools
          dovecot-imapd dovecot-pop3d openssl clang-format clang-tidy dbus-daemon clang libclang-rt-14-dev
          dpkg-dev desktop-file-utils appstream man-db libsodium-dev postgresql-15 libpq-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
