#!/bin/sh
# SPDX-License-Identifier: BSD-3-Clause
# Smoke test of the host application on a real X server: starts tkchart under Xvfb with
# the sample ticker ORCL, takes screenshots of the root window and passes once the price
# chart area shows a drawn chart (several colours, some but not mostly non-white pixels).
# First, headless, the caption line that --caption-at prints must tell the prices of the
# day it names and the change from the day before as the sample history holds them.
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

# Headless: --caption-at refuses a position that is not a number, and prints the caption and
# the change of the day under the position, read from the bundled sample history here.
hist=$(cd "$(dirname "$0")/../../hist" && pwd)
rc=0
TK5CHCTL_HIST_DIR=$hist "$tkchart" --png "$work/c.png" --caption-at 8e3x 2>"$work/err" || rc=$?
if [ "$rc" -ne 2 ] || ! grep -q -- "--caption-at" "$work/err"; then
    echo "FAIL: --caption-at 8e3x ended with code $rc, not 2 naming the option" >&2
    cat "$work/err" >&2
    exit 1
fi
# An empty file name is a malformed option (2); a file that cannot be written whole is a
# failure (1); each names what it could not do.
expect() { # CODE TEXT ARGS...
    want=$1 text=$2
    shift 2
    rc=0
    TK5CHCTL_HIST_DIR=$hist "$tkchart" --window 1:20 "$@" 2>"$work/err" || rc=$?
    if [ "$rc" -ne "$want" ] || ! grep -q -- "$text" "$work/err"; then
        echo "FAIL: tkchart $* ended with code $rc, not $want naming $text" >&2
        cat "$work/err" >&2
        exit 1
    fi
}
expect 2 "--png" --png ''
expect 2 "--record" --png "$work/c.png" --record ''
expect 1 "the picture" --png /dev/full
expect 1 "the record" --png "$work/c.png" --record /dev/full
TK5CHCTL_HIST_DIR=$hist "$tkchart" --png "$work/c.png" --ticker ORCL --window 1:200 \
    --caption-at 8000 >"$work/caption.txt" 2>"$work/err" || {
    echo "FAIL: --caption-at 8000 failed" >&2
    cat "$work/err" >&2
    exit 1
}
# Caption: "   High: $H   Low: $L   Close: $C   Date: DD,Mon,YYYY"; change: "Change +$A   +P%".
if ! awk -v hist="$hist/ORCL.csv" '
    NR == 1 { caption = $0 }
    NR == 2 { change = $0 }
    END {
        if (NR != 2 || !match(caption, /Date: [0-9]+,[A-Za-z]+,[0-9]+$/)) exit 1
        split(substr(caption, RSTART + 6), d, ",")
        day = sprintf("%02d-%s-%s", d[1], d[2], substr(d[3], 3))
        while ((getline row < hist) > 0) {
            split(row, f, ",")
            if (found) { previous = f[5] + 0; break }
            if (f[1] == day) { found = 1; h = f[3]; l = f[4]; c = f[5] + 0 }
        }
        if (!found || previous == 0) exit 1
        if (caption !~ ("High: \\$" h + 0 " ") || caption !~ ("Low: \\$" l + 0 " ") ||
            caption !~ ("Close: \\$" c " ")) exit 1
        if (!match(change, /^Change [-+]\$[0-9.]+   [-+][0-9.]+%$/)) exit 1
        split(substr(change, 8), g, /   /)
        sign = c > previous ? "+" : "-"
        amount = c > previous ? c - previous : previous - c
        if (substr(g[1], 1, 1) != sign || substr(g[2], 1, 1) != sign) exit 1
        a = substr(g[1], 3) + 0; p = substr(g[2], 2) + 0
        if (a - amount > 0.005 || amount - a > 0.005) exit 1
        if (p - 100 * amount / previous > 0.005 || 100 * amount / previous - p > 0.005) exit 1
    }' "$work/caption.txt"; then
    echo "FAIL: --caption-at 8000 printed a caption line that is not the history's day:" >&2
    cat "$work/caption.txt" >&2
    exit 1
fi

# Headless: a chart file with two pairs opens, its report lists the four records and both
# gains, and saving the opened chart gives the same file byte for byte.
chart=$(cd "$(dirname "$0")/../../docs" && pwd)/orcl-two-pairs.tkc
TK5CHCTL_HIST_DIR=$hist "$tkchart" --png "$work/t.png" --open-chart "$chart" --report \
    --save-chart "$work/again.tkc" >"$work/report.txt" 2>"$work/err" || {
    echo "FAIL: --open-chart $chart failed" >&2
    cat "$work/err" >&2
    exit 1
}
if [ "$(grep -c '^Bought on: ' "$work/report.txt")" -ne 2 ] ||
   [ "$(grep -c '^Sold on: .* Gain:-\{0,1\}[0-9]*\.[0-9]%$' "$work/report.txt")" -ne 2 ] ||
   ! grep -q '^Summarized gain: -\{0,1\}[0-9]*\.[0-9] %$' "$work/report.txt" ||
   ! grep -q '^Cumulative gain: -\{0,1\}[0-9]*\.[0-9] %$' "$work/report.txt" ||
   ! cmp -s "$chart" "$work/again.tkc"; then
    echo "FAIL: the opened chart's report or its saved copy is not right:" >&2
    cat "$work/report.txt" >&2
    exit 1
fi

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
