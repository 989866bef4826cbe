#!/usr/bin/env python3
"""Fails when a project include breaks the order of the source folders.

Each folder may include only the folders listed for it; a file belongs to
the longest listed folder that holds it, so a sub-folder counts as a folder
of its own. An include is
resolved as the compiler resolves it: a quoted one next to the including
file first, then from the project's root; one in angle brackets from the
project's root (every library exports it). What resolves to no file of the
project is a system, Qt or generated header and is not looked at, except a
quoted include that names a project folder: that one is reported.

Usage: check_includes.py PROJECT_ROOT
"""

import pathlib
import re
import sys

# What the windows' folders stand on.
BELOW_WINDOWS = [
    "ids",
    "toolkit",
    "player",
    "catalogue",
    "resources/layouts",
    "resources/pictures",
]

# Folder -> folders its files may include (besides their own folder).
ALLOWED = {
    "ids": [],
    "toolkit": [],
    "catalogue": ["ids"],
    "links": ["ids"],
    "resources": ["ids"],
    "resources/pictures": ["ids"],
    "resources/layouts": ["ids", "resources/pictures"],
    "resources/drawing": ["ids", "resources/pictures"],
    "resources/desktop": ["ids", "resources/drawing"],
    "player": ["ids", "toolkit"],
    "player/desktop": ["ids", "toolkit", "player"],
    "windows": BELOW_WINDOWS,
    "windows/hub": ["windows"] + BELOW_WINDOWS,
    "windows/episode": ["windows"] + BELOW_WINDOWS,
    "app": [
        "ids",
        "toolkit",
        "windows",
        "windows/hub",
        "windows/episode",
        "links",
        "player",
        "player/desktop",
        "catalogue",
        "resources/layouts",
        "resources/pictures",
    ],
}
SOURCE_SUFFIXES = {".h", ".cpp"}
TOP_FOLDERS = {folder.split("/")[0] for folder in ALLOWED}
INCLUDE = re.compile(r'^\s*#\s*include\s+(["<])([^">]+)[">]', re.MULTILINE)


def owner(path, root):
    """The listed folder that holds `path` most closely, or None."""
    relative = path.relative_to(root).as_posix()
    best = None
    for folder in ALLOWED:
        if relative.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    faults = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        source = owner(path, root)
        if source is None:
            continue  # tests, bench and the build trees include what they need
        for quote, name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            target = path.parent / name
            if quote == "<" or not target.exists():
                target = root / name
            if not target.exists():
                if quote == '"' and name.split("/")[0] in TOP_FOLDERS:
                    faults.append(f"{path.relative_to(root)}: includes {name}, which is no file")
                continue  # a system, Qt or generated header
            included = owner(target.resolve(), root)
            if included is None or included == source:
                continue
            if included not in ALLOWED[source]:
                faults.append(f"{path.relative_to(root)}: includes {name} ({source} -> {included})")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include(s) out of order")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
