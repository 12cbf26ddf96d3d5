#!/usr/bin/python3
"""Writes the context model of the text annotator, voxscribe/core/text/contextmodel.inc: which reading
(noun, adjective, verb, past) a word of several pronunciations has in its sentence, learnt from
the part-of-speech tags of the UD English Web Treebank in ../shared/data, and the heteronyms of
tools/context/heteronyms.tsv with the reading of each form.

    generate.py [--data DIR] [--out DIR]     write the table and print how well it reads the
                                             treebank's own heteronyms
    generate.py --check [--data DIR]         compare the committed table with a fresh generation

The table holds:
  C  the word classes the model sees a neighbour as (a determiner, a modal, a noun...);
  W  the treebank's words with their most frequent class, S  endings that give a class to a word
     the treebank lacks;
  F  for each neighbour's place and class, the weight it gives each reading (naive Bayes, log
     probabilities times 100): p1 the word before, p2 the one before that, n1 the word after,
     pn the word before and the word after together; U  the weight of a class a place never
     showed;
  H  each heteronym: its forms by reading ("shift": the noun and adjective the form stressed on
     its first syllable) and the share of each reading of the word in the treebank.

Every heteronym is checked against the dictionary's tables (sonabet/tables) and CMU: a named
form must be one of the word's stored forms, a "shift" word must have a form stressed on the
first syllable and one stressed later, as CMU's two readings are. The data is read each time,
never copied; the same data gives the same table byte for byte. --check exits with 0 when the
table is the same, 1 when it differs or a heteronym fails its check, 77 (skipped) when the
treebank is not there.
"""

import collections
import glob
import math
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "dictionary"))
import sources  # noqa: E402
from generatedfiles import arguments, fresh_differences, literal  # noqa: E402

OUT = os.path.join(sources.REPO, "voxscribe", "core", "text")
TABLE = "contextmodel.inc"
TREEBANK = "ud-english-ewt/ewt-tokens.tsv"
SKIPPED = 77
LEXICON_MIN_COUNT = 2
PRIOR_WEIGHT = 4
READINGS = ("N", "A", "V", "D")

# Classes of a neighbour, by the treebank's Penn tags and, for the closed classes, by the word.
CLASSES = ("END", "DET", "POSS", "SUBJ", "OBJ", "MODAL", "BE", "HAVE", "DO", "TO", "ADP",
           "ADJ", "NOUN", "NOUNS", "NAME", "VERB", "PAST", "ING", "ADV", "NOT", "CONJ", "SCONJ", "NUM",
           "WH", "OTHER")
SUBJECTS = {"i", "we", "they", "he", "she", "you", "it"}
OBJECTS = {"me", "us", "them", "him", "her"}
BE = {"be", "is", "are", "am", "was", "were", "been", "being", "'s", "'re", "'m"}
HAVE = {"have", "has", "had", "having", "'ve"}
DO = {"do", "does", "did"}
NOT = {"not", "n't", "never"}
# Endings of words the treebank lacks, longest first where they overlap.
SUFFIXES = (("ness", "NOUN"), ("ment", "NOUN"), ("tion", "NOUN"), ("sion", "NOUN"),
            ("ity", "NOUN"), ("ance", "NOUN"), ("ence", "NOUN"), ("ship", "NOUN"),
            ("ism", "NOUN"), ("ist", "NOUN"), ("ous", "ADJ"), ("ful", "ADJ"), ("ive", "ADJ"),
            ("able", "ADJ"), ("ible", "ADJ"), ("ical", "ADJ"), ("less", "ADJ"), ("ly", "ADV"),
            ("ing", "ING"), ("ed", "PAST"), ("ize", "VERB"), ("ise", "VERB"), ("ify", "VERB"),
            ("ss", "NOUN"), ("us", "NOUN"), ("is", "NOUN"), ("s", "NOUNS"))


def reading_of(upos, xpos):
    """The reading a heteronym's form goes with, or None."""
    if xpos in ("NN", "NNS"):
        return "N"
    if xpos in ("JJ", "JJR", "JJS", "RB"):
        return "A"
    if upos in ("VERB", "AUX") and xpos in ("VB", "VBP", "VBZ"):
        return "V"
    if upos in ("VERB", "AUX") and xpos in ("VBD", "VBN"):
        return "D"
    return None


# The classes a word's universal part of speech alone decides.
UPOS_CLASSES = {"SCONJ": "SCONJ", "ADP": "ADP", "CCONJ": "CONJ", "NUM": "NUM", "PROPN": "NAME",
                "ADJ": "ADJ", "ADV": "ADV"}


def class_of(word, upos, xpos):
    """The class of a treebank token."""
    if upos in ("PUNCT", "SYM") and word not in ("$", "%"):
        return "END"
    if word in NOT:
        return "NOT"
    if xpos == "PRP$" or xpos == "POS":
        return "POSS"
    if xpos == "PRP":
        return "OBJ" if word in OBJECTS else "SUBJ"
    if xpos == "MD" or word in ("'ll", "'d"):
        return "MODAL"
    if upos in ("AUX", "VERB"):
        if word in BE:
            return "BE"
        if word in HAVE:
            return "HAVE"
        if word in DO:
            return "DO"
    if xpos == "TO":
        return "TO"
    if xpos in ("DT", "PDT") or upos == "DET":
        return "DET"
    if xpos.startswith("W"):
        return "WH"
    if upos == "NOUN":
        return "NOUNS" if xpos == "NNS" else "NOUN"
    if upos in ("VERB", "AUX"):
        if xpos in ("VBD", "VBN"):
            return "PAST"
        if xpos == "VBG":
            return "ING"
        return "VERB"
    return UPOS_CLASSES.get(upos, "OTHER")


def treebank(data):
    """The sentences, each a list of (word in lower case, UPOS, XPOS)."""
    sentences, current = [], []
    with open(os.path.join(data, TREEBANK), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line:
                if current:
                    sentences.append(current)
                current = []
                continue
            word, upos, xpos = line.split("\t")
            current.append((word.lower(), upos, xpos))
    if current:
        sentences.append(current)
    return sentences


def lexicon(sentences):
    counts = collections.defaultdict(collections.Counter)
    for sentence in sentences:
        for word, upos, xpos in sentence:
            if re.fullmatch(r"[a-z][a-z'.-]*|'[a-z]+|n't", word):
                counts[word][class_of(word, upos, xpos)] += 1
    result = {}
    for word, classes in counts.items():
        if sum(classes.values()) >= LEXICON_MIN_COUNT:
            # The most frequent class; ties to the earlier class of CLASSES.
            result[word] = min(classes, key=lambda c: (-classes[c], CLASSES.index(c)))
    return result


def word_class(word, words):
    """A word's class as the program sees it: the treebank's, else by its ending. The program
    splits no contractions: "don't" is a NOT, "we'll" a MODAL."""
    if word in words:
        return words[word]
    if "'" in word[1:]:
        ending = "n't" if word.endswith("n't") else word[word.index("'", 1):]
        return words.get(ending, "OTHER")
    for ending, cls in SUFFIXES:
        if word.endswith(ending) and len(word) > len(ending) + 2:
            return cls
    return "NOUN"


def neighbours(sentence, i, words):
    """The classes of the word before, the one before that and the word after, as the program
    sees them: from the words alone, END at a sentence's edge or punctuation."""
    def at(j):
        if j < 0 or j >= len(sentence):
            return "END"
        word, upos, _ = sentence[j]
        if upos == "PUNCT" or not re.search(r"[a-z]", word):
            return "END"
        return word_class(word, words)
    p1 = at(i - 1)
    p2 = "END" if p1 == "END" else at(i - 2)
    return p1, p2, at(i + 1)


def features(p1, p2, n1):
    return ("p1:" + p1, "p2:" + p2, "n1:" + n1, "pn:%s/%s" % (p1, n1))


def train(sentences, words, keys):
    """Naive Bayes over the readings of the words the treebank reads two ways (noun and verb,
    present and past) and of the heteronyms."""
    readings = collections.defaultdict(collections.Counter)
    for sentence in sentences:
        for word, upos, xpos in sentence:
            reading = reading_of(upos, xpos)
            if reading:
                readings[word][reading] += 1
    ambiguous = {w for w, r in readings.items()
                 if w in keys or (r["N"] + r["A"] >= 2 and r["V"] + r["D"] >= 2)
                 or (r["V"] >= 2 and r["D"] >= 2)}
    totals = collections.Counter()
    counts = collections.defaultdict(collections.Counter)
    for sentence in sentences:
        for i, (word, upos, xpos) in enumerate(sentence):
            reading = reading_of(upos, xpos)
            if reading is None or word not in ambiguous:
                continue
            totals[reading] += 1
            for feature in features(*neighbours(sentence, i, words)):
                counts[feature][reading] += 1
    weights = {}
    for feature in sorted(counts):
        # Laplace smoothing over the values a feature of that kind can take.
        kind = feature.split(":")[0]
        values = len(CLASSES) ** (2 if kind == "pn" else 1)
        weights[feature] = [round(100 * math.log((counts[feature][r] + 1) / (totals[r] + values)))
                            for r in READINGS]
    # A feature never seen weighs what an unseen value weighs for each reading.
    unseen = {}
    for kind in ("p1", "p2", "n1", "pn"):
        values = len(CLASSES) ** (2 if kind == "pn" else 1)
        unseen[kind] = [round(100 * math.log(1 / (totals[r] + values))) for r in READINGS]
    total = sum(totals.values())
    shares = {r: totals[r] / total for r in READINGS}
    return weights, unseen, readings, shares


def key_prior(counts, shares):
    """A heteronym's own share of each reading in the treebank, drawn towards the share of all
    the words read two ways (as if it had been seen PRIOR_WEIGHT times more); log times 100."""
    total = sum(counts[r] for r in READINGS)
    return [round(100 * math.log((counts[r] + PRIOR_WEIGHT * shares[r]) / (total + PRIOR_WEIGHT)))
            for r in READINGS]


def dictionary_forms():
    """Every key of the dictionary's tables with its forms, blanks and wrapping slashes gone."""
    result = {}
    pattern = re.compile(r'^\s*u"((?:[^"\\]|\\.)*)" u"((?:[^"\\]|\\.)*)"', re.M)
    for path in sorted(glob.glob(os.path.join(sources.REPO, "sonabet", "tables", "group_*.inc"))):
        with open(path, encoding="utf-8") as f:
            for key, codes in pattern.findall(f.read()):
                bare = codes.strip()
                if len(bare) > 1 and bare.startswith("/") and bare.endswith("/"):
                    bare = bare[1:-1]
                result[key] = [form for form in re.split(r",?\s+", bare.strip()) if form]
    return result


def stressed_first(form):
    """Whether a form bears its primary stress on its first syllable."""
    return form.startswith("5") or "5" not in form


def cmu_stresses(data):
    """Word -> the syllable (from 0) of the primary stress of each of CMU's readings."""
    result = collections.defaultdict(list)
    for line in sources._lines(data, sources.CMUDICT):
        word, _, phones = line.partition("  ")
        word = re.sub(r"\(\d+\)$", "", word).lower()
        vowels = [p for p in phones.split() if p[-1].isdigit()]
        for i, vowel in enumerate(vowels):
            if vowel.endswith("1"):
                result[word].append(i)
                break
    return result


def heteronyms(data, problems):
    """(key, description) for each row of heteronyms.tsv, checked."""
    forms = dictionary_forms()
    stresses = cmu_stresses(data)
    rows, confirmed = [], []
    for fields in sources.tool_table("heteronyms.tsv", HERE):
        key, description = fields[0], fields[1]
        stored = forms.get(key, [])
        if len(stored) < 2:
            problems.append("%s: the dictionary holds one form (%s)" % (key, " ".join(stored)))
        if description == "shift":
            if not any(stressed_first(f) for f in stored) or all(stressed_first(f) for f in stored):
                problems.append("%s: no form stressed first and one later: %s" % (key, stored))
            # CMU lacks many second readings; where it gives two, they differ in the stress.
            if len(stresses.get(key, [])) > 1 and len(set(stresses[key])) < 2:
                problems.append("%s: CMU reads it with one stress only" % key)
            confirmed.append(len(set(stresses.get(key, []))) > 1)
        else:
            for part in description.split():
                name, _, codes = part.partition("=")
                if name not in READINGS + ("first",) or codes not in stored:
                    problems.append("%s: %s is none of its forms %s" % (key, part, stored))
        rows.append((key, description))
    return rows, confirmed


def evaluate(sentences, words, weights, unseen, rows, readings, shares):
    """How often the model gives a heteronym of the treebank the form of its gold reading."""
    # Only the words whose forms differ by reading; one with a first form alone has nothing to read.
    priors = {key: key_prior(readings[key], shares) for key, description in rows
              if not description.startswith("first=")}
    right = total = 0
    for sentence in sentences:
        for i, (word, upos, xpos) in enumerate(sentence):
            gold = reading_of(upos, xpos)
            if word not in priors or gold is None:
                continue
            score = list(priors[word])
            for feature in features(*neighbours(sentence, i, words)):
                row = weights.get(feature, unseen[feature.split(":")[0]])
                score = [s + w for s, w in zip(score, row)]
            chosen = READINGS[score.index(max(score))]
            noun_like = {"N": 0, "A": 0, "V": 1, "D": 1}
            total += 1
            right += noun_like[chosen] == noun_like[gold] and (word != "read" or chosen == gold)
    return right, total


def write_table(data, out, report):
    problems = []
    sentences = treebank(data)
    rows, confirmed = heteronyms(data, problems)
    words = lexicon(sentences)
    weights, unseen, readings, shares = train(sentences, words, {key for key, _ in rows})
    lines = ["C " + " ".join(CLASSES)]
    lines += ["W %s %s" % (w, words[w]) for w in sorted(words)]
    lines += ["S %s %s" % pair for pair in SUFFIXES]
    lines += ["F %s %s" % (f, " ".join(map(str, w))) for f, w in sorted(weights.items())]
    lines += ["U %s %s" % (k, " ".join(map(str, w))) for k, w in sorted(unseen.items())]
    lines += ["H %s %s %s" % (key, " ".join(map(str, key_prior(readings[key], shares))),
                              description)
              for key, description in rows]
    with open(os.path.join(out, TABLE), "w", encoding="utf-8", newline="\n") as f:
        f.write("// Generated by tools/context/generate.py from tools/context/heteronyms.tsv and\n"
                "// ../shared/data/%s: Universal Dependencies English Web Treebank\n"
                "// (UD_English-EWT), CC BY-SA 4.0, annotations (c) 2013-2021 the UD English EWT\n"
                "// contributors; this table, learnt from it, is under the same licence. Do not edit\n"
                "// by hand: %d words, %d weights, %d heteronyms.\n"
                "constexpr char kContextModel[] =\n" % (TREEBANK, len(words), len(weights),
                                                       len(rows)))
        f.write(literal(lines))
    if report:
        print("heteronyms: %d, stress-shift pairs with both of CMU's stresses: %d of %d"
              % (len(rows), sum(confirmed), len(confirmed)))
        right, total = evaluate(sentences, words, weights, unseen, rows, readings, shares)
        print("heteronyms of the treebank read right: %d of %d (%.1f%%)"
              % (right, total, 100.0 * right / max(total, 1)))
    return problems


def main(argv):
    args = arguments(argv, __doc__, OUT, TREEBANK)
    if args is None:
        return SKIPPED
    if not args.check:
        problems = write_table(args.data, args.out, True)
        for problem in problems:
            print("heteronym: " + problem)
        return 1 if problems else 0
    problems, differ = fresh_differences(lambda fresh: write_table(args.data, fresh, False),
                                         args.out, (TABLE,))
    for problem in problems:
        print("heteronym: " + problem)
    if differ:
        print("differs from a fresh generation: voxscribe/core/text/%s" % TABLE)
        print("run tools/context/generate.py and commit the table")
    if problems or differ:
        return 1
    print("the context model equals a fresh generation byte for byte")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
