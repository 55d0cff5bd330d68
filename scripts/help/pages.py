#!/usr/bin/env python3
"""Writes the numbered English help pages (data/program/9/hNNNNNNN.txt).

The page texts live in the tables of the modules beside this one, one entry
per topic, in a shorthand that keeps them readable while they are written:

    [[words|target]]   a link: each word becomes <H=word=target>
    ((words|id))       a control of the editor: each word becomes
                       <M=word=id>, which lights the control up while the
                       pointer rests on it and shows its page when clicked
    [!words|script!]   a script link: each word becomes <C=word=script>
    {{words|name}}     an object word: each word becomes <T=word=name>,
                       which lights up the named object (a variable of the
                       current clip "cc.IDS_...", of the current effect
                       "cv.IDS_..." or "ca.IDS_...", a panel button ...)
    a blank line       a paragraph break (<br> <br>)
    a line "- ..."     a list item on a line of its own; indented lines
                       continue it, an unindented one ends the list

Run it after changing a table; the pages it writes are checked in.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import controls  # noqa: E402
import effects  # noqa: E402
import groups  # noqa: E402
import panels  # noqa: E402
import tutorials  # noqa: E402
import variables  # noqa: E402

PAGE_FOLDER = os.path.join(HERE, "..", "..", "data", "program", "9")


def tagged(prefix, match):
    # A tagged word must end with ">", so punctuation that touches it is
    # folded into its shown text instead of trailing after it.
    words = match.group(2).split()
    words[0] = match.group(1) + words[0]
    words[-1] += match.group(4)
    return " ".join(f"<{prefix}={w}={match.group(3)}>" for w in words)


LEAD = r"(\(?)"
TRAIL = r"((?:'s)?[.,;:!?)]*)"


def expand(text):
    text = re.sub(LEAD + r"\[\[([^|\]]+)\|([^\]]+)\]\]" + TRAIL, lambda m: tagged("H", m), text)
    text = re.sub(LEAD + r"\(\(([^|)]+)\|([^)]+)\)\)" + TRAIL, lambda m: tagged("M", m), text)
    text = re.sub(LEAD + r"\[!([^|\]]+)\|([^!]+)!\]" + TRAIL, lambda m: tagged("C", m), text)
    text = re.sub(LEAD + r"\{\{([^|}]+)\|([^}]+)\}\}" + TRAIL, lambda m: tagged("T", m), text)
    if re.search(r"\[\[|\]\]|\{\{|\}\}|\(\(", text):
        raise ValueError("unexpanded shorthand in: " + text[:80])
    out = []
    for paragraph in re.split(r"\n\s*\n", text.strip()):
        lines = []
        in_list = False
        for raw in paragraph.strip("\n").splitlines():
            line = raw.strip()
            if line.startswith("- "):
                lines.append("<br> " + line if lines else line)
                in_list = True
            elif in_list and not raw[:1].isspace():
                # An unindented line after a list starts a line of its own.
                lines.append("<br> " + line)
                in_list = False
            else:
                lines.append(line)
        out.append(" ".join(lines))
    return "\n<br> <br>\n".join(out) + "\n"


def main():
    pages = {}
    for table in (controls.PAGES, effects.PAGES, groups.PAGES, panels.PAGES, variables.PAGES):
        for number, text in table.items():
            if number in pages:
                sys.exit(f"topic {number} is written twice")
            pages[number] = text
    for number, text in sorted(pages.items()):
        page = expand(text)
        if len(page) > 8000:
            sys.exit(f"topic {number} is too long for the browser ({len(page)} characters)")
        with open(os.path.join(PAGE_FOLDER, "h%07d.txt" % number), "w", encoding="ascii") as f:
            f.write(page)
    for name, text in sorted(tutorials.PAGES.items()):
        path = os.path.join(PAGE_FOLDER, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="ascii") as f:
            f.write("<vrh>\n" + expand(text))
    print(f"{len(pages)} numbered pages and {len(tutorials.PAGES)} named pages written")


if __name__ == "__main__":
    main()
