#!/usr/bin/env python3
"""Fails when a source file reaches above its layer.

Two rules over every #include of src/:
- a folder includes only itself and the folders below it (LEVELS);
- the targets that must build without Qt Widgets (WIDGETS_FREE) include no
  Qt Widgets or Print Support header and no header of a folder that uses them.

Run by ctest as check_layers; by hand: scripts/check-layers.py [root] [Qt include dir...]
"""
import os
import re
import sys

# Lowest first. A folder may include a folder of a lower level, never one of its
# own level or above (siblings such as two lists stay apart).
LEVELS = [
    ["platform/os"],
    ["platform/db", "backup/zip"],
    ["platform/ui"],
    ["platform/report"],
    ["controls"],
    ["core/helpers"],
    ["core"],
    ["payroll/engine"],
    ["payroll", "masterdata"],
    ["lists/payment", "lists/summary", "lists/occasional", "tax/annual", "tax/monthly", "datasupply", "backup"],
    ["app"],
]
LEVEL = {folder: n for n, folders in enumerate(LEVELS) for folder in folders}

# Folders and single files that build without Qt Widgets.
WIDGETS_FREE = ["platform/os", "platform/db", "backup/zip", "core/helpers", "payroll/engine",
                "core/PrintPDF.h", "core/PrintPDF.cpp"]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    """The deepest folder of LEVELS that holds a path relative to src/."""
    parts = path.split("/")[:-1]
    while parts:
        folder = "/".join(parts)
        if folder in LEVEL:
            return folder
        parts.pop()
    return None


def widgets_free(path):
    return any(path == w or path.startswith(w + "/") for w in WIDGETS_FREE)


def widgets_headers(include_dirs):
    names = set()
    for d in include_dirs:
        for module in ("QtWidgets", "QtPrintSupport"):
            base = d if os.path.basename(d.rstrip("/")) == module else os.path.join(d, module)
            if os.path.isdir(base):
                names.add(module)
                for name in os.listdir(base):
                    names.add(name)
                    names.add(module + "/" + name)
    return names


def check(root, include_dirs):
    problems = []
    widgets = widgets_headers(include_dirs)
    if not widgets:
        return ["no Qt Widgets headers found in " + " ".join(include_dirs)]
    src = os.path.join(root, "src")
    for dirpath, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(dirpath, name), src).replace(os.sep, "/")
            own = folder_of(path)
            with open(os.path.join(dirpath, name), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"src/{path}:{number}: #include {kind}{target}{'>' if kind == '<' else kind}"
                    if kind == '"':
                        other = folder_of(target)
                        if own and other and other != own and LEVEL[other] >= LEVEL[own]:
                            problems.append(f"{where}: {own} may not include {other} (a folder at its "
                                            f"level or above); move the shared part down to a folder "
                                            f"both reach")
                        elif widgets_free(path) and other and not widgets_free(target) and LEVEL[other] >= LEVEL["platform/ui"]:
                            problems.append(f"{where}: {own or path} builds without Qt Widgets and "
                                            f"{other} uses them")
                    elif widgets_free(path) and target in widgets:
                        problems.append(f"{where}: {own or path} builds without Qt Widgets; keep "
                                        f"widgets in a folder above it")
    return problems


def main():
    root = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    include_dirs = sys.argv[2:] or ["/usr/include/x86_64-linux-gnu/qt6"]
    problems = check(root, include_dirs)
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check_layers: {len(problems)} include(s) cross the layers "
              f"(the order is in scripts/check-layers.py, LEVELS)", file=sys.stderr)
        return 1
    print("check_layers: every include stays in its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
