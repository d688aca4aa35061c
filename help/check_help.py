#!/usr/bin/python3
"""Checks the published help: the compiled file, read back with chmlib, and
the plain site.

    check_help.py --chm KELVANE_CHM --map MAP --contents CONTENTS
                  --source HELP_DIR --site SITE_DIR

- every context number of the map resolves through #IVB and #STRINGS to a
  stored topic that names its action; a page without a number finds its
  topic at "/<action>.htm", where its Help button looks;
- every action is in the contents tree and in the index, under its name;
- full-text search finds every action's topic by the action's name;
- every link of every page stored in the file (every copy), of the contents
  and of the index resolves to a stored file, and every link of the site to
  a file of the site; the site's pages are the file's pages;
- the topics in the fixed format have its sections in order, their
  examples are well marked, and every action with a properties page has its
  picture in help/pictures/ (and the topics in the format show it);
- the categories topic links every action.

Topics are looked up by name: chmlib's listing of a file chmcmd made may
leave some out, so the pages expected are read by name as well.
"""
import argparse
import html
import os
import posixpath
import re
import struct
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import help_pages  # noqa: E402

import chm.chm as chm  # noqa: E402
import chm.chmlib as chmlib  # noqa: E402

# While the action topics are being rewritten, the section and picture
# checks hold for the topics already in the format (those with a Syntax
# section). True: every action topic must be in it.
ALL_TOPICS_IN_FORMAT = True

_PARAM = re.compile(r"""<param\s+name="(\w+)"\s+value="([^"]*)"\s*/?>""", re.I)
_OBJECT = re.compile(r"<OBJECT\b[^>]*>(.*?)</OBJECT>", re.S | re.I)


class ChmFile:
    def __init__(self, path):
        self.file = chm.CHMFile()
        if not self.file.LoadCHM(path.encode()):
            sys.exit("cannot open " + path)
        self.names = set()

        def collect(_, ui, __):
            self.names.add(ui.path.decode("utf-8", "replace"))
            return chmlib.CHM_ENUMERATOR_CONTINUE

        chmlib.chm_enumerate(self.file.file, chmlib.CHM_ENUMERATE_ALL, collect, None)

    def read(self, path):
        result, unit = self.file.ResolveObject(path.encode("utf-8"))
        if result != 0:
            return None
        size, data = self.file.RetrieveObject(unit)
        return data if size else b""

    def has(self, path):
        return path in self.names or self.read(path) is not None

    def search(self, word):
        found = self.file.Search(word.encode())
        if not found or not found[0]:
            return {}
        return {k.decode("utf-8", "replace"): v.decode("utf-8", "replace")
                for k, v in found[1].items()}


def sitemap(text):
    """The items of a .hhc or .hhk: a list of [(param, value), ...]."""
    return [[(n.lower(), html.unescape(v)) for n, v in _PARAM.findall(body)]
            for body in _OBJECT.findall(text)]


def resolve(page, link):
    """The stored path a link of `page` (a path inside the file) leads to."""
    path = link.partition("#")[0]
    return posixpath.normpath(posixpath.join(posixpath.dirname(page), path))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    for option in ("--chm", "--map", "--contents", "--source", "--site"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    failures = []
    fail = failures.append
    f = ChmFile(args.chm)
    entries = help_pages.read_map(args.map)
    catalogue = help_pages.read_contents(args.contents)
    actions = [a for _, acts in catalogue for _, a in acts]
    source = args.source
    topics = {r: help_pages.Topic(source, r) for r in help_pages.source_topics(source)}

    # The Help buttons' topics.
    ivb = f.read("/#IVB")
    strings = f.read("/#STRINGS")
    if ivb is None or strings is None:
        sys.exit("no context map in the file")
    (length,) = struct.unpack_from("<I", ivb, 0)
    contexts = {}
    for i in range(length // 8):
        number, offset = struct.unpack_from("<II", ivb, 4 + 8 * i)
        end = strings.index(b"\0", offset)
        contexts[number] = strings[offset:end].decode("ascii")
    stored_pages = {"/index.htm", "/keywords.htm"}
    for relative in topics:
        stored_pages.add("/" + relative)
    for _, action, context in entries:
        if context == 0:
            path = "/%s.htm" % action
        elif context not in contexts:
            fail("%s: context %d is not in the map" % (action, context))
            continue
        else:
            path = contexts[context]
            path = path if path.startswith("/") else "/" + path
        stored_pages.add(path)
        topic = f.read(path)
        if topic is None:
            fail("%s: %s is not in the file" % (action, path))
        elif ("<h1>%s</h1>" % action).encode() not in topic:
            fail("%s: %s does not name the action" % (action, path))
    stored_pages |= {n for n in f.names if n.endswith(".htm")}

    # Every link of every stored page.
    links_checked = 0
    for page in sorted(stored_pages):
        data = f.read(page)
        if data is None:
            fail("%s is not in the file" % page)
            continue
        text = data.decode("utf-8")
        if "<!--check" in text or "<!--shown-only" in text:
            fail("%s: the examples' comments were published" % page)
        for tag, attribute, value in help_pages.links(text):
            if not help_pages.is_local(value) or not value.partition("#")[0]:
                continue
            links_checked += 1
            target = resolve(page, value)
            if not f.has(target):
                fail('%s: <%s %s="%s"> leads nowhere (%s)' % (page, tag, attribute, value, target))

    # The contents and the index.
    hhc = f.read("/Kelvane.hhc")
    hhk = f.read("/Kelvane.hhk")
    if hhc is None or hhk is None:
        sys.exit("no contents or index in the file")
    in_contents = set()
    for item in sitemap(hhc.decode("ascii")):
        for name, value in item:
            if name == "local":
                links_checked += 1
                in_contents.add(value)
                if not f.has(resolve("/", value)):
                    fail("Kelvane.hhc: %s leads nowhere" % value)
    in_index = {}
    for item in sitemap(hhk.decode("ascii")):
        keyword = item[0][1] if item else ""
        for name, value in item:
            if name == "local":
                links_checked += 1
                in_index.setdefault(keyword, set()).add(value)
                if not f.has(resolve("/", value)):
                    fail("Kelvane.hhk: %s leads nowhere" % value)
    for action in actions:
        local = "topics/%s.htm" % action
        if local not in in_contents:
            fail("%s is not in the contents" % action)
        if local not in in_index.get(action, set()):
            fail("%s is not in the index under its name" % action)
        # Search lists a topic by its title, whichever stored copy it names.
        found = f.search(action).get(action, "")
        if found != "%s.htm" % action and not found.endswith("/" + local) and found != local:
            fail("full-text search does not find %s" % action)
    if len(in_contents) < len(actions):
        fail("the contents list %d pages for %d actions" % (len(in_contents), len(actions)))

    # The site: the same pages, every link resolving on disk.
    site = args.site
    for page in ["/index.htm", "/keywords.htm"] + ["/" + r for r in sorted(topics)]:
        on_disk = os.path.join(site, page[1:])
        if not os.path.isfile(on_disk):
            fail("site: %s is missing" % page)
            continue
        with open(on_disk, "rb") as s:
            text = s.read()
        if text != f.read(page):
            fail("site: %s differs from the compiled file's" % page)
        for tag, attribute, value in help_pages.links(text.decode("utf-8")):
            if help_pages.is_local(value) and value.partition("#")[0]:
                links_checked += 1
                if not os.path.exists(os.path.join(site, resolve(page, value)[1:])):
                    fail('site: %s: <%s %s="%s"> leads nowhere' % (page, tag, attribute, value))

    # The sources: sections, examples, pictures, keywords.
    with_page = {action for _, action, _ in entries}
    in_format = 0
    for relative, topic in sorted(topics.items()):
        for example in topic.examples:
            if example.lock not in ("", "desktop", "shell"):
                fail("%s: data-lock=%r" % (example.name(), example.lock))
            if not example.runs and not example.shown_only:
                fail("%s is not run and says not why (<!--shown-only: ...-->)" % example.name())
            if example.runs and example.shown_only is not None:
                fail("%s is run but marked shown-only" % example.name())
        if not relative.startswith("topics/"):
            continue
        action = relative[len("topics/"):-len(".htm")]
        strict = ALL_TOPICS_IN_FORMAT or topic.is_new_format()
        if not strict:
            continue
        in_format += 1
        if topic.sections != help_pages.ACTION_SECTIONS:
            fail("%s: the sections are %s, not %s" % (relative, topic.sections,
                                                      help_pages.ACTION_SECTIONS))
        if not topic.examples:
            fail("%s has no example" % relative)
        if action not in topic.keywords:
            fail("%s: the keywords do not name the action" % relative)
        picture = "../pictures/%s.png" % action
        shows = any(v == picture for t, a, v in help_pages.links(topic.text) if t == "img")
        if action in with_page and not shows:
            fail("%s does not show %s" % (relative, picture))
    for action in sorted(with_page):
        if not os.path.isfile(os.path.join(source, "pictures", action + ".png")):
            fail("help/pictures/%s.png is missing" % action)
    categories = topics.get("overview/categories.htm")
    if categories is not None:
        linked = {v for _, _, v in help_pages.links(categories.text)}
        for action in actions:
            if "../topics/%s.htm" % action not in linked:
                fail("overview/categories.htm does not link %s" % action)

    for failure in failures:
        print(failure)
    print("%d actions, %d pages stored, %d links checked, %d action topics in the format, "
          "%d failures" % (len(actions), len(stored_pages), links_checked, in_format,
                           len(failures)))
    sys.exit(1 if failures or len(actions) < 57 else 0)


if __name__ == "__main__":
    main()
