#!/bin/sh
# SPDX-License-Identifier: BSD-3-Clause
# Smoke test of the host application on a real X server: starts tkchart under Xvfb with
# the sample ticker ORCL, takes screenshots of the root window and passes once the price
# chart area shows a drawn chart (several colours, some but not mostly non-white pixels).
#
# usage: xvfb_smoke.sh TKCHART [SCREENSHOT.png]
# Needs xvfb-run, xwininfo and ImageMagick (import, convert). Gives up after 30 seconds.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 TKCHART [SCREENSHOT.png]" >&2
    exit 2
fi

if [ -z "${TK5_SMOKE_INNER:-}" ]; then
    export TK5_SMOKE_INNER=1
    # xvfb-run picks a free display (-a) and stops the X server when the script ends; the
    # outer time-out only guards against a hung server.
    exec timeout -k 5 90 xvfb-run -a -s "-screen 0 1280x800x24" sh "$0" "$@"
fi

tkchart=$1
shot_out=${2:-}
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A window on this X server, with settings of its own (never the user's).
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$tkchart" --ticker ORCL --window 1:200 --size 1280x800 >"$work/tkchart.log" 2>&1 &
pid=$!

# Inside the 1280 x 800 window the price chart spans about x 43..1107 and y 40..550
# (below the menu bar); this region lies well inside it.
region=600x300+200+150
deadline=$(( $(date +%s) + 30 ))
colours=0
nonwhite=0
while [ "$(date +%s)" -lt "$deadline" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: tkchart ended before showing its window" >&2
        cat "$work/tkchart.log" >&2
        exit 1
    fi
    if xwininfo -root -tree 2>/dev/null | grep -q '"tkchart'; then
        if import -window root "$work/shot.png" 2>/dev/null; then
            convert "$work/shot.png" -crop "$region" +repage "$work/chart.png"
            colours=$(convert "$work/chart.png" -format '%k' info:)
            # Share of pixels that are not (nearly) white, in thousandths.
            nonwhite=$(convert "$work/chart.png" -colorspace gray -threshold 99% \
                -format '%[fx:int(1000*(1-mean))]' info:)
            if [ "$colours" -ge 3 ] && [ "$nonwhite" -ge 5 ] && [ "$nonwhite" -le 900 ]; then
                [ -n "$shot_out" ] && cp "$work/shot.png" "$shot_out"
                echo "PASS: chart area shows $colours colours, $nonwhite/1000 drawn pixels"
                exit 0
            fi
        fi
    fi
    sleep 1
done

echo "FAIL: no drawn chart within 30 s (last look: $colours colours," \
     "$nonwhite/1000 drawn pixels)" >&2
[ -n "$shot_out" ] && [ -f "$work/shot.png" ] && cp "$work/shot.png" "$shot_out"
cat "$work/tkchart.log" >&2
exit 1
