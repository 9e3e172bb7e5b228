#!/usr/bin/python3
"""Writes the notices of everything that the link of tramela.exe put into it, from the records
of each part, and fails where a part linked in has no record.

- Qt (qtbase) and the code it carries: Debian's qt6-base source package (the files
  scripts/qt-source.sh fetches): Qt's own copyright from debian/copyright, its licence from
  LICENSES/, and each qt_attribution.json whose files went into the exe.
- The MinGW-w64 and GCC runtimes, and any other file from a Debian package (Qt's Italian
  texts): the package's /usr/share/doc/<package>/copyright, as Debian ships it.

What went in is read from the linker's map: the archive members it took, the objects it loaded.
A qt_attribution.json entry counts when one of its files (its "Files", else every file in its
folder) was compiled into a loaded object, or is named by the source of one (a header it
includes, a picture its resource list holds).

Usage: windows-notices.py MAP QT_PREFIX QT_SOURCE_DIR OUTPUT [EMBEDDED_FILE...]
  MAP            the linker's map (-Wl,-Map) of tramela.exe
  QT_PREFIX      the static Qt that was linked
  QT_SOURCE_DIR  the folder holding qt6-base's .dsc and tarballs
  EMBEDDED_FILE  files built into the exe as resources (qtbase_it.qm)
"""
import glob
import json
import os
import re
import subprocess
import sys
import tarfile
from collections import Counter, defaultdict

RULE = "=" * 78
SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".mm", ".S")
CODE_SUFFIXES = SOURCE_SUFFIXES + (".h", ".hh", ".hpp", ".inc", ".macros")
LIBRARY_ELSE = re.compile(r"^src/tools/|/doc/")
LICENCE_NAME = re.compile(r"(LICEN[CS]E|COPYING)", re.I)
# The licence Qt is used under here, one of the choices Qt offers.
QT_LICENCE = "LICENSES/LGPL-3.0-only.txt"


def linked_inputs(map_path):
    """{input file: set of member names} for the archives and objects from outside the build
    folder that the link loaded."""
    inputs = defaultdict(set)
    with open(map_path, errors="replace") as lines:
        for line in lines:
            if line.startswith("Archive member included"):
                break
        for line in lines:
            if line.startswith(("Discarded input sections", "Memory Configuration")):
                break
            # The program's own libraries are named relative to the build folder.
            found = re.match(r"^(/\S*\.a)\((.+)\)$", line.rstrip("\n"))
            if found:
                inputs[os.path.realpath(found[1])].add(found[2])
        for line in lines:
            found = re.match(r"^LOAD (.+\.(o|obj|res))$", line.rstrip("\n"))
            if found and os.path.isabs(found[1]):
                path = os.path.realpath(found[1])
                inputs[path].add(os.path.basename(path))
    return inputs


def debian_package(path):
    result = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True)
    if result.returncode != 0:
        return None
    return result.stdout.split(":")[0].split(",")[0].strip()


def read_qt_source(source_dir, loaded_stems):
    """The attribution records, licence files, file list and loaded sources of qtbase."""
    (orig,) = glob.glob(os.path.join(source_dir, "qt6-base_*.orig.tar.xz"))
    (debian,) = glob.glob(os.path.join(source_dir, "qt6-base_*.debian.tar.xz"))
    names, kept = [], {}
    with tarfile.open(orig, "r:xz") as tar:
        for member in tar:
            if not member.isfile():
                continue
            name = member.name.split("/", 1)[1]
            names.append(name)
            base = os.path.basename(name)
            # The libraries' sources are under src/, beside the host tools and the snippets of
            # the documentation (the rest: tests, examples).
            library = name.startswith("src/") and not LIBRARY_ELSE.search(name)
            wanted = (base == "qt_attribution.json" or LICENCE_NAME.search(base)
                      or name.startswith("LICENSES/")
                      or (library and (base == "CMakeLists.txt" or base.endswith(".qrc")
                                       or base in loaded_stems)))
            if wanted:
                kept[name] = tar.extractfile(member).read().decode("utf-8", "replace")
    with tarfile.open(debian, "r:xz") as tar:
        kept["debian/copyright"] = tar.extractfile("debian/copyright").read().decode()
    return names, kept


def ancestors(path):
    parts = path.split("/")[:-1]
    return ["/".join(parts[:i]) for i in range(1, len(parts) + 1)]


def qt_copyright(debian_copyright):
    """The Copyright lines of debian/copyright's "Files: *" paragraph."""
    paragraph = next(p for p in debian_copyright.split("\n\n") if p.startswith("Files: *\n"))
    found = re.search(r"^Copyright:(.*(?:\n[ \t].*)*)", paragraph, re.M)
    return "\n".join("Copyright " + line.strip() for line in found[1].splitlines())


def attribution_entries(names, kept, loaded_stems):
    """(folder, entry) of each qt_attribution.json entry whose files went into the exe."""
    def tokens(texts):
        return set(re.findall(r"[\w.+-]+", "\n".join(texts)))

    # What the loaded objects' sources name: headers and sources they include.
    code_named = tokens(text for name, text in kept.items()
                        if os.path.basename(name) in loaded_stems)
    # A loaded resource object qrc_X.cpp.obj: its list X.qrc, or the CMakeLists.txt naming X,
    # names the data files built in.
    resources = {stem[4:-4] for stem in loaded_stems if stem.startswith("qrc_")}
    loaded_folders = {folder for name in kept if os.path.basename(name) in loaded_stems
                      for folder in ancestors(name)}
    data_named = code_named | tokens(
        text for name, text in kept.items()
        if (name.endswith(".qrc") and os.path.basename(name)[:-4] in resources)
        or (name.endswith("CMakeLists.txt") and os.path.dirname(name) in loaded_folders
            and any(f'"{r}"' in text for r in resources)))

    def used(path):
        base = os.path.basename(path)
        stem, suffix = os.path.splitext(base)
        if base in loaded_stems:
            return True
        if suffix in CODE_SUFFIXES:
            return base in code_named
        if suffix in ("", ".txt", ".json", ".md", ".qdoc") or LICENCE_NAME.search(base):
            return False
        # Data: built in as a resource, or turned into a source that is included.
        return base in data_named or f"{stem}.cpp" in code_named

    for record in sorted(n for n in kept if n.endswith("qt_attribution.json")):
        if record.startswith("tests/"):
            continue
        folder = os.path.dirname(record)
        entries = json.loads(kept[record], strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            files = entry.get("Files")
            if isinstance(files, str):
                files = re.split(r"[\s,]+", files.strip())
            if files:
                paths = [os.path.join(folder, f) for f in files]
            else:
                paths = [n for n in names if n.startswith(folder + "/")]
            if any(used(p) for p in paths):
                yield folder, entry


def licence_texts(folder, entry, kept):
    texts = []
    for licence_file in (entry.get("LicenseFiles") or [entry.get("LicenseFile")]):
        if licence_file:
            path = os.path.normpath(os.path.join(folder, licence_file))
            texts.append(kept[path])
    return texts


def section(title, linked, copyright_lines, licence, texts):
    lines = [RULE, title, RULE]
    if linked:
        lines.append("Linked into tramela.exe from: " + ", ".join(sorted(linked)))
    lines.append("")
    if copyright_lines.strip():
        lines += [copyright_lines.strip(), ""]
    if licence:
        lines += ["License: " + licence, ""]
    for text in texts:
        lines += [text.rstrip(), ""]
    return "\n".join(lines) + "\n"


def main():
    map_path, qt_prefix, source_dir, output, *embedded = sys.argv[1:]
    qt_prefix = os.path.realpath(qt_prefix)
    inputs = linked_inputs(map_path)
    qt_inputs = {p: m for p, m in inputs.items() if p.startswith(qt_prefix + os.sep)}
    # Members are named after their sources: qlocale.cpp.obj from qlocale.cpp.
    loaded_stems = {re.sub(r"\.(obj|o)$", "", m) for ms in qt_inputs.values() for m in ms}
    names, kept = read_qt_source(source_dir, loaded_stems)

    # Each Qt archive goes to the 3rdparty folder holding the sources of its members, or to
    # Qt itself.
    member_folders = defaultdict(set)
    for name in names:
        parts = name.split("/")
        if len(parts) > 2 and parts[:2] == ["src", "3rdparty"]:
            member_folders[parts[-1]].add("/".join(parts[:3]))
    archive_folder = {}
    for path, members in qt_inputs.items():
        folders = Counter(f for m in members
                          for f in member_folders[re.sub(r"\.(obj|o)$", "", m)])
        bundled = os.path.basename(path).startswith("libQt6Bundled")
        # A bundled library with no source in a 3rdparty folder stays unrecorded.
        archive_folder[os.path.basename(path)] = (
            (folders.most_common(1)[0][0] if folders else "?") if bundled else None)

    qt_version = re.search(r"qt6-base_([\d.]+)", glob.glob(f"{source_dir}/*.orig.tar.xz")[0])[1]
    sections = [section(
        f"Qt {qt_version} (qtbase), from Debian's qt6-base source package",
        [a for a, f in archive_folder.items() if f is None],
        qt_copyright(kept["debian/copyright"]), "LGPL-3.0-only", [kept[QT_LICENCE]])]
    folders_written = set()
    for folder, entry in attribution_entries(names, kept, loaded_stems):
        linked = [a for a, f in archive_folder.items() if f == folder]
        if linked:
            folders_written.add(folder)
        title = f"{entry.get('Name', entry.get('Id'))} {entry.get('Version', '')}".strip()
        usage = entry.get("QtUsage", "").strip()
        sections.append(section(f"{title} (in Qt: {folder})", linked,
                                (usage + "\n\n" if usage else "") + entry.get("Copyright", ""),
                                entry.get("License", entry.get("LicenseId", "")),
                                licence_texts(folder, entry, kept)))
    unrecorded = [a for a, f in archive_folder.items() if f is not None and f not in folders_written]

    # Everything else comes from Debian's packages: one section per copyright file.
    by_copyright = defaultdict(lambda: (set(), set()))
    for path in [p for p in inputs if p not in qt_inputs] + [os.path.realpath(e) for e in embedded]:
        package = debian_package(path)
        if package is None:
            unrecorded.append(path)
            continue
        copyright_file = os.path.realpath(f"/usr/share/doc/{package}/copyright")
        by_copyright[copyright_file][0].add(package)
        by_copyright[copyright_file][1].add(os.path.basename(path))
    for copyright_file, (packages, files) in sorted(by_copyright.items()):
        with open(copyright_file) as text:
            sections.append(section(
                "Debian package " + ", ".join(sorted(packages)) + f" ({copyright_file})",
                files, "", "", [text.read()]))

    if unrecorded:
        sys.exit("windows-notices.py: no record of " + ", ".join(sorted(unrecorded)))
    with open(output, "w") as out:
        out.write("Tramela for Windows: the notices of the third-party software in tramela.exe\n\n")
        out.write("\n".join(sections))


if __name__ == "__main__":
    main()
