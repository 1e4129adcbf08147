#!/usr/bin/env bash
# Runs the notes suite's small-disk test with its data folder on a file system
# of 64 KiB, mounted here for it (as root, or through sudo without a password).
# ctest runs it inside tools/test.sh, which sets up Wine.
#
# usage: with_small_disk.sh PATH/TO/notes_tests.exe
set -euo pipefail
tests_exe=$1
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi; }

disk=$(mktemp -d)
cleanup() { as_root umount "$disk" 2>/dev/null || true; rmdir "$disk"; }
trap cleanup EXIT
if ! as_root mount -t tmpfs -o "size=64k,mode=1777" tmpfs "$disk"; then
  echo "with_small_disk: cannot mount a small file system at $disk (needs root or sudo)" >&2
  exit 1
fi
folder=$(winepath -w "$disk" </dev/null | tr -d '\r')
ZORLA_SMALL_DISK=$folder wine "$tests_exe" --gtest_filter='SmallDiskChild.*' </dev/null | tr -d '\r'
