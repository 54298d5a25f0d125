#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Builds the libFuzzer targets (the fuzz preset: clang, address and undefined-behaviour
# sanitizers, leak checks) and runs each of them twice: once over its seed corpus
# (fuzz/corpus/<target>, which holds the inputs that broke something before), then for SECONDS
# seconds (default 60) of new inputs grown from a scratch copy of that corpus, so nothing is
# written into the repository. Every input is limited to 10 s and the process to 2 GB. Prints
# the inputs each target ran; fails when any target crashes, breaks one of its checks, leaks,
# hangs or runs out of memory. The input that did it is kept in build/fuzz/findings/<target>/.
#
#   bash scripts/fuzz.sh [SECONDS]      TK5_JOBS: parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: bash scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi
targets=(history chartfile dates numbers)

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${TK5_JOBS:-2}"

# The targets write each input to a temporary file: a memory-backed folder keeps that cheap.
base=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then base=/dev/shm; fi
scratch=$(mktemp -d "$base/tk5-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch/tmp
mkdir -p "$TMPDIR"

# fuzz_numbers also reads numbers with the C library in locales that write a decimal comma, as
# a Qt application does for such a user. They are made from the system's locale sources.
export LOCPATH=$scratch/locales
mkdir -p "$LOCPATH"
for l in de_DE fr_FR; do
  localedef -i "$l" -f UTF-8 "$LOCPATH/$l.UTF-8" >/dev/null 2>&1 || true
  [ -d "$LOCPATH/$l.UTF-8" ] || echo "fuzz: cannot make the $l.UTF-8 locale (package locales)" >&2
done

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
limits=(-rss_limit_mb=2048 -timeout=10)

failed=()
summary=()
for t in "${targets[@]}"; do
  bin=build/fuzz/bin/fuzz_$t
  findings=build/fuzz/findings/$t
  log=$scratch/$t.log
  mkdir -p "$findings" "$scratch/corpus"
  cp -R "fuzz/corpus/$t" "$scratch/corpus/$t"
  seeds=$(find "fuzz/corpus/$t" -type f | wc -l)
  echo
  echo "fuzz: ==== fuzz_$t: $seeds seed inputs, then ${seconds}s"
  if ! "$bin" "${limits[@]}" -runs=0 -artifact_prefix="$findings/" "fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: fuzz_$t fails on its seed corpus; the input is in $findings/" >&2
    failed+=("fuzz_$t (seeds)")
    summary+=("$(printf '%-16s seeds FAILED' "fuzz_$t")")
    continue
  fi
  rc=0
  "$bin" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch/corpus/$t" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$rc" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz: fuzz_$t failed (exit code $rc); the input is in $findings/" >&2
    failed+=("fuzz_$t")
    summary+=("$(printf '%-16s %10s inputs  FAILED' "fuzz_$t" "${runs:-?}")")
  else
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
    summary+=("$(printf '%-16s %10s inputs' "fuzz_$t" "${runs:-?}")")
  fi
done

echo
echo "fuzz: inputs run in ${seconds}s per target"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no target found a fault"
