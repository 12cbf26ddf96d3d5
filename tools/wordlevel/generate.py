#!/usr/bin/python3
"""Writes the reader's-level tables of the text annotator: the English words by their frequency,
from the frequency list in ../shared/data; the irregular forms with their head words, from
tools/dictionary/irregular_forms.tsv and tools/wordlevel/extra_forms.tsv; the words that only
look like a regular form of another word ("shed" is no past of "she": its sounds are not hers
and an ending's), by the dictionary's tables; and the words of the College English Test, band 4
and bands 4 and 6, from the syllabus lists in ../shared/data.

    generate.py [--data DIR] [--out DIR]     write voxscribe/core/text/wordfrequency.inc,
                                             voxscribe/core/text/irregularforms.inc and
                                             voxscribe/core/text/examwords.inc
    generate.py --check [--data DIR]         compare the committed tables with a fresh generation

The data is read each time and never copied into the repository; the tables are committed. The
same data gives the same tables byte for byte. --check exits with 0 when they are the same, 1 when
they differ, and 77 (skipped) when the frequency list is not there.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The dictionary generator's readers: where the data is, the names of its files, the tables.
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "dictionary"))
import sources  # noqa: E402
from generatedfiles import arguments, fresh_differences, literal  # noqa: E402

OUT = os.path.join(sources.REPO, "voxscribe", "core", "text")
FREQUENCY_TABLE = "wordfrequency.inc"
IRREGULAR_TABLE = "irregularforms.inc"
EXAM_TABLE = "examwords.inc"
CET4 = "wordlists/cet4-syllabus-transcriptions.tsv"
CET46 = "wordlists/cet-4-6-syllabus-words.txt"
# The band-4 list with transcriptions covers about 3,600 of the band's words and leaves out
# basic ones ("she", "water"): the syllabus words among the most frequent count as band 4 too,
# and the most frequent words ("i", "mr") as both bands.
BAND4_FREQUENT = 2000
BOTH_FREQUENT = 300

# The regular endings of voxscribe/core/text/wordlevel.cpp: ending, replacement, undoubles.
ENDINGS = (("ies", "y", False), ("es", "", False), ("s", "", False), ("ied", "y", False),
           ("ed", "", False), ("ed", "e", False), ("ed", "", True), ("ying", "ie", False),
           ("ing", "", False), ("ing", "e", False), ("ing", "", True), ("ier", "y", False),
           ("er", "", False), ("er", "e", False), ("er", "", True), ("iest", "y", False),
           ("est", "", False), ("est", "e", False), ("est", "", True), ("ily", "y", False),
           ("ly", "", False), ("ly", "le", False))
SHORTEST_HEAD = 3
# Only a short head is checked: there the endings' rules meet words of their own ("shed", "ever",
# "early"); a longer word's forms differ from it in an unstressed vowel at most, where the sources
# often disagree with each other ("accelerate", "accelerated").
SHORT_HEAD = 5
SKIPPED = 77


def frequent_words(path):
    """The distinct words of the list, lower case, most frequent first. The list gives a word
    once for each part of speech; its first place counts."""
    words = []
    seen = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            word = line.strip().lower()
            if word and word not in seen:
                seen.add(word)
                words.append(word)
    return words


def irregular_pairs(irregular, extra):
    """(form, head) for every irregular form, in file order, each pair once: the rows of
    irregular are kind, head and forms (a form may carry its codes after a colon), those of extra
    a form and its head."""
    rows = [(fields[1], fields[2:]) for fields in irregular]
    rows += [(fields[1], fields[:1]) for fields in extra]
    pairs = []
    for head, forms in rows:
        head = head.lower()
        for form in forms:
            form = form.split(":")[0].strip().lower()
            if form and form != head and (form, head) not in pairs:
                pairs.append((form, head))
    return pairs


def dictionary_forms():
    """Every single-word key of the dictionary's tables in lower case with its sounds: each form
    without stress marks, blanks and wrapping slashes."""
    import glob
    import re
    result = {}
    pattern = re.compile(r'^\s*u"((?:[^"\\]|\\.)*)" u"((?:[^"\\]|\\.)*)"', re.M)
    for path in sorted(glob.glob(os.path.join(sources.REPO, "sonabet", "tables", "group_*.inc"))):
        with open(path, encoding="utf-8") as f:
            for key, codes in pattern.findall(f.read()):
                if " " in key:
                    continue
                bare = codes.strip().strip("/")
                forms = [re.sub(r"[5,()/ -]", "", f) for f in re.split(r",?\s+", bare) if f]
                result.setdefault(key.lower(), set()).update(f for f in forms if f)
    return result


def regular_heads(word):
    heads = []
    for ending, replacement, undoubles in ENDINGS:
        if len(word) <= len(ending) or not word.endswith(ending):
            continue
        stem = word[:-len(ending)]
        if undoubles:
            if len(stem) < 2 or stem[-1] != stem[-2] or stem[-1] in "aeiouy":
                continue
            stem = stem[:-1]
        head = stem + replacement
        if len(head) >= SHORTEST_HEAD and head not in heads:
            heads.append(head)
    return heads


def begins_with(word, head):
    """Whether a form's sounds begin as its head's do: the first three sounds (codes, a vowel's
    length aside) alike, or all of a shorter head's. Only the beginning: an ending may change the vowels after it
    ("century" 5sentFuri, "centuries" 5sentFEriz), while "shed" (Fed) differs from "she" (Fi:)
    at once."""
    word, head = word.replace(":", ""), head.replace(":", "")
    common = len(os.path.commonprefix([word, head]))
    return common >= min(len(head), 3)


def false_heads(words):
    """(word, head) where the ending rules find a short head of the frequency list whose sounds
    the word's do not begin with: both in the dictionary, no form of the word starting with a form of
    the head."""
    sounds = dictionary_forms()
    listed = set(words)
    pairs = []
    for word in sorted(sounds):
        for head in regular_heads(word):
            if len(head) > SHORT_HEAD or head not in listed or head not in sounds:
                continue
            if not any(begins_with(w, h) for w in sounds[word] for h in sounds[head]):
                pairs.append((word, head))
    return pairs


def exam_words(data, words):
    band4 = []
    with open(os.path.join(data, CET4), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#") and line.strip():
                band4.append(line.split("\t")[0].strip().lower())
    both = []
    with open(os.path.join(data, CET46), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#") and line.strip():
                both.append(line.strip().lower())
    frequent = set(words[:BAND4_FREQUENT])
    common = words[:BOTH_FREQUENT]
    four = sorted(set(band4) | {w for w in both if w in frequent} | set(common))
    six = sorted(set(band4) | set(both) | set(common))
    return four, six


def write_tables(data, out):
    words = frequent_words(os.path.join(data, sources.FREQUENCY))
    with open(os.path.join(out, FREQUENCY_TABLE), "w", encoding="utf-8", newline="\n") as f:
        f.write("// Generated by tools/wordlevel/generate.py from ../shared/data/%s\n"
                "// (English words in falling order of frequency: facts); do not edit by hand.\n"
                "// Its %d distinct words, lower case, most frequent first, one a line (UTF-8).\n"
                "constexpr char kFrequentWords[] =\n" % (sources.FREQUENCY, len(words)))
        f.write(literal(words))
    pairs = irregular_pairs(sources.tool_table("irregular_forms.tsv"),
                            sources.tool_table("extra_forms.tsv", HERE))
    with open(os.path.join(out, IRREGULAR_TABLE), "w", encoding="utf-8", newline="\n") as f:
        f.write("// Generated by tools/wordlevel/generate.py from tools/dictionary/irregular_forms.tsv and\n"
                "// tools/wordlevel/extra_forms.tsv; do not edit by hand. Every irregular form with its\n"
                "// head word, \"form head\" a line; a form of two head words (\"lives\": life, live) has\n"
                "// a line for each.\n"
                "constexpr char kIrregularForms[] =\n")
        f.write(literal(["%s %s" % pair for pair in pairs]))
        false = false_heads(words)
        f.write("// The words that the regular endings would give a head word of the frequency list\n"
                "// they are no form of, by the dictionary's sounds (sonabet/tables): \"word head\" a line.\n"
                "constexpr char kFalseHeads[] =\n")
        f.write(literal(["%s %s" % pair for pair in false]))
    four, six = exam_words(data, words)
    with open(os.path.join(out, EXAM_TABLE), "w", encoding="utf-8", newline="\n") as f:
        f.write("// Generated by tools/wordlevel/generate.py from ../shared/data/%s and\n"
                "// ../shared/data/%s (the College English Test syllabus\n"
                "// word lists: facts) and the frequency list; do not edit by hand. The words a reader of\n"
                "// band 4 (%d) and of bands 4 and 6 (%d) knows, one a line: the band-4 list, the\n"
                "// syllabus words among the %d most frequent, and the %d most frequent of all.\n"
                % (CET4, CET46, len(four), len(six), BAND4_FREQUENT, BOTH_FREQUENT))
        f.write("constexpr char kBand4Words[] =\n")
        f.write(literal(four))
        f.write("constexpr char kBand6Words[] =\n")
        f.write(literal(six))


def main(argv):
    args = arguments(argv, __doc__, OUT, sources.FREQUENCY)
    if args is None:
        return SKIPPED
    if not args.check:
        write_tables(args.data, args.out)
        return 0
    _, differ = fresh_differences(lambda fresh: write_tables(args.data, fresh), args.out,
                                  (FREQUENCY_TABLE, IRREGULAR_TABLE, EXAM_TABLE))
    if differ:
        for name in differ:
            print("differs from a fresh generation: voxscribe/core/text/%s" % name)
        print("run tools/wordlevel/generate.py and commit the tables")
        return 1
    print("the reader's-level tables equal a fresh generation byte for byte")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
