#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-3-Clause
"""Checks that the library's folders include only the layers below them.

Usage: check-layers.py [SRC_ROOT]   (default: src/tk5chctl beside this script's folder)

Every quoted include "folder/Header.h" of a source under SRC_ROOT must name its own folder
or one of the folders that layer may include; an include that climbs out of its folder with
"../" is refused too. Prints each offending line; exit 1 when there is one.
"""
import os
import re
import sys

# What each layer may include, besides itself. "include" is the installed public headers.
ALLOWED = {
    "common": set(),
    "model": {"common"},
    "surface": {"common"},
    "calc": {"common"},
    "data": {"common", "model"},
    "net": {"common", "model"},
    "chart": {"common", "model", "surface", "calc"},
    "indicators": {"common", "model", "surface", "calc"},
    "chartfile": {"common", "model"},
    "transactions": {"common", "model", "surface", "calc", "chart"},
    "print": {"common", "model", "surface", "calc", "chart", "indicators"},
    "core": {"common", "model", "surface", "calc", "data", "chart", "indicators", "transactions",
             "chartfile", "print"},
    "ui": {"common", "model", "include"},
    "widget": {"common", "model", "surface", "calc", "data", "net", "chart", "indicators",
               "transactions", "chartfile", "print", "core", "ui", "include"},
    "include": set(),
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)

root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "src", "tk5chctl"))
bad = []
for folder in sorted(os.listdir(root)):
    base = os.path.join(root, folder)
    if not os.path.isdir(base):
        continue
    if folder not in ALLOWED:
        bad.append(f"{folder}/: a folder that is no known layer")
        continue
    for dirpath, _, files in os.walk(base):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(dirpath, name)
            text = open(path, encoding="utf-8", errors="replace").read()
            for m in INCLUDE.finditer(text):
                target = m.group(1)
                line = text.count("\n", 0, m.start()) + 1
                where = f"{os.path.relpath(path, root)}:{line}"
                if target.startswith("../") or "/../" in target:
                    bad.append(f"{where}: climbs out of its folder: {target}")
                    continue
                if "/" not in target:
                    continue  # a header of its own folder
                layer = target.split("/")[0]
                if layer == "tk5chctl":
                    layer = "include"
                if layer != folder and layer not in ALLOWED[folder]:
                    bad.append(f"{where}: {folder} may not include {layer}: {target}")
for b in bad:
    print(b)
print(f"{'layering broken' if bad else 'layers ok'}: {len(bad)} offending include(s)")
sys.exit(1 if bad else 0)
