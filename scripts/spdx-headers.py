#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Gives every file that `reuse lint` finds without copyright or licence the project's SPDX
# header, in that file's own comment syntax: MIT, or CC BY 4.0 for the story's text. Files
# that cannot hold a comment belong in .reuse/dep5 instead. Run from anywhere:
#   python3 scripts/spdx-headers.py
import os
import re
import subprocess
import sys

HOLDER = "2026 Quivra developers"
# The story's text; everything else that takes a header is code.
STORY = {"engine/passages.hpp"}

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def missing():
    report = subprocess.run(["reuse", "lint"], cwd=root, capture_output=True, text=True).stdout
    section = "MISSING COPYRIGHT AND LICENSING INFORMATION"
    if section not in report:
        return []
    block = report.split(section, 1)[1].split("\n# ", 1)[0]
    return sorted(set(re.findall(r"^\* (.+)$", block, re.M)))


def header(path, licence):
    # Spelt in two pieces, so that reuse does not read this file's own lines as its tags.
    spdx = "SPDX-"
    tags = [f"{spdx}FileCopyrightText: {HOLDER}", f"{spdx}License-Identifier: {licence}"]
    if path.endswith((".cpp", ".hpp", ".mjs", ".js", ".rc.in", ".hpp.in")):
        return [f"// {tag}" for tag in tags]
    if path.endswith(".css"):
        return [f"/* {tag} */" for tag in tags]
    if path.endswith((".html", ".xml.in", ".manifest.in", ".md")):
        return [f"<!-- {tag} -->" for tag in tags]
    return [f"# {tag}" for tag in tags]  # shell, CMake, YAML, git's files, the desktop entry


for path in missing():
    with open(os.path.join(root, path), encoding="utf-8", newline="") as f:
        lines = f.read().split("\n")
    # After a shebang, an XML declaration or a doctype, which must stay first.
    at = 1 if lines[0].startswith(("#!", "<?xml", "<!doctype", "<!DOCTYPE")) else 0
    lines[at:at] = header(path, "CC-BY-4.0" if path in STORY else "MIT") + [""]
    with open(os.path.join(root, path), "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))
    print(path, file=sys.stderr)
