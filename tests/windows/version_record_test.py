"""The version record read back from the built exe, as Explorer's Properties, Details show it.
Usage: version_record_test.py path/to/tramela.exe 1.00"""
import sys

import pefile

EXPECTED = {"ProductName": "tramela", "InternalName": "Tramela", "OriginalFilename": "Tramela.exe",
            "FileVersion": sys.argv[2], "ProductVersion": sys.argv[2]}
exe = pefile.PE(sys.argv[1], fast_load=True)
exe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
found = {k.decode(): v.decode() for info in getattr(exe, "FileInfo", [[]])[0]
         for table in getattr(info, "StringTable", []) for k, v in table.entries.items()}
wrong = [f"{k}: {found.get(k)!r}, not {v!r}" for k, v in EXPECTED.items() if found.get(k) != v]
sys.exit("\n".join(wrong) or None)
