#!/bin/sh
# Checks that the alarm tune, or the sound that stands in for it, is a real,
# audible piece of sensible length:  tune_check.sh FILE.mid | FILE.wav
# Needs sox, and timidity (with a GM sound set) to render a tune first.
set -u

fail() { echo "tune_check: $*" >&2; exit 1; }

# Per kind: the length in seconds, and the share of it that must sound in
# every step (a tune's last chord fades, the stand-in pauses to repeat).
case $#:${1-} in
1:*.mid) kind=tune tools="timidity sox" min=15 max=40 step=1 part=2/3 ;;
1:*.wav) kind=sound tools=sox min=0.8 max=1.6 step=0.25 part=1/2 ;;
*) fail "usage: tune_check.sh FILE.mid | FILE.wav" ;;
esac
src=$1
[ -r "$src" ] || fail "cannot read $src"
for tool in $tools; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

tmp=$(mktemp -d /tmp/tune_check.XXXXXX) || fail "cannot make a temporary directory"
trap 'rm -rf "$tmp"' EXIT
trap 'exit 1' HUP INT TERM

wav=$src
not_rendered() { cat "$tmp/timidity.log" >&2; fail "timidity did not render $src"; }
if [ $kind = tune ]; then
    wav=$tmp/tune.wav
    timidity -Ow -o "$wav" "$src" >"$tmp/timidity.log" 2>&1 || not_rendered
    [ -s "$wav" ] || not_rendered
fi

# stat: the whole file, or one step of it starting at $1 (from the end if < 0).
stat_of() { sox "$wav" -n ${1:+trim "$1" $step} stat 2>&1; }
field() { awk -v k="$1" 'index($0, k) == 1 { print $NF; exit }'; }

stats=$(stat_of) || fail "sox could not read the audio"
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
[ $kind = sound ] || is "$len > 0" || not_rendered

is "$len >= $min && $len <= $max" ||
    fail "length $len s is outside $min..$max s"
# A gentle tune through the default GM set measures about 0.04; muted parts or
# a sound set without patches come out near 0.
is "$rms > 0.01" ||
    fail "RMS amplitude $rms: the $kind is (nearly) silent"
# Full scale reads 0.99997 in 16 bits, 0.992 in 8, so this close is clipped.
is "$peak < 0.99 && $trough > -0.99" ||
    fail "peak amplitude $peak / $trough: the $kind clips"

# It must sound throughout, not in a burst followed by a long gap.
t=0
while is "$t + $step <= $len * $part"; do
    w=$(stat_of "$t" | field "RMS     amplitude")
    is "${w:-0} > 0.002" ||
        fail "silent stretch at ${t} s (RMS ${w:-?}) in a $len s $kind"
    t=$(awk "BEGIN { print $t + $step }")
done

# The stand-in is looped, so it ends in a pause; and it goes into the exe whole.
if [ $kind = sound ]; then
    w=$(stat_of "-$step" | field "RMS     amplitude")
    is "${w:-1} < 0.002" || fail "no pause at the end (RMS ${w:-?} in the last $step s)"
    [ "$(wc -c <"$src")" -le 12288 ] || fail "$src is larger than 12 KiB"
fi

echo "tune_check: $src OK: length $len s, RMS amplitude $rms"
