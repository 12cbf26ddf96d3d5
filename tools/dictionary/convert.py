"""IPA to the dictionary's phonetic codes, in the classic Daniel Jones style.

Three readers feed one writer: Britfone (one phoneme per blank, stress on the vowel), ipa-dict
(IPA run together, stress before the vowel, zero-width joiners inside diphthongs) and the style
reference of the examination syllabus (classic IPA, stress before the syllable). The readers
turn their notation into a list of phonemes; `codes_of` writes the phonemes as codes by the
rules of conversion_rules.txt (coderules.py), moving the stress marks to the start of their
syllables and writing the classic sounds, the syllabic consonants, the secondary stress and the
one-syllable words as the style does. The program's suggestions use the same rules.
"""

import re
import unicodedata

from coderules import CONSONANT, VOWEL, Phoneme, codes_of  # noqa: F401 (the converter's API)

# Modern and classic IPA symbols, both mapped to the dictionary codes of the vowels.
VOWEL_CODES = {
    "iː": "i:", "i": "i", "ɪ": "i", "e": "e", "ɛ": "e", "æ": "A", "ɜː": "E:", "əː": "E:",
    "ɜ": "E:", "ə": "E", "ɐ": "E", "ʌ": "Q", "ɑː": "a:", "ɑ": "a:", "ɒ": "R", "ɔ": "R",
    "ɔː": "R:", "ʊ": "u", "u": "u", "uː": "u:", "aɪ": "ai", "ai": "ai", "eɪ": "ei", "ei": "ei",
    "ɔɪ": "Ri", "ɔi": "Ri", "əʊ": "Eu", "əu": "Eu", "aʊ": "au", "au": "au", "ɪə": "iE",
    "iə": "iE", "ɛə": "/E", "eə": "/E", "ʊə": "uE", "uə": "uE", "a": "A",
}

CONSONANT_CODES = {
    "p": "p", "b": "b", "t": "t", "d": "d", "k": "k", "g": "g", "ɡ": "g", "f": "f", "v": "v",
    "s": "s", "z": "z", "h": "h", "m": "m", "n": "n", "l": "l", "r": "r", "ɹ": "r", "w": "w",
    "j": "j", "ʃ": "F", "∫": "F", "ʒ": "V", "tʃ": "tF", "t∫": "tF", "dʒ": "dV", "θ": "W",
    "ð": "T", "ŋ": "N",
}

# Britfone writes ʌ as ɐ; ipa-dict writes a reduced vowel as ɐ.
BRITFONE_OVERRIDES = {"ɐ": "Q"}

STRESS_MARKS = {"ˈ": 1, "ˌ": 2}


def _phoneme(symbol, stress, overrides=None):
    """The phoneme of one IPA symbol, or None when the symbol has no code."""
    if overrides and symbol in overrides:
        return Phoneme(overrides[symbol], VOWEL, stress)
    if symbol in VOWEL_CODES:
        return Phoneme(VOWEL_CODES[symbol], VOWEL, stress)
    if symbol in CONSONANT_CODES:
        return Phoneme(CONSONANT_CODES[symbol], CONSONANT, 0)
    return None


def from_britfone(text):
    """Phonemes of a Britfone pronunciation ("k w ˈɒ l ɪ t i"); None if a symbol is unknown."""
    phonemes = []
    for token in text.split():
        stress = STRESS_MARKS.get(token[0], 0)
        symbol = token[1:] if stress else token
        # An unstressed "ɪə" is mostly two syllables, i and a schwa ("appropriate").
        if symbol == "ɪə" and not stress:
            phonemes += [Phoneme("i", VOWEL), Phoneme("E", VOWEL)]
            continue
        phoneme = _phoneme(symbol, stress, BRITFONE_OVERRIDES)
        if phoneme is None:
            return None
        phonemes.append(phoneme)
    return phonemes


# Symbols of two characters in run-together IPA, longest first where one is a prefix.
_DIGRAPHS = ("tʃ", "t∫", "dʒ", "iː", "uː", "ɑː", "ɔː", "ɜː", "əː")
_DIPHTHONGS_DJ = ("ai", "ei", "ɔi", "əu", "au", "iə", "eə", "uə")


def _tokens(text, diphthongs):
    """Splits run-together IPA into symbols and stress marks."""
    tokens = []
    i = 0
    while i < len(text):
        pair = text[i:i + 2]
        if len(pair) == 2 and (pair in _DIGRAPHS or pair in diphthongs):
            tokens.append(pair)
            i += 2
        else:
            tokens.append(text[i])
            i += 1
    return tokens


def _from_tokens(tokens):
    phonemes = []
    stress = 0
    for token in tokens:
        if token in STRESS_MARKS:
            stress = STRESS_MARKS[token]
            continue
        phoneme = _phoneme(token, stress)
        if phoneme is None:
            return None
        phonemes.append(phoneme)
        if phoneme.kind == VOWEL:
            stress = 0
    return phonemes


def from_ipadict(text):
    """Phonemes of one ipa-dict pronunciation ("kwˈɒlɪti"); None if a symbol is unknown.

    Diphthongs are the pairs joined by a zero-width joiner; the stress mark stands before the
    vowel it belongs to."""
    text = unicodedata.normalize("NFC", text.strip().strip("/"))
    joined = set()
    for i, ch in enumerate(text):
        if ch == "\u200d" and 0 < i < len(text) - 1:
            joined.add(text[i - 1] + text[i + 1])
    plain = text.replace("\u200d", "")
    # A joined schwa and l is only a syllabic l; it stays two phonemes.
    return _from_tokens(_tokens(plain, {d for d in joined if d != "əl"}))


def style_codes(form):
    """The codes of one classic-style form ("ˈkwɔliti"), mark for mark and symbol for symbol;
    None if a symbol is unknown. Blanks inside a form are printing slips and are dropped."""
    out = []
    for token in _tokens(form.replace(" ", ""), _DIPHTHONGS_DJ):
        if token in STRESS_MARKS:
            out.append("5" if STRESS_MARKS[token] == 1 else ",")
        elif token in "()-":
            out.append(token)
        else:
            phoneme = _phoneme(token, 0)
            if phoneme is None:
                return None
            out.append(phoneme.code)
    return "".join(out)


# What the reviewers write: IPA as British learner's dictionaries print it, the stress mark
# before the syllable's onset. Only these vowels: a classic or American symbol ("ɔ", "ɛ",
# "a", "ɚ") is more likely a slip than a choice.
REVIEWED_VOWELS = {"iː", "ɪ", "i", "e", "æ", "ɑː", "ɒ", "ɔː", "ʊ", "u", "uː", "ʌ", "ɜː", "ə",
                   "eɪ", "aɪ", "ɔɪ", "əʊ", "aʊ", "ɪə", "eə", "ʊə"}
REVIEWED_CONSONANTS = {"p", "b", "t", "d", "k", "g", "ɡ", "f", "v", "s", "z", "h", "m", "n",
                       "l", "r", "w", "j", "ʃ", "ʒ", "tʃ", "dʒ", "θ", "ð", "ŋ"}
_DIPHTHONGS_MODERN = ("eɪ", "aɪ", "ɔɪ", "əʊ", "aʊ", "ɪə", "eə", "ʊə")
SYLLABIC_MARK = "\u0329"
# The consonants after which a written l or n that no vowel follows is syllabic, "ˈsiːkl",
# "ˈsevn": any for l but the liquids and glides; for n those learner's dictionaries print a
# syllabic n after ("ˈbʌtn"; "ˈəʊpən" is written with its schwa), so that "ˈsɪɡnl" is sɪɡ-nəl.
_BEFORE_SYLLABIC = {"l": REVIEWED_CONSONANTS - {"l", "r", "w", "j", "h"},
                    "n": {"t", "d", "s", "z", "ʃ", "ʒ", "tʃ", "dʒ", "f", "v", "θ", "ð"}}


def from_reviewed(text):
    """Phonemes of one reviewer's form ("ˌækrəʊˈmeɡəli"), or None where a symbol is not one
    learner's dictionaries print. A syllabic l or n, marked or not, gets the schwa the other
    sources write, so that the rules decide how the style writes it ("ˈsiːkl" as "ˈsiːkəl")."""
    text = unicodedata.normalize("NFC", text.strip())
    if len(text) > 1 and text.startswith("/") and text.endswith("/"):
        text = text[1:-1]
    if not text or any(c.isspace() for c in text):
        return None
    # A dot parts syllables (Cambridge's "ˈvɪd.i.əʊ"); the ɪ of "ˈvɪdɪəʊ" is no ɪə.
    text = re.sub("([ɪeʊ])(əʊ)", r"\1.\2", text)
    tokens = [t for t in _tokens(text, _DIPHTHONGS_MODERN) if t != "."]
    marked = [False] * len(tokens)
    for i, token in enumerate(tokens):
        if token == SYLLABIC_MARK:
            if i == 0 or tokens[i - 1] not in ("l", "n"):
                return None
            marked[i - 1] = True
    kept = [(t, m) for t, m in zip(tokens, marked) if t != SYLLABIC_MARK]
    if any(t not in REVIEWED_VOWELS | REVIEWED_CONSONANTS and t not in STRESS_MARKS
           for t, _ in kept):
        return None
    sounds = [t for t, _ in kept if t not in STRESS_MARKS]
    out = []
    for i, (token, mark) in enumerate(kept):
        if token in ("l", "n"):
            before = next((t for t, _ in reversed(kept[:i]) if t not in STRESS_MARKS), None)
            after = next((t for t, _ in kept[i + 1:] if t not in STRESS_MARKS), None)
            if mark or (before in _BEFORE_SYLLABIC[token] and after not in REVIEWED_VOWELS):
                out.append("ə")
        out.append(token)
    if not any(t in REVIEWED_VOWELS for t in sounds):
        return None
    return _from_tokens(out)


def reviewed_forms(text, word):
    """The codes of each form of a reviewer's reading ("ˈpaɪɒnz, ˈpaɪənz"), in order and
    without repeats, by the rules every source goes through; None if a form cannot be read."""
    forms = []
    for form in text.split(","):
        phonemes = from_reviewed(form)
        if not phonemes:
            return None
        codes = codes_of(phonemes, word)
        if codes not in forms:
            forms.append(codes)
    return forms


def _vowel_codes(phonemes):
    return [p.code for p in phonemes if p.kind == VOWEL]


# The letters that spell a consonant, for the consonants whose code is not its letter.
CONSONANT_LETTERS = {"k": ("k", "c", "q", "x"), "T": ("th",), "W": ("th",), "F": ("sh", "ti", "ci"),
                     "tF": ("ch", "t"), "dV": ("j", "g", "d"), "N": ("n",), "j": ("y",),
                     "s": ("s", "c", "x"), "z": ("z", "s", "x"), "V": ("s", "g")}


def _spelt_extra(fuller, other, spelling):
    """Whether fuller has every consonant of other and more, each of them spelt in the word."""
    extra = [p.code for p in fuller if p.kind == CONSONANT]
    for p in other:
        if p.kind == CONSONANT:
            if p.code not in extra:
                return False
            extra.remove(p.code)
    return bool(extra) and all(any(letters in spelling for letters in
                                   CONSONANT_LETTERS.get(code, (code,))) for code in extra)


def _variant_penalty(phonemes, variants=(), spelling=""):
    """How far a source's variant is from what the style prefers: the full form over the
    shortened one ("5histEri", not "5histri"; "5gQvEnmEnt", not "5gQvEmEnt"), a form with a
    stressed vowel (the strong "And" over "End"), i over e and ai in unstressed syllables
    ("di5rekFEn"), the older long vowel under the stress ("5lR:jE", "jR:z")."""
    vowels = [p for p in phonemes if p.kind == VOWEL]
    penalty = 0 if any(p.stress == 1 for p in vowels) or len(vowels) > 1 else 4
    penalty -= 3 * len(vowels)
    penalty += sum(1 for p in vowels if p.code in ("e", "R:", "ai") and not p.stress)
    # The older "5tisju:", "5vizjuEl" over "5tiFu:", "5viVuEl".
    penalty += sum(0.5 for p in phonemes if p.code in ("F", "V"))
    # The stressed diphthong of "again" over the short vowel.
    penalty -= sum(0.5 for p in vowels if p.code == "ei" and p.stress == 1)
    penalty -= sum(0.25 for p in vowels if p.code.endswith(":") and p.stress == 1)
    # Of forms with the same vowels, the one that keeps every consonant it spells ("frendFip";
    # not the k of "leNkW" nor the j of "5kAVjuEl").
    if any(v is not phonemes and _vowel_codes(v) == _vowel_codes(phonemes)
           and _spelt_extra(phonemes, v, spelling) for v in variants):
        penalty -= 0.1 * len(phonemes)
    # "bow", "row", "sow": of the two readings of -ow the style prints au first.
    if spelling.endswith("ow"):
        penalty -= sum(1 for p in vowels if p.code == "au")
    return penalty


def choose_variant(variants, spelling=""):
    """The variant the style would print first; the earliest among equals."""
    spelling = spelling.lower()
    return min(range(len(variants)),
               key=lambda i: (_variant_penalty(variants[i], variants, spelling), i))


# Endings whose schwa the style keeps although ipa-dict writes i: "possible" "5pRsEbl",
# "certain" "5sE:tEn", "separately" "5sepErEtli".
SCHWA_SPELLINGS = ("ible", "ibly", "ain", "ains", "ately")


def _slots(phonemes):
    """The vowels between consonants: one list per gap, the gap before the first consonant
    first."""
    slots = [[]]
    for p in phonemes:
        if p.kind == VOWEL:
            slots[-1].append(p)
        else:
            slots.append([])
    return slots


def fuse(britfone, ipadict, spelling=""):
    """Britfone's pronunciation with the fuller vowels of ipa-dict where both agree on every
    consonant: a schwa that Britfone leaves out ("5histri" becomes "5histEri") and an unstressed
    i where Britfone writes a schwa ("5tFikEn" becomes "5tFikin")."""
    consonants = [p for p in britfone if p.kind == CONSONANT]
    if [p.code for p in consonants] != [p.code for p in ipadict if p.kind == CONSONANT]:
        return britfone
    out = []
    # Gap n holds the vowels before consonant n; the last gap the vowels after the last one.
    for n, (mine, theirs) in enumerate(zip(_slots(britfone), _slots(ipadict))):
        if (len(mine) == 1 and len(theirs) == 1 and not mine[0].stress
                and mine[0].code == "E" and theirs[0].code == "i"
                and not (n >= len(consonants) - 2 and spelling.endswith(SCHWA_SPELLINGS))):
            mine = [Phoneme("i", VOWEL)]
        elif (not mine and 0 < n < len(consonants) and len(theirs) == 1
              and theirs[0].code == "E" and not theirs[0].stress):
            mine = [Phoneme("E", VOWEL)]
        out.extend(Phoneme(p.code, p.kind, p.stress) for p in mine)
        if n < len(consonants):
            out.append(consonants[n])
    return out


def pronunciations(word, britfone, ipadict):
    """The forms of a word from the pronunciation sources alone, the one the style would print
    first leading, and the name of the source; ([], None) when neither source has the word."""
    key = word.lower()
    variants = britfone.get(key)
    source = "britfone"
    if not variants:
        variants, source = ipadict.get(key), "ipa-dict"
    if not variants:
        return [], None
    first = choose_variant(variants, key)
    order = [first] + [i for i in range(len(variants)) if i != first]
    forms = []
    for n, i in enumerate(order):
        phonemes = variants[i]
        if n == 0 and source == "britfone" and key in ipadict:
            phonemes = fuse(phonemes, ipadict[key][0], key)
        codes = codes_of(phonemes, word)
        if codes not in forms:
            forms.append(codes)
    return forms, source
