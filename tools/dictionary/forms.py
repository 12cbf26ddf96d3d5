"""Word forms composed by the rules of English from a head word's spelling and codes.

Each rule gives the spelling of the form (doubled consonant, y to i, silent e) and its codes
(the ending chosen by the head's final sound). The generator uses them only where the
pronunciation sources lack the form; irregular forms come from irregular_forms.tsv.
"""

import coderules

VOWEL_LETTERS = "aeiou"
# The rules' vowel codes and the older "o", longest first; the characters they begin with.
VOWEL_CODES = tuple(sorted(coderules.RULES.vowels + ["o"], key=len, reverse=True))
VOWEL_STARTS = "".join(sorted({v[0] for v in VOWEL_CODES}))
SIBILANTS = ("s", "z", "F", "V", "tF", "dV")
VOICELESS = ("p", "t", "k", "f", "W", "s", "F", "tF")
# Codes of a final vowel that an r in the spelling follows: the r is heard again before a
# vowel of the ending ("enter" "5entE", "entering" "5entEriN").
R_VOWELS = ("E", "E:", "a:", "R:", "iE", "/E", "uE", "auE", "aiE")

# The endings, by name: what the spelling adds.
ENDINGS = ("s", "ed", "ing", "er", "est", "ly")


def _last_sound(codes):
    """The head's last sound: a vowel code, or the last consonant code (two-code sounds whole)."""
    for sound in ("tF", "dV"):
        if codes.endswith(sound):
            return sound
    for vowel in VOWEL_CODES:
        if codes.endswith(vowel):
            return vowel
    return codes[-1:]


def _vowel_count(codes):
    count, i = 0, 0
    while i < len(codes):
        vowel = next((v for v in VOWEL_CODES if codes.startswith(v, i)), None)
        if vowel:
            count += 1
            i += len(vowel)
        else:
            i += 1
    return count


def _final_syllable_stressed(codes):
    """Whether the last syllable carries the stress: a word of one syllable, or a primary mark
    with one vowel after it ("re5fer", not "5vizit")."""
    if "5" not in codes:
        return _vowel_count(codes) == 1
    return _vowel_count(codes[codes.rindex("5"):]) == 1


def doubles(head, codes):
    """Whether the head doubles its last consonant before a vowel ending: one vowel letter and
    one consonant at the end, in a stressed syllable ("stop", "refer"; not "visit", "open")."""
    w = head
    if len(w) < 3 or w[-1] in VOWEL_LETTERS + "wxy":
        return False
    if w[-2] not in VOWEL_LETTERS or w[-3] in VOWEL_LETTERS:
        # "qu" counts as a consonant: "quit", "quitting".
        if not (w[-3] == "u" and len(w) > 3 and w[-4] == "q"):
            return False
    return _final_syllable_stressed(codes)


def spelling(head, ending, codes):
    """The spelling of a regular form of the head."""
    w = head
    consonant_y = len(w) > 1 and w.endswith("y") and w[-2] not in VOWEL_LETTERS
    if ending == "s":
        if w.endswith(("s", "x", "z", "ch", "sh")):
            return w + "es"
        return w[:-1] + "ies" if consonant_y else w + "s"
    if ending == "ly":
        if consonant_y:
            return w[:-1] + "ily"
        if w.endswith("le") and len(w) > 3 and w[-3] not in VOWEL_LETTERS:
            return w[:-1] + "y"
        if w.endswith("ic"):
            return w + "ally"
        if w.endswith("ll"):
            return w + "y"
        return w + "ly"
    # The vowel endings: -ed, -ing, -er, -est.
    suffix = {"ed": "ed", "ing": "ing", "er": "er", "est": "est"}[ending]
    if ending == "ing":
        if w.endswith("ie"):
            return w[:-2] + "ying"
        if w.endswith("e") and not w.endswith(("ee", "ye", "oe")) and len(w) > 2:
            return w[:-1] + "ing"
        return (w + w[-1] if doubles(w, codes) else w) + "ing"
    if w.endswith("e"):
        return w + suffix[1:]
    if consonant_y:
        return w[:-1] + "i" + suffix
    return (w + w[-1] if doubles(w, codes) else w) + suffix


def _stressed(codes):
    """A form of two syllables or more carries a mark where its head of one syllable had none."""
    if "5" in codes or _vowel_count(codes) < 2:
        return codes
    return "5" + codes


def sounds(head, ending, codes):
    """The codes of a regular form of the head, from the head's first form."""
    last = _last_sound(codes)
    linking = "r" if head.endswith(("r", "re")) and last in R_VOWELS else ""
    if ending == "s":
        if last in SIBILANTS:
            return _stressed(codes + "iz")
        return codes + ("s" if last in VOICELESS else "z")
    if ending == "ed":
        if last in ("t", "d"):
            return _stressed(codes + "id")
        return codes + ("t" if last in VOICELESS else "d")
    if ending == "ly":
        if head.endswith("ic"):
            return codes + "Eli"
        if (head.endswith("le") and codes.endswith("l") and len(head) > 3
                and head[-3] not in VOWEL_LETTERS):
            return codes + "i"
        # "dull" "dQl", "dully" "5dQli"; "careful", "carefully": the l is heard once.
        if head.endswith("l") and codes.endswith("l"):
            return _stressed(codes + "i")
        if head.endswith("y") and codes.endswith("i"):
            return _stressed(codes[:-1] + "ili")
        return _stressed(codes + "li")
    added = {"ing": "iN", "er": "E", "est": "ist"}[ending]
    # "continue" "kEn5tinju:", "continuing" "kEn5tinjuiN": an unstressed u: spelt "ue" is
    # short before a vowel ("reviewing" keeps it).
    if codes.endswith("u:") and head.endswith("ue") and _vowel_count(codes) > 1:
        codes = codes[:-1]
    # "level" "5levl", "levelling" "5levEliN": before -ing and -est the syllabic l of a
    # written vowel gets its schwa back; "couple", "coupling" "5kQpliN" keeps it syllabic.
    if (ending != "er" and head.endswith("l") and len(head) > 2 and head[-2] in VOWEL_LETTERS
            and codes.endswith("l") and len(codes) > 1 and codes[-2] not in VOWEL_STARTS + ":"):
        codes = codes[:-1] + "El"
    return _stressed(codes + linking + added)


def compose(head, ending, codes):
    """(spelling, codes) of a regular form; codes is the head's first form."""
    return spelling(head, ending, codes), sounds(head, ending, codes)
