#!/usr/bin/python3
"""Checks the compiled help file: every context number of the map resolves
through #IVB and #STRINGS to a topic stored in the file that names its
action, and the pages without a number find their topic by name.

    check_help.py KELVANE_CHM MAP_FILE

Topics are looked up by name: chmlib's listing of a file chmcmd made may
leave some out.
"""
import struct
import sys

import chm.chm as chm


def read(f, path):
    result, unit = f.ResolveObject(path.encode("ascii"))
    if result != 0:
        return None
    size, data = f.RetrieveObject(unit)
    return data if size else b""


def main():
    chm_path, map_file = sys.argv[1:3]
    f = chm.CHMFile()
    if not f.LoadCHM(chm_path.encode()):
        sys.exit("cannot open " + chm_path)
    ivb = read(f, "/#IVB")
    strings = read(f, "/#STRINGS")
    if ivb is None or strings is None:
        sys.exit("no context map in the file")
    (length,) = struct.unpack_from("<I", ivb, 0)
    contexts = {}
    for i in range(length // 8):
        number, offset = struct.unpack_from("<II", ivb, 4 + 8 * i)
        end = strings.index(b"\0", offset)
        contexts[number] = strings[offset:end].decode("ascii")

    failures = []
    checked = 0
    with open(map_file, encoding="ascii") as m:
        for line in m:
            number, action, context = line.rstrip("\n").split("\t")
            context = int(context)
            if context == 0:
                path = "/topics/%s.htm" % action
            elif context not in contexts:
                failures.append("%s: context %d is not in the map" % (action, context))
                continue
            else:
                path = contexts[context]
            topic = read(f, path)
            if topic is None:
                failures.append("%s: %s is not in the file" % (action, path))
            elif ("<h1>%s</h1>" % action).encode() not in topic:
                failures.append("%s: %s does not name the action" % (action, path))
            checked += 1
    if read(f, "/index.htm") is None:
        failures.append("no index.htm")
    for failure in failures:
        print(failure)
    print("%d topics checked, %d failures" % (checked, len(failures)))
    sys.exit(1 if failures or checked < 50 else 0)


if __name__ == "__main__":
    main()
