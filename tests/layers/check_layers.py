#!/usr/bin/env python3
"""Checks the includes of src/ and app/ against the layers.

A file may include headers of its own layer and of the layers below it, never above. A logic file
(one that no target linking Qt Widgets lists, nor the twin .h or .cpp of it) includes no header of
Qt's widget or GUI modules and no window file.

usage: check_layers.py PROJECT [--window-files LIST] [--qt-headers DIR]
Prints one line per offending include (file:line: rule) and exits 1 when there is any.
"""

import argparse
import re
import sys
from pathlib import Path

# The layers from the bottom up, each with its folders (below src/, and app/); the subsystems
# may include each other.
LAYERS = [
    ("store", ["store"]),
    ("framework", ["framework"]),
    ("data", ["data"]),
    ("subsystems", ["cases", "reference", "log", "mail", "knowledge", "reports"]),
    ("shell", ["shell"]),
    ("app", ["app"]),
]

# Qt modules a logic file does without.
WIDGET_MODULES = ["QtGui", "QtWidgets", "QtPrintSupport"]

SCANNED = ["src", "app"]
SOURCE_SUFFIXES = {".h", ".cpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s*(<[^>]+>|"[^"]+")')
LEVEL = {folder: (level, layer) for level, (layer, folders) in enumerate(LAYERS) for folder in folders}


def folder_of(path, root):
    parts = path.relative_to(root).parts
    return parts[1] if parts[0] == "src" else parts[0]


def resolve(header, including, root):
    """The project file a quoted include names: beside the including file, else below src/."""
    for candidate in (including.parent / header, root / "src" / header):
        if candidate.is_file() and candidate.resolve().is_relative_to(root):
            return candidate.resolve()
    return None


def is_widget_header(header, qt_headers):
    if qt_headers is None:
        return False
    module = header.split("/")[0]
    if module in WIDGET_MODULES:
        return True
    return "/" not in header and any((qt_headers / m / header).is_file() for m in WIDGET_MODULES)


def is_window_file(path, window_files):
    return any(twin in window_files for twin in (path, path.with_suffix(".h"), path.with_suffix(".cpp")))


def check_file(path, root, window_files, qt_headers):
    problems = []
    name = path.relative_to(root)
    own = LEVEL.get(folder_of(path, root))
    if own is None:
        return [f"{name}:1: folder '{folder_of(path, root)}' is in no layer of the table"]
    logic = not is_window_file(path, window_files)
    lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    for number, line in enumerate(lines, start=1):
        match = INCLUDE.match(line)
        if not match:
            continue
        written = match.group(1)
        quoted, header = written.startswith('"'), written[1:-1]
        where = f"{name}:{number}: includes {written}"
        if not quoted:
            if logic and is_widget_header(header, qt_headers):
                problems.append(f"{where}: a logic file includes no widget header")
            continue
        target = resolve(header, path, root)
        if target is None:
            continue
        theirs = LEVEL.get(folder_of(target, root))
        if theirs is not None and theirs[0] > own[0]:
            problems.append(f"{where}: {own[1]} may not include {theirs[1]}")
        elif logic and is_window_file(target, window_files):
            problems.append(f"{where}: a logic file includes no window file")
    return problems


def check(root, window_files, qt_headers):
    root = root.resolve()
    files = sorted(p for folder in SCANNED for p in (root / folder).rglob("*")
                   if p.suffix in SOURCE_SUFFIXES and p.is_file())
    return [problem for path in files for problem in check_file(path.resolve(), root, window_files, qt_headers)]


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("project", type=Path)
    parser.add_argument("--window-files", type=Path, help="the files of the libraries that link Qt Widgets")
    parser.add_argument("--qt-headers", type=Path, help="the folder that holds QtCore, QtGui, QtWidgets ...")
    args = parser.parse_args(argv)
    window_files = set()
    if args.window_files:
        window_files = {Path(line).resolve() for line in args.window_files.read_text().split("\n") if line}
    problems = check(args.project, window_files, args.qt_headers)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
