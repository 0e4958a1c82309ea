#!/usr/bin/env python3
"""Checks that every #include "..." of the programs' sources points down the
layers (or stays in its own folder), never up: the layers are the folders
listed below, lowest first. Prints each include that points up and exits 1
when there is one. Tests, benchmarks and fuzzers are not checked."""
import os
import re
import sys

# Folder -> layer; a file belongs to the longest folder that holds it, and a
# platform folder (x11/, win32/, qt/, linux/, posix/, wayland/) to the folder it
# stands in.
LAYERS = {
    "common": 0,
    "renderer": 1,          # the show's logic: timer, scene, pieces, decoder, loader
    "renderer/spine": 2,    # start-up, message loop, window procedure (files below)
    "renderer/x11": 3,
    "renderer/wayland": 3,
    "renderer/win32": 3,
    "renderer/linux": 4,    # the Linux program, choosing X11 or Wayland
    "saver/base": 1,
    "saver/forms": 2,
    "saver/music": 2,
    "saver/show": 2,
    "controls/command": 3,
    "saver/settings": 4,
    "saver": 5,
}
# The spine and its platform seam (with the seam's one wrapping target).
SPINE_FILES = {"renderer/renderer_app.cpp", "renderer/renderer_app.h", "renderer/renderer_platform.h",
               "renderer/covered_target.h"}
CHECKED = ("common", "renderer", "saver", "controls")
SOURCE = re.compile(r"\.(c|cc|cpp|h|hpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    if path in SPINE_FILES:
        return "renderer/spine"
    parts = path.split("/")
    for n in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:n])
        if folder in LAYERS:
            return folder
    return None


def main(top):
    files = []
    for root in CHECKED:
        for dirpath, _, names in os.walk(os.path.join(top, root)):
            for name in names:
                if SOURCE.search(name):
                    files.append(os.path.relpath(os.path.join(dirpath, name), top))
    by_tail = {}
    for f in files:
        parts = f.split("/")
        for n in range(1, len(parts) + 1):
            by_tail.setdefault("/".join(parts[-n:]), []).append(f)
    bad = []
    for f in sorted(files):
        own = layer_of(f)
        if own is None:
            continue
        with open(os.path.join(top, f), encoding="utf-8", errors="replace") as src:
            for number, line in enumerate(src, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                name = m.group(1)
                here = os.path.normpath(os.path.join(os.path.dirname(f), name))
                targets = [here] if here in files else by_tail.get(name, [])
                for target in targets:
                    theirs = layer_of(target)
                    if theirs is not None and LAYERS[theirs] > LAYERS[own]:
                        bad.append(f"{f}:{number}: includes {target} ({theirs} is above {own})")
    for line in bad:
        print(line)
    print(f"{len(files)} files checked, {len(bad)} includes point up")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")))
