#!/usr/bin/env python3
"""Writes the generated region of include/veks.h and the linker export list
frame/veks.map from the family manifests (*.def).

    scripts/genapi.py            rewrite both files
    scripts/genapi.py --check    exit 1 if either is out of date (used by a test)
    scripts/genapi.py --names    print the exported names, one a line

Each manifest is run through the C preprocessor with VEK_MANIFEST_DECL defined, so
its shape macros expand exactly as they do when the family's .cpp compiles it.
The comment block at the top of a manifest becomes the section comment in the header.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DIRS = ["frame", "elementwise", "statistics", "transforms", "filters",
        "generators", "sorting", "vecmath"]
HEADER = os.path.join(ROOT, "include", "veks.h")
MAP = os.path.join(ROOT, "frame", "veks.map")
BEGIN = "/* ==== GENERATED BEGIN (scripts/genapi.py) ==== */"
END = "/* ==== GENERATED END ==== */"


def manifests():
    out = []
    for d in DIRS:
        for dirpath, _, files in os.walk(os.path.join(ROOT, d)):
            out += [os.path.join(dirpath, f) for f in files if f.endswith(".def")]
    # Directory order first, then path: the header reads as the subsystems do.
    return sorted(out, key=lambda p: (DIRS.index(os.path.relpath(p, ROOT).split(os.sep)[0]), p))


def leading_comment(path):
    lines = []
    with open(path) as f:
        for line in f:
            s = line.strip()
            if not s.startswith("//"):
                break
            lines.append(s[2:].rstrip()[1:] if s[2:3] == " " else s[2:].rstrip())
    return lines


def expand(path):
    cc = os.environ.get("CC", "cc")
    cmd = [cc, "-E", "-P", "-x", "c", "-DVEK_MANIFEST_DECL",
           "-include", os.path.join(ROOT, "frame", "manifest.h"), path]
    text = subprocess.run(cmd, check=True, capture_output=True, text=True).stdout
    entries = []
    for chunk in text.split("@@")[1:]:
        chunk = " ".join(chunk.split())
        kind, _, rest = chunk.partition(" ")
        if kind == "FN":
            ret, name, params = [x.strip() for x in rest.split("|", 2)]
            params = re.sub(r"\s*\*\s*", "* ", params).replace("( ", "(").replace(" )", ")")
            params = params.replace("* *", "**").replace("* )", "*)")
            entries.append(("fn", ret, name, params))
        elif kind == "TYPE":
            entries.append(("type", rest.strip()))
        else:
            raise SystemExit(f"{path}: unknown manifest entry @@{kind}")
    return entries


def generate():
    body, names = [], []
    for path in manifests():
        rel = os.path.relpath(path, ROOT)
        entries = expand(path)
        body.append("")
        body.append(f"/* ---- {rel} " + "-" * max(4, 72 - len(rel)) + " */")
        comment = leading_comment(path)
        if comment:
            body.append("/*")
            body += [(" * " + c).rstrip() for c in comment]
            body.append(" */")
        for e in entries:
            if e[0] == "type":
                body.append(f"typedef struct {e[1]} {e[1]};")
        for e in entries:
            if e[0] == "fn":
                _, ret, name, params = e
                body.append(f"VEKS_API {ret} {name}{params};")
                names.append(name)
    if len(set(names)) != len(names):
        dup = sorted({n for n in names if names.count(n) > 1})
        raise SystemExit("duplicate exports: " + ", ".join(dup))
    with open(HEADER) as f:
        old = f.read()
    pre, rest = old.split(BEGIN)
    _, post = rest.split(END)
    header = pre + BEGIN + "\n".join(body) + "\n\n" + END + post
    vmap = "/* Export list of libveksh9, written by scripts/genapi.py. */\n{\n  global:\n"
    vmap += "".join(f"    {n};\n" for n in names) + "  local:\n    *;\n};\n"
    return header, vmap, names


def main():
    header, vmap, names = generate()
    if "--names" in sys.argv:
        print("\n".join(names))
        return 0
    if "--check" in sys.argv:
        stale = [p for p, t in ((HEADER, header), (MAP, vmap)) if open(p).read() != t]
        for p in stale:
            print(f"{os.path.relpath(p, ROOT)} is out of date: run scripts/genapi.py")
        print(f"{len(names)} exports in the manifests")
        return 1 if stale else 0
    for p, t in ((HEADER, header), (MAP, vmap)):
        if not os.path.exists(p) or open(p).read() != t:
            with open(p, "w") as f:
                f.write(t)
    print(f"{len(names)} exports")
    return 0


if __name__ == "__main__":
    sys.exit(main())
