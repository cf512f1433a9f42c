#!/usr/bin/env python3
"""Writes end.wav, the sound played when a clean run ends: a soft rising three-note
chime (C6, E6, G6), 16-bit mono PCM. The output is deterministic, so the checked-in
file only changes when this script does."""

import math
import pathlib
import struct
import sys
import wave

RATE = 22050
LENGTH = 1.2  # seconds
PEAK = 0.6  # of full scale, leaving headroom for the overlapping notes
ATTACK = 0.006  # a soft onset avoids a click
FADE = 0.08  # the tail is faded to silence before the end

# (start in seconds, fundamental in Hz)
NOTES = [(0.00, 1046.50), (0.14, 1318.51), (0.28, 1567.98)]
# (frequency ratio, amplitude, decay time constant in seconds): a fundamental with a
# quieter octave and a faint bell-like inharmonic partial that dies away quickly.
PARTIALS = [(1.0, 1.0, 0.32), (2.0, 0.25, 0.18), (2.76, 0.08, 0.09)]


def sample(t):
    value = 0.0
    for start, frequency in NOTES:
        age = t - start
        if age < 0:
            continue
        onset = min(1.0, age / ATTACK)
        for ratio, amplitude, decay in PARTIALS:
            value += (onset * amplitude * math.exp(-age / decay)
                      * math.sin(2 * math.pi * frequency * ratio * age))
    tail = LENGTH - t
    if tail < FADE:
        value *= tail / FADE
    return value


def main():
    count = int(RATE * LENGTH)
    raw = [sample(i / RATE) for i in range(count)]
    scale = PEAK / max(abs(v) for v in raw)
    frames = b"".join(struct.pack("<h", round(v * scale * 32767)) for v in raw)
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else (
        pathlib.Path(__file__).resolve().parent / "end.wav")
    with wave.open(str(target), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    return 0


if __name__ == "__main__":
    sys.exit(main())
