#!/usr/bin/python3
"""How well the dictionary writes the style of the syllabus and covers the words users type.

    quality_report.py [--data DIR] [--floor PERCENT] [--alternatives-floor PERCENT]
                      [--composer-floor PERCENT] [--coverage-floor PERCENT] [--show N]

1. The converter: converts every word of the style reference (the syllabus's own
   transcriptions) from Britfone, or ipa-dict where Britfone lacks it, and prints the share
   whose codes equal the reference's exactly; then the share with alternatives, where a
   conversion equal to one reading the reference spells out (an optional sound such as "(r)"
   or "(E)" taken or left, or one of several forms) counts too; then with the conversion's own
   optional "(h)" read both ways as well; with a count of the kinds of difference that remain.
2. The composer: 2,000 forms that the sources have (-s, -ed, -ing, -er, -est of the words of the
   frequency list), composed from their head words by the rules, and the share that equals the
   sources' own conversion exactly.
3. The committed tables under sonabet/tables: keys per method, and the share of the syllabus
   and of the frequency list that a lookup finds (trimmed and lower-cased, as the lookup client
   does; the syllabus words quoted with an empty transcription aside).
Exits with 1 when a share is below its floor, with 77 (skipped) when the data is not there.
"""

import argparse
import collections
import re
import os
import sys

import convert
import forms
import generate
import sources

SKIPPED = 77


def reference_text(forms):
    return forms[0] if len(forms) == 1 else "/" + ", ".join(forms) + "/"


def _spelt_out(form):
    """The readings of one form with optional sounds: "5aiTE(r)" reads "5aiTE" and "5aiTEr"."""
    readings = [""]
    for part in re.split(r"(\([^()]*\))", form):
        if part.startswith("(") and part.endswith(")"):
            readings = [r + extra for r in readings for extra in ("", part[1:-1])]
        else:
            readings = [r + part for r in readings]
    return readings


def readings(forms):
    """Every reading the reference spells out: each form with and without its optional sounds,
    and a shortened form ("-lAnd" after "5meinlEnd") put in place of the end of the first full
    form, from the last place where the first form has the shortened form's first sound."""
    full = None
    out = []
    for form in forms:
        if form.startswith("-"):
            tail = form[1:]
            if full is None or not tail or tail[0] not in full:
                continue
            form = full[:full.rindex(tail[0])] + tail
        elif full is None:
            full = form
        for reading in _spelt_out(form):
            if reading not in out:
                out.append(reading)
    return out


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
    alternative = 0
    both_optional = 0
    corrected = 0
    kinds = collections.Counter()
    examples = collections.defaultdict(list)
    by_source = collections.Counter()
    for word, forms in reference.items():
        expected = reference_text(forms)
        # "toward(s)", "systematic(al)": a word with optional letters is looked up without them.
        spelt = re.sub(r"\([a-z]+\)$", "", word)
        converted, source = convert.pronunciations(spelt, britfone, ipadict)
        first = converted[0] if converted else None
        by_source[source or "none"] += 1
        if first == expected:
            agree += 1
            continue
        if first is not None and first in readings(forms):
            alternative += 1
            continue
        if first is not None and set(_spelt_out(first)) & set(readings(forms)):
            both_optional += 1
            continue
        if word in corrections and first == corrections[word]:
            corrected += 1
        kind = kind_of_difference(expected, first)
        kinds[kind] += 1
        examples[kind].append("%s %s %s" % (word, expected, first))
    return (agree, alternative, both_optional, corrected, len(reference), kinds, examples,
            by_source)


# How many forms of each ending the composer is measured on.
COMPOSER_SAMPLE = (("s", 500), ("ed", 500), ("ing", 500), ("er", 250), ("est", 250))


def measure_composer(data_dir, britfone, ipadict):
    """(equal, total, examples of differences): forms of the frequency list's words that the
    sources have, composed from the head's conversion and compared with the form's own."""
    irregular = {row[1] for row in sources.tool_table("irregular_forms.tsv")}
    wanted = dict(COMPOSER_SAMPLE)
    taken = collections.Counter()
    equal = 0
    differences = []
    seen = set()
    for head in sources.word_list(data_dir, sources.FREQUENCY):
        if (head in seen or not head.isalpha() or not head.islower()
                or head in generate.FUNCTION_WORDS or head in irregular):
            continue
        seen.add(head)
        head_forms, _ = convert.pronunciations(head, britfone, ipadict)
        if not head_forms:
            continue
        for ending, count in COMPOSER_SAMPLE:
            if taken[ending] >= count:
                continue
            form = forms.spelling(head, ending, head_forms[0])
            form_forms, _ = convert.pronunciations(form, britfone, ipadict)
            if form == head or not form_forms:
                continue
            taken[ending] += 1
            composed = forms.sounds(head, ending, head_forms[0])
            if composed == form_forms[0]:
                equal += 1
            else:
                differences.append("%s %s: %s, sources %s" % (head, form, composed,
                                                              form_forms[0]))
    return equal, sum(taken.values()), differences


def _unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and text[i + 1] == "u":
            out.append(chr(int(text[i + 2:i + 6], 16)))
            i += 6
        elif text[i] == "\\":
            out.append(text[i + 1])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_tables(tables_dir):
    """Group name -> {key: transcription}, from the committed table files."""
    groups = {}
    for name, _ in generate.GROUPS:
        entries = {}
        with open(os.path.join(tables_dir, "group_%s.inc" % name), encoding="utf-8") as f:
            for line in f:
                if line.startswith('    u"') and '" u"' in line:
                    key, _, transcription = line.strip()[2:-1].partition('" u"')
                    entries[_unescape(key)] = _unescape(transcription)
        groups[name] = entries
    return groups


def client_lookup(groups, text):
    """The lookup client's answer: the text trimmed of blanks and lower-cased, then the group
    of its initial."""
    key = text.strip(" ").lower()
    group = generate.group_of(key) if key and "a" <= key[0] <= "z" else None
    return groups[group].get(key, "") if group else ""


def coverage(groups, words, excused=()):
    """(found, counted, missing words) of a word list through the lookup client."""
    counted = [w for w in words if w.strip(" ").lower() not in excused]
    missing = [w for w in counted if not client_lookup(groups, w)]
    return len(counted) - len(missing), len(counted), missing


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    parser.add_argument("--floor", type=float, default=0.0,
                        help="fail below this share of exact agreement, in per cent")
    parser.add_argument("--alternatives-floor", type=float, default=0.0,
                        help="fail below this share of agreement with alternatives")
    parser.add_argument("--composer-floor", type=float, default=0.0,
                        help="fail when fewer composed forms equal the sources'")
    parser.add_argument("--coverage-floor", type=float, default=0.0,
                        help="fail when less of the frequency list is found")
    parser.add_argument("--tables", default=os.path.join(sources.REPO, "sonabet", "tables"))
    parser.add_argument("--show", type=int, default=3, help="examples per kind of difference")
    args = parser.parse_args(argv)
    missing = [n for n in sources.ALL_SOURCES if not os.path.isfile(os.path.join(args.data, n))]
    if missing:
        print("quality_report.py: skipped, %s not found under %s"
              % (", ".join(missing), args.data))
        return SKIPPED
    (agree, alternative, both_optional, corrected, total, kinds, examples,
     by_source) = measure(args.data)
    share = 100.0 * agree / total if total else 0.0
    either = 100.0 * (agree + alternative) / total if total else 0.0
    print("style reference words: %d (from Britfone %d, from ipa-dict %d, in neither %d)"
          % (total, by_source["britfone"], by_source["ipa-dict"], by_source["none"]))
    print("converter agrees exactly: %d of %d = %.1f%%" % (agree, total, share))
    print("  with alternatives (the conversion equals one reading the reference spells out, its"
          " optional sounds such as (r) or (E) taken or left, or one of its several forms):"
          " %d more, %d of %d = %.1f%%" % (alternative, agree + alternative, total, either))
    print("  and with the conversion's own optional sounds read both ways too (its \"(h)\" of"
          " wh-, \"(h)wi:t\" agreeing with \"wi:t\"): %d more, %d of %d = %.1f%%"
          % (both_optional, agree + alternative + both_optional, total,
             100.0 * (agree + alternative + both_optional) / total if total else 0.0))
    print("  and with %d more where the reference has a printing error (style_corrections.tsv):"
          " %.1f%%" % (corrected, 100.0 * (agree + alternative + both_optional + corrected)
                      / total if total else 0.0))
    print("differences (of the words that agree in neither way):")
    for kind, count in kinds.most_common():
        print("  %5d  %s" % (count, kind))
        for example in examples[kind][: args.show]:
            print("           %s" % example)
    failed = []
    if share < args.floor:
        failed.append("agreement %.1f%% is below the floor of %.1f%%" % (share, args.floor))
    if either < args.alternatives_floor:
        failed.append("agreement with alternatives %.1f%% is below the floor of %.1f%%"
                      % (either, args.alternatives_floor))

    britfone, ipadict = sources.britfone(args.data), sources.ipadict(args.data)
    equal, total, differences = measure_composer(args.data, britfone, ipadict)
    composed = 100.0 * equal / total if total else 0.0
    print("composer equals the sources' conversion: %d of %d forms = %.1f%%"
          % (equal, total, composed))
    for example in differences[: args.show]:
        print("           %s" % example)
    if composed < args.composer_floor:
        failed.append("composer %.1f%% is below the floor of %.1f%%"
                      % (composed, args.composer_floor))

    groups = read_tables(args.tables)
    print("keys per method:")
    for name, _ in generate.GROUPS:
        method = ("UVW" if name == "uvw" else "XYZ" if name == "xyz" else name.upper())
        print("  %-10s %6d" % (method + "sonabet", len(groups[name])))
    print("  %-10s %6d" % ("total", sum(len(g) for g in groups.values())))
    quoted_empty = {row[0].lower() for row in sources.tool_table("quoted_entries.tsv")
                    if len(row) < 2 or not row[1]}
    syllabus = sources.word_list(args.data, sources.SYLLABUS)
    found, counted, lacking = coverage(groups, syllabus, quoted_empty)
    print("syllabus found through the lookup client: %d of %d = %.2f%% (%d quoted empty aside)"
          % (found, counted, 100.0 * found / counted, len(syllabus) - counted))
    if lacking:
        failed.append("syllabus words not found: " + ", ".join(lacking))
    frequency = sources.word_list(args.data, sources.FREQUENCY)
    found, counted, lacking = coverage(groups, frequency)
    reached = 100.0 * found / counted
    print("frequency list found through the lookup client: %d of %d = %.2f%%"
          % (found, counted, reached))
    print("  not found, for example: " + ", ".join(lacking[: 10 * args.show]))
    if reached < args.coverage_floor:
        failed.append("frequency list coverage %.2f%% is below the floor of %.2f%%"
                      % (reached, args.coverage_floor))
    for failure in failed:
        print(failure)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
