#!/usr/bin/env python3
"""Writes data/program/7/default.skn, the German default skin file.

The file holds what a language's default skin adds to the built-in
defaults: the "Translation" section (every text of the string table, from
de_strings.py), the language number under "Layout", and the German credit
that made files carry as author and copyright until the user sets their own.
Skin pictures and colours are the same in both languages and stay with the
built-in defaults, so that a new default colour reaches German users too.

The texts are written as SettingsStore::SaveSkin writes them: a break as
backslash + n, a backslash doubled, and a text quoted when it starts or
ends with a blank or would otherwise lose its own quotes on reading.

It stops without writing when a row's English no longer matches
items/StringResources.cpp, when an id has no German, or when a German text
lost a format specifier: run it after changing either table and commit the
file it writes.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)

import de_strings  # noqa: E402

RESOURCES = os.path.join(ROOT, "items", "StringResources.cpp")
OUTPUT = os.path.join(ROOT, "data", "program", "7", "default.skn")

GERMAN = 7
LANGUAGE_ID = 645
STATUS_MESSAGES_ID = 335
AUTHOR_ID = 545
COPYRIGHT_ID = 363
CREDIT = "Erstellt mit Vantrel Media Compositor"
MAX_VALUE = 1023

SPECIFIER = re.compile(r"%(?:%|\d+|[-+ #0]*\d*(?:\.\d+)?[hlLqjzt]*[diouxXeEfgGcspn])")
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def unescape(literal):
    return re.sub(r"\\(.)", lambda m: ESCAPES[m.group(1)], literal)


def english_texts():
    """id -> text of the resource table, read from its source."""
    with open(RESOURCES, encoding="utf-8") as f:
        source = f.read()
    rows = re.findall(r'\{(\d+),\s*"((?:[^"\\]|\\.)*)"\}', source)
    return {int(i): unescape(t) for i, t in rows}


def skin_text(text):
    out = text.replace("\r", "").replace("\\", "\\\\").replace("\n", "\\n")
    quoted = len(out) >= 2 and out[0] in "\"'" and out[-1] == out[0]
    if out and (out[0] in " \t" or out[-1] in " \t" or quoted):
        out = '"' + out + '"'
    return out


def problems(english, rows):
    found = []
    seen = {}
    for row_id, row_english, german in rows:
        if row_id in seen:
            found.append(f"{row_id}: listed twice")
        seen[row_id] = german
        if row_id not in english:
            found.append(f"{row_id}: no such id in the resource table")
            continue
        if row_english != english[row_id]:
            found.append(f"{row_id}: the English is now {english[row_id]!r}")
        if not german.strip():
            found.append(f"{row_id}: empty German text")
        if SPECIFIER.findall(german) != SPECIFIER.findall(row_english):
            found.append(f"{row_id}: format specifiers differ")
        if german.count("\n") != row_english.count("\n"):
            found.append(f"{row_id}: line breaks differ")
        if len(skin_text(german).encode("utf-8")) > MAX_VALUE:
            found.append(f"{row_id}: longer than a skin file value may be")
    for missing in sorted(set(english) - set(seen)):
        found.append(f"{missing}: no German for {english[missing]!r}")
    return found


def main():
    english = english_texts()
    rows = de_strings.TEXTS
    found = problems(english, rows)
    if found:
        sys.stderr.write("\n".join(found) + "\n")
        return 1
    lines = [
        "; Vantrel's German texts and defaults, written by scripts/lang/make_default_skin.py",
        "; from scripts/lang/de_strings.py: change the table and run the script again.",
        "[Translation]",
    ]
    lines += [f"{i}={skin_text(german)}" for i, _, german in sorted(rows)]
    # The status line speaks by default, as in the English default file: a
    # make's progress and a failed command's reason are told there.
    lines += ["[Layout]", f"{LANGUAGE_ID}={GERMAN}", f"{STATUS_MESSAGES_ID}=1"]
    lines += ["[Output]", f"{COPYRIGHT_ID}={CREDIT}", f"{AUTHOR_ID}={CREDIT}"]
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    with open(OUTPUT, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"wrote {os.path.relpath(OUTPUT, ROOT)}: {len(rows)} texts")
    return 0


if __name__ == "__main__":
    sys.exit(main())
