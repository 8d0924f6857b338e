#!/bin/sh
# Renders a MIDI tune with timidity and checks that what comes out is a real,
# audible piece of sensible length:  tune_check.sh FILE.mid
# Needs timidity (with a GM sound set) and sox.
set -u

fail() { echo "tune_check: $*" >&2; exit 1; }

[ $# -eq 1 ] || fail "usage: tune_check.sh FILE.mid"
mid=$1
[ -r "$mid" ] || fail "cannot read $mid"
for tool in timidity sox; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

tmp=$(mktemp -d /tmp/tune_check.XXXXXX) || fail "cannot make a temporary directory"
trap 'rm -rf "$tmp"' EXIT
trap 'exit 1' HUP INT TERM

wav=$tmp/tune.wav
not_rendered() { cat "$tmp/timidity.log" >&2; fail "timidity did not render $mid"; }
timidity -Ow -o "$wav" "$mid" >"$tmp/timidity.log" 2>&1 || not_rendered
[ -s "$wav" ] || not_rendered

# stat: the whole file, or one second of it starting at $1.
stat_of() { sox "$wav" -n ${1:+trim "$1" 1} stat 2>&1; }
field() { awk -v k="$1" 'index($0, k) == 1 { print $NF; exit }'; }

stats=$(stat_of) || fail "sox could not read the rendered audio"
len=$(printf '%s\n' "$stats" | field "Length (seconds)")
rms=$(printf '%s\n' "$stats" | field "RMS     amplitude")
peak=$(printf '%s\n' "$stats" | field "Maximum amplitude")
trough=$(printf '%s\n' "$stats" | field "Minimum amplitude")
for v in "$len" "$rms" "$peak" "$trough"; do
    [ -n "$v" ] || fail "could not parse sox output: $stats"
done

# awk does the floating-point comparisons; exit status 0 means "true".
is() { awk "BEGIN { exit !($1) }"; }

# timidity exits 0 on a file that is not MIDI, leaving a header-only WAV.
is "$len > 0" || not_rendered

is "$len >= 15 && $len <= 40" ||
    fail "rendered length $len s is outside 15..40 s"
# A gentle tune through the default GM set measures about 0.04; muted parts or
# a sound set without patches come out near 0.
is "$rms > 0.01" ||
    fail "RMS amplitude $rms: the tune is (nearly) silent"
# 16-bit full scale reads 0.99997, so anything this close is clipped.
is "$peak < 0.99 && $trough > -0.99" ||
    fail "peak amplitude $peak / $trough: the rendering clips"

# The tune must play throughout, not in a burst followed by a long gap; the
# last third is left out because the final chord fades there.
t=0
while is "$t + 1 <= $len * 2 / 3"; do
    w=$(stat_of "$t" | field "RMS     amplitude")
    is "${w:-0} > 0.002" ||
        fail "silent stretch at ${t} s (RMS ${w:-?}) in a $len s rendering"
    t=$((t + 1))
done

echo "tune_check: $mid OK: length $len s, RMS amplitude $rms"
