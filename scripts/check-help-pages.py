#!/usr/bin/env python3
"""Checks a help file's source pages as text, before they are compiled:

    check-help-pages.py HELP_FOLDER DICTIONARY WORD_LIST

- every page listed in the folder's help project (its one .hhp) parses as
  HTML: each element that is opened
  is closed in order, no end tag without its start, only known entities, and
  each entity ends with ";",
- no stray entity fragment ("auml;" without "&", left by an edit),
- no word twice in a row ("die die", also across a tag),
- the visible text passes hunspell's dictionary of the pages' language
  (de_DE, en_US) together with the project's word list for it (program
  names, captions as the program has them),
- the overview page links every other page.

Prints one line per fault with page and line; exits 1 when there is one.
"""
import bisect
import html
import html.entities
import re
import subprocess
import sys
from html.parser import HTMLParser
from pathlib import Path

VOID = {"br", "hr", "img", "meta", "link", "input", "param", "area", "base", "col"}
# Text inside these is code, addresses or keys: not prose.
NOT_PROSE = {"code", "kbd", "script", "style"}
# Inline elements join the words on either side; any other tag ends a run of
# text (a heading's last word and the paragraph's first are no doubled word).
INLINE = {"a", "b", "i", "em", "strong", "code", "kbd", "span", "font", "u", "sup", "sub", "br"}
BREAK = "\u2029"
ENTITY_NAMES = set(html.entities.name2codepoint)
WORD = re.compile(r"[^\W\d_][\w-]*")


class PageParser(HTMLParser):
    """Collects a page's faults, links and text; a tag stands as a space in
    the text, an entity as its character."""

    def __init__(self, page):
        super().__init__(convert_charrefs=False)
        self.page = page
        self.faults = []
        self.stack = []
        self.links = set()
        self.visible = Text()  # everything a reader sees, the title too
        self.prose = Text()  # the prose of it: no code, no addresses

    def fault(self, text):
        self.faults.append(f"{self.page}:{self.getpos()[0]}: {text}")

    def add(self, data):
        line = self.getpos()[0]
        if "head" in self.stack and "title" not in self.stack:
            return
        self.visible.add(line, data)
        if not any(tag in NOT_PROSE for tag in self.stack):
            self.prose.add(line, data)

    def handle_starttag(self, tag, attrs):
        if tag == "a":
            href = dict(attrs).get("href") or ""
            self.links.add(href.split("#")[0])
        self.add(" " if tag in INLINE else BREAK)
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        self.add(" " if tag in INLINE else BREAK)
        if tag in VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            open_tag = self.stack[-1] if self.stack else "nothing"
            self.fault(f"</{tag}> closes <{open_tag}>")
            if tag in self.stack:
                del self.stack[len(self.stack) - 1 - self.stack[::-1].index(tag):]
            return
        self.stack.pop()

    def handle_data(self, data):
        self.add(data)

    def handle_entityref(self, name):
        if name not in ENTITY_NAMES:
            self.fault(f'unknown entity "&{name};"')
        self.add(html.unescape(f"&{name};"))

    def handle_charref(self, name):
        self.add(html.unescape(f"&#{name};"))

    def close(self):
        super().close()
        if self.stack:
            self.fault("not closed: " + " ".join(f"<{t}>" for t in self.stack))


class Text:
    """A page's text in one string, and which source line each part came from."""

    def __init__(self):
        self.text = ""
        self.starts = []  # (offset, line)

    def add(self, line, data):
        self.starts.append((len(self.text), line))
        self.text += data

    def line_at(self, offset):
        i = bisect.bisect_right(self.starts, (offset, float("inf"))) - 1
        start, line = self.starts[max(i, 0)]
        return line + self.text.count("\n", start, offset)

    def words(self):
        for match in WORD.finditer(self.text):
            yield self.line_at(match.start()), match.group(0)


def check_raw(page, source):
    faults = []
    for number, line in enumerate(source.split("\n"), 1):
        for match in re.finditer(r"&([A-Za-z][A-Za-z0-9]*)(;?)", line):
            if not match.group(2):
                faults.append(f'{page}:{number}: entity "&{match.group(1)}" without ";"')
        for match in re.finditer(r"(?<![&#\w])([A-Za-z][A-Za-z0-9]*);", line):
            if match.group(1) in ENTITY_NAMES:
                faults.append(f'{page}:{number}: entity fragment "{match.group(0)}" without "&"')
    return faults


def doubled_words(page, visible):
    # Two equal words with only white space (or an inline tag) between them.
    return [f'{page}:{visible.line_at(m.start(2))}: "{m.group(1)}" twice in a row'
            for m in re.finditer(r"(?<!\w)(\w+)[ \t\r\n\xa0]+(\1)(?!\w)", visible.text, re.I)]


def misspelled(pages, dictionary, word_list):
    """pages: [(page, Text)]; each word against the hunspell dictionary and the word list."""
    found = [(page, line, part) for page, prose in pages for line, word in prose.words()
             for part in word.split("-") if part]
    # The project's words are taken as they stand: hunspell would still refuse
    # one the dictionary allows only inside a compound ("Umschalt").
    own = set(word_list.read_text(encoding="utf-8").split())
    words = sorted({part for _, _, part in found} - own)
    try:
        out = subprocess.run(
            ["hunspell", "-d", dictionary, "-i", "utf-8", "-l"],
            input="\n".join(words) + "\n", capture_output=True, text=True, encoding="utf-8",
            check=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        return [f"no spelling check: hunspell with {dictionary} did not run ({e}); "
                "scripts/setup.sh installs hunspell, hunspell-de-de and hunspell-en-us"]
    bad = set(out.split())
    return [f'{page}:{line}: "{part}" is neither in the dictionary nor in {word_list.name}'
            for page, line, part in found if part in bad]


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: check-help-pages.py HELP_FOLDER DICTIONARY WORD_LIST")
    folder, dictionary, word_list = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3])
    projects = sorted(folder.glob("*.hhp"))
    if len(projects) != 1:
        sys.exit(f"check-help: FAIL: {folder} needs exactly one .hhp")
    project = projects[0].read_text(encoding="cp1252")
    files = re.search(r"\[FILES\]\s*\n(.*?)(\n\[|\Z)", project, re.S).group(1).split()
    faults, prose, links = [], [], {}
    for name in files:
        source = (folder / name).read_text(encoding="cp1252")
        parser = PageParser(name)
        parser.feed(source)
        parser.close()
        faults += parser.faults + check_raw(name, source)
        faults += doubled_words(name, parser.visible)
        prose.append((name, parser.prose))
        links[name] = parser.links
    faults += misspelled(prose, dictionary, word_list)
    overview = files[0]
    for name in files[1:]:
        if name not in links[overview]:
            faults.append(f"{overview}: no link to {name}")
    for fault in faults:
        print(f"check-help: FAIL: {fault}", file=sys.stderr)
    if not faults:
        print(f"check-help: {folder.name}: {len(files)} pages parse, no entity fragment, "
              f"no doubled word, spelling OK ({dictionary}), the overview links every page")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
