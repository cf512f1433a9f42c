#!/usr/bin/env python3
"""Writes resources/lang/<code>.ini from the UTF-8 translations beside this script.

The program reads a language file as 8-bit text in the system ANSI code page, one
entry per line, so each file is written in the code page of the systems that pick it
and with Windows line ends. Run it after editing a translation and check in both.
"""

import pathlib
import sys

ENTRY_COUNT = 114
RESERVED = {11, 12, 33}
# Code page of the Windows systems whose default language selects the file.
CODE_PAGES = {"de": "cp1252", "fr": "cp1252", "cn": "gbk", "ct": "cp950"}

HERE = pathlib.Path(__file__).resolve().parent
TARGET = HERE.parent / "lang"


def read_entries(code):
    source = HERE / f"{code}.txt"
    entries = source.read_text(encoding="utf-8").split("\n")
    if entries and entries[-1] == "":
        entries.pop()
    if len(entries) != ENTRY_COUNT:
        raise SystemExit(f"{source}: {len(entries)} lines, expected {ENTRY_COUNT}")
    for index, entry in enumerate(entries):
        if (entry == "") != (index in RESERVED):
            state = "empty" if entry == "" else "not empty"
            raise SystemExit(f"{source}: line {index + 1} (entry {index}) is {state}")
        if entry != entry.strip() or "\r" in entry:
            raise SystemExit(f"{source}: line {index + 1} has stray blanks")
    return entries


def main():
    TARGET.mkdir(exist_ok=True)
    for code, code_page in CODE_PAGES.items():
        text = "".join(entry + "\r\n" for entry in read_entries(code))
        # A character the code page lacks must fail here, not turn into "?" on screen.
        (TARGET / f"{code}.ini").write_bytes(text.encode(code_page, errors="strict"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
