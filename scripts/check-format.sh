#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Checks that every C++ source and header of the library, the host application, the
# benchmarks, the tests, the fuzz targets and the examples is formatted with the project's
# .clang-format settings (Debian 12's clang-format 14). Changes nothing; lists the files that
# are not formatted and fails when there is one. Fix them with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

dirs=(src apps bench tests examples fuzz)

if command -v clang-format-14 >/dev/null; then
  format=clang-format-14
elif command -v clang-format >/dev/null; then
  format=clang-format
else
  echo "check-format: clang-format is missing; run 'bash scripts/setup.sh'" >&2
  exit 1
fi
[ -f .clang-format ] || { echo "check-format: .clang-format is missing" >&2; exit 1; }

# The tracked files, and new ones not yet added (but not ignored ones such as build/).
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  while IFS= read -r -d '' f; do
    [ -f "$f" ] && files+=("$f")
  done < <(git ls-files -z --cached --others --exclude-standard -- \
             "${dirs[@]/%//*.cpp}" "${dirs[@]/%//*.h}" | sort -zu)
else
  while IFS= read -r -d '' f; do
    files+=("$f")
  done < <(find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null |
             sort -z)
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no source files found" >&2
  exit 1
fi

# One run over all files (clang-format starts slowly); it names every file it would change.
out=$(printf '%s\0' "${files[@]}" |
        xargs -0 "$format" --style=file --dry-run --Werror 2>&1) && rc=0 || rc=$?
bad=()
while IFS= read -r f; do
  [ -n "$f" ] && bad+=("$f")
done < <(sed -n 's/^\(.*\):[0-9][0-9]*:[0-9][0-9]*: error: code should be clang-formatted.*/\1/p' \
           <<<"$out" | sort -u)

echo "check-format: $("$format" --version | head -n1), ${#files[@]} files"
if [ "$rc" -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
  echo "check-format: clang-format failed:" >&2
  printf '%s\n' "$out" | head -n 40 >&2
  exit 1
fi
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: ${#bad[@]} files are not formatted (clang-format -i FILE fixes them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  echo "check-format: what clang-format would change in ${bad[0]}:" >&2
  "$format" --style=file "${bad[0]}" | diff -u "${bad[0]}" - | head -n 40 >&2 || true
  exit 1
fi
echo "check-format: all formatted"
