"""Reads the version record back from the built exe: what Explorer's Properties, Details show.
Usage: version_record_test.py path/to/tramela.exe"""
import sys

import pefile

EXPECTED = {
    "ProductName": "tramela",
    "InternalName": "Tramela",
    "OriginalFilename": "Tramela.exe",
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
}

exe = pefile.PE(sys.argv[1], fast_load=True)
exe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
found = {}
for info in getattr(exe, "FileInfo", [[]])[0]:
    for table in getattr(info, "StringTable", []):
        found.update({k.decode(): v.decode() for k, v in table.entries.items()})
wrong = [f"{name}: {found.get(name)!r}, not {value!r}"
         for name, value in EXPECTED.items() if found.get(name) != value]
print("\n".join(wrong) or "version record as expected")
sys.exit(1 if wrong else 0)
