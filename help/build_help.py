#!/usr/bin/env python3
"""Publishes the help: compiles Kelvane.chm with chmcmd and writes the same
pages as a plain HTML site.

    build_help.py --map MAP --contents CONTENTS --source DIR --staging DIR
                  --chm OUTPUT_CHM --site SITE_DIR

MAP holds the output of help_map (action number, name and help context
number per line); CONTENTS the output of help_map --contents (the catalogue's
categories and actions in the host's order). The sources are help/index.htm
(the contents page; the tree goes where it says <!--contents-->),
help/style.css, help/overview/*.htm, help/topics/<action>.htm and
help/pictures/*.png. The published pages leave out the examples' check and
shown-only comments.

The compiled file holds a contents tree (Kelvane.hhc: the overview topics,
then one book per category), an index (Kelvane.hhk: every topic's keywords)
and full-text search. Its text index is left as text (no binary index: that
would make two builds of the same sources differ).

chmcmd (Free Pascal 3.2) stores the project file's folder, as the path it
was given, in front of every [ALIAS] target. It is given the project as
"/proc/self/cwd/Kelvane.hhp" and runs in the staging folder, so a context
number resolves to "/proc/self/cwd/topics/X.htm" inside the file whatever
folder the build runs in. Those topics are therefore also stored under that
path. The Help button of a page without a number opens
"Kelvane.chm::/<action>.htm", so those topics are also stored at the root.
Every such copy has its links rewritten to lead where the topic's own links
lead, so each link inside the file resolves from every copy.

The same sources give the same bytes (a release is built twice and
compared): the build folder is not stored, the binary index is off (chmcmd
makes its keyword map differ from run to run), and the two times chmcmd
writes, in the ITSF header and in entry 10 of #SYSTEM, are set afterwards
to the time of day of SOURCE_DATE_EPOCH (0 when it is not set).
"""
import argparse
import html
import os
import posixpath
import re
import shutil
import struct
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import help_pages  # noqa: E402

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

# The categories as the contents shows them, by the name the host lists
# (without its trailing blanks), in the catalogue's order.
CATEGORY_TITLES = {
    "Mouse and keyboard": "Mouse and keyboard",
    "Taskbar": "Taskbar",
    "Screen Saver": "Screen saver",
    "Dialogs and messages": "Dialogs and messages",
    "Windows": "Windows",
    "Windows NeoBook": "The publication's windows",
    "The main window": "The main window",
    "Files Folders": "Files and folders",
    "line": "Strings",
    "Clipboard": "Clipboard",
    "Разное": "Hashes",
    "Experimentally!": "File search and folders (experimental)",
}

# The overview topics, in the order the contents lists them; any other
# overview topic follows them by file name.
OVERVIEW_ORDER = [
    "installing.htm",
    "getting-started.htm",
    "categories.htm",
    "variables.htm",
    "colour-texts.htm",
    "font-texts.htm",
    "file-masks.htm",
    "error-texts.htm",
    "events.htm",
]

KEYWORDS_PAGE = "keywords.htm"
_LINK_ATTR = re.compile(r"""\b(href|src)="([^"]*)\"""")


def category_title(name):
    key = name.strip()
    if key not in CATEGORY_TITLES:
        sys.exit("build_help: no English name for the category %r (CATEGORY_TITLES)" % key)
    return CATEGORY_TITLES[key]


def contents_tree(source, catalogue):
    """[(title, local or None, [children])]: overview topics, then categories."""
    tree = []
    folder = os.path.join(source, "overview")
    names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    names = [n for n in names if n.endswith(".htm")]
    ordered = [n for n in OVERVIEW_ORDER if n in names] + \
        [n for n in names if n not in OVERVIEW_ORDER]
    for name in ordered:
        topic = help_pages.Topic(source, "overview/" + name)
        tree.append((topic.title, "overview/" + name, []))
    for name, actions in catalogue:
        children = [(action, "topics/%s.htm" % action, []) for _, action in actions]
        tree.append((category_title(name), None, children))
    return tree


def index_entries(topics):
    """[(keyword, [(title, local)])], sorted as the index lists them. Each
    action topic is also listed under its own name."""
    entries = {}
    order = []
    for topic in topics:
        words = list(topic.keywords)
        if topic.relative.startswith("topics/") and topic.heading and topic.heading not in words:
            words.insert(0, topic.heading)
        for word in words:
            key = word.casefold()
            if key not in entries:
                entries[key] = (word, [])
                order.append(key)
            targets = entries[key][1]
            if all(local != topic.relative for _, local in targets):
                targets.append((topic.title, topic.relative))

    def sort_key(key):
        word = entries[key][0]
        return (word.lstrip("[\"'(.").casefold(), word)

    return [entries[k] for k in sorted(order, key=sort_key)]


def sitemap_text(value):
    """A text for a sitemap's param value: ASCII, entities for the rest."""
    escaped = html.escape(value, quote=True)
    return escaped.encode("ascii", "xmlcharrefreplace").decode("ascii")


def write_hhc(path, tree):
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML>", "<HEAD></HEAD>", "<BODY>",
           '<OBJECT type="text/site properties">',
           '<param name="Window Styles" value="0x800025">', "</OBJECT>"]

    def items(nodes):
        out.append("<UL>")
        for title, local, children in nodes:
            out.append('<LI><OBJECT type="text/sitemap">')
            out.append('<param name="Name" value="%s">' % sitemap_text(title))
            if local:
                out.append('<param name="Local" value="%s">' % local)
            out.append("</OBJECT>")
            if children:
                items(children)
        out.append("</UL>")

    items(tree)
    out += ["</BODY>", "</HTML>"]
    with open(path, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def write_hhk(path, entries):
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML>", "<HEAD></HEAD>", "<BODY>",
           '<OBJECT type="text/site properties"></OBJECT>', "<UL>"]
    for word, targets in entries:
        params = ['<param name="Name" value="%s">' % sitemap_text(word)]
        if len(targets) == 1:
            params.append('<param name="Local" value="%s">' % targets[0][1])
        else:
            for title, local in targets:
                params.append('<param name="Name" value="%s">' % sitemap_text(title))
                params.append('<param name="Local" value="%s">' % local)
        out.append('<LI><OBJECT type="text/sitemap">' + "".join(params) + "</OBJECT>")
    out += ["</UL>", "</BODY>", "</HTML>"]
    with open(path, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def text(plain):
    """A plain text as HTML text."""
    return html.escape(plain, quote=False)


def html_tree(tree, summaries):
    """The contents tree as nested lists, for the contents page."""
    out = ['<ul class="contents">']
    for title, local, children in tree:
        if local:
            line = '<li><a href="%s">%s</a>' % (local, text(title))
            if summaries.get(local):
                line += " - " + text(summaries[local])
            out.append(line + "</li>")
        else:
            out.append('<li class="category">%s' % text(title))
            out.append("<ul>")
            for child_title, child_local, _ in children:
                line = '<li><a href="%s">%s</a>' % (child_local, text(child_title))
                if summaries.get(child_local):
                    line += " - " + text(summaries[child_local])
                out.append(line + "</li>")
            out.append("</ul></li>")
    out.append("</ul>")
    return "\n".join(out)


def keywords_page(entries):
    out = ["<!DOCTYPE html>", "<html>", "<head>",
           '<meta http-equiv="Content-Type" content="text/html; charset=utf-8">',
           "<title>Index</title>", '<link rel="stylesheet" href="style.css">', "</head>",
           "<body>", "<h1>Index</h1>", '<dl class="keywords">']
    for word, targets in entries:
        out.append("<dt>%s</dt>" % text(word))
        out.append("<dd>%s</dd>" % ", ".join(
            '<a href="%s">%s</a>' % (local, text(title)) for title, local in targets))
    out += ["</dl>", '<p class="nav"><a href="index.htm">Contents</a></p>', "</body>", "</html>"]
    return "\n".join(out) + "\n"


def relocate(text, canonical, stored):
    """The page `canonical` (a path inside the help) as stored at `stored`:
    each relative link rewritten to reach the same file from there."""
    here = posixpath.dirname(canonical)
    there = posixpath.dirname(stored)

    def rewrite(m):
        attribute, value = m.group(1), m.group(2)
        if not help_pages.is_local(value):
            return m.group(0)
        path, hash_, fragment = value.partition("#")
        if not path:
            return m.group(0)
        target = posixpath.normpath(posixpath.join(here, path))
        moved = posixpath.relpath(target, there or ".")
        return '%s="%s%s%s"' % (attribute, moved, hash_, fragment)

    return _LINK_ATTR.sub(rewrite, text)


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def publish(source, folder, pages, tree, entries):
    """Writes the pages, the contents page, the keyword page, the style sheet
    and the pictures into `folder`; returns their relative paths."""
    if os.path.isdir(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)
    files = []
    summaries = {t.relative: t.summary for t in pages}
    with open(os.path.join(source, "index.htm"), encoding="utf-8") as f:
        index = f.read()
    if "<!--contents-->" not in index:
        sys.exit("build_help: index.htm has no <!--contents--> mark")
    write_text(os.path.join(folder, "index.htm"),
               index.replace("<!--contents-->", html_tree(tree, summaries)))
    write_text(os.path.join(folder, KEYWORDS_PAGE), keywords_page(entries))
    files += ["index.htm", KEYWORDS_PAGE]
    for topic in pages:
        write_text(os.path.join(folder, topic.relative), topic.published())
        files.append(topic.relative)
    shutil.copy(os.path.join(source, "style.css"), os.path.join(folder, "style.css"))
    files.append("style.css")
    pictures = os.path.join(source, "pictures")
    if os.path.isdir(pictures):
        os.makedirs(os.path.join(folder, "pictures"))
        for name in sorted(os.listdir(pictures)):
            if name.endswith(".png"):
                shutil.copy(os.path.join(pictures, name), os.path.join(folder, "pictures", name))
                files.append("pictures/" + name)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    for option in ("--map", "--contents", "--source", "--staging", "--chm", "--site"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    entries_map = help_pages.read_map(args.map)
    catalogue = help_pages.read_contents(args.contents)
    source = args.source
    pages = [help_pages.Topic(source, r) for r in help_pages.source_topics(source)]
    by_path = {t.relative: t for t in pages}
    for _, actions in catalogue:
        for _, action in actions:
            if "topics/%s.htm" % action not in by_path:
                sys.exit("build_help: no topic for %s (topics/%s.htm)" % (action, action))
    tree = contents_tree(source, catalogue)
    entries = index_entries(pages)

    # The plain site.
    publish(source, os.path.abspath(args.site), pages, tree, entries)

    # The compiled file: the same pages, the copies the Help buttons reach,
    # the contents and the index.
    staging = os.path.abspath(args.staging)
    files = publish(source, staging, pages, tree, entries)
    mirror = PROJECT_FOLDER.lstrip("/")
    aliases, defines = [], []
    for _, action, context in entries_map:
        topic = "topics/%s.htm" % action
        if topic not in by_path:
            sys.exit("build_help: no topic for %s (%s)" % (action, topic))
        with open(os.path.join(staging, topic), encoding="utf-8") as f:
            text = f.read()
        stored = "%s.htm" % action if context == 0 else mirror + "/" + topic
        write_text(os.path.join(staging, stored), relocate(text, topic, stored))
        files.append(stored)
        if context != 0:
            aliases.append("IDH_%d=%s" % (context, topic))
            defines.append("#define IDH_%d %d" % (context, context))
    write_hhc(os.path.join(staging, "Kelvane.hhc"), tree)
    write_hhk(os.path.join(staging, "Kelvane.hhk"), entries)

    project = os.path.join(staging, "Kelvane.hhp")
    with open(project, "w", encoding="ascii") as f:
        f.write("[OPTIONS]\nCompiled file=Kelvane.chm\nContents file=Kelvane.hhc\n")
        f.write("Index file=Kelvane.hhk\nDefault topic=index.htm\nTitle=Kelvane\n")
        f.write("Language=0x409 English (United States)\nFull-text search=Yes\n")
        f.write("Binary Index=No\nBinary TOC=No\n\n")
        f.write("[FILES]\n" + "\n".join(files) + "\n\n")
        f.write("[ALIAS]\n" + "\n".join(aliases) + "\n\n")
        f.write("[MAP]\n" + "\n".join(defines) + "\n")
    result = subprocess.run(["chmcmd", "--no-html-scan", PROJECT_FOLDER + "/Kelvane.hhp"],
                            cwd=staging, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True)
    built = os.path.join(staging, "Kelvane.chm")
    if result.returncode != 0 or not os.path.exists(built) or "rror" in result.stdout:
        sys.stdout.write(result.stdout)
        sys.exit("build_help: chmcmd failed")
    set_times(built, int(os.environ.get("SOURCE_DATE_EPOCH", "0")))
    shutil.copy(built, args.chm)


if __name__ == "__main__":
    main()
