#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder above or beside its own.

Folders depend downward only: core, then sysutil, storage, net and graphics, then
toolkit, then widgets and news, then app. resources/ may be included from anywhere;
no product folder includes the tests or the benchmarks.
"""
import pathlib
import re
import sys

LEVELS = {"core": 0, "sysutil": 1, "storage": 1, "net": 1, "graphics": 1,
          "toolkit": 2, "widgets": 3, "news": 3, "app": 4}
SHARED = {"resources"}
NEVER = {"tests", "bench"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"', re.MULTILINE)


def allowed(source, target):
    if target in NEVER:
        return False
    if target in SHARED or target == source or target not in LEVELS:
        return True
    return LEVELS[target] < LEVELS[source]


def violations(root):
    for folder in LEVELS:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                if not allowed(folder, target):
                    yield f"{path.relative_to(root)} includes {target}/"


def main():
    # The rule itself: a checker that lets everything through would pass unnoticed.
    assert allowed("toolkit", "graphics") and allowed("app", "core") and allowed("core", "resources")
    assert not allowed("graphics", "toolkit") and not allowed("net", "storage")
    assert not allowed("widgets", "news") and not allowed("toolkit", "tests")
    found = list(violations(pathlib.Path(sys.argv[1])))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
