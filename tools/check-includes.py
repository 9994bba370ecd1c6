#!/usr/bin/env python3
"""Lists the includes that look up: a file that includes a header of a folder above its own.

The folders are layered, lowest first; a file may include headers of its own folder and of the
folders below it, never of one above. A quoted include without a folder is the file's own
folder's. Prints one line per violation and exits 1 when there is any, 0 otherwise.

  tools/check-includes.py [source-root]
"""
import os
import re
import subprocess
import sys

# Lowest first. res/ holds only the resource ids; base/ is what every folder uses; the stand-in
# library qmx/ implements the header of link/ and nothing else of the program; cli/ and tests/
# sit on top of everything they use.
LAYERS = ["res", "base", "settings", "link", "qmx", "help", "printers", "panel", "shell", "cli",
          "tests"]
RANK = {folder: rank for rank, folder in enumerate(LAYERS)}
SOURCE_SUFFIXES = (".c", ".cpp", ".h", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def source_files(root):
    try:
        command = ["git", "-C", root, "ls-files", "--cached", "--others", "--exclude-standard"]
        listed = subprocess.run(command, check=True, capture_output=True, text=True).stdout.split("\n")
    except (OSError, subprocess.CalledProcessError):
        listed = [os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names]
    return sorted(path for path in listed if path.endswith(SOURCE_SUFFIXES))


def folder_of(path):
    return path.replace("\\", "/").split("/", 1)[0]


def violations(root):
    for path in source_files(root):
        own = folder_of(path)
        if own not in RANK:
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue
                included = folder_of(match.group(1))
                if included in RANK and RANK[included] > RANK[own]:
                    yield f"{path}:{number}: includes {match.group(1)} ({included}/ is above {own}/)"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = list(violations(os.path.abspath(root)))
    for line in found:
        print(line)
    print(f"include graph: {len(found)} include(s) of a folder above the file's own")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
