#!/usr/bin/python3
"""How well the converter alone writes the style of the syllabus.

    quality_report.py [--data DIR] [--floor PERCENT] [--show N]

Converts every word of the style reference (the syllabus's own transcriptions) from Britfone,
or ipa-dict where Britfone lacks it, and prints the share whose codes equal the reference's
exactly, with a count of the kinds of difference. Exits with 1 when the share is below the
floor, with 77 (skipped) when the data is not there.
"""

import argparse
import collections
import os
import sys

import convert
import sources

SKIPPED = 77


def reference_text(forms):
    return forms[0] if len(forms) == 1 else "/" + ", ".join(forms) + "/"


def kind_of_difference(reference, converted):
    """A rough name for how two transcriptions differ."""
    if converted is None:
        return "in neither source"
    if "(" in reference or "/" in reference.replace("/E", ""):
        return "optional sound or several forms in the reference"
    if converted.replace(",", "") == reference.replace(",", ""):
        return "secondary stress only"
    bare = lambda codes: codes.replace(",", "").replace("5", "")
    if bare(converted) == bare(reference):
        return "stress placement only"
    if bare(converted).replace("E", "") == bare(reference).replace("E", ""):
        return "a schwa more or less"
    if bare(converted).replace(":", "") == bare(reference).replace(":", ""):
        return "length mark only"
    if len(bare(converted)) == len(bare(reference)):
        return "other sounds, same length"
    return "other sounds"


def measure(data_dir):
    britfone = sources.britfone(data_dir)
    ipadict = sources.ipadict(data_dir)
    reference = sources.style_reference(data_dir)
    corrections = {row[0]: row[1] for row in sources.tool_table("style_corrections.tsv")}
    agree = 0
    corrected = 0
    kinds = collections.Counter()
    examples = collections.defaultdict(list)
    by_source = collections.Counter()
    for word, forms in reference.items():
        expected = reference_text(forms)
        converted, source = convert.pronunciations(word, britfone, ipadict)
        first = converted[0] if converted else None
        by_source[source or "none"] += 1
        if first == expected:
            agree += 1
            continue
        if word in corrections and first == corrections[word]:
            corrected += 1
        kind = kind_of_difference(expected, first)
        kinds[kind] += 1
        examples[kind].append("%s %s %s" % (word, expected, first))
    return agree, corrected, len(reference), kinds, examples, by_source


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    parser.add_argument("--floor", type=float, default=0.0,
                        help="fail below this share, in per cent")
    parser.add_argument("--show", type=int, default=3, help="examples per kind of difference")
    args = parser.parse_args(argv)
    missing = [n for n in (sources.BRITFONE, sources.IPADICT, sources.STYLE)
               if not os.path.isfile(os.path.join(args.data, n))]
    if missing:
        print("quality_report.py: skipped, %s not found under %s"
              % (", ".join(missing), args.data))
        return SKIPPED
    agree, corrected, total, kinds, examples, by_source = measure(args.data)
    share = 100.0 * agree / total if total else 0.0
    print("style reference words: %d (from Britfone %d, from ipa-dict %d, in neither %d)"
          % (total, by_source["britfone"], by_source["ipa-dict"], by_source["none"]))
    print("converter agrees exactly: %d of %d = %.1f%%" % (agree, total, share))
    print("  and with %d more where the reference has a printing error (style_corrections.tsv):"
          " %.1f%%" % (corrected, 100.0 * (agree + corrected) / total if total else 0.0))
    print("differences:")
    for kind, count in kinds.most_common():
        print("  %5d  %s" % (count, kind))
        for example in examples[kind][: args.show]:
            print("           %s" % example)
    if share < args.floor:
        print("agreement %.1f%% is below the floor of %.1f%%" % (share, args.floor))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
