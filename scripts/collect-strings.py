#!/usr/bin/env python3
"""Collects numbered texts from design documents into the English string table.

Usage: collect-strings.py [--table src/resources/strings_en.txt] [--check] DOC.md...

Every place where a numeric string id stands beside a quoted text gives one
entry:  34207 "Cannot create ..."   string 34499 "is missing"
        message 34213 "..."         | 32992 | "Edit Monitor Entries" |
        "Function" (34234)          34477 (ON)
        "Save changes ?" (string 32791, Yes/No)
        | 32900 | `ID_KEYS_CLEAR_ALL` | "Clear all key programming" |
Entries already in the table are kept as they are; new ids are added. An id
quoted with different texts is reported, and its first text is taken. With
--check nothing is written; the exit status tells whether entries are missing.
"""
import argparse
import re
import sys
from pathlib import Path

# String ids of the program live in this range; smaller numbers are control
# and template ids, larger ones are not used.
ID_MIN, ID_MAX = 32768, 36863

QUOTED = r'"((?:[^"\\\n]|\\.)*)"'
ID = r'(?<![\w.%/-])(3[2-6]\d{3})(?![\w.])'

PATTERNS = [
    # 34207 "text" / string 34499 "text" / | 32992 | "text"
    re.compile(ID + r'\s*(?:\|\s*)?' + QUOTED),
    # 33001 ("text")
    re.compile(ID + r'\s*\(' + QUOTED + r'\)'),
    # "text" (34234) / "text" (string 34234)
    re.compile(QUOTED + r'\s*\((?:string |message )?' + ID + r'[,;)]'),
    # "Shaft encoder" with the number (string 32847)
    re.compile(QUOTED + r'[^"|()]{1,40}\((?:string|message) ' + ID + r'\)'),
    # | 32900 | `ID_KEYS_CLEAR_ALL` | "Clear all key programming" |
    re.compile(r'\|\s*' + ID + r'\s*\|\s*`\w+`\s*\|\s*' + QUOTED),
    # 34477 (ON): a short unquoted word in parentheses
    re.compile(ID + r' \(([A-Z][A-Za-z0-9]*)\)'),
]

# Texts that documents quote without their id.
KNOWN_WITHOUT_ID = {
    r"Cannot create this device !\nYou have reached the maximum number of devices of this type !\n": 34207,
}


def escape(text):
    """Document texts already write \\n, \\r, \\t as escapes; keep them."""
    return text.replace('\t', r'\t')


def read_table(path):
    entries = {}
    order = []
    if path.exists():
        for line in path.read_text(encoding='utf-8').splitlines():
            if not line or line.startswith('#') or '\t' not in line:
                continue
            key, text = line.split('\t', 1)
            if key.isdigit() and int(key) not in entries:
                entries[int(key)] = text
                order.append(int(key))
    return entries


def is_menu_path(text):
    return ' > ' in text


def collect(paths):
    found = {}
    conflicts = {}

    def add(sid, text, where):
        if not (ID_MIN <= sid <= ID_MAX) or text == '':
            return
        text = escape(text)
        if sid not in found:
            found[sid] = (text, where)
        elif found[sid][0] != text:
            conflicts.setdefault(sid, {found[sid][0]}).add(text)

    for path in paths:
        lines = Path(path).read_text(encoding='utf-8').splitlines()
        for n, line in enumerate(lines, 1):
            where = f'{path}:{n}'
            for literal, sid in KNOWN_WITHOUT_ID.items():
                if f'"{literal}"' in line:
                    add(sid, literal, where)
            # Table rows "| id | "menu > path" / "string-table text" |": the
            # string-table text is the one after the slash.
            for m in re.finditer(r'\|\s*' + ID + r'\s*\|\s*' + QUOTED + r'\s*/\s*' + QUOTED, line):
                if is_menu_path(m.group(2)):
                    add(int(m.group(1)), m.group(3), where)
            for pattern in (PATTERNS[0], PATTERNS[1]):
                for m in pattern.finditer(line):
                    if not is_menu_path(m.group(2)):
                        add(int(m.group(1)), m.group(2), where)
            for pattern in (PATTERNS[2], PATTERNS[3]):
                for m in pattern.finditer(line):
                    add(int(m.group(2)), m.group(1), where)
            for m in PATTERNS[4].finditer(line):
                add(int(m.group(1)), m.group(2), where)
            for m in PATTERNS[5].finditer(line):
                add(int(m.group(1)), m.group(2), where)
    return found, conflicts


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--table', default=str(Path(__file__).resolve().parent.parent /
                                               'src/resources/strings_en.txt'))
    parser.add_argument('--check', action='store_true')
    parser.add_argument('--verbose', action='store_true', help='print where each new text was found')
    parser.add_argument('docs', nargs='+')
    args = parser.parse_args()

    table_path = Path(args.table)
    table = read_table(table_path)
    found, conflicts = collect(args.docs)

    for sid in sorted(conflicts):
        print(f'warning: {sid} is quoted with different texts: ' +
              ' | '.join(sorted(conflicts[sid])) + f'; using "{found[sid][0]}"', file=sys.stderr)

    new = {sid: found[sid] for sid in found if sid not in table}
    if args.verbose:
        for sid in sorted(new):
            print(f'{sid}\t{new[sid][0]}\t({new[sid][1]})')
    if args.check:
        print(f'{len(new)} ids missing from {table_path}', file=sys.stderr)
        return 1 if new else 0
    if not new:
        print('nothing new', file=sys.stderr)
        return 0

    merged = dict(table)
    for sid, (text, _) in new.items():
        merged[sid] = text
    header = '# id<TAB>text (escapes: \\n \\t \\r \\\\)\n'
    body = ''.join(f'{sid}\t{merged[sid]}\n' for sid in sorted(merged))
    table_path.write_text(header + body, encoding='utf-8')
    print(f'{len(new)} ids added to {table_path} ({len(merged)} in all)', file=sys.stderr)
    return 0


if __name__ == '__main__':
    sys.exit(main())
