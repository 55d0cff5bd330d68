#!/usr/bin/env python3
"""Writes the help pages of both languages: the numbered pages
(data/program/9/hNNNNNNN.txt for English, data/program/7/... for German) and
the named pages (home page, tutorials).

The page texts live in the tables of the modules beside this one, one entry
per topic; each module X.py has its German twin X_de.py with the same keys.
A topic written in one language only stops the run, so that no page can
exist in one folder and be missing from the other. The shorthand that keeps them readable while they are written:

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
import controls_de  # noqa: E402
import effects  # noqa: E402
import effects_de  # noqa: E402
import groups  # noqa: E402
import groups_de  # noqa: E402
import panels  # noqa: E402
import panels_de  # noqa: E402
import tutorials  # noqa: E402
import tutorials_de  # noqa: E402
import variables  # noqa: E402
import variables_de  # noqa: E402

PROGRAM_FOLDER = os.path.join(HERE, "..", "..", "data", "program")

# Language number, then the numbered tables and the named pages of it.
LANGUAGES = (
    (9, (controls, effects, groups, panels, variables), tutorials),
    (7, (controls_de, effects_de, groups_de, panels_de, variables_de), tutorials_de),
)

# The browser keeps this many bytes of a page; German letters take two.
PAGE_LIMIT = 8000


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


def numbered(modules):
    pages = {}
    for module in modules:
        for number, text in module.PAGES.items():
            if number in pages:
                sys.exit(f"{module.__name__}: topic {number} is written twice")
            pages[number] = text
    return pages


def check_twins(english, german, what):
    # The same topics in both languages, named by the English module.
    only = sorted(set(english) ^ set(german), key=str)
    if only:
        sys.exit(f"{what}: in one language only: " + ", ".join(
            f"{k} ({'English' if k in english else 'German'})" for k in only))


def write(path, page):
    data = page.encode("utf-8")
    if len(data) > PAGE_LIMIT:
        sys.exit(f"{path} is too long for the browser ({len(data)} bytes)")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    written = {}
    for language, modules, named in LANGUAGES:
        written[language] = (numbered(modules), named.PAGES)
    (en_numbered, en_named), (de_numbered, de_named) = written[9], written[7]
    for en, de in zip(LANGUAGES[0][1], LANGUAGES[1][1]):
        check_twins(en.PAGES, de.PAGES, en.__name__)
    check_twins(en_named, de_named, "tutorials")
    for language, (pages, named) in written.items():
        folder = os.path.join(PROGRAM_FOLDER, str(language))
        for number, text in sorted(pages.items()):
            write(os.path.join(folder, "h%07d.txt" % number), expand(text))
        for name, text in sorted(named.items()):
            write(os.path.join(folder, name), "<vrh>\n" + expand(text))
        print(f"{language}: {len(pages)} numbered pages and {len(named)} named pages written")


if __name__ == "__main__":
    main()
