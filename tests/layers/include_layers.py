#!/usr/bin/env python3
"""Fails when a source file includes a header from a folder above its own.

The top-level folders are layers, lowest first; a file may include headers of its own folder and
of the folders below it. Tests, benchmarks and tools sit outside the layers and may use any.
"""
import os
import re
import sys

LAYERS = ["platform", "kernel", "services", "scene", "render", "modelling", "exchange",
          "manufacturing", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')


def layer_of(path):
    parts = path.split("/")
    return parts[0] if parts[0] in LAYERS and len(parts) > 1 else None


def violations(root):
    found = []
    for top in LAYERS:
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root)
                own = layer_of(path)
                if own is None:
                    continue
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if match and match.group(1) in LAYERS and \
                                LAYERS.index(match.group(1)) > LAYERS.index(own):
                            found.append(f"{path}:{number}: {own}/ includes {line.strip()[9:]}, "
                                         f"a layer above it")
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    found = violations(os.path.abspath(root))
    for line in found:
        print(line)
    print(f"layers, lowest first: {' < '.join(LAYERS)}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
