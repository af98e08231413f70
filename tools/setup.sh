#!/bin/sh
# Installs the Debian packages named in the given list files that are not yet installed.
# As root it calls apt-get; otherwise sudo when it works without a password prompt;
# otherwise it prints the exact install line and fails.
set -eu
lists="$*"
[ -n "$lists" ] || lists="$(dirname "$0")/debian-packages.txt"
missing=""
for pkg in $(cat $lists | sed 's/#.*//'); do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $pkg" ;;
  esac
done
[ -z "$missing" ] && exit 0
echo "setup: installing$missing"
if [ "$(id -u)" = 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  SUDO="sudo -n"
else
  echo "setup: cannot install packages (not root, no sudo). Run:"
  echo "  apt-get install -y$missing"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y -q$missing; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q$missing
fi
