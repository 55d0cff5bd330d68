#!/usr/bin/env bash
# Makes the pictures and sounds of the bundled example project (run once at
# development time; the results are committed beside example.kwp).
set -euo pipefail
out="${1:?usage: make_example_media.sh FOLDER}"
mkdir -p "$out"
ff() { ffmpeg -nostdin -v error -y "$@"; }
# A slow zoom into the Mandelbrot set: the backdrop movie (AVI, MPEG-4 part 2).
ff -f lavfi -i "mandelbrot=s=320x240:r=15:start_scale=2:end_scale=0.02:end_pts=6" -t 6 \
   -c:v mpeg4 -q:v 16 -pix_fmt yuv420p "$out/backdrop.avi"
# A cellular automaton in a small window, the picture in the nested arrangement.
ff -f lavfi -i "life=s=160x120:r=15:mold=10:ratio=0.1:death_color=#203060:life_color=#ffcc40" -t 6 \
   -c:v libx264 -crf 30 -pix_fmt yuv420p "$out/life.mp4"
# A still with soft colour gradients.
ff -f lavfi -i "gradients=s=320x240:c0=0x1050a0:c1=0xf0a030:c2=0x30c070:n=3:seed=7" -frames:v 1 -q:v 4 \
   "$out/sunrise.jpg"
# A disc in front of a pure green screen for the green key.
ff -f lavfi -i "color=c=0x00ff00:s=128x128" -vf \
   "geq=r='if(lt(hypot(X-64,Y-64),48),240-Y,0)':g='if(lt(hypot(X-64,Y-64),48),80+X,255)':b='if(lt(hypot(X-64,Y-64),48),60+Y,0)'" \
   -frames:v 1 "$out/disc.png"
python3 - "$out" <<'PY'
import math, struct, sys, wave
folder = sys.argv[1]
# A soft three-note chord with a slow swell: 22050 Hz mono 8-bit.
with wave.open(folder + "/chord.wav", "wb") as w:
    w.setnchannels(1); w.setsampwidth(1); w.setframerate(22050)
    frames = bytearray()
    for i in range(22050 * 8):
        t = i / 22050
        env = min(1.0, t / 1.5) * min(1.0, (8 - t) / 1.0)
        v = sum(math.sin(2 * math.pi * f * t) for f in (220.0, 277.18, 329.63)) / 3
        frames.append(max(0, min(255, 128 + int(100 * env * v))))
    w.writeframes(bytes(frames))
# A bell-like chime: 44100 Hz stereo 16-bit, panned by a phase offset.
with wave.open(folder + "/chime.wav", "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
    data = bytearray()
    for i in range(int(44100 * 1.5)):
        t = i / 44100
        env = math.exp(-3 * t)
        left = env * (math.sin(2 * math.pi * 880 * t) + 0.5 * math.sin(2 * math.pi * 1320 * t)) / 1.5
        right = env * math.sin(2 * math.pi * 880 * t + 0.6)
        data += struct.pack("<hh", int(20000 * left), int(20000 * right))
    w.writeframes(bytes(data))
PY
ls -la "$out"
