#!/usr/bin/env python3
"""Reads an exe's PE header and import table itself (with pefile), so the
checks hold whatever a disassembler's printed layout looks like.

  check_pe.py imports <exe> <allowed-list>...
      fails on any import no list allows (one a line, "DLL function"
      or "DLL #ordinal"; a "#" followed by a blank or the line's end starts a
      comment; the DLL's case does not matter), and on a subsystem version
      above Windows 7's 6.1, which the loader of Windows 7 would refuse.
  check_pe.py tsaware <exe>
      fails unless the header carries the terminal-server-aware flag.
  check_pe.py original-name <exe>
      fails unless the version resource's OriginalFilename is the exe's name.
"""
import os
import re
import sys

import pefile


def read_allowed(paths):
    allowed = set()
    for path in paths:
        with open(path, encoding="utf-8") as lines:
            for line in lines:
                words = re.sub(r"#(\s.*)?$", "", line.rstrip("\n")).split()
                if len(words) == 2:
                    allowed.add((words[0].lower(), words[1]))
    return allowed


def read_imports(exe):
    imports = set()
    for dll in getattr(exe, "DIRECTORY_ENTRY_IMPORT", []):
        name = dll.dll.decode("ascii").lower()
        for function in dll.imports:
            imports.add((name, function.name.decode("ascii") if function.name else f"#{function.ordinal}"))
    return imports


def check_imports(path, list_paths):
    exe = pefile.PE(path, fast_load=True)
    exe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    imports = read_imports(exe)
    if not imports:
        print(f"no imports read from {path}")
        return 1
    status = 0
    refused = sorted(imports - read_allowed(list_paths))
    if refused:
        print(f"{path} imports what {' '.join(list_paths)} do not allow (not in Windows 7 SP1, or not checked yet):")
        for dll, function in refused:
            print(f"  {dll} {function}")
        status = 1
    header = exe.OPTIONAL_HEADER
    version = (header.MajorSubsystemVersion, header.MinorSubsystemVersion)
    if version > (6, 1):
        print(f"{path} asks for subsystem version {version[0]}.{version[1]}; Windows 7 is 6.1")
        status = 1
    return status


def check_tsaware(path):
    if pefile.PE(path, fast_load=True).OPTIONAL_HEADER.IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE:
        return 0
    print(f"{path} lacks the terminal-server-aware flag")
    return 1


def check_original_name(path):
    exe = pefile.PE(path, fast_load=True)
    exe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    names = [table.entries.get(b"OriginalFilename") for info in getattr(exe, "FileInfo", [[]])[0]
             if hasattr(info, "StringTable") for table in info.StringTable]
    if names == [os.path.basename(path).encode()]:
        return 0
    print(f"{path} says its original file name is {names}")
    return 1


if __name__ == "__main__":
    match sys.argv[1:]:
        case ["imports", exe, *allowed] if allowed:
            sys.exit(check_imports(exe, allowed))
        case ["tsaware", exe]:
            sys.exit(check_tsaware(exe))
        case ["original-name", exe]:
            sys.exit(check_original_name(exe))
        case _:
            sys.exit(__doc__)
