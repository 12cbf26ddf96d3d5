"""Writing and checking the C++ table files the generators under tools/ produce."""

import filecmp
import os
import tempfile

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
