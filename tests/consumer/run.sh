#!/usr/bin/env bash
# Installs the build tree into a scratch prefix, then builds a consumer against it with
# find_package and with pkg-config, and runs both.
set -euo pipefail
build=$1 src=$2 cc=${3:-cc}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
cmake -S "$src" -B "$tmp/cm" -G Ninja -DCMAKE_PREFIX_PATH="$tmp/prefix" -DCMAKE_C_COMPILER="$cc" >/dev/null
cmake --build "$tmp/cm" >/dev/null
LD_LIBRARY_PATH="$tmp/prefix/lib" "$tmp/cm/consumer"
pc=$(find "$tmp/prefix" -name veks.pc | head -n1)
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs veks)
"$cc" -std=c99 -Wall -Werror "$src/main.c" $flags -o "$tmp/pc_consumer"
LD_LIBRARY_PATH="$tmp/prefix/lib" "$tmp/pc_consumer"
# The shared objects carry their versioned names.
objdump -p "$tmp/prefix/lib/libveksh9.so" | grep -q 'SONAME *libveksh9.so.2019'
objdump -p "$tmp/prefix/lib/libvekcore.so" | grep -q 'SONAME *libvekcore.so.2019'
echo "consumer ok"
