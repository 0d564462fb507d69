#!/usr/bin/env python3
"""Lists the program's own texts that have no German translation.

Usage: check-translations.py [--lupdate PATH] [--stale] [--conflicts]

Runs Qt's lupdate over src/ into a temporary file (the project's .ts files are
split by area and are never rewritten by lupdate) and looks up every message
(context, source, comment) in src/resources/selvantis_de.ts and
src/resources/i18n/*_de.ts. Prints the messages found in none of them with
their place in the sources; the exit status is 1 when any is missing.

--stale      also lists translations whose text no longer occurs in the sources
--conflicts  also lists messages translated differently in two files (only
             one of them can win at run time)

lupdate's own parser takes a template parameter declared in a .cpp file for
the enclosing class ("template <class T>" makes the following tr() calls
belong to "T"); such contexts are resolved to the class of the member
function around the call, which is what tr() uses at run time. Calls of a
local one-argument wrapper Tr("text") are invisible to lupdate unless the
text is marked with QT_TRANSLATE_NOOP; unmarked ones are listed as well.

Texts that bypass both the string table and the translation files are
listed too: a quoted text (bare, or in QStringLiteral, QLatin1String,
QString::fromLatin1/fromUtf8 or Fmt) handed straight to a call that shows it
(a widget's text, title or tool tip, a message box, a new label or button, a
list entry). Proper names and the unit's own key words are not texts of a
language: a literal without a lower-case word of three letters or more
("TRUE", "KCM201", "%d *") passes, and PROPER_NAMES lists the rest.
"""
import argparse
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
RESOURCES = SRC / "resources"
DEFAULT_LUPDATE = "/usr/lib/qt6/bin/lupdate"

SOURCE_SUFFIXES = (".cpp", ".h")
CLASS_RE = re.compile(r"\b(?:class|struct)\s+(\w+)(?:\s+final)?\s*(?::[^;{]*)?\{")
EXPLICIT_CONTEXT_RE = re.compile(r'(?:translate|QT_TRANSLATE_NOOP3?)\(\s*"(\w+)"')
CONTEXT_CONSTANT_RE = re.compile(r'\bkContext\[?\]?\s*=\s*"(\w+)"')
MEMBER_DEFINITION_RE = re.compile(r"^[A-Za-z].*?\b(\w+)::~?\w+\s*\(")
UNMARKED_WRAPPER_RE = re.compile(r'(?<![\w:.>])Tr\(\s*"')

# Calls that put their first argument on the screen.
SHOWING_CALLS = (r"setText|setWindowTitle|setToolTip|setStatusTip|setWhatsThis|setPlaceholderText|setTitle|"
                 r"setTabText|setHeaderLabels?|setHorizontalHeaderLabels|setVerticalHeaderLabels|addTab|insertTab|"
                 r"addAction|addMenu|addItem|insertItem|addItems|showMessage|SetWindowText|SetPaneText|"
                 r"AfxMessageBox|MessageBox|information|warning|critical|question|"
                 r"new\s+(?:QLabel|QPushButton|QToolButton|QCheckBox|QRadioButton|QGroupBox|QAction|QMenu|"
                 r"QListWidgetItem|QTreeWidgetItem)")
LITERAL_TEXT_RE = re.compile(
    r"(?<![\w.])(?:" + SHOWING_CALLS + r")\s*\(\s*(?:[\w:>.-]+\s*,\s*)?\{?\s*"
    r"(?:QStringLiteral|QLatin1String|QLatin1StringView|QString::fromLatin1|QString::fromUtf8|Fmt)?\s*\(?\s*"
    r'"((?:[^"\\]|\\.)*)"')
WORD_RE = re.compile(r"[a-z\u00e0-\u00ff]{3,}")
# Names shown as they are in both languages.
PROPER_NAMES = {
    "Deutsch", "English",  # the language choice names each language in itself
}


def project_ts_files():
    return [RESOURCES / "selvantis_de.ts"] + sorted((RESOURCES / "i18n").glob("*_de.ts"))


def source_files():
    return sorted(p for p in SRC.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())


def known_contexts(files):
    """Classes that declare Q_OBJECT, and contexts named explicitly in the code."""
    known = {"QObject"}
    for path in files:
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in CLASS_RE.finditer(text):
            body = text[match.end():match.end() + 400]
            if re.match(r"\s*(?:public:|private:|protected:)?\s*Q_(?:OBJECT|GADGET)\b", body):
                known.add(match.group(1))
        known.update(EXPLICIT_CONTEXT_RE.findall(text))
        known.update(CONTEXT_CONSTANT_RE.findall(text))
    return known


def enclosing_class(path, line):
    """The class of the member function defined around a line of a .cpp file."""
    try:
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    except OSError:
        return None
    for text in reversed(lines[:line]):
        match = MEMBER_DEFINITION_RE.match(text)
        if match:
            return match.group(1)
    return None


def message_key(context, message):
    source = message.findtext("source") or ""
    comment = message.findtext("comment") or ""
    return (context, source, comment)


def has_translation(message):
    translation = message.find("translation")
    if translation is None or translation.get("type") in ("vanished", "obsolete"):
        return False
    forms = translation.findall("numerusform")
    if forms:
        return all((form.text or "").strip() for form in forms)
    return bool((translation.text or "").strip())


def read_translations(paths):
    """(context, source, comment) -> [(file, translation text)]"""
    found = {}
    for path in paths:
        root = ET.parse(path).getroot()
        for context in root.findall("context"):
            name = context.findtext("name") or ""
            for message in context.findall("message"):
                if not has_translation(message):
                    continue
                translation = message.find("translation")
                text = translation.text or "|".join(f.text or "" for f in translation.findall("numerusform"))
                found.setdefault(message_key(name, message), []).append((path, text))
    return found


def run_lupdate(lupdate, out):
    result = subprocess.run([lupdate, str(SRC), "-extensions", "cpp,h", "-locations", "absolute",
                             "-no-obsolete", "-ts", str(out)],
                            capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(f"lupdate failed ({result.returncode})")


def read_sources(path, known):
    """(context, source, comment) -> [(file, line)] of the texts lupdate found."""
    found = {}
    root = ET.parse(path).getroot()
    for context in root.findall("context"):
        name = context.findtext("name") or ""
        for message in context.findall("message"):
            locations = [(Path(loc.get("filename")), int(loc.get("line") or 0))
                         for loc in message.findall("location")]
            for file, line in locations or [(None, 0)]:
                actual = name
                if name not in known and file is not None:
                    actual = enclosing_class((path.parent / file).resolve(), line) or name
                key = (actual,) + message_key(name, message)[1:]
                found.setdefault(key, []).append((file, line))
    return found


def unmarked_wrapper_calls(files):
    calls = []
    for path in files:
        for number, text in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            if UNMARKED_WRAPPER_RE.search(text):
                calls.append((path, number, text.strip()))
    return calls


def literal_texts(files):
    """Quoted texts handed to a showing call without tr() or the string table."""
    found = []
    for path in files:
        for number, text in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            code = text.split("//", 1)[0] if '"' not in text.split("//", 1)[0][-1:] else text
            for match in LITERAL_TEXT_RE.finditer(code):
                literal = match.group(1)
                if literal in PROPER_NAMES or not WORD_RE.search(re.sub(r"%\w|\\\w", " ", literal)):
                    continue
                found.append((path, number, literal))
    return found


def place(file, line):
    if file is None:
        return "?"
    try:
        file = file.resolve().relative_to(ROOT)
    except ValueError:
        pass
    return f"{file}:{line}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lupdate", default=DEFAULT_LUPDATE)
    parser.add_argument("--stale", action="store_true")
    parser.add_argument("--conflicts", action="store_true")
    args = parser.parse_args()

    files = source_files()
    known = known_contexts(files)
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp) / "all_de.ts"
        run_lupdate(args.lupdate, out)
        sources = read_sources(out, known)
    translations = read_translations(project_ts_files())

    missing = sorted(key for key in sources if key not in translations)
    for context, source, comment in missing:
        where = ", ".join(place(f, l) for f, l in sources[(context, source, comment)])
        note = f" ({comment})" if comment else ""
        print(f"missing: {context}: {source!r}{note}  [{where}]")

    unmarked = unmarked_wrapper_calls(files)
    for path, number, text in unmarked:
        print(f"invisible to lupdate: {place(path, number)}: {text}")

    literals = literal_texts(files)
    for path, number, literal in literals:
        print(f"literal text: {place(path, number)}: {literal!r}")

    if args.conflicts:
        for key, entries in sorted(translations.items()):
            if len({text for _, text in entries}) > 1:
                names = ", ".join(f"{p.name}={t!r}" for p, t in entries)
                print(f"conflict: {key[0]}: {key[1]!r}: {names}")
    if args.stale:
        for key, entries in sorted(translations.items()):
            if key not in sources:
                print(f"stale: {entries[0][0].name}: {key[0]}: {key[1]!r}")

    print(f"{len(sources)} texts, {len(missing)} without German translation, "
          f"{len(unmarked)} wrapper calls invisible to lupdate, "
          f"{len(literals)} literal texts outside tr() and the string table", file=sys.stderr)
    return 1 if missing or unmarked or literals else 0


if __name__ == "__main__":
    sys.exit(main())
