#!/usr/bin/env python3
"""Writes a zip of the paths read from standard input (one a line, folders too), in that
order, with the files' own times: zipfolder.py <out.zip>. Python's own zip writer, so
that no zip program is needed."""
import os
import sys
import time
import zipfile


def main():
    with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for line in sys.stdin:
            path = line.rstrip("\n")
            if not path:
                continue
            info = zipfile.ZipInfo.from_file(path)
            info.date_time = time.gmtime(os.stat(path).st_mtime)[:6]
            if os.path.isdir(path):
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
