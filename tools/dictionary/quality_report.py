#!/usr/bin/python3
"""How well the dictionary writes the style of the syllabus, agrees with the second opinions
and covers the words users type.

    quality_report.py [--data DIR] [--floor PERCENT] [--alternatives-floor PERCENT]
                      [--composer-floor PERCENT] [--coverage-floor PERCENT]
                      [--stress-floor PERCENT] [--consonant-floor PERCENT]
                      [--suggestion-floor PERCENT] [--show N] [--espeak-cache FILE]

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
   does; the syllabus words quoted with an empty transcription and its misprints aside).
4. The cross-check (a generation in memory tells where each key comes from): per source, the
   share of keys of two syllables or more whose primary stress falls on the syllable CMU
   stresses (where both count the same vowels) and of keys whose consonants are CMU's (r and j
   aside), with the kinds of stress difference that remain; how many keys the check
   confirmed, repaired and dropped per source; composed forms and American spellings that are
   no words of the word lists (there must be none); the source keys dropped as misspellings;
   the keys with two pronunciations, every word of HETERONYMS among them; the keys a person
   reviewed (reviewed_entries.tsv) and what the reviews changed; and the share of the
   suggestion benchmark's 2,000 words whose suggestion (eSpeak's reading by the rules the
   program uses) equals the dictionary's entry.
Exits with 1 when a share is below its floor, with 77 (skipped) when the data or the tools are
not there.
"""

import argparse
import collections
import re
import os
import sys

import american
import coderules
import convert
import crosscheck
import evidence
import forms
import generate
import repairs
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
    for word, reference_forms in reference.items():
        expected = reference_text(reference_forms)
        # "toward(s)", "systematic(al)": a word with optional letters is looked up without them.
        spelt = re.sub(r"\([a-z]+\)$", "", word)
        converted, source = convert.pronunciations(spelt, britfone, ipadict)
        first = converted[0] if converted else None
        by_source[source or "none"] += 1
        if first == expected:
            agree += 1
            continue
        if first is not None and first in readings(reference_forms):
            alternative += 1
            continue
        if first is not None and set(_spelt_out(first)) & set(readings(reference_forms)):
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


# The rows of the comparison with CMU: the methods of the generator, gathered by where the
# transcription comes from; the first six are held to the floors.
SOURCE_ROWS = (("style reference", ("style", "corrected")), ("Britfone", ("britfone",)),
               ("ipa-dict", ("ipa-dict",)), ("composed forms", ("form",)),
               ("composed words", ("composed",)), ("American spellings", ("american",)),
               ("reviewed readings", ("reviewed",)), ("irregular forms", ("irregular",)),
               ("others", ("twin", "hand", "quoted", "letters", "heteronym", "espeak",
                           "number")))
FLOORED_ROWS = 6
# The kinds of stress difference with CMU that remain, by the spelling.
STRESS_KINDS = (
    ("-ary, -ory, -ery, -ony, -ily (British reduces the ending)",
     ("ary", "ory", "ery", "ony", "arily", "orily", "aries", "ories", "eries")),
    ("-ate verbs (British stresses -ate: donate, dictated)", crosscheck.ATE_ENDINGS),
    ("French words (British stresses the first syllable: garage, ballet)",
     crosscheck.FRENCH_ENDINGS),
)


def stress_kind(word, checker):
    for name, endings in STRESS_KINDS:
        if word.endswith(endings):
            return name
    if word.startswith(crosscheck.STEM_STRESS_PREFIXES):
        return "prefixed words (British stresses the stem: overheat, outdid)"
    if checker.compound(word):
        return "compounds (British stresses the first word: saltwater, aftershave)"
    return "other words"


def compare_with_cmu(groups, methods, checker):
    """Per row of SOURCE_ROWS: [stress compared, stress agreeing, consonants compared,
    consonants agreeing, stress differences by kind, examples]. Keys of one word (hyphens
    allowed) that CMU has; the first form of each transcription."""
    row_of = {m: name for name, ms in SOURCE_ROWS for m in ms}
    stats = collections.defaultdict(lambda: [0, 0, 0, 0, collections.Counter(),
                                             collections.defaultdict(list)])
    for entries in groups.values():
        for key, transcription in sorted(entries.items()):
            word = key.lower()
            if " " in word or word not in checker.cmu or not transcription.strip():
                continue
            row = stats[row_of.get(methods.get(key), "others")]
            ours = evidence.codes_profile(generate.first_form(transcription), word)
            stress = evidence.stress_against(ours, checker.cmu[word])
            if stress is not None:
                row[0] += 1
                row[1] += stress
                if not stress:
                    kind = stress_kind(word, checker)
                    row[4][kind] += 1
                    row[5][kind].append("%s %s" % (key, transcription))
            row[2] += 1
            row[3] += evidence.consonants_against(ours, checker.cmu[word])
    return stats


def heteronym_count(groups):
    """Keys of one word whose transcription holds two pronunciations or more."""
    return sum(1 for entries in groups.values() for key, t in entries.items()
               if " " not in key and len(generate.all_forms(t)) > 1)


def suggestion_sample(groups, reference_words):
    """The suggestion benchmark's sample: 2,000 keys of letters that the style reference lacks,
    spread evenly over the alphabet."""
    words = sorted((k, t.lstrip(" ")) for entries in groups.values() for k, t in entries.items()
                   if k.isascii() and k.isalpha() and k.islower() and k not in reference_words)
    if len(words) <= SUGGESTION_SAMPLE:
        return words
    return [words[i * len(words) // SUGGESTION_SAMPLE] for i in range(SUGGESTION_SAMPLE)]


SUGGESTION_SAMPLE = 2000


def suggestion_agreement(groups, data_dir):
    """(equal, sample size): eSpeak's reading of each word of the sample in our codes, by the
    rules the program's suggestion uses, against the dictionary's entry."""
    reference = {w.lower() for w in sources.style_reference_words(data_dir)}
    sample = suggestion_sample(groups, reference)
    names = evidence.espeak([w for w, _ in sample])
    equal = sum(1 for w, t in sample
                if w in names and coderules.codes_from_espeak(names[w], w) == t)
    return equal, len(sample)


def report_dictionary(args, groups, failed):
    """The figures of the cross-check: agreement with CMU per source, the verdicts, the word
    lists, the heteronyms, the suggestions."""
    builder = generate.Builder(args.data, args.espeak_cache)
    entries = builder.build()
    # A reading that follows a reviewed one (a form, a twin, a spelling) is measured with the
    # reviewed readings: a person chose its British stress, which CMU's American one may not be.
    methods = {k: ("reviewed" if k in builder.following else m) for k, (_, m) in entries.items()}
    stats = compare_with_cmu(groups, methods, builder.checker)
    print("agreement with CMU (stress: same vowel count, two syllables or more; consonants: r "
          "and j aside):")
    for n, (name, _) in enumerate(SOURCE_ROWS):
        row = stats[name]
        if not row[2]:
            continue
        stress = 100.0 * row[1] / row[0] if row[0] else 100.0
        consonants = 100.0 * row[3] / row[2]
        print("  %-20s stress %6d of %6d = %5.1f%%   consonants %6d of %6d = %5.1f%%"
              % (name, row[1], row[0], stress, row[3], row[2], consonants))
        for kind, count in row[4].most_common():
            print("      %5d %s: %s" % (count, kind, ", ".join(row[5][kind][: args.show])))
        if n < FLOORED_ROWS and stress < args.stress_floor:
            failed.append("stress agreement of %s %.1f%% is below the floor of %.1f%%"
                          % (name, stress, args.stress_floor))
        if n < FLOORED_ROWS and consonants < args.consonant_floor:
            failed.append("consonant agreement of %s %.1f%% is below the floor of %.1f%%"
                          % (name, consonants, args.consonant_floor))
    print("cross-check (confirmed, repaired, dropped) per source:")
    verdicts = collections.Counter(builder.verdicts.values())
    for source in generate.CHECKED_METHODS:
        print("  %-10s confirmed %6d  repaired %5d  dropped %5d  not a word %5d" % (
            source, verdicts[(source, crosscheck.CONFIRMED)],
            verdicts[(source, crosscheck.REPAIRED)], verdicts[(source, crosscheck.DROPPED)],
            verdicts[(source, "not a word")]))
    print("  %-10s %6d syllabus words that the check left without a transcription take "
          "eSpeak's" % ("espeak", sum(1 for m in methods.values() if m == "espeak")))
    outside = sorted(k for k, m in methods.items()
                     if m in ("form", "american") and not builder.is_word(k))
    print("composed forms and American spellings outside the word lists: %d" % len(outside))
    if outside:
        failed.append("not words: " + ", ".join(outside[:20]))
    print("source keys dropped as misspellings (in neither word list, nor in the syllabus or the "
          "frequency list): %d, for example %s"
          % (len(builder.misspellings), ", ".join(builder.misspellings[:: max(
              1, len(builder.misspellings) // (3 * args.show))][: 3 * args.show])))
    lacking = [w for w in HETERONYMS
               if len(generate.all_forms(client_lookup(groups, w))) < 2]
    print("heteronyms with two pronunciations or more: %d keys; of the list checked by hand "
          "(%s): %d of %d" % (heteronym_count(groups), ", ".join(HETERONYMS),
                              len(HETERONYMS) - len(lacking), len(HETERONYMS)))
    if lacking:
        failed.append("heteronyms with one pronunciation: " + ", ".join(lacking))
    report_families(args, groups, builder, failed)
    report_doubt(args, groups, builder, failed)
    report_reviewed(builder)
    report_rules(args, builder)
    equal, total = suggestion_agreement(groups, args.data)
    share = 100.0 * equal / total if total else 0.0
    print("suggestions equal to the dictionary's entry: %d of %d words = %.1f%%"
          % (equal, total, share))
    if share < args.suggestion_floor:
        failed.append("suggestion agreement %.1f%% is below the floor of %.1f%%"
                      % (share, args.suggestion_floor))


def families(groups):
    """(form, head, ending) for every lower-case key made of another key and an ending that
    keeps the head's stress or shifts it by rule (repairs.NEUTRAL_ENDINGS, SHIFTING_ENDINGS)."""
    keys = {k for entries in groups.values() for k in entries if k.isalpha() and k.islower()}
    out = []
    for key in sorted(keys):
        for ending, _ in repairs.NEUTRAL_ENDINGS + repairs.SHIFTING_ENDINGS:
            if key.endswith(ending) and len(key) - len(ending) >= 4:
                head = next((h for h in repairs._heads(key[: -len(ending)], ending)
                             if h in keys), None)
                if head:
                    out.append((key, head, ending))
                    break
    return out


def report_families(args, groups, builder, failed):
    """Forms against CMU's primary stress, and families that agree: a form and its head, a
    British and an American spelling."""
    lookup = lambda key: client_lookup(groups, key)
    pairs = families(groups)
    compared = agreeing = consistent = 0
    odd = []
    by_person = builder.following | {k for k, (_, m) in builder.entries.items() if m == "reviewed"}
    for key, head, ending in pairs:
        codes = generate.first_form(lookup(key))
        variants = builder.checker.cmu.get(key)
        # The floor holds the rules to CMU's stress; a person's British stress is not held to it.
        if variants and key not in by_person:
            stress = evidence.stress_against(evidence.codes_profile(codes, key), variants)
            if stress is not None:
                compared += 1
                agreeing += stress
        head_forms = generate.all_forms(lookup(head))
        if any(repairs.agrees_with_head(codes, f, ending) for f in head_forms):
            consistent += 1
        elif len(odd) < 3 * args.show:
            odd.append("%s %s (%s %s)" % (key, codes, head, lookup(head)))
    share = 100.0 * agreeing / compared if compared else 100.0
    print("forms with their heads (%d keys made of a key and an ending): primary stress on "
          "CMU's syllable %d of %d = %.1f%%" % (len(pairs), agreeing, compared, share))
    if share < args.form_stress_floor:
        failed.append("forms' stress agreement with CMU %.1f%% is below the floor of %.1f%%"
                      % (share, args.form_stress_floor))
    family = 100.0 * consistent / len(pairs) if pairs else 100.0
    spellings = [(key, us) for entries in groups.values() for key in entries
                 if key.islower() and key.isalpha()
                 for us in american.spellings(key, lambda w: generate.first_form(lookup(w))
                                              or None) if lookup(us)]
    alike = sum(1 for key, us in spellings if lookup(key) == lookup(us))
    print("  stressed as their heads (or as a shifting ending wants): %d of %d = %.1f%%, for "
          "example otherwise %s" % (consistent, len(pairs), family, ", ".join(odd)))
    print("  British and American spellings alike: %d of %d = %.1f%%"
          % (alike, len(spellings), 100.0 * alike / len(spellings) if spellings else 100.0))
    if family < args.family_floor:
        failed.append("family consistency %.1f%% is below the floor of %.1f%%"
                      % (family, args.family_floor))
    spelt_alike = 100.0 * alike / len(spellings) if spellings else 100.0
    if spelt_alike < args.family_floor:
        failed.append("British and American spellings alike %.1f%% is below the floor of "
                      "%.1f%%: %s" % (spelt_alike, args.family_floor, ", ".join(
                          "%s/%s" % pair for pair in spellings
                          if lookup(pair[0]) != lookup(pair[1]))[:300]))


def report_doubt(args, groups, builder, failed):
    """The keys marked uncertain: in all, and among the frequency list."""
    total = sum(len(g) for g in groups.values())
    uncertain = builder.uncertain
    share = 100.0 * len(uncertain) / total if total else 0.0
    frequent = sorted({w for w in sources.word_list(args.data, sources.FREQUENCY)
                       if w in uncertain})
    print("uncertain keys (one rule-made source, nothing independent): %d of %d = %.2f%%; "
          "of the frequency list %d%s" % (len(uncertain), total, share, len(frequent),
                                          (": " + ", ".join(frequent[:20])) if frequent else ""))
    reasons = collections.Counter(
        "a form, spelling or twin of an uncertain key" if builder.entries[k][1] in (
            "form", "american", "twin", "composed") else "%s's reading alone" % builder.entries[k][1]
        for k in uncertain)
    for reason, count in reasons.most_common():
        print("  %-46s %6d" % (reason, count))
    if share > args.uncertain_ceiling:
        failed.append("uncertain keys %.2f%% are above the ceiling of %.2f%%"
                      % (share, args.uncertain_ceiling))
    if frequent:
        failed.append("uncertain keys of the frequency list: " + ", ".join(frequent[:20]))


def review_change(before, after):
    """What a reviewed reading changed against the one it replaced, first forms compared: "the
    primary stress" (another syllable, or another count of them), "the consonants", "only
    vowels", or "nothing else" (a secondary stress, a second form, or nothing)."""
    (old_vowels, old_stress), (new_vowels, new_stress) = (
        generate.syllables(generate.first_form(t)) for t in (before, after))
    if old_stress != new_stress or len(old_vowels) != len(new_vowels):
        return "the primary stress"
    consonants = [[t for t in evidence.tokens(generate.first_form(text))
                   if t not in ("5", ",") and not evidence.is_vowel(t)]
                  for text in (before, after)]
    if consonants[0] != consonants[1]:
        return "the consonants"
    return "only vowels" if old_vowels != new_vowels else "nothing else"


REVIEW_CHANGES = ("the primary stress", "the consonants", "only vowels", "nothing else")


def report_reviewed(builder):
    """The keys whose reading a person reviewed, and what the review changed."""
    reviewed = sorted(k for k, (_, m) in builder.entries.items() if m == "reviewed")
    changes = collections.Counter(review_change(builder.replaced[k][0], builder.entries[k][0])
                                  for k in reviewed)
    print("reviewed keys (reviewed_entries.tsv): %d; against the reading each replaced, changed "
          "%s" % (len(reviewed), ", ".join("%s %d" % (c, changes[c]) for c in REVIEW_CHANGES)))
    print("  their forms, twins and spellings that follow them: %d" % len(builder.following))


def report_rules(args, builder):
    """Per repair rule: the readings it mended, and those where a source that contradicts the
    mended reading (CMU, else Wiktionary) won."""
    print("repair rules (readings mended, of them against CMU where Wiktionary stood by the "
          "rule; kept by the evidence against the rule):")
    names = [name for name, _, _ in builder.rules()]
    names += sorted(n for n in builder.rule_counts if n not in names)
    for name in names:
        won, held, overruled = builder.rule_counts.get(name, (0, 0, 0))
        print("  %-24s %6d %5d  %5d  %s" % (name, won, overruled, held, ", ".join(
            builder.rule_examples.get(name, [])[:2])))


# Words the syllabus has with two pronunciations, each in the tables with both.
HETERONYMS = ("present", "record", "object", "use", "minute", "content", "lead", "tear", "wind",
              "bow", "row", "house", "close", "excuse", "transfer", "project", "produce",
              "increase", "subject", "contract", "desert", "refuse", "separate")


# The floors ctest holds the figures to, each in per cent.
FLOORS = (
    ("--floor", "below this share of exact agreement"),
    ("--alternatives-floor", "below this share of agreement with alternatives"),
    ("--composer-floor", "when fewer composed forms equal the sources'"),
    ("--coverage-floor", "when less of the frequency list is found"),
    ("--stress-floor", "when the stress of a source agrees less with CMU's"),
    ("--consonant-floor", "when the consonants of a source agree less with CMU's"),
    ("--suggestion-floor", "when fewer suggestions equal the dictionary's entries"),
    ("--form-stress-floor", "when the stress of forms with their heads agrees less with CMU's"),
    ("--family-floor", "when fewer forms are stressed as their heads"),
)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default=sources.DEFAULT_DATA)
    for option, fails_when in FLOORS:
        parser.add_argument(option, type=float, default=0.0, help="fail " + fails_when)
    parser.add_argument("--uncertain-ceiling", type=float, default=100.0,
                        help="fail when more keys than this share are uncertain")
    parser.add_argument("--tables", default=os.path.join(sources.REPO, "sonabet", "tables"))
    parser.add_argument("--show", type=int, default=3, help="examples per kind of difference")
    parser.add_argument("--espeak-cache", metavar="FILE", help="as for generate.py")
    args = parser.parse_args(argv)
    if evidence.skipped("quality_report.py", args.data):
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
    misprints = {row[0] for row in sources.tool_table("syllabus_misprints.tsv")}
    syllabus = sources.word_list(args.data, sources.SYLLABUS)
    found, counted, lacking = coverage(groups, syllabus, quoted_empty | misprints)
    print("syllabus found through the lookup client: %d of %d = %.2f%% (%d quoted empty and "
          "%d misprints aside)" % (found, counted, 100.0 * found / counted, len(quoted_empty),
                                   len(misprints)))
    printed = [w for w in misprints if client_lookup(groups, w)]
    if printed:
        failed.append("misprints of the syllabus found: " + ", ".join(sorted(printed)))
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
    report_dictionary(args, groups, failed)
    for failure in failed:
        print(failure)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
