#!/usr/bin/env python3
"""Compiles Kelvane.chm from the HTML sources with chmcmd.

    build_help.py MAP_FILE SOURCE_DIR STAGING_DIR OUTPUT_CHM

MAP_FILE holds the output of help_map: action number, action name and help
context number per line. Each topic is help/topics/<action>.htm.

chmcmd (Free Pascal 3.2) stores the project file's folder, as the path it
was given, in front of every [ALIAS] target. It is given the project as
"/proc/self/cwd/Kelvane.hhp" and runs in the staging folder, so a context
number resolves to "/proc/self/cwd/topics/X.htm" inside the file whatever
folder the build runs in. The topics are therefore also stored under that
path, and the numbers reach them.

The same sources give the same bytes (a release is built twice and
compared): the build folder is not stored, the binary index is off (chmcmd
makes its keyword map differ from run to run), and the two times chmcmd
writes, in the ITSF header and in entry 10 of #SYSTEM, are set afterwards
to the time of day of SOURCE_DATE_EPOCH (0 when it is not set).
"""
import os
import shutil
import struct
import subprocess
import sys

# Where the context numbers' targets lie inside the file (see above).
PROJECT_FOLDER = "/proc/self/cwd"


def encint(data, pos):
    """A directory entry's variable-length number: 7 bits a byte, high first."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def find_entry(data, name):
    """(section, file offset, length) of an entry of the PMGL directory."""
    directory = struct.unpack_from("<Q", data, 0x48)[0]  # header section 1
    content = struct.unpack_from("<Q", data, 0x58)[0]    # content section 0
    if data[directory:directory + 4] != b"ITSP":
        sys.exit("build_help: no ITSP directory")
    header, chunk_size = struct.unpack_from("<I4xI", data, directory + 8)
    chunks = struct.unpack_from("<I", data, directory + 0x2C)[0]
    for i in range(chunks):
        chunk = directory + header + i * chunk_size
        if data[chunk:chunk + 4] != b"PMGL":
            continue
        pos, end = chunk + 0x14, chunk + chunk_size - struct.unpack_from("<I", data, chunk + 4)[0]
        while pos < end:
            length, pos = encint(data, pos)
            entry = bytes(data[pos:pos + length])
            pos += length
            section, pos = encint(data, pos)
            offset, pos = encint(data, pos)
            size, pos = encint(data, pos)
            if entry == name:
                return section, content + offset, size
    sys.exit("build_help: no %s in the file" % name.decode())


def set_times(path, epoch):
    """Writes chmcmd's two times (milliseconds since midnight) from epoch."""
    stamp = (epoch % 86400) * 1000
    with open(path, "rb") as f:
        data = bytearray(f.read())
    struct.pack_into(">I", data, 0x10, stamp)  # ITSF header, big-endian
    section, offset, size = find_entry(data, b"/#SYSTEM")
    if section != 0:
        sys.exit("build_help: #SYSTEM is compressed")
    pos, end = offset + 4, offset + size  # after the version
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == 10 and length >= 4:
            struct.pack_into("<I", data, pos + 4, stamp)
            break
        pos += 4 + length
    else:
        sys.exit("build_help: no time in #SYSTEM")
    with open(path, "wb") as f:
        f.write(data)


def main():
    map_file, source, staging, output = sys.argv[1:5]
    entries = []
    with open(map_file, encoding="ascii") as f:
        for line in f:
            number, action, context = line.rstrip("\n").split("\t")
            entries.append((int(number), action, int(context)))

    staging = os.path.abspath(staging)
    if os.path.isdir(staging):
        shutil.rmtree(staging)
    os.makedirs(os.path.join(staging, "topics"))
    files = ["index.htm", "style.css"]
    for name in files:
        shutil.copy(os.path.join(source, name), os.path.join(staging, name))
    topics = sorted(os.listdir(os.path.join(source, "topics")))
    for topic in topics:
        shutil.copy(os.path.join(source, "topics", topic), os.path.join(staging, "topics", topic))
        files.append("topics/" + topic)

    # The copies the context numbers lead to (see above).
    mirror = PROJECT_FOLDER.lstrip("/")
    os.makedirs(os.path.join(staging, mirror, "topics"))
    shutil.copy(os.path.join(source, "style.css"), os.path.join(staging, mirror, "style.css"))
    files.append(mirror + "/style.css")
    aliases, defines = [], []
    for number, action, context in entries:
        topic = "topics/%s.htm" % action
        if not os.path.exists(os.path.join(staging, topic)):
            sys.exit("build_help: no topic for %s (%s)" % (action, topic))
        if context == 0:
            continue  # opened by its file name
        shutil.copy(os.path.join(staging, topic), os.path.join(staging, mirror, topic))
        files.append(mirror + "/" + topic)
        aliases.append("IDH_%d=%s" % (context, topic))
        defines.append("#define IDH_%d %d" % (context, context))

    project = os.path.join(staging, "Kelvane.hhp")
    with open(project, "w", encoding="ascii") as f:
        f.write("[OPTIONS]\nCompiled file=Kelvane.chm\nDefault topic=index.htm\n")
        f.write("Title=Kelvane\nLanguage=0x409 English (United States)\nBinary Index=No\n\n")
        f.write("[FILES]\n" + "\n".join(files) + "\n\n")
        f.write("[ALIAS]\n" + "\n".join(aliases) + "\n\n")
        f.write("[MAP]\n" + "\n".join(defines) + "\n")
    result = subprocess.run(["chmcmd", "--no-html-scan", PROJECT_FOLDER + "/Kelvane.hhp"],
                            cwd=staging, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True)
    built = os.path.join(staging, "Kelvane.chm")
    if result.returncode != 0 or not os.path.exists(built):
        sys.stdout.write(result.stdout)
        sys.exit("build_help: chmcmd failed")
    set_times(built, int(os.environ.get("SOURCE_DATE_EPOCH", "0")))
    shutil.copy(built, output)


if __name__ == "__main__":
    main()
