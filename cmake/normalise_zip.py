"""Rewrites a zip so that it tells nothing of the machine, the account or the
hour it was made on: the members in the order of their names, each with the
time given (SOURCE_DATE_EPOCH) written in UTC, mode 0755 where the member is
executable and 0644 elsewhere, and no extra fields (the builder's uid and gid,
times in the builder's time zone).

    python3 normalise_zip.py ZIP [EPOCH]
"""
import os
import stat
import sys
import time
import zipfile


def main():
    zip_path = sys.argv[1]
    epoch = int(sys.argv[2]) if len(sys.argv) > 2 else int(time.time())
    # A DOS time stamp starts in 1980.
    date_time = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
    with zipfile.ZipFile(zip_path) as source:
        members = [(info, source.read(info)) for info in source.infolist()]
    members.sort(key=lambda member: member[0].filename)
    temporary = zip_path + ".part"
    with zipfile.ZipFile(temporary, "w") as target:
        for info, data in members:
            entry = zipfile.ZipInfo(info.filename, date_time)
            entry.create_system = 3  # Unix, so that unzip applies the modes
            if info.is_dir():
                entry.external_attr = (stat.S_IFDIR | 0o755) << 16 | 0x10
            else:
                executable = (info.external_attr >> 16) & 0o111
                entry.external_attr = (stat.S_IFREG | (0o755 if executable else 0o644)) << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            target.writestr(entry, data, compresslevel=9)
    os.replace(temporary, zip_path)


if __name__ == "__main__":
    main()
