#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Runs clang-tidy (Debian 12's clang-tidy 14, settings in .clang-tidy) over every source file
# of the library, src/tk5chctl/**/*.cpp, with the compile commands of an already built
# build/dev (bash scripts/test.sh builds it; the moc output and the export header must
# exist). Two files at a time by default (TIDY_JOBS=N changes that). Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/dev
jobs=${TIDY_JOBS:-$(nproc)}

fail() {
  echo "tidy: FAILED: $*" >&2
  exit 1
}

if command -v clang-tidy-14 >/dev/null; then
  tidy=clang-tidy-14
elif command -v clang-tidy >/dev/null; then
  tidy=clang-tidy
else
  fail "clang-tidy is missing; run 'bash scripts/setup.sh'"
fi
[ -f .clang-tidy ] || fail ".clang-tidy is missing"
[ -f "$build/compile_commands.json" ] ||
  fail "$build/compile_commands.json is missing; run 'bash scripts/test.sh' first"
[ -f "$build/src/tk5chctl/include/tk5chctl/tk5chctl_export.h" ] ||
  fail "$build is not built; run 'bash scripts/test.sh' first"

mapfile -d '' files < <(find src/tk5chctl -name '*.cpp' -type f -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || fail "no source files under src/tk5chctl"

# Every file must have its compile command (else clang-tidy guesses flags), and the settings
# must be the project's (else a finding would not count as an error).
for f in "${files[@]}"; do
  grep -qF "\"file\": \"$PWD/$f\"" "$build/compile_commands.json" ||
    fail "$f is not in $build/compile_commands.json; run 'cmake --preset dev' again"
done
config=$("$tidy" --dump-config -p "$build" "${files[0]}" 2>/dev/null) || true
grep -q "^WarningsAsErrors: *'\*'" <<<"$config" || fail "$tidy does not read the project's .clang-tidy"

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
echo "tidy: $("$tidy" --version | grep -m1 -i version | sed 's/^ *//'), ${#files[@]} files, $jobs at a time"

# One log per file, so that parallel runs do not mix their output; a file whose run fails
# leaves its name in $logs/failed.
printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "$jobs" sh -c '
    tidy=$1 build=$2 logs=$3 f=$4
    log=$logs/$(printf "%s" "$f" | tr / _).log
    if ! "$tidy" -p "$build" --quiet "$f" >"$log" 2>&1; then
      printf "%s\n" "$f" >>"$logs/failed"
    fi' sh "$tidy" "$build" "$logs"

if [ -s "$logs/failed" ]; then
  sort "$logs/failed" | while IFS= read -r f; do
    echo "---- $f" >&2
    grep -v -E '^[0-9]+ (warning|error)s? (generated|treated as errors?)\.?$' \
      "$logs/$(printf '%s' "$f" | tr / _).log" >&2 || true
  done
  # The distinct findings, by check (a header's finding counts once).
  summary=$(cat "$logs"/*.log | grep -E '^/.*: (error|warning): ' | sort -u |
              sed -n 's/.*\[\([^],]*\).*\]$/\1/p' | sort | uniq -c | sort -rn)
  fail "findings in $(wc -l <"$logs/failed") files:
${summary:-  (no finding lines: see the messages above)}"
fi
echo "tidy: no findings"
