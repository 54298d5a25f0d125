#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Builds the benchmark preset and measures the control against QCustomPlot, Qt Charts and a
# plain-QPainter floor of the same picture, all in one binary; prints the Markdown table of
# bench/table.py. The results stay in build/bench/results.json and build/bench/table.md.
#
#   bash scripts/bench.sh                                   the whole suite (about 4 minutes)
#   bash scripts/bench.sh --benchmark_filter='Redraw/200'   arguments go to the binary
#   python3 bench/table.py BEFORE.json AFTER.json           two runs side by side
#
# BENCH_JOBS sets the build's parallel jobs (default 1, for a shared machine).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset bench "${launcher[@]}" >/dev/null
nice ninja -C build/bench -j "${BENCH_JOBS:-1}" bench_chart

out=build/bench/results.json
build/bench/bin/bench_chart \
  --benchmark_repetitions=10 --benchmark_min_time=0.25 \
  --benchmark_display_aggregates_only=true \
  --benchmark_out="$out" --benchmark_out_format=json "$@"
echo
python3 bench/table.py "$out" | tee build/bench/table.md
