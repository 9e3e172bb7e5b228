"""Every library the link of tramela.exe used has an entry in the notices: Qt's (each
libQt6Bundled*.a among them) from the link command, the runtimes from the linker's map.
Usage: notices_test.py build.ninja tramela.map THIRD-PARTY-NOTICES.txt"""
import os
import re
import sys

ninja, link_map, notices = (open(path, errors="replace").read() for path in sys.argv[1:4])
named = {name for line in re.findall(r"^Linked into tramela\.exe from: (.*)$", notices, re.M)
         for name in line.split(", ")}
link = re.search(r"^build app/tramela\.exe:.*\n(?:  .*\n)*?  LINK_LIBRARIES = (.*)$", ninja, re.M)
qt = {os.path.basename(p) for p in link[1].split() if re.search(r"/libQt6\w+\.a$", p)}
# The map's first part: each archive member the linker took, "path(member)" at a line's start.
members = link_map.split("Discarded input sections")[0]
runtimes = {os.path.basename(p) for p in re.findall(r"^(/usr/\S+\.a)\(", members, re.M)}
missing = sorted(name for name in qt | runtimes if name not in named)
for required in ("libQt6BundledFreetype.a", "libstdc++.a", "libpthread.a", "libmingwex.a"):
    if required not in qt | runtimes:
        missing.append(f"{required} (not even in the link: the test reads it wrong)")
sys.exit("no entry in the notices for: " + ", ".join(missing) if missing else None)
