#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Zorla, and
# cross-builds expat and libjpeg-turbo from Debian's source packages into
# BUILD/deps. Idempotent: a second run only checks and returns.
#
# usage: tools/setup.sh BUILD_DIR
set -euo pipefail

build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
deps=$build/deps
mkdir -p "$build"

say() { printf 'setup: %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# ---- Debian packages --------------------------------------------------------
packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-utils imagemagick
  cmake make nasm dpkg-dev googletest
  clang libclang-rt-14-dev libexpat1-dev
  # JSON of the weather services, header only, for both builds.
  nlohmann-json3-dev
  # The program's text under Wine: Liberation Serif stands in for "Georgia" and
  # "Times New Roman" (mapped in the Wine prefix by tools/wine-env.sh).
  fonts-liberation2
  # The mail's archives are checked by Debian's unzip and Python's zipfile, and
  # measured against zip -9 (make bench).
  unzip python3 zip
  # makensis for the setup program (installer/Zorla.nsi)
  nsis
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq </dev/null
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

# ---- Debian source packages, fetched without touching the machine's apt set-up
srcdir=$build/deps-src
apt_private=$srcdir/apt
apt_opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_private/sources.list.d"
          -o "Dir::State::Lists=$apt_private/lists" -o "Dir::Cache=$apt_private/cache"
          -o "Debug::NoLocking=1")

prepare_apt() {
  [ -f "$apt_private/.updated" ] && return
  mkdir -p "$apt_private/sources.list.d" "$apt_private/lists/partial" "$apt_private/cache/archives/partial"
  local n=0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" > "$apt_private/sources.list.d/$(basename "$f")"
    n=$((n + 1))
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -nE 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list > "$apt_private/sources.list.d/main.list"
    n=$((n + 1))
  fi
  [ "$n" -gt 0 ] || { say "no apt sources found on this machine"; exit 1; }
  apt-get "${apt_opts[@]}" update -qq </dev/null >/dev/null
  touch "$apt_private/.updated"
}

# Unpacks the newest version of a source package that can really be downloaded
# (the security suite may list a version whose sources are not there).
fetch_source() {
  local name=$1 dest=$2
  [ -d "$dest" ] && return
  prepare_apt
  local work=$srcdir/$name
  rm -rf "$work"; mkdir -p "$work"
  local versions
  versions=$(apt-cache "${apt_opts[@]}" showsrc "$name" 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
  for v in $versions; do
    if (cd "$work" && apt-get "${apt_opts[@]}" source --download-only "$name=$v" </dev/null >/dev/null 2>&1); then
      # Unpacked beside its place and moved in whole, so a cut run leaves no half tree.
      rm -rf "$dest.partial"
      dpkg-source --no-check -x "$work"/*.dsc "$dest.partial" >/dev/null
      mv "$dest.partial" "$dest"
      return
    fi
    rm -f "$work"/*
  done
  say "could not download the sources of $name"; exit 1
}

toolchain=$top/cmake/mingw-w64-x86_64.cmake
cmake_cross=(-G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_INSTALL_PREFIX="$deps")

# Configures, builds and installs one unpacked CMake project into $deps, once.
#   cross_build NAME SOURCE_DIR CMAKE_OPTIONS...
cross_build() {
  local name=$1 src=$2
  shift 2
  cmake -S "$src" -B "$srcdir/$name-build" "${cmake_cross[@]}" "$@" >/dev/null
  cmake --build "$srcdir/$name-build" -j2 >/dev/null
  cmake --install "$srcdir/$name-build" >/dev/null
  touch "$deps/.$name"
  say "$name built into $deps"
}

build_expat() {
  [ -f "$deps/.expat" ] && return
  local src=$srcdir/expat-src
  fetch_source expat "$src"
  # The security patches test "#if XML_DTD == 1", the CMake template defines it empty.
  sed -i -E 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/; s/^#cmakedefine XML_GE$/#cmakedefine XML_GE 1/' \
    "$src/expat/expat_config.h.cmake"
  cross_build expat "$src/expat" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF
}

build_jpeg() {
  [ -f "$deps/.jpeg" ] && return
  local src=$srcdir/jpeg-src
  fetch_source libjpeg-turbo "$src"
  cross_build jpeg "$src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
}

mkdir -p "$deps"
build_expat
build_jpeg
