"""Sounds from the text recipes in res/art/sounds/.

A recipe is "key: value" lines ('#' starts a comment):
  id:      the WAVE resource id
  speak:   espeak-ng voice, then the text   (speech, e.g. "speak: de Hallo!")
  speed, pitch: espeak-ng words per minute and pitch (0-99)
  note:    start seconds, then the arguments of sox's synth effect; notes are mixed
  effects: sox effects applied to the result (e.g. "pitch 250 reverb 20")
  gain:    peak level in dBFS after normalising (default -1)
Output: 16-bit mono 22050 Hz PCM with a short fade at both ends.
"""
import os
import subprocess

import numpy as np

import imgio

RATE = 22050
SOUND_IDS = (121, 122, 123, 124, 125, 126, 127, 128, 129, 154)
SOX = ("sox", "-R", "-D", "-V1")


def parse(path):
    recipe = {"note": []}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            key, value = (s.strip() for s in line.split(":", 1))
            if key == "note":
                recipe["note"].append(value)
            else:
                recipe[key] = value
    return recipe


def sox_float(args_in, effects):
    """Runs sox into raw 32-bit float mono at RATE and returns the samples."""
    cmd = list(SOX) + args_in + ["-t", "raw", "-e", "floating-point", "-b", "32", "-r", str(RATE),
                                 "-c", "1", "-"] + effects
    out = subprocess.run(cmd, check=True, capture_output=True).stdout
    return np.frombuffer(out, dtype="<f4").astype(np.float64)


def speech(recipe, work):
    voice, words = recipe["speak"].split(" ", 1)
    wav = os.path.join(work, "speech.wav")
    subprocess.run(["espeak-ng", "-v", voice, "-s", recipe.get("speed", "150"), "-p", recipe.get("pitch", "50"),
                    "-w", wav, words], check=True)
    return sox_float([wav], ["silence", "1", "0.01", "0.3%", "reverse", "silence", "1", "0.01", "0.3%", "reverse"])


def notes(recipe):
    parts = []
    for note in recipe["note"]:
        start, synth = note.split(" ", 1)
        tone = sox_float(["-n"], ["synth"] + synth.split())
        parts.append(np.concatenate([np.zeros(int(round(float(start) * RATE))), tone]))
    mix = np.zeros(max(len(p) for p in parts))
    for p in parts:
        mix[:len(p)] += p
    return mix


def apply_effects(samples, effects, work):
    if not effects:
        return samples
    raw = os.path.join(work, "mix.f32")
    samples.astype("<f4").tofile(raw)
    return sox_float(["-t", "raw", "-e", "floating-point", "-b", "32", "-r", str(RATE), "-c", "1", raw],
                     effects.split())


def finish(samples, peak_db):
    peak = np.max(np.abs(samples)) or 1.0
    samples = samples / peak * (10 ** (peak_db / 20))
    fade = min(len(samples) // 4, int(0.006 * RATE))
    ramp = np.linspace(0.0, 1.0, fade)
    samples[:fade] *= ramp
    samples[len(samples) - fade:] *= ramp[::-1]
    return np.clip(np.round(samples * 32767), -32768, 32767).astype(int).tolist()


def build(recipes, out_dir, work):
    os.makedirs(work, exist_ok=True)
    done = set()
    for name in sorted(os.listdir(recipes)):
        if not name.endswith(".txt"):
            continue
        recipe = parse(os.path.join(recipes, name))
        sid = int(recipe["id"])
        samples = speech(recipe, work) if "speak" in recipe else notes(recipe)
        samples = apply_effects(samples, recipe.get("effects", ""), work)
        imgio.write_wav(finish(samples, float(recipe.get("gain", "-1"))), os.path.join(out_dir, f"{sid}.wav"))
        done.add(sid)
    missing = set(SOUND_IDS) - done
    if missing:
        raise SystemExit(f"no recipe for sounds {sorted(missing)}")
