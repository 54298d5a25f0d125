#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Checks the installed package of an already built build/dev (bash scripts/test.sh builds it):
# installs into a temporary prefix, builds examples/hello against that prefix with a CMake
# build of its own, renders with it and with the installed tkchart headless, asks the
# installed tk5names for a company name, and checks that the package refuses a newer minor
# version. Builds nothing of the main project itself.
# Any failure makes this fail with a message saying what went wrong.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/dev

fail() {
  echo "check-install: FAILED: $*" >&2
  exit 1
}
step() { echo "check-install: $*"; }

[ -f "$build/build.ninja" ] || fail "$build is not configured; run 'bash scripts/test.sh' first"
[ -x "$build/bin/tkchart" ] || fail "$build/bin/tkchart is not built; run 'bash scripts/test.sh' first"
for tool in cmake ninja readelf ldd identify; do
  command -v "$tool" >/dev/null || fail "'$tool' is missing; run 'bash scripts/setup.sh'"
done

tmp=$(mktemp -d)
names_pid=""
trap 'if [ -n "$names_pid" ]; then kill "$names_pid" 2>/dev/null || true; fi; rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
log=$tmp/log

# Runs a command with its output in $log; shows that output and fails when the command fails.
run() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    fail "command failed: $*"
  fi
}

# A headless run with nothing borrowed from the build tree or the caller's environment: no
# LD_LIBRARY_PATH, no history-folder override, no user settings, no display.
headless() {
  env -u LD_LIBRARY_PATH -u TK5CHCTL_HIST_DIR -u DISPLAY -u WAYLAND_DISPLAY \
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" \
    "$@"
}

# check_png FILE WIDTH HEIGHT: a PNG picture of that size with more than a handful of colours.
check_png() {
  local file=$1 width=$2 height=$3
  [ -s "$file" ] || fail "$file was not written"
  [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "$file is not a PNG file"
  local size
  size=$(stat -c %s "$file")
  [ "$size" -ge 10000 ] || fail "$file is only $size bytes: nothing was drawn"
  local info
  info=$(identify -format '%w %h %k' "$file") || fail "$file cannot be read as a picture"
  read -r w h colours <<<"$info"
  [ "$w" = "$width" ] && [ "$h" = "$height" ] ||
    fail "$file is ${w}x${h}, expected ${width}x${height}"
  [ "$colours" -ge 16 ] || fail "$file has only $colours colours: the chart is not drawn"
  step "  $file: ${w}x${h}, $colours colours, $size bytes"
}

mkdir -p "$tmp/config" "$tmp/runtime"
chmod 700 "$tmp/runtime"

step "installing $build into $prefix"
run cmake --install "$build" --prefix "$prefix"
for f in include/tk5chctl/TKchart.h include/tk5chctl/Prompts.h \
         include/tk5chctl/tk5chctl_export.h \
         lib/libtk5chctl.so lib/hist/ORCL.csv \
         lib/cmake/tk5chctl/tk5chctlConfig.cmake lib/cmake/tk5chctl/tk5chctlConfigVersion.cmake \
         lib/cmake/tk5chctl/tk5chctlTargets.cmake bin/tkchart bin/tk5names lib/hist/names.csv \
         lib/qt6/plugins/designer/libtk5chctlplugin.so; do
  [ -e "$prefix/$f" ] || fail "the install lacks $f"
done
# The Designer plugin finds the installed library through its own run path.
! env -u LD_LIBRARY_PATH ldd "$prefix/lib/qt6/plugins/designer/libtk5chctlplugin.so" |
  grep -q "not found" || fail "the installed Designer plugin does not find its libraries"
compgen -G "$prefix/lib/libtk5chctl.so.*" >/dev/null || fail "the install lacks lib/libtk5chctl.so.*"
compgen -G "$prefix/lib/cmake/tk5chctl/tk5chctlTargets-*.cmake" >/dev/null ||
  fail "the install lacks lib/cmake/tk5chctl/tk5chctlTargets-<config>.cmake"
# Nothing of the build tree or the source tree may leak into the installed package.
if grep -rlF -e "$root" "$prefix/lib/cmake" "$prefix/include"; then
  fail "the installed CMake files or headers name the source or build tree"
fi
runpath=$(readelf -d "$prefix/bin/tkchart" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p;s/.*(RPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = '$ORIGIN/../lib' ] || fail "bin/tkchart has run path '$runpath', expected '\$ORIGIN/../lib'"

# Consumers: a throw-away project asks for version 0.1 (accepted) and 0.2 (refused).
step "find_package(tk5chctl) against the prefix"
probe() { # probe VERSION DIR
  mkdir -p "$2"
  cat >"$2/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(tk5chctl_probe LANGUAGES CXX)
find_package(tk5chctl $1 REQUIRED)
if(NOT TARGET tk5chctl::tk5chctl OR NOT TARGET Qt6::Widgets)
  message(FATAL_ERROR "tk5chctl::tk5chctl or its Qt dependency is not defined")
endif()
get_target_property(inc tk5chctl::tk5chctl INTERFACE_INCLUDE_DIRECTORIES)
message(STATUS "tk5chctl \${tk5chctl_VERSION} from \${tk5chctl_DIR}, headers in \${inc}")
EOF
  cmake -S "$2" -B "$2/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$2/out" 2>&1
}
probe 0.1 "$tmp/probe01" || { cat "$tmp/probe01/out" >&2; fail "find_package(tk5chctl 0.1) failed"; }
grep -F -- "-- tk5chctl 0.1.0 from $prefix/lib/cmake/tk5chctl, headers in $prefix/include" \
  "$tmp/probe01/out" >/dev/null ||
  { cat "$tmp/probe01/out" >&2; fail "find_package(tk5chctl 0.1) did not find the installed package"; }
if probe 0.2 "$tmp/probe02"; then
  cat "$tmp/probe02/out" >&2
  fail "find_package(tk5chctl 0.2) accepted version 0.1.0"
fi
grep -F 'compatible with requested version "0.2"' "$tmp/probe02/out" >/dev/null ||
  { cat "$tmp/probe02/out" >&2; fail "find_package(tk5chctl 0.2) failed for another reason than the version"; }
step "  0.1 accepted, 0.2 refused"

step "building examples/hello against the prefix"
hello=$tmp/hello
run cmake -S examples/hello -B "$hello" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
found=$(sed -n 's/^tk5chctl_DIR:PATH=//p' "$hello/CMakeCache.txt")
[ "$found" = "$prefix/lib/cmake/tk5chctl" ] || fail "examples/hello found tk5chctl in '$found'"
run cmake --build "$hello"
lib=$(headless ldd "$hello/hello" | sed -n 's/^\s*libtk5chctl\.so\.[0-9]* => \(\S*\).*/\1/p')
[ "$lib" = "$prefix/lib/libtk5chctl.so.0" ] || fail "hello loads libtk5chctl from '$lib'"

step "running hello headless"
cd "$tmp"
if ! headless "$hello/hello" "$tmp/hello.png" >"$log" 2>&1; then
  cat "$log" >&2
  fail "hello failed"
fi
days=$(sed -n 's/^ORCL: \([0-9]*\) days loaded from \(.*\)$/\1/p' "$log")
from=$(sed -n 's/^ORCL: \([0-9]*\) days loaded from \(.*\)$/\2/p' "$log")
[ -n "$days" ] && [ "$days" -gt 0 ] || { cat "$log" >&2; fail "hello loaded no day"; }
[ "$from" = "$prefix/lib/hist" ] || fail "hello read the histories from '$from', not $prefix/lib/hist"
step "  $days days of ORCL from $from"
check_png "$tmp/hello.png" 1024 700
# Its answer to a picture it cannot write, and to a ticker it cannot load, is a failure.
if headless "$hello/hello" "$tmp/no/such/dir/x.png" >"$log" 2>&1; then
  fail "hello succeeded although it could not write its picture"
fi
if headless env TK5CHCTL_HIST_DIR="$tmp/empty" "$hello/hello" "$tmp/empty.png" >"$log" 2>&1; then
  fail "hello succeeded although no day could be loaded"
fi

step "running the installed tkchart headless"
if ! headless "$prefix/bin/tkchart" --png "$tmp/x.png" >"$log" 2>&1; then
  cat "$log" >&2
  fail "the installed tkchart failed"
fi
check_png "$tmp/x.png" 1280 800
# The package is relocatable: moved elsewhere, tkchart still finds its library and histories.
mv "$prefix" "$tmp/moved"
if ! headless "$tmp/moved/bin/tkchart" --png "$tmp/moved.png" --window 1:60 >"$log" 2>&1; then
  cat "$log" >&2
  fail "tkchart fails once the install prefix is moved"
fi
check_png "$tmp/moved.png" 1280 800

step "asking the installed tk5names for a company name"
# It finds the table in the moved prefix's hist folder by itself.
# Started through env (which execs it), not the headless function, so that $! is its own id.
env -u LD_LIBRARY_PATH -u TK5CHCTL_HIST_DIR "$tmp/moved/bin/tk5names" --port 0 --print-port \
  >"$tmp/names.port" 2>"$log" &
names_pid=$!
for ((i = 0; i < 100; i++)); do
  if [ -s "$tmp/names.port" ] || ! kill -0 "$names_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
port=$(head -n 1 "$tmp/names.port")
[ -n "$port" ] || { cat "$log" >&2; fail "the installed tk5names did not start"; }
grep -qF "names from $tmp/moved/lib/hist/names.csv" "$log" ||
  { cat "$log" >&2; fail "the installed tk5names did not read $tmp/moved/lib/hist/names.csv"; }
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET /cgi-bin/ticker.pl?orcl HTTP/1.0\r\n\r\n' >&3
reply=$(timeout 10 cat <&3 | tail -n 1) || true
exec 3<&-
[ "$reply" = $'Oracle Corporation\r' ] || fail "tk5names answered '$reply' for orcl, not Oracle Corporation"
step "  orcl: Oracle Corporation"

step "OK"
