#!/usr/bin/python3
"""Writes the alarm tune, ../image/1.mid.

Run with Debian's python3 and python3-mido. The output is deterministic, so
regenerating must leave the committed file unchanged.

Ten bars of 4/4 in F major at 96 beats a minute (25 s): a celesta melody over
harp broken chords and a soft bass, closing on a held F major chord.
"""

import os

import mido

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "image", "1.mid"))

TPB = 480           # ticks per quarter note
BPM = 96
BAR = 4 * TPB
# A beat of silence after the last note-off, so players that stop at the end
# of the track still let the final chord decay.
TAIL = TPB

# General MIDI programs, 0-based.
CELESTA, HARP, ACOUSTIC_BASS = 8, 46, 32

# Note numbers.
F2, G2, A2, Bb2, C3, D3, E3 = 41, 43, 45, 46, 48, 50, 52
F3, G3, A3, Bb3, C4, D4, E4, F4 = 53, 55, 57, 58, 60, 62, 64, 65
A4 = 69
D5, E5, F5, G5, A5, Bb5, C6, D6, F6 = 74, 76, 77, 79, 81, 82, 84, 86, 89

# Harmony, half-bar by half-bar: (bass root, chord tones for the harp).
F_ = (F2, (F3, A3, C4))
Dm = (D3, (D3, F3, A3))
Gm7 = (G2, (G3, Bb3, D4))
C7 = (C3, (E3, G3, Bb3))
C_ = (C3, (E3, G3, C4))
Bb = (Bb2, (Bb3, D4, F4))

HARMONY = [
    F_, F_,     # 1
    Dm, Dm,     # 2
    Gm7, Gm7,   # 3
    C_, C_,     # 4  half cadence
    F_, F_,     # 5
    Bb, Bb,     # 6
    Gm7, C7,    # 7
    F_, F_,     # 8
    Bb, C7,     # 9  tag, back to the tonic once more
]

# Melody as (note, length in eighths); None is a rest.
MELODY = [
    (A5, 2), (G5, 1), (A5, 1), (C6, 2), (A5, 2),      # 1
    (D6, 3), (C6, 1), (A5, 4),                        # 2
    (Bb5, 2), (A5, 1), (G5, 1), (F5, 2), (G5, 2),     # 3
    (E5, 2), (D5, 2), (G5, 4),                        # 4
    (A5, 2), (G5, 1), (A5, 1), (C6, 2), (F6, 2),      # 5
    (D6, 3), (C6, 1), (Bb5, 2), (D6, 2),              # 6
    (Bb5, 2), (A5, 2), (G5, 2), (E5, 2),              # 7
    (F5, 4), (C6, 2), (A5, 2),                        # 8
    (D6, 3), (C6, 1), (Bb5, 2), (G5, 2),              # 9
    (F5, 8),                                          # 10
]

# Harp arpeggio over a half bar: chord-tone indices, one per eighth.
ARP = (0, 1, 2, 1)

END = (len(HARMONY) // 2 + 1) * BAR   # the final bar is held


class Track:
    def __init__(self, name):
        self.name = name
        self.events = []   # (tick, order, message); note-offs sort first

    def add(self, tick, msg):
        self.events.append((tick, 0 if msg.type == "note_off" else 1, msg))

    def note(self, ch, tick, length, note, vel):
        self.add(tick, mido.Message("note_on", channel=ch, note=note,
                                    velocity=vel))
        self.add(tick + length, mido.Message("note_off", channel=ch,
                                             note=note, velocity=0))

    def setup(self, ch, program, volume, pan, reverb):
        for cc, val in ((7, volume), (10, pan), (91, reverb)):
            self.add(0, mido.Message("control_change", channel=ch,
                                     control=cc, value=val))
        self.add(0, mido.Message("program_change", channel=ch,
                                 program=program))

    def build(self):
        trk = mido.MidiTrack()
        trk.append(mido.MetaMessage("track_name", name=self.name, time=0))
        now = 0
        for tick, _, msg in sorted(self.events, key=lambda e: e[:2]):
            trk.append(msg.copy(time=tick - now))
            now = tick
        trk.append(mido.MetaMessage("end_of_track", time=END + TAIL - now))
        return trk


def conductor():
    t = Track("qorvane alarm")
    t.add(0, mido.MetaMessage("time_signature", numerator=4, denominator=4))
    t.add(0, mido.MetaMessage("key_signature", key="F"))
    t.add(0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(BPM)))
    return t


def melody():
    t = Track("Celesta")
    t.setup(0, CELESTA, volume=110, pan=70, reverb=50)
    tick = 0
    eighth = TPB // 2
    for note, n in MELODY:
        length = n * eighth
        if note is not None:
            # Downbeats a little stronger; slightly detached so repeated
            # shapes stay distinct on a bell-like sound.
            vel = 84 if tick % BAR == 0 else 74
            held = END - tick if tick >= END - BAR else length * 7 // 8
            t.note(0, tick, held, note, vel)
        tick += length
    assert tick == END, "melody must fill the bars exactly"
    return t


def harp():
    t = Track("Harp")
    t.setup(1, HARP, volume=88, pan=54, reverb=60)
    half = BAR // 2
    eighth = TPB // 2
    for i, (_, tones) in enumerate(HARMONY):
        start = i * half
        for j, idx in enumerate(ARP):
            vel = 52 if j == 0 else 44
            t.note(1, start + j * eighth, eighth, tones[idx], vel)
    # Final chord, rolled upwards and left to ring.
    last = END - BAR
    for k, n in enumerate((F3, A3, C4, F4, A4)):
        at = last + k * (TPB // 8)
        t.note(1, at, END - at, n, 56)
    return t


def bass():
    t = Track("Bass")
    t.setup(2, ACOUSTIC_BASS, volume=92, pan=64, reverb=30)
    half = BAR // 2
    for i, (root, _) in enumerate(HARMONY):
        t.note(2, i * half, half - TPB // 8, root, 62)
    t.note(2, END - BAR, BAR, F2, 62)
    return t


def main():
    mid = mido.MidiFile(type=1, ticks_per_beat=TPB)
    for part in (conductor(), melody(), harp(), bass()):
        mid.tracks.append(part.build())
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    mid.save(OUT)
    print("%s: %.1f s, %d bytes" % (OUT, mid.length, os.path.getsize(OUT)))


if __name__ == "__main__":
    main()
