#!/usr/bin/env python3
"""Writes the converter's finish chime, app/sounds/ring001.wav: two soft bell
tones (E6 then B5) with a quick attack and an exponential fade, 22.05 kHz
mono, 16-bit."""
import math
import struct
import sys
import wave

RATE = 22050


def bell(freq, start, length, total):
    out = [0.0] * total
    for i in range(int(length * RATE)):
        t = i / RATE
        envelope = min(1.0, t / 0.005) * math.exp(-t * 4.0)
        # The partials of a small bell: the fundamental and two inharmonic overtones.
        value = (math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * freq * 2.76 * t) +
                 0.15 * math.sin(2 * math.pi * freq * 5.40 * t))
        j = int(start * RATE) + i
        if j < total:
            out[j] = envelope * value
    return out


def main(path):
    total = int(1.2 * RATE)
    first = bell(1318.5, 0.0, 1.0, total)
    second = bell(987.8, 0.22, 0.98, total)
    peak = max(abs(a + b) for a, b in zip(first, second))
    frames = b"".join(struct.pack("<h", int((a + b) / peak * 0.6 * 32767)) for a, b in zip(first, second))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/sounds/ring001.wav")
