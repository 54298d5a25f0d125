#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Installs what is missing, builds, and runs the host application on the bundled sample
# data: a window when there is a display, PNG and PDF renders into out/ when there is none.
# The company-name lookup service tk5names runs in the background meanwhile, on its default
# address 127.0.0.1:8017, and is stopped when tkchart is done (a taken port is reported and
# the run goes on without it).
#
# Extra arguments go to tkchart. Headless, each render is named after what it shows:
# out/<ticker>-<newest>-<oldest>.png and .pdf, the printed page (a --png or --pdf of your own
# wins); without arguments the sample chart file docs/orcl-two-pairs.tkc is rendered too, with
# its transactions report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target tkchart tk5names tk5chctl_hist

names_pid="" names_dir=""
stop_names() {
  if [ -n "$names_pid" ]; then
    kill "$names_pid" 2>/dev/null || true
    wait "$names_pid" 2>/dev/null || true
    names_pid=""
  fi
  if [ -n "$names_dir" ]; then rm -rf "$names_dir"; fi
  names_dir=""
}
# Starts tk5names and waits until it listens (it prints its port then) or has given up.
start_names() {
  names_dir=$(mktemp -d)
  build/dev/bin/tk5names --print-port >"$names_dir/port" 2>"$names_dir/log" &
  names_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do
    if [ -s "$names_dir/port" ]; then
      echo "run: tk5names answers company names on 127.0.0.1:$(head -n 1 "$names_dir/port")"
      return
    fi
    if ! kill -0 "$names_pid" 2>/dev/null; then
      echo "run: tk5names did not start, going on without it: $(tail -n 1 "$names_dir/log")" >&2
      wait "$names_pid" 2>/dev/null || true
      names_pid=""
      return
    fi
    sleep 0.1
  done
  echo "run: tk5names did not start within 10 seconds, going on without it" >&2
  stop_names
}
trap stop_names EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_names

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  build/dev/bin/tkchart "$@"
  exit
fi

# The ticker and window the arguments ask for (tkchart's defaults otherwise), and whether
# they name a picture file themselves.
ticker=ORCL window=1:200 own_png=no own_pdf=no
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
  a=${args[i]} next=${args[i + 1]:-}
  case $a in
    --ticker) ticker=$next ;;
    --ticker=*) ticker=${a#--ticker=} ;;
    --window) window=$next ;;
    --window=*) window=${a#--window=} ;;
    --png | --png=*) own_png=yes ;;
    --pdf | --pdf=*) own_pdf=yes ;;
  esac
done

mkdir -p out
render() { # ticker window [more tkchart arguments]
  local name
  name=$(printf '%s-%s' "$1" "${2/:/-}" | tr '[:upper:]' '[:lower:]' | tr -c 'a-z0-9_.-' '_')
  local pdf=()
  if [ "$own_pdf" = no ]; then pdf=(--pdf "out/$name.pdf"); fi
  build/dev/bin/tkchart --ticker "$1" --window "$2" --png "out/$name.png" "${pdf[@]}" "${@:3}"
  echo "Rendered out/$name.png${pdf:+ and out/$name.pdf}"
}
if [ $# -eq 0 ]; then
  render ORCL 1:200
  render ORCL 1:1000
  # A chart file with two buy/sell pairs: the picture and its transactions report.
  build/dev/bin/tkchart --open-chart docs/orcl-two-pairs.tkc --png out/orcl-two-pairs.png \
    --pdf out/orcl-two-pairs.pdf --report >out/orcl-two-pairs-report.txt
  echo "Rendered out/orcl-two-pairs.png, .pdf and out/orcl-two-pairs-report.txt"
elif [ "$own_png" = yes ] || [ "$own_pdf" = yes ]; then
  build/dev/bin/tkchart "$@"
else
  render "$ticker" "$window" "$@"
fi
