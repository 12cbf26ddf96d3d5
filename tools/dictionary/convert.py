"""IPA to the dictionary's phonetic codes, in the classic Daniel Jones style.

Three readers feed one writer: Britfone (one phoneme per blank, stress on the vowel), ipa-dict
(IPA run together, stress before the vowel, zero-width joiners inside diphthongs) and the style
reference of the examination syllabus (classic IPA, stress before the syllable). The readers
turn their notation into a list of phonemes; `codes_of` writes the phonemes as codes, moving
the stress marks to the start of their syllables and writing the syllabic consonants, the
secondary stress and the one-syllable words as the style does.
"""

import unicodedata

# One phoneme: its codes, whether it is a vowel, and its stress (0 none, 1 primary, 2 secondary).
VOWEL, CONSONANT = "V", "C"

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

# Syllable onsets of English, in codes: the consonants that may begin a syllable together.
_ONSETS = {
    ("p", "l"), ("b", "l"), ("k", "l"), ("g", "l"), ("f", "l"), ("s", "l"),
    ("p", "r"), ("b", "r"), ("t", "r"), ("d", "r"), ("k", "r"), ("g", "r"), ("f", "r"),
    ("W", "r"), ("F", "r"), ("t", "w"), ("d", "w"), ("k", "w"), ("g", "w"), ("s", "w"),
    ("s", "p"), ("s", "t"), ("s", "k"), ("s", "m"), ("s", "n"),
    ("s", "p", "l"), ("s", "p", "r"), ("s", "t", "r"), ("s", "k", "r"), ("s", "k", "w"),
    ("s", "p", "j"), ("s", "t", "j"), ("s", "k", "j"),
}
_ONSETS |= {(c, "j") for c in "p b t d k g m n f v W s z h l".split()}


def _is_onset(consonants):
    if len(consonants) == 1:
        return consonants[0] != "N"
    return tuple(consonants) in _ONSETS


class Phoneme:
    __slots__ = ("code", "kind", "stress")

    def __init__(self, code, kind, stress=0):
        self.code, self.kind, self.stress = code, kind, stress

    def __repr__(self):
        return "Phoneme(%r, %r, %r)" % (self.code, self.kind, self.stress)


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


# Prefixes that keep their last consonant when the syllable after them is stressed: "disable"
# "dis5eibl", "mislead" "mis5li:d", "unusual" "Qn5ju:VuEl", "translate" "trAns5leit".
PREFIXES = (("un", "Qn"), ("dis", "dis"), ("mis", "mis"), ("non", "nRn"), ("out", "aut"),
            ("up", "Qp"), ("sub", "sQb"), ("trans", "trAns"), ("north", "nR:W"),
            ("south", "sauW"))


def _prefix_end(phonemes, spelling):
    """Index of the first phoneme after a prefix that ends in a consonant, or 0."""
    for letters, codes in PREFIXES:
        if not spelling.startswith(letters) or len(spelling) <= len(letters) + 2:
            continue
        written = ""
        for i, p in enumerate(phonemes):
            written += p.code
            if written == codes:
                return i + 1 if p.kind == CONSONANT and i + 1 < len(phonemes) else 0
            if not codes.startswith(written):
                break
    return 0


def _keeps_s(sound):
    return sound.code == "k" or sound.kind == VOWEL


def _onset_start(phonemes, vowel_index, boundary=0):
    """Index where the syllable of the vowel at vowel_index begins (maximal onset)."""
    start = vowel_index
    while start > 0 and phonemes[start - 1].kind == CONSONANT:
        start -= 1
    start = max(start, boundary) if boundary <= vowel_index else start
    run = [p.code for p in phonemes[start:vowel_index]]
    for cut in range(len(run)):
        onset = run[cut:]
        # The style keeps s with the sound before it when a stop follows: "dis5kraib",
        # "sEs5pekt", "iks5pekt"; after most consonants the s begins the syllable: "in5spekt".
        if (start + cut > 0 and onset[0] == "s" and len(onset) > 1 and onset[1] in "ptk"
                and _keeps_s(phonemes[start + cut - 1])):
            continue
        if _is_onset(onset):
            return start + cut
    return vowel_index


# Consonants after which the style writes an unstressed schwa and l or n as a syllabic
# consonant ("apple" "5Apl", "lesson" "5lesn", "travel" "5trAvl"), and the spellings that keep
# the schwa all the same ("musical" "5mju:zikEl", "universal" ",ju:ni5vE:sEl", "pattern").
SYLLABIC_L_AFTER = set("p b t d k g s n f v z".split())
SYLLABIC_N_AFTER = set("t d s z".split())
SCHWA_L_SPELLINGS = ("cal", "sal", "val", "gal", "cally")
SCHWA_N_SPELLINGS = ("rn", "ain")
# What may follow a syllabic consonant inside a word: an ending ("settlement" "5setlmEnt",
# "listener" "5lisnE", "reasonable" "5ri:znEbl").
# The sound that begins the ending, and how long the ending may be.
SYLLABIC_L_FOLLOWERS = {"s": 1, "z": 1, "d": 1, "m": 4, "E": 1}
SYLLABIC_N_FOLLOWERS = {"E": 3, "i": 2, "z": 1}


def _syllabic(phonemes, spelling):
    """Rewrites a schwa before l or n as the style writes syllabic l and n, and "-ful" and
    "-fully" ("5R:fuli")."""
    if len(phonemes) >= 3 and spelling.endswith("ful"):
        before, schwa, last = phonemes[-3:]
        if before.code == "f" and schwa.code == "E" and last.code == "l" and not schwa.stress:
            return phonemes[:-2] + [Phoneme("u", VOWEL), last]
    if len(phonemes) >= 4 and spelling.endswith("fully"):
        before, schwa, l, y = phonemes[-4:]
        if ([before.code, schwa.code, l.code, y.code] == ["f", "E", "l", "i"]
                and not schwa.stress):
            return phonemes[:-3] + [Phoneme("u", VOWEL), l, y]
    # The end of the word first, then a syllabic consonant before its ending ("5ri:znEbl").
    for _ in range(2):
        phonemes = _one_syllabic(phonemes, spelling)
    return phonemes


def _one_syllabic(phonemes, spelling):
    for j in range(len(phonemes) - 2, 0, -1):
        before, schwa, after = phonemes[j - 1], phonemes[j], phonemes[j + 1]
        rest = phonemes[j + 2:]
        followers = SYLLABIC_L_FOLLOWERS if after.code == "l" else SYLLABIC_N_FOLLOWERS
        if rest and len(rest) > max(followers.values()):
            break
        if schwa.code != "E" or schwa.stress or before.kind != CONSONANT:
            continue
        if rest and len(rest) > followers.get(rest[0].code, -1):
            continue
        if after.code == "l":
            # "locals" keeps the schwa of "local".
            stem = spelling[:-1] if spelling.endswith("s") else spelling
            if before.code in SYLLABIC_L_AFTER and not stem.endswith(SCHWA_L_SPELLINGS):
                return phonemes[:j] + phonemes[j + 1:]
        elif after.code == "n":
            cluster = j > 1 and phonemes[j - 2].kind == CONSONANT
            if (before.code in SYLLABIC_N_AFTER and not cluster
                    and not spelling.endswith(SCHWA_N_SPELLINGS)):
                return phonemes[:j] + phonemes[j + 1:]
    return phonemes


# The sounds after which an unstressed i before a schwa is written j.
JOINED_AFTER = ("p", "b", "t", "d", "k", "g", "n")


def _classic_sounds(phonemes, spelling):
    """The older sounds the style keeps where the modern sources moved on."""
    out = []
    for i, p in enumerate(phonemes):
        nxt = phonemes[i + 1] if i + 1 < len(phonemes) else None
        prev = out[-1] if out else None
        # "actual" "5AktjuEl", "gradual": t and d before a u spelt "tu", "du" stay apart.
        if (p.code in ("tF", "dV") and nxt is not None and nxt.code in ("u", "u:", "uE", "j")
                and (p.code[0] + "u") in spelling):
            out.append(Phoneme(p.code[0], CONSONANT))
            if nxt.code != "j":
                out.append(Phoneme("j", CONSONANT))
            continue
        # "sure" "FuE", "insurance" "in5FuErEns": the older uE after F and V.
        if p.code == "R:" and prev is not None and prev.code in ("F", "V") and "ur" in spelling:
            out.append(Phoneme("uE", VOWEL, p.stress))
            continue
        # "audience" "5R:djEns", "champion" "5tFAmpjEn", "convenient" "kEn5vi:njEnt": an
        # unstressed iE after a stop or n is jE. Not the y of "ready" before -er and -est:
        # "readier" "5rediE".
        y_form = spelling.endswith(("ier", "iest", "iers"))
        if (p.code == "iE" and not p.stress and prev is not None and prev.code in JOINED_AFTER
                and i > 1 and not y_form):
            out += [Phoneme("j", CONSONANT), Phoneme("E", VOWEL)]
            continue
        if (p.code == "i" and not p.stress and nxt is not None and nxt.code == "E"
                and not nxt.stress and prev is not None and prev.code in JOINED_AFTER and i > 1
                and not y_form):
            out.append(Phoneme("j", CONSONANT))
            continue
        # "salt" "sR:lt", "off" "R:f", "classroom" "5kla:srum": the older vowel lengths.
        after = phonemes[i + 2] if i + 2 < len(phonemes) else None
        if (p.code == "R" and nxt is not None and
                ((nxt.code == "l" and after is not None and after.code == "t")
                 or (nxt.code == "f" and len(spelling) <= 5 and spelling.endswith(("ff", "gh"))))):
            out.append(Phoneme("R:", VOWEL, p.stress))
            continue
        if (p.code == "u:" and spelling.endswith("room") and not spelling.endswith("broom")
                and i >= len(phonemes) - 2):
            out.append(Phoneme("u", VOWEL, p.stress))
            continue
        # "grandson" "5grAndsQn": the d of grand- is written.
        if (i == 3 and p.code == "n" and spelling.startswith("grand")
                and [q.code for q in phonemes[:3]] == ["g", "r", "A"]
                and (nxt is None or nxt.code != "d")):
            out += [Phoneme("n", CONSONANT), Phoneme("d", CONSONANT)]
            continue
        # "continual" "kEn5tinjuEl": an unstressed u before another vowel is short; so is an
        # unstressed i before another vowel ahead of the stress ("create" "kri5eit").
        if p.code == "u:" and not p.stress and nxt is not None and nxt.kind == VOWEL:
            out.append(Phoneme("u", VOWEL))
            continue
        if (p.code == "i:" and not p.stress and nxt is not None and nxt.kind == VOWEL
                and any(q.stress == 1 for q in phonemes[i + 1:])):
            out.append(Phoneme("i", VOWEL))
            continue
        # "issue" "5isju:", "tissue": F before a u spelt "ssu" is the older sj.
        if p.code == "F" and nxt is not None and nxt.code in ("u", "u:") and "ssu" in spelling:
            out += [Phoneme("s", CONSONANT), Phoneme("j", CONSONANT)]
            continue
        # "suit" "sju:t", "assume" "E5sju:m": the older j after s in a u spelt "su".
        if (p.code in ("u:", "uE") and prev is not None and prev.code == "s"
                and "su" in spelling and "sou" not in spelling):
            out.append(Phoneme("j", CONSONANT))
        # "enforce" "in5fR:s", "employ" "im5plRi", "exceedingly" "ik5si:diNli": an unstressed
        # e at the start of en-, em- and ex-.
        if (i == 0 and p.code == "e" and not p.stress and nxt is not None
                and nxt.code in ("m", "n", "k") and spelling.startswith(("en", "em", "ex"))):
            out.append(Phoneme("i", VOWEL))
            continue
        out.append(Phoneme(p.code, p.kind, p.stress))
    return _weak_endings(out, spelling)


# Endings whose unstressed vowel the style writes i where modern sources write a schwa:
# "private" "5praivit", "restless" "5restlis", "hundred" "5hQndrid", "earnest" "5E:nist".
WEAK_I_ENDINGS = (("ate", ("t",)), ("ess", ("s",)), ("ace", ("s",)), ("ed", ("d",)),
                  ("et", ("t",)), ("est", ("s", "t")), ("age", ("dV",)), ("ege", ("dV",)),
                  ("it", ("t",)), ("in", ("n",)))


VOICELESS = ("p", "k", "f", "s", "F", "tF", "W")


def _weak_endings(phonemes, spelling):
    # "typed" "taipt", "raced" "reist": a machine-made "d" after a voiceless sound is a "t".
    if (spelling.endswith("ed") and len(phonemes) > 2 and phonemes[-1].code == "d"
            and phonemes[-2].code in VOICELESS):
        phonemes = phonemes[:-1] + [Phoneme("t", CONSONANT)]
    # "mechanically" "mi5kAnikEli", "gradually" "5grAdjuEli": the schwa of -al before -ly.
    if spelling.endswith(("cally", "ually")) and len(phonemes) > 3:
        if [p.code for p in phonemes[-2:]] == ["l", "i"] and phonemes[-3].code in ("k", "u"):
            phonemes = phonemes[:-2] + [Phoneme("E", VOWEL)] + phonemes[-2:]
    # "separately" "5sepErEtli", "fortunately": -ately keeps its schwa.
    if spelling.endswith("ately") and len(phonemes) > 4:
        if [p.code for p in phonemes[-4:]] == ["i", "t", "l", "i"] and not phonemes[-4].stress:
            phonemes[-4] = Phoneme("E", VOWEL)
    # "equation" "i5kweiFEn", "conversion" "kEn5vE:FEn": F, not V, in -tion and -rsion.
    if spelling.endswith(("tion", "rsion")) and len(phonemes) > 3:
        if [p.code for p in phonemes[-3:]] == ["V", "E", "n"]:
            phonemes[-3] = Phoneme("F", CONSONANT)
    # "possible" "5pRsEbl", "terrible": the style writes -ible as -able.
    if spelling.endswith(("ible", "ibly")):
        for i in range(len(phonemes) - 2, 0, -1):
            if phonemes[i].code == "b":
                if phonemes[i - 1].code == "i" and not phonemes[i - 1].stress:
                    phonemes[i - 1].code = "E"
                break
    # The ending of a plural is looked at without its s: "hundreds" "5hQndridz".
    plural = (spelling.endswith("s") and not spelling.endswith("ss") and len(phonemes) > 3
              and phonemes[-1].code in ("s", "z"))
    core = phonemes[:-1] if plural else phonemes
    stem = spelling[:-1] if plural else spelling
    for letters, tail in WEAK_I_ENDINGS:
        n = len(tail)
        if not (stem.endswith(letters) or spelling.endswith(letters)) or len(core) < n + 2:
            continue
        if not stem.endswith(letters):
            core, stem = phonemes, spelling
        if stem.endswith(SCHWA_N_SPELLINGS):
            break
        if [p.code for p in core[-n:]] != list(tail):
            continue
        # "numbered" "5nQmbEd", "powered": the schwa of -er before -ed stays, where no r is
        # heard ("hundred" "5hQndrid" has one).
        if letters == "ed" and stem.endswith("red") and core[-n - 2].code != "r":
            break
        vowel = core[-n - 1]
        # "quiet" "5kwaiEt" keeps its schwa; "driest" "5draiist" is dry and -est.
        if (vowel.code == "E" and not vowel.stress
                and (core[-n - 2].code != "ai" or stem.endswith("iest"))):
            vowel.code = "i"
        # "hostess" "5hEustis", "alphabet" "5AlfEbit": an unstressed e of -ess and -et too.
        elif (vowel.code == "e" and not vowel.stress and letters in ("ess", "et")
              and any(p.stress == 1 for p in core)):
            vowel.code = "i"
        break
    return phonemes


DOUBLE_STRESS_PREFIXES = ("un", "semi", "radio")
SECONDARY_PREFIXES = ("in", "im", "dis", "over")


def _double_stress(phonemes, vowels, spelling):
    """Whether the style stresses both halves of a two-part word: the numbers "5fif5ti:n",
    and un- before a one-syllable word ("unfair" "5Qn5f/E"; "until" and "unless" are no such
    words)."""
    if len(vowels) < 2 or not any(phonemes[i].stress == 1 for i in vowels):
        return False
    if spelling.endswith("teen"):
        for i in vowels:
            phonemes[i].stress = 1 if i in (vowels[0], vowels[-1]) else 0
        return True
    # "unexpected" "5Qniks5pektid", "radioactive" "5reidiEu5Aktiv": a prefix with a stress of
    # its own keeps a primary one.
    if (spelling.startswith(DOUBLE_STRESS_PREFIXES) and not spelling.startswith("under")
            and phonemes[vowels[0]].stress == 2 and phonemes[vowels[0]].code != "u:"):
        phonemes[vowels[0]].stress = 1
        return True
    return (len(vowels) == 2 and phonemes[vowels[1]].stress == 1 and spelling.startswith("un")
            and spelling not in ("until", "unless")
            and "".join(p.code for p in phonemes[:2]) == "Qn")


def codes_of(phonemes, spelling=None):
    """The codes of a pronunciation in the style of the syllabus; spelling is the word."""
    spelling = (spelling or "").lower()
    syllables = sum(1 for p in phonemes if p.kind == VOWEL)
    phonemes = _syllabic(_classic_sounds(phonemes, spelling), spelling)
    boundary = _prefix_end(phonemes, spelling)
    # "whatever" "wRt5evE": -ever keeps the consonant before it.
    if spelling.endswith("ever") and len(spelling) > 6 and len(phonemes) > 3:
        if [p.code for p in phonemes[-3:]] == ["e", "v", "E"]:
            boundary = len(phonemes) - 3
    vowels = [i for i, p in enumerate(phonemes) if p.kind == VOWEL]
    marks = {}
    # "incorrect" ",inkE5rekt", "disagree" ",disE5gri:": a prefix two syllables or more
    # before the primary stress has a secondary one.
    if (spelling.startswith(SECONDARY_PREFIXES) and len(vowels) > 2
            and not any(phonemes[i].stress == 2 for i in vowels)
            and not phonemes[vowels[0]].stress
            and any(phonemes[i].stress == 1 for i in vowels[2:])):
        phonemes[vowels[0]].stress = 2
    # "curiosity" ",kjuEri5Rsiti", "violin" ",vaiE5lin": a full vowel two syllables or more
    # before the primary stress has a secondary one where the source marks none.
    if (len(vowels) > 2 and not any(phonemes[i].stress == 2 for i in vowels)
            and not phonemes[vowels[0]].stress and not phonemes[vowels[1]].stress
            and phonemes[vowels[0]].code not in ("E", "i", "u")
            and any(phonemes[i].stress == 1 for i in vowels[2:])):
        phonemes[vowels[0]].stress = 2
    if _double_stress(phonemes, vowels, spelling):
        phonemes[vowels[0]].stress = 1
    else:
        # One word has one primary stress; machine-made sources sometimes give two.
        primaries = [i for i in vowels if phonemes[i].stress == 1]
        for i in primaries[:-1]:
            phonemes[i].stress = 2
    # A syllabic consonant keeps its syllable: "apple" is "5Apl", with its stress mark.
    if syllables > 1:
        order = {v: n for n, v in enumerate(vowels)}
        primary = next((i for i in vowels if phonemes[i].stress == 1), None)
        last = vowels[-1]
        for i in vowels:
            stress = phonemes[i].stress
            if stress == 1:
                marks[_onset_start(phonemes, i, boundary)] = "5"
            elif stress == 2 and primary is not None and i < primary:
                # The style writes a secondary stress only some way before the primary one;
                # right before a final stressed syllable it writes two primary stresses
                # ("northwest" "5nR:W5west") and elsewhere none ("however" "hau5evE").
                if order[primary] - order[i] > 1:
                    marks[_onset_start(phonemes, i, boundary)] = ","
                elif primary == last:
                    marks[_onset_start(phonemes, i, boundary)] = "5"
    # "which" "(h)witF", "somewhere" "5sQm(h)w/E": the w spelt "wh" may be breathed.
    breathed = set()
    if "wh" in spelling:
        ws = [i for i, p in enumerate(phonemes) if p.code == "w"]
        if ws and spelling.startswith("wh") and ws[0] == 0:
            breathed.add(0)
        elif ws and "wh" in spelling[1:]:
            breathed.add(ws[-1])
    out = []
    for i, p in enumerate(phonemes):
        out.append(marks.get(i, ""))
        out.append("(h)" + p.code if i in breathed else p.code)
    return "".join(out)


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
