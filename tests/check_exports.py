#!/usr/bin/env python3
"""The shared library exports exactly the functions that veks.h declares."""
import re
import subprocess
import sys

lib, header = sys.argv[1], sys.argv[2]
out = subprocess.run(["nm", "-D", "--defined-only", lib], check=True,
                     capture_output=True, text=True).stdout
exported, other = set(), set()
for line in out.splitlines():
    parts = line.split()
    if len(parts) < 3:
        continue
    kind, name = parts[1], parts[2].split("@")[0]
    if name.startswith("veks") and kind in "TtWi":
        exported.add(name)
    else:
        other.add(f"{kind} {name}")
declared = set(re.findall(r"^VEKS_API\s[^;]*?\b(veks\w+)\(", open(header).read(), re.M))
ok = True
for title, names in (("declared but not exported", declared - exported),
                     ("exported but not declared", exported - declared),
                     ("other exported symbols", other)):
    if names:
        ok = False
        print(f"{title} ({len(names)}):")
        for n in sorted(names)[:50]:
            print("  " + n)
print(f"{len(exported)} functions exported, {len(declared)} declared (the full library has 1423)")
sys.exit(0 if ok else 1)
