#!/usr/bin/python3
"""The quality of the American tables (sonabet/ustables):

    american_report.py [--data DIR] [--stress-floor PERCENT] [--heldout-floor PERCENT]

- keys by source: CMU, a regular form of a head word CMU has, the rules alone (checked by
  eSpeak NG's American voice), the abbreviations read letter by letter, a reviewer's reading
  (american_reviewed.tsv), dropped;
- the primary stress of every American form on CMU's syllable, by source, where CMU has the
  word and counts as many syllables; the rules, which write only words CMU lacks, are measured
  on the words CMU has: their forms against CMU's, stress and whole form;
- the share of each hand-written held-out list (HELDOUT) that the tables print exactly,
  everyday and rarer words apart; --heldout-floor holds for each list. A list with a fourth
  column (the other forms learner's dictionaries print) also says how many first forms are
  among those.
Exits 1 below a floor, 77 (skipped) without the reference data.
"""

import argparse
import collections
import os
import sys

import american_ipa
import generate
import generate_american
import sources

SKIPPED = 77
HELDOUT = ("american_heldout.tsv", "american_heldout2.tsv", "american_heldout3.tsv",
           "american_heldout4.tsv", "american_heldout5.tsv", "american_heldout6.tsv",
           "american_heldout7.tsv", "american_heldout8.tsv")


def stress_agrees(codes, variants):
    """True or False where a CMU pronunciation has the form's syllables (two or more); None
    where none compares."""
    syllables, primaries, _ = american_ipa.profile(codes)
    results = []
    for phones in variants:
        theirs, their_primaries = american_ipa.cmu_primary(phones)
        if theirs == syllables and syllables > 1 and their_primaries:
            results.append(bool(primaries & their_primaries))
    return any(results) if results else None


def percent(part, whole):
    return 100.0 * part / whole if whole else 100.0


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    parser.add_argument("--stress-floor", type=float, default=0.0)
    parser.add_argument("--heldout-floor", type=float, default=0.0)
    args = parser.parse_args(argv)
    if not os.path.isfile(os.path.join(args.data, sources.CMUDICT)):
        print("american_report.py: skipped, %s not found" % sources.CMUDICT)
        return SKIPPED
    folder = os.path.join(sources.REPO, "sonabet")
    british = generate_american.british_entries(os.path.join(folder, "tables"))
    american = generate_american.british_entries(os.path.join(folder, "ustables"))
    cmu = generate_american.cmu_pronunciations(args.data)
    failed = False

    heads = {k: v for k, v in american.items() if k.lower() in cmu}
    reviewed = {row[0] for row in sources.tool_table(generate_american.REVIEWED)}

    spelled = generate_american.abbreviations()

    def source(key):
        if key in reviewed:
            return "reviewed"
        if key in spelled and american[key] == american_ipa.letters(key):
            return "letters"
        if key.lower() in cmu:
            return "cmu"
        made = generate_american.from_head(key, british, heads)
        if made and generate.written(generate_american.unique(made)) == american[key]:
            return "head"
        return "rules"

    sources_of = {k: source(k) for k in american}
    counts = collections.Counter(sources_of.values())
    dropped = len(british) - len(american)
    print("keys: %d; from CMU %d, of the head word's reading in CMU %d, by the rules alone %d "
          "(checked by eSpeak en-us, or of a reviewed British reading), letter by letter %d, "
          "written by a reviewer %d, dropped %d"
          % (len(british), counts["cmu"], counts["head"], counts["rules"], counts["letters"],
             counts["reviewed"], dropped))

    agree = collections.Counter()
    compared = collections.Counter()
    for key, transcription in american.items():
        variants = cmu.get(key.lower())
        if not variants:
            continue
        for form in generate.all_forms(transcription):
            result = stress_agrees(form, variants)
            if result is not None:
                compared[sources_of[key]] += 1
                agree[sources_of[key]] += result
    share = percent(agree["cmu"], compared["cmu"])
    print("primary stress on CMU's syllable, forms from CMU: %.2f%% of %d"
          % (share, compared["cmu"]))
    if share < args.stress_floor:
        print("  below the floor of %.2f%%" % args.stress_floor)
        failed = True

    # The rules on the words CMU has, with one British form.
    rules_compared = rules_stress = rules_same = rules_words = 0
    words = {k.lower(): v for k, v in british.items()}
    for key, transcription in british.items():
        forms = generate.all_forms(transcription)
        variants = cmu.get(key.lower())
        if not variants or len(forms) != 1:
            continue
        ruled = american_ipa.from_british(forms[0], key, words)
        rules_words += 1
        rules_same += ruled == american_ipa.from_cmu(variants[0], forms[0], key, words)
        result = stress_agrees(ruled, variants)
        if result is not None:
            rules_compared += 1
            rules_stress += result
    print("the rules on %d words CMU has: primary stress on CMU's syllable %.2f%% of %d, the "
          "whole form as from CMU %.2f%%"
          % (rules_words, percent(rules_stress, rules_compared), rules_compared,
             percent(rules_same, rules_words)))

    for name in HELDOUT:
        rows = sources.tool_table(name)
        right = collections.Counter()
        printed = collections.Counter()
        total = collections.Counter()
        wrong = []
        for group, word, expected, *others in rows:
            total[group] += 1
            forms = generate.all_forms(american.get(word, ""))
            also = [form.strip() for form in "".join(others).split(",") if form.strip()]
            if forms and forms[0] == expected:
                right[group] += 1
            elif forms and forms[0] in also:
                printed[group] += 1
            else:
                wrong.append("%s %s (tables: %s)" % (word, expected, american.get(word, "none")))
        for group in ("everyday", "rarer"):
            print("%s, %s words: %d of %d right (%.1f%%)"
                  % (name, group, right[group], total[group],
                     percent(right[group], total[group])))
        share = percent(sum(right.values()), sum(total.values()))
        print("%s, in all: %.1f%%" % (name, share))
        if printed:
            print("%s, first forms among the other forms dictionaries print: %d more, %.1f%%"
                  % (name, sum(printed.values()),
                     percent(sum(right.values()) + sum(printed.values()), sum(total.values()))))
        for line in wrong:
            print("  " + line)
        if share < args.heldout_floor:
            print("  below the floor of %.1f%%" % args.heldout_floor)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
