"""Rewrites a package that CPack has made so that it tells nothing of the
machine, the account or the hour it was made on.

A zip: the members in the order of their names, each with the time given
(SOURCE_DATE_EPOCH) written in UTC, mode 0755 where the member is executable
and 0644 elsewhere, and no extra fields (the builder's uid and gid, times in
the builder's time zone).

A Debian package: its ar members (debian-binary and the two tarballs) get
mode 0644 and owner root, as dpkg-deb writes them, instead of what the
builder's umask gave the files they were made from.

    python3 normalise_package.py PACKAGE [EPOCH]
"""
import os
import stat
import sys
import time
import zipfile


def normalise_zip(zip_path, epoch):
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


def normalise_deb(deb_path):
    with open(deb_path, "rb") as deb:
        data = bytearray(deb.read())
    if not data.startswith(b"!<arch>\n"):
        sys.exit(f"{deb_path} is no ar archive")
    offset = 8
    while offset + 60 <= len(data):
        size = int(data[offset + 48:offset + 58])
        # Owner and group id, then mode, in the fixed-width header.
        data[offset + 28:offset + 48] = b"0     0     100644  "
        offset += 60 + size + size % 2
    temporary = deb_path + ".part"
    with open(temporary, "wb") as deb:
        deb.write(data)
    os.replace(temporary, deb_path)


def main():
    path = sys.argv[1]
    if path.endswith(".zip"):
        normalise_zip(path, int(sys.argv[2]) if len(sys.argv) > 2 else int(time.time()))
    elif path.endswith(".deb"):
        normalise_deb(path)
    else:
        sys.exit(f"{path}: neither a zip nor a Debian package")


if __name__ == "__main__":
    main()
