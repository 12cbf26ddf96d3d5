#!/usr/bin/python3
"""Writes conversion_cases.tsv: words, eSpeak NG's phoneme names for them and the codes the
conversion rules make of the names. The generator's tests (test_convert.py) and the program's
(tests/core/suggestion_test.cpp) both convert the same names and expect the same codes, which
holds the two readers of conversion_rules.txt equal.

    conversion_cases.py update   # the codes again, after a change of the rules (no eSpeak)
    conversion_cases.py write    # a new sample: words of the tables, eSpeak asked again

The sample is every 40th word of letters of the committed tables, the words that once came out
differently in the two readers and one word for each rule of the file that has a spelling.
"""

import os
import sys

import coderules
import evidence
import quality_report
import sources

CASES = os.path.join(sources.TOOL_DIR, "conversion_cases.tsv")
HEADER = ("# word<TAB>eSpeak NG's phoneme names<TAB>codes; written by conversion_cases.py, "
          "converted by the generator and by the program alike\n")
EVERY = 40
# Words whose codes once differed between the generator and the suggestion, and words for the
# rules of conversion_rules.txt.
WORDS = ("issue", "typed", "readier", "locals", "exceed", "actual", "gradual", "sure",
         "audience", "champion", "salt", "off", "classroom", "grandson", "continual", "create",
         "tissue", "suit", "enforce", "employ", "exceedingly", "raced", "mechanically",
         "gradually", "separately", "equation", "conversion", "possible", "terribly", "private",
         "estimates", "restless", "surfaces", "alphabet", "pockets", "earnest", "driest",
         "village", "colleges", "visit", "habits", "cousin", "cousins", "hundred", "hundreds",
         "numbered", "hostess", "careful", "awfully", "apple", "lesson", "travel", "settlement",
         "listener", "reasonable", "musical", "pattern", "certain", "which", "somewhere",
         "wholewheat", "whatever", "unusual", "disable", "mislead", "nonstop", "outrun",
         "upset", "subway", "translate", "northwest", "southeast", "incorrect", "curiosity",
         "violin", "fifteen", "unexpected", "radioactive", "unfair", "until", "unless",
         "describe", "suspect", "expect", "inspect", "accommodation", "however")


def read_cases(path=CASES):
    """(word, names, codes) per line."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            word, names, codes = line.rstrip("\n").split("\t")
            rows.append((word, names, codes))
    return rows


def write_cases(pairs, path=CASES):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER)
        for word, names in pairs:
            f.write("%s\t%s\t%s\n" % (word, names, coderules.codes_from_espeak(names, word)))


def main(argv):
    if argv == ["update"]:
        write_cases([(word, names) for word, names, _ in read_cases()])
        return 0
    if argv != ["write"]:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    groups = quality_report.read_tables(os.path.join(sources.REPO, "sonabet", "tables"))
    keys = sorted(k for g in groups.values() for k in g if k.isalpha() and k.islower()
                  and k.isascii())
    words = sorted(set(keys[::EVERY]) | set(WORDS))
    names = evidence.espeak(words)
    write_cases([(w, names[w]) for w in words if w in names])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
