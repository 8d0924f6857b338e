#!/usr/bin/python3
"""Writes the alarm's own sound, ../res/alarm.wav.

Run with Debian's python3 (the standard library is all it needs). The output
is deterministic, so regenerating must leave the committed file unchanged.

It stands in for the tune where that cannot play, and is looped for
as long as the alert is up: two bright high-low pairs of beeps a fourth
apart, then a pause, 1.1 s in all. 8000 Hz, 8-bit mono keeps it under 9 KiB
inside the exe.
"""

import math
import os
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "res", "alarm.wav"))

RATE = 8000
HIGH, LOW = 1760.0, 1318.5     # A6 and E6
BEEP = 0.11                    # seconds
# (start, pitch) of each beep; the pause after the last one is what makes
# the loop read as a repeating call rather than a continuous trill.
BEEPS = ((0.00, HIGH), (0.15, LOW), (0.40, HIGH), (0.55, LOW))
LENGTH = 1.10
# The octave overtone makes it cut through like an alarm, not a test tone;
# it must stay clear of the 4000 Hz the rate can carry.
OVERTONES = ((1, 1.0), (2, 0.3))
# Of full scale: the weights' sum bounds the peak, the real one is lower.
LEVEL = 1.0
ATTACK, RELEASE = 0.004, 0.012  # seconds; raised-cosine edges, so no clicks
DECAY = 0.5                    # the level left at a beep's end, a soft ping


def edge(t, width):
    return 0.5 - 0.5 * math.cos(math.pi * min(1.0, t / width))


def beep(t, pitch):
    """One sample of a beep `t` seconds after it starts, in -1..1."""
    envelope = (edge(t, ATTACK) * edge(BEEP - t, RELEASE) *
                DECAY ** (t / BEEP))
    tone = sum(w * math.sin(2 * math.pi * k * pitch * t)
               for k, w in OVERTONES)
    return LEVEL * envelope * tone / sum(w for _, w in OVERTONES)


def samples():
    assert max(k for k, _ in OVERTONES) * HIGH < 0.9 * RATE / 2
    n = round(LENGTH * RATE)
    out = [0.0] * n
    for start, pitch in BEEPS:
        first = round(start * RATE)
        for i in range(round(BEEP * RATE)):
            out[first + i] += beep(i / RATE, pitch)
    return out


def main():
    # 8-bit WAV data is unsigned, silence at 128.
    data = bytes(128 + round(127 * s) for s in samples())
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with wave.open(OUT, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(data)
    print("%s: %.2f s, %d bytes" % (OUT, len(data) / RATE,
                                    os.path.getsize(OUT)))


if __name__ == "__main__":
    main()
