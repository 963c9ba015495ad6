#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on its inputs.

    make_zip.py OUT.zip EPOCH_SECONDS NAME=PATH...

Entries are stored in the order given, dated EPOCH_SECONDS (UTC), with the
same attributes; a NAME ending in .txt gets CR LF line ends, so that Notepad
shows it right.
"""
import sys
import time
import zipfile


def main(argv):
    out, epoch, entries = argv[1], int(argv[2]), argv[3:]
    date = time.gmtime(max(epoch, 315532800))[:6]  # zip dates start in 1980
    with zipfile.ZipFile(out, "w") as archive:
        for entry in entries:
            name, path = entry.split("=", 1)
            data = open(path, "rb").read()
            if name.lower().endswith(".txt"):
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            info = zipfile.ZipInfo(name, date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS attributes
            info.external_attr = 0x20  # archive
            archive.writestr(info, data, compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
