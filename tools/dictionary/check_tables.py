#!/usr/bin/python3
"""Regenerates the word tables into a temporary folder and compares them byte for byte with
the committed ones under sonabet/tables.

    check_tables.py [--data DIR]

Exits with 0 when they are the same, 1 when they differ (naming the files), and 77 (skipped)
when the reference data is not there.
"""

import argparse
import filecmp
import os
import sys
import tempfile

import evidence
import generate
import sources

SKIPPED = 77


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    parser.add_argument("--tables", default=os.path.join(sources.REPO, "sonabet", "tables"))
    args = parser.parse_args(argv)
    if evidence.skipped("check_tables.py", args.data):
        return SKIPPED
    with tempfile.TemporaryDirectory() as out:
        status = generate.main(["--data", args.data, "--out", out])
        if status != 0:
            print("check_tables.py: the generator failed")
            return 1
        names = sorted(os.listdir(out))
        committed = sorted(n for n in os.listdir(args.tables) if n.endswith(".inc"))
        differ = [n for n in names if n not in committed
                  or not filecmp.cmp(os.path.join(out, n), os.path.join(args.tables, n),
                                     shallow=False)]
        extra = [n for n in committed if n not in names]
    if differ or extra:
        for name in differ:
            print("differs from a fresh generation: sonabet/tables/%s" % name)
        for name in extra:
            print("not generated: sonabet/tables/%s" % name)
        print("run tools/dictionary/generate.py and commit the tables")
        return 1
    print("the %d tables equal a fresh generation byte for byte" % len(names))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
