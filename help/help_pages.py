"""Reads the help's HTML sources: the parts of a topic the build, the checks
and the examples' runner share.

A topic is help/topics/<action>.htm or help/overview/<name>.htm (UTF-8). Its
examples are <pre class="example"> blocks; the comment right after one holds
either the lines the tests add when they run it (<!--check ... -->) or why it
is only shown (<!--shown-only: ...-->). Both comments stay out of the
published pages.
"""
import html
import html.parser
import os
import re

# The sections of an action topic, in their order.
ACTION_SECTIONS = [
    "Syntax",
    "Parameters",
    "What it writes",
    "Returns",
    "Errors",
    "Remarks",
    "Related actions",
    "Examples",
]

_PRE = re.compile(r"<pre\b(?P<attrs>[^>]*)>(?P<body>.*?)</pre>", re.S | re.I)
_ATTR = re.compile(r"""([\w-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+))""")
_AFTER = re.compile(r"\s*<!--(?P<kind>check|shown-only:)(?P<text>.*?)-->", re.S)
_HIDDEN = re.compile(r"\n?<!--(?:check\b|shown-only:).*?-->", re.S)
_TITLE = re.compile(r"<title>(.*?)</title>", re.S | re.I)
_H1 = re.compile(r"<h1>(.*?)</h1>", re.S | re.I)
_H2 = re.compile(r"<h2>(.*?)</h2>", re.S | re.I)
_KEYWORDS = re.compile(r"""<meta\s+name="keywords"\s+content="([^"]*)"\s*/?>""", re.I)
_SUMMARY = re.compile(r"""<p class="summary">(.*?)</p>""", re.S | re.I)
_FIRST_P = re.compile(r"<p>(.*?)</p>", re.S | re.I)
_TAG = re.compile(r"<[^>]+>")


def attributes(text):
    """The attributes of a start tag's text, as a dict with lower-case names."""
    found = {}
    for name, v1, v2, v3 in _ATTR.findall(text):
        found[name.lower()] = html.unescape(v1 or v2 or v3)
    return found


def plain(fragment):
    """An HTML fragment as plain text on one line."""
    return " ".join(html.unescape(_TAG.sub("", fragment)).split())


class Example:
    """One <pre class="example"> block of a topic."""

    def __init__(self, topic, number, attrs, body, check, shown_only):
        self.topic = topic  # e.g. "topics/qvFindFiles.htm"
        self.number = number  # 1 for the topic's first example
        self.lock = attrs.get("data-lock", "")  # "", "desktop" or "shell"
        self.runs = attrs.get("data-run", "yes") != "no"
        self.script = html.unescape(body)  # &lt; &gt; &amp; (and any other entity)
        self.check = check  # the check lines, or None
        self.shown_only = shown_only  # the reason, or None

    def name(self):
        return "%s, example %d" % (self.topic, self.number)

    def full_script(self):
        """The script the tests run: the example with its check lines put
        where the main part ends, that is before its closing Exit (or before
        the first subroutine when it has no Exit), else at the end."""
        lines = self.script.strip("\n").split("\n")
        extra = [] if self.check is None else [
            line for line in self.check.strip("\n").split("\n") if line.strip()]
        if not extra:
            return "\n".join(lines) + "\n"
        at = len(lines)
        for i, line in enumerate(lines):
            if line.strip().startswith(":"):
                at = i
                break
        # Step back over blank and comment lines, then over the main part's Exit.
        j = at
        while j > 0 and (not lines[j - 1].strip() or lines[j - 1].strip().startswith(".")):
            j -= 1
        if j > 0 and lines[j - 1].strip().lower() == "exit":
            at = j - 1
        return "\n".join(lines[:at] + extra + lines[at:]) + "\n"


class Topic:
    """A topic's source, parsed."""

    def __init__(self, source_dir, relative):
        self.relative = relative  # "topics/qvFindFiles.htm", "overview/events.htm", "index.htm"
        with open(os.path.join(source_dir, relative), encoding="utf-8") as f:
            self.text = f.read()
        m = _TITLE.search(self.text)
        self.title = plain(m.group(1)) if m else os.path.splitext(os.path.basename(relative))[0]
        m = _H1.search(self.text)
        self.heading = plain(m.group(1)) if m else ""
        self.sections = [plain(h) for h in _H2.findall(self.text)]
        m = _KEYWORDS.search(self.text)
        self.keywords = []
        if m:
            for word in html.unescape(m.group(1)).split(";"):
                word = " ".join(word.split())
                if word and word not in self.keywords:
                    self.keywords.append(word)
        m = _SUMMARY.search(self.text) or _FIRST_P.search(self.text)
        self.summary = plain(m.group(1)) if m else ""
        self.examples = []
        for m in _PRE.finditer(self.text):
            attrs = attributes(m.group("attrs"))
            if "example" not in attrs.get("class", "").split():
                continue
            check = shown_only = None
            after = _AFTER.match(self.text, m.end())
            if after:
                if after.group("kind") == "check":
                    check = after.group("text")
                else:
                    shown_only = after.group("text").strip()
            self.examples.append(Example(relative, len(self.examples) + 1, attrs,
                                         m.group("body"), check, shown_only))

    def is_new_format(self):
        """Written in the format with the fixed sections (has a Syntax section)."""
        return "Syntax" in self.sections

    def published(self):
        """The page as published: the check and shown-only comments left out."""
        return _HIDDEN.sub("", self.text)


class _Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []  # (tag, attribute, value)
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if value is None:
                continue
            if (tag, name) in (("a", "href"), ("link", "href"), ("img", "src"),
                               ("script", "src"), ("frame", "src"), ("iframe", "src")):
                self.links.append((tag, name, value))
            if name in ("id",) or (tag == "a" and name == "name"):
                self.ids.add(value)


def links(page_text):
    """Every href/src of a page, as (tag, attribute, value)."""
    parser = _Links()
    parser.feed(page_text)
    parser.close()
    return parser.links


def anchors(page_text):
    """The ids and anchor names a page defines."""
    parser = _Links()
    parser.feed(page_text)
    parser.close()
    return parser.ids


def is_local(link):
    """A link to a file of the help itself (not a web address or mail)."""
    return not re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:", link) and not link.startswith("#")


def read_contents(path):
    """The catalogue as help_map --contents prints it: a list of
    (category name as the host shows it, [(number, action), ...])."""
    categories = []
    with open(path, "rb") as f:
        for raw in f:
            fields = raw.rstrip(b"\r\n").split(b"\t")
            if fields[0] == b"category":
                categories.append((fields[1].decode("cp1251"), []))
            elif fields[0] == b"action":
                categories[-1][1].append((int(fields[1]), fields[2].decode("ascii")))
    return categories


def read_map(path):
    """The help map: a list of (number, action, context number)."""
    entries = []
    with open(path, encoding="ascii") as f:
        for line in f:
            number, action, context = line.rstrip("\n").split("\t")
            entries.append((int(number), action, int(context)))
    return entries


def source_topics(source_dir):
    """The relative paths of every topic source: overview topics, then actions."""
    found = []
    for folder in ("overview", "topics"):
        path = os.path.join(source_dir, folder)
        if os.path.isdir(path):
            found += ["%s/%s" % (folder, n) for n in sorted(os.listdir(path)) if n.endswith(".htm")]
    return found
