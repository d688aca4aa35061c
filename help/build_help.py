#!/usr/bin/env python3
"""Compiles Kelvane.chm from the HTML sources with chmcmd.

    build_help.py MAP_FILE SOURCE_DIR STAGING_DIR OUTPUT_CHM

MAP_FILE holds the output of help_map: action number, action name and help
context number per line. Each topic is help/topics/<action>.htm.

chmcmd (Free Pascal 3.2) stores the project folder's absolute path in front
of every [ALIAS] target, so a context number resolves to
"<staging>/topics/X.htm" inside the file. The topics are therefore also
stored under that path, and the numbers reach them.
"""
import os
import shutil
import subprocess
import sys


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
    mirror = staging.lstrip("/")
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
        f.write("Title=Kelvane\nLanguage=0x409 English (United States)\n\n")
        f.write("[FILES]\n" + "\n".join(files) + "\n\n")
        f.write("[ALIAS]\n" + "\n".join(aliases) + "\n\n")
        f.write("[MAP]\n" + "\n".join(defines) + "\n")
    result = subprocess.run(["chmcmd", "--no-html-scan", "Kelvane.hhp"], cwd=staging,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    built = os.path.join(staging, "Kelvane.chm")
    if result.returncode != 0 or not os.path.exists(built):
        sys.stdout.write(result.stdout)
        sys.exit("build_help: chmcmd failed")
    shutil.copy(built, output)


if __name__ == "__main__":
    main()
