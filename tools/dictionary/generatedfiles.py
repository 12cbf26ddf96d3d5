"""Writing and checking the C++ table files the generators under tools/ produce."""

import argparse
import filecmp
import os
import tempfile

import sources

LINE_WIDTH = 100


def literal(items, width=LINE_WIDTH):
    """A C++ string literal (UTF-8) of the items, each followed by a line end, packed into lines
    of the source that stay under width columns."""
    lines = []
    current = ""
    for item in items:
        piece = item.replace("\\", "\\\\").replace('"', '\\"') + "\\n"
        if current and len(current) + len(piece) + 7 > width:
            lines.append('    "%s"' % current)
            current = ""
        current += piece
    if current:
        lines.append('    "%s"' % current)
    return "\n".join(lines) + ";\n"


def fresh_differences(write, out, names):
    """Calls write(folder) on a fresh temporary folder and returns what it returned, with the
    names whose file under out is missing or differs byte for byte from the fresh one."""
    with tempfile.TemporaryDirectory() as fresh:
        result = write(fresh)
        differ = [name for name in names
                  if not os.path.isfile(os.path.join(out, name))
                  or not filecmp.cmp(os.path.join(fresh, name), os.path.join(out, name),
                                     shallow=False)]
    return result, differ


def arguments(argv, doc, out, needed):
    """A generator's --data, --out and --check; None, after saying so, where the data folder
    lacks the file needed."""
    parser = argparse.ArgumentParser(description=doc.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    parser.add_argument("--out", default=out)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args(argv)
    if not os.path.isfile(os.path.join(args.data, needed)):
        print("generate.py: skipped, %s not found under %s" % (needed, args.data))
        return None
    return args
