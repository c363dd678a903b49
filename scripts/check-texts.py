#!/usr/bin/env python3
"""Every text a person reads comes in German and English: a German text in the
sources stands only as the first half of a pair {German, English} (a
LocalText). Reports every other string literal that reads as German (the
second half of a pair included), apart from the allow-list below: stored keys,
file formats and names, which never change with the language.
Usage: check-texts.py REPO"""
import pathlib, re, sys

# Words that mark a text as German; chosen so that none is also an English word
# a text of this program would use.
GERMAN_WORDS = set("""
    ist sind nicht und oder der das dem den des eine einen einer eines ein kein keine
    wurde werden wird kann konnte können Sie Ihre Ihr bitte Bitte Datei Dateien Fehler
    beim zum zur für über mit von nach bei aus auch noch nur schon wie zwischen
    Einstellungen Lineal Farbe Ordner Wert Fenster Hilfe Programm Verbindung Antwort
    Abbrechen Suchen Weiter Hinweis Achtung Speichern Laden Kopieren Sichtbar Lupe
    Einheit Automatisch Deutsch Sprache Schriftart Hintergrund Markierung Bildschirm
""".split())
UMLAUT = re.compile(r"[äöüÄÖÜß]")
WORD = re.compile(r"[A-Za-zäöüÄÖÜß]+")

# file (relative to the repo) -> literals that stay as they are in every language;
# a file named with None is left out as a whole.
ALLOWED = {
    # the special folders' names in stored paths, with descriptions never shown
    "src/storage/SpecialFolders.cpp": None,
    # the language's own name in its menu item; a command's findable name
    "src/ruler/win/RulerCommands.cpp": {"Deutsch", "Hilfe1"},
    # a failure only the end-to-end tests provoke, and look for
    "src/ruler/win/RulerTestChannel.cpp": {"Der Dialog konnte nicht angezeigt werden."},
}

# Comments, then string literal groups (adjacent literals are one text).
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/|(L?"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\')', re.S)
LITERAL = r'(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"'
GROUP = re.compile(rf"{LITERAL}(?:\s*{LITERAL})*")
PIECE = re.compile(LITERAL)


def strip_comments(text):
    # keep line numbers: a comment becomes as many newlines as it had
    return COMMENT.sub(lambda m: m.group(1) or "\n" * m.group(0).count("\n"), text)


def text_of(group):
    return "".join(p[p.index('"') + 1:-1] for p in PIECE.findall(group))


def reads_german(text):
    return bool(UMLAUT.search(text)) or any(w in GERMAN_WORDS for w in WORD.findall(text))


def findings(path, rel):
    source = strip_comments(path.read_text(encoding="utf-8"))
    groups = list(GROUP.finditer(source))
    english_half = set()
    for i, g in enumerate(groups):
        text = text_of(g.group(0))
        line = source.count("\n", 0, g.start()) + 1
        if i in english_half:
            if reads_german(text):
                yield line, f'English text that reads as German: "{text}"'
            continue
        # a pair: this group, a comma, the next group
        if i + 1 < len(groups) and re.fullmatch(r"\s*,\s*", source[g.end():groups[i + 1].start()]):
            english_half.add(i + 1)
            continue
        if reads_german(text) and text not in ALLOWED.get(rel, ()):
            yield line, f'German text without its English pair: "{text}"'


def main(repo):
    repo = pathlib.Path(repo)
    bad = 0
    for path in sorted((repo / "src").rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        rel = path.relative_to(repo).as_posix()
        if rel in ALLOWED and ALLOWED[rel] is None:
            continue
        for line, problem in findings(path, rel):
            print(f"check-texts: {rel}:{line}: {problem}")
            bad += 1
    if bad:
        sys.exit(f"check-texts: FAIL: {bad} texts")
    print("check-texts: every German text has its English counterpart")


main(sys.argv[1] if len(sys.argv) > 1 else ".")
