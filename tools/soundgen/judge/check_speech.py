#!/usr/bin/env python3
"""Judges the intelligibility of the spoken prompts with an offline recogniser.

For every speech row of the manifest (the words only, without what plays
after or under them) it runs pocketsphinx over the generated file and
compares what it heard with what was meant. Needs the Debian packages
pocketsphinx, pocketsphinx-en-us and sox; not part of the build.

    check_speech.py MANIFEST PROGRAM_DIR [--all] [--choice]

A general recogniser with no hint of the words is a harsh listener: single
words out of context often come back wrong even when a person hears them
clearly. With --choice it is told every prompt of the game instead and must
pick the one it hears, which is how a player listens: knowing the game's
words, telling one prompt from all the others.
"""
import os
import re
import subprocess
import sys
import tempfile


def words(text):
    return re.findall(r"[a-z']+", text.lower().replace("-", " "))


def edit_distance(a, b):
    row = list(range(len(b) + 1))
    for i, x in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, y in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (x != y))
    return row[len(b)]


DICT = "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict"


def known_words():
    known = set()
    for line in open(DICT, encoding="utf-8", errors="replace"):
        known.add(line.split(" ", 1)[0].split("(")[0])
    return known


def write_grammar(texts, scratch):
    path = os.path.join(scratch, "prompts.gram")
    choices = " | ".join("(" + " ".join(w) + ")" for w in sorted(set(tuple(words(t)) for t in texts)))
    with open(path, "w", encoding="utf-8") as out:
        out.write("#JSGF V1.0;\ngrammar prompts;\npublic <prompt> = " + choices + ";\n")
    return path


def recognise(path, scratch, grammar=None):
    sixteen = os.path.join(scratch, "16k.wav")
    subprocess.run(["sox", path, "-r", "16000", "-c", "1", sixteen, "pad", "0.5", "0.5"], check=True)
    command = ["pocketsphinx_continuous", "-infile", sixteen, "-logfn", "/dev/null"]
    if grammar:
        command += ["-jsgf", grammar]
    out = subprocess.run(command, capture_output=True, text=True)
    return " ".join(out.stdout.split())


def main():
    manifest, tree = sys.argv[1], sys.argv[2]
    show_all = "--all" in sys.argv
    choice = "--choice" in sys.argv
    total_words = total_errors = 0
    results = []
    prompts = []
    known = known_words()
    for line in open(manifest, encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        cols = [c.strip() for c in line.split("|")]
        if len(cols) != 7 or cols[1] != "speech":
            continue
        if "then:" in cols[5] or "over:" in cols[5]:
            continue  # the sound after or under the words would confuse the recogniser
        if not all(w in known for w in words(cols[5])):
            continue  # a word the recogniser does not know (the game's name)
        prompts.append((cols[0], cols[5]))
    with tempfile.TemporaryDirectory() as scratch:
        grammar = write_grammar([t for _, t in prompts], scratch) if choice else None
        for name, text in prompts:
            path = os.path.join(tree, name.replace("\\", "/").lower())
            heard = recognise(path, scratch, grammar)
            meant = words(text)
            errors = edit_distance(meant, words(heard))
            total_words += len(meant)
            total_errors += errors
            results.append((errors / max(1, len(meant)), name, text, heard))
    results.sort(reverse=True)
    for rate, path, text, heard in results if show_all else results[:25]:
        print(f"{rate:5.2f}  {path:40s} meant: {text!r:50s} heard: {heard!r}")
    print(f"\n{len(results)} prompts, {total_words} words, word error rate {total_errors / max(1, total_words):.1%}")
    exact = sum(1 for r in results if r[0] == 0)
    print(f"{exact} of {len(results)} prompts recognised word for word")


if __name__ == "__main__":
    main()
