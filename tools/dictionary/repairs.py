"""Wiktionary's opinion, CMU's stress and consonants with British vowels, and the repair rules
that mend the faults rule-made readings share.

Wiktionary (../shared/data/wiktionary/en-ipa.tsv) writes British, American and other accents
side by side and unlabelled: it judges the syllable with the primary stress and the consonants
(r and j aside), never the vowels, as CMU does. A reading agrees with Wiktionary where one of its
transcriptions agrees.

Each repair rule is a function (context, word, codes) -> codes or None, named in RULES; the
generator applies them to the readings that no person wrote (ipa-dict's, eSpeak's, composed
ones) and counts, per rule, where the rule won and where a source that contradicts it won.
"""

import re
import unicodedata

import coderules
import evidence
import forms

VOWEL, CONSONANT = coderules.VOWEL, coderules.CONSONANT

# --- Wiktionary ---------------------------------------------------------------------------

# The marks of a syllabic consonant, below and above it.
SYLLABIC_MARKS = "\u0329\u030d"
WIKTIONARY_VOWELS = set("aeiouæɑɒɔəɚɝɛɜɪʊʌyøœɐɘɵɤɯʏɞɨʉᵻ")
# Pairs of vowel letters that are one diphthong; any other pair is two syllables.
WIKTIONARY_DIPHTHONGS = {"aɪ", "eɪ", "ɔɪ", "oɪ", "aʊ", "oʊ", "əʊ", "ɪə", "ɛə", "eə", "ʊə",
                         "ɛɚ", "ɪɚ", "ʊɚ", "ɔə", "ɑɪ", "ɑʊ", "ɐʊ", "æɪ", "ɒʊ", "ɜʊ", "ɐɪ",
                         "ɔʊ", "əɪ", "ʌɪ", "ɛɪ", "ɪɘ", "ʊɘ", "eɘ"}
WIKTIONARY_CONSONANTS = {
    "p": "p", "b": "b", "t": "t", "d": "d", "k": "k", "g": "g", "ɡ": "g", "f": "f", "v": "v",
    "θ": "W", "ð": "T", "s": "s", "z": "z", "ʃ": "F", "ʒ": "V", "h": "h", "m": "m", "n": "n",
    "ŋ": "N", "l": "l", "ɫ": "l", "ɹ": "r", "r": "r", "ɻ": "r", "ʁ": "r", "w": "w", "ʍ": "w",
    "j": "j", "x": "k", "ʔ": "t", "ɾ": "t|d", "ç": "h", "ɱ": "m", "ɬ": "l", "ɦ": "h",
    "ʧ": "tF", "ʤ": "dV",
}
SYLLABIC = "\u0329\u030d"


def wiktionary_profile(text, word=""):
    """The profile of one Wiktionary transcription ("/ˈnet.ske/"), or None where it holds a
    sound we have no consonant for, several words, or no vowel; its british field tells
    whether the transcription is clearly British."""
    british = british_reading(text, word)
    text = unicodedata.normalize("NFD", text.strip().strip("/[]"))
    text = re.sub(r"\([^()]*\)", "", text)
    if " " in text or not text:
        return None
    text = text.replace("͡", "").replace("‿", "").replace("ː", "").replace("ˑ", "")
    text = text.replace("tʃ", "ʧ").replace("dʒ", "ʤ")
    syllables, primary, stressed, sequence = 0, None, [], []
    mark, previous = None, None  # previous: the last vowel letter of the nucleus, or None
    for c in text:
        if c in "ˈˌ":
            mark, previous = c, None
        elif c == ".":
            previous = None
        elif c in SYLLABIC:
            if sequence and sequence[-1] in ("l", "n", "m"):
                sequence.insert(len(sequence) - 1, ".")
        elif unicodedata.combining(c) or c in "ʰʷʲˀˠˤ˞ⁿᵊ-'":
            continue
        elif c in WIKTIONARY_VOWELS:
            if previous is not None and previous + c in WIKTIONARY_DIPHTHONGS:
                previous = None
                continue
            if mark:
                stressed.append(syllables)
                if mark == "ˈ" and primary is None:
                    primary = syllables
                mark = None
            syllables += 1
            sequence.append(".")
            previous = c
        elif c in WIKTIONARY_CONSONANTS:
            code = WIKTIONARY_CONSONANTS[c]
            if code not in evidence.ASIDE:
                sequence.append(code)
            previous = None
        else:
            return None
    if not syllables:
        return None
    consonants = [c for c in sequence if c != "."]
    profile = evidence.Profile(syllables, [] if primary is None else [primary], consonants,
                               stressed, sequence=sequence)
    profile.british = british
    return profile


# Symbols only a British transcription writes, and those only an American one writes.
BRITISH_MARKS = ("ɒ", "əʊ", "ɜː")
AMERICAN_MARKS = ("ɚ", "ɝ", "oʊ", "ɾ", "ɑɹ", "ɔɹ")
R_SPELLINGS = ("er", "or", "ar", "ure", "our", "re")


def british_reading(text, word=""):
    """Whether a Wiktionary transcription is clearly British: it writes the lot vowel ɒ, the
    goat vowel əʊ or the long ɜː, or an r the spelling ends in is silent ("/pɹəˈspɛktə/"), and
    nothing only American transcriptions write."""
    text = unicodedata.normalize("NFC", text.strip().strip("/[]"))
    if any(m in text for m in AMERICAN_MARKS):
        return False
    return (any(m in text for m in BRITISH_MARKS)
            or (word.endswith(R_SPELLINGS) and text.endswith("ə")))


def wiktionary_lines(lines):
    """Lower-case word -> list of profiles, from lines of Wiktionary's file."""
    result = {}
    for line in lines:
        word, sep, ipa = line.rstrip("\r\n").partition("\t")
        if not sep:
            continue
        profile = wiktionary_profile(ipa, word.lower())
        if profile is not None:
            result.setdefault(word.lower(), []).append(profile)
    return result


def wiktionary(path):
    with open(path, encoding="utf-8") as f:
        return wiktionary_lines(f)


# --- CMU's stress and consonants with British vowels -----------------------------------------

# A British vowel for a stressed CMU vowel, where the British reading has a weak one there.
STRESSED_VOWELS = {"AA": "a:", "AE": "A", "AH": "Q", "AO": "R:", "AW": "au", "AY": "ai",
                   "EH": "e", "ER": "E:", "EY": "ei", "IH": "i", "IY": "i:", "OW": "Eu",
                   "OY": "Ri", "UH": "u", "UW": "u:"}
# An unstressed CMU vowel in British codes.
WEAK_VOWELS = dict(STRESSED_VOWELS, AH="E", ER="E", IH="i", IY="i", AA="E", AO="E", UW="u",
                   UH="u", EH="e")
# Before a CMU r that no vowel follows: the British vowel that swallows it.
R_COLOURED = {"AA": "a:", "AO": "R:", "EH": "/E", "IH": "iE", "UH": "uE", "IY": "iE"}
WEAK = ("E", "i", "u")


def stressed_vowel(cmu_vowel, word, after=None):
    """The British vowel for a CMU vowel under the primary stress: CMU's AA is the o of "hot"
    (R) where the word spells an o and no a, and so is its AO before a consonant other than r
    ("prospector" "prE5spektE", "long")."""
    if cmu_vowel == "AA" and "o" in word and "a" not in word:
        return "R"
    if (cmu_vowel == "AO" and after != "R" and "o" in word
            and not any(s in word for s in ("a", "ough", "oo"))):
        return "R"
    return STRESSED_VOWELS.get(cmu_vowel, "E")


def cmu_phones(data_dir_file):
    """Lower-case word -> list of CMU's phone lists, in CMU's order."""
    result = {}
    with open(data_dir_file, encoding="utf-8", errors="replace") as f:
        for word, phones in evidence.cmu_entries(f):
            result.setdefault(word, []).append(phones.split())
    return result


def british_from_cmu(word, phones, british):
    """CMU's consonants and stress with the vowels of a British reading (eSpeak's or
    ipa-dict's codes) where both count the same vowels, else CMU's vowels in British codes;
    None where CMU's phones are unreadable."""
    # CMU's glide w after a consonant is no sound of ours ("perceptual"), but for the w of qu.
    if "qu" not in word:
        phones = evidence._without_glides(phones) or phones
    # Nor is its w between a weak u and a vowel ("fluctuate" F L AH1 K CH AH0 W EY2 T is
    # 5flQktjueit), where the spelling has no w nor qu.
    if "w" not in word and "qu" not in word:
        phones = evidence._without_glides(phones, after_weak=True) or phones
    theirs = coderules.RULES.phonemes_of_codes(_plain(british)) if british else None
    own = [p.code for p in theirs or () if p.kind == VOWEL]
    own_stress = [p.stress for p in theirs or () if p.kind == VOWEL]
    cmu_vowels = [p for p in phones if p.rstrip("012") in evidence.ARPABET_VOWELS]
    use_own = len(own) == len(cmu_vowels)
    out, n = [], 0
    for i, phone in enumerate(phones):
        base, stress = phone.rstrip("012"), phone[len(phone.rstrip("012")):]
        after = phones[i + 1].rstrip("012") if i + 1 < len(phones) else None
        if base in evidence.ARPABET_VOWELS:
            level = {"1": 1, "2": 2}.get(stress, 0)
            if use_own:
                code = own[n]
                if level and code in WEAK:
                    code = stressed_vowel(base, word, after)
                elif level == 0 and (code == "E:" or base == "AH" and own_stress[n]
                                     and code not in WEAK):
                    # The full vowel of a syllable the other reading stressed is weak where CMU
                    # does not stress it ("archipelago" ,a:ki5pelEgEu).
                    code = "E"
            elif level:
                code = stressed_vowel(base, word, after)
            else:
                code = WEAK_VOWELS.get(base, "E")
            if not use_own and after == "R" and (i + 2 >= len(phones) or phones[i + 2].rstrip(
                    "012") not in evidence.ARPABET_VOWELS) and level:
                code = R_COLOURED.get(base, code)
            out.append(coderules.Phoneme(code, VOWEL, level))
            n += 1
            # CMU's r-coloured vowel before another vowel keeps its r ("Parisian").
            if base == "ER" and after in evidence.ARPABET_VOWELS:
                out.append(coderules.Phoneme("r", CONSONANT))
        elif base in evidence.ARPABET_CONSONANTS:
            following = phones[i + 1].rstrip("012") if i + 1 < len(phones) else None
            if base == "R" and following not in evidence.ARPABET_VOWELS:
                continue  # British English says no r that no vowel follows
            out.append(coderules.Phoneme(evidence.ARPABET_CONSONANTS[base], CONSONANT))
        else:
            return None
    if not any(p.kind == VOWEL for p in out):
        return None
    return coderules.codes_of(out, word)


def _plain(codes):
    return codes.replace("(h)", "").replace("(", "").replace(")", "").replace("-", "")


def restress(codes, target, word, secondaries=(), cmu_vowel=None):
    """One form with its primary stress on syllable target (counted from 0 as the profile
    counts them) and a secondary one on the syllables secondaries before it; a weak vowel that
    takes the stress gets CMU's vowel, a long schwa that loses it is short. None where the form
    is not plain codes or has no such syllable."""
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    if target >= len(vowels):
        return None
    for n, p in enumerate(vowels):
        was = p.stress
        p.stress = 1 if n == target else 2 if n in secondaries and n < target else 0
        # Which full vowel a weak one becomes is a guess, but for CMU's short i and u, which
        # are ours too ("linguist").
        if p.stress == 1 and p.code in WEAK and (p.code, cmu_vowel) not in (("i", "IH"),
                                                                             ("u", "UH")):
            return None
        if was == 1 and not p.stress and p.code == "E:":
            p.code = "E"
    made = coderules.codes_of(phonemes, word)
    return made if made.count("5") == 1 else None


def primary_of(codes):
    return evidence.codes_profile(codes).primaries


# --- the repair rules ---------------------------------------------------------------------

# Prefixes whose last letter may meet the same letter of the stem: the sound is said twice
# there ("unnamed", "misspell"), so two equal consonants are kept.
DOUBLING_PREFIXES = ("un", "in", "im", "il", "ir", "dis", "mis", "non", "sub", "mid", "over",
                     "inter", "under", "super", "counter", "book", "self", "pen", "fish")
# Endings whose first letter may meet the same one of the word before ("meanness", "palely").
BOUNDARY_ENDINGS = ("ness", "nesses", "ly", "less", "lessness", "like", "some", "ful")
DOUBLE = re.compile(r"(tF|dV|[pbtdkgfvszmnlFVTWN])\1|d(?=dV)|t(?=tF)")


def doubled_consonant(context, word, codes):
    """One consonant where the spelling doubles a letter or writes two that are one sound
    ("adjunct" "5AdVQNkt", not "5AddVQNkt"; "promissory" "5prRmisEri"), but where a prefix or a
    compound's parts meet ("unnamed", "bookkeeper")."""
    if (word.startswith(DOUBLING_PREFIXES) or context.compound(word) or "-" in word
            or any(word.endswith(ending) and word[-len(ending) - 1:-len(ending)] == ending[0]
                   for ending in BOUNDARY_ENDINGS)):
        return None
    fixed = DOUBLE.sub(lambda m: m.group(0)[:len(m.group(0)) // 2] if m.group(1) else "", codes)
    return fixed if fixed != codes else None


OPEN_E = re.compile(r"^([^aeiouAEQRV/:5,]{1,2})e5")


def unstressed_e(context, word, codes):
    """An unstressed e in an open first syllable before the stress is i, as the style writes
    it ("secede" "si5si:d", "meridian" "mi5ridiEn")."""
    if not re.match(r"[^aeiou]{1,2}e[^aeiouy][aeiouy]", word):
        return None
    fixed = OPEN_E.sub(lambda m: m.group(1) + "i5", codes)
    return fixed if fixed != codes else None


SUB_SPELLINGS = ("sub", "suc", "suf", "sug", "sup", "sus", "sum")


def weak_sub(context, word, codes):
    """The u of sub- and its kin is a schwa before the stress ("subside" "sEb5said",
    "subordinate" "sE5bR:dinEt")."""
    if not word.startswith(SUB_SPELLINGS):
        return None
    m = re.match(r"^sQ(\w?)5", codes)
    return "sE" + codes[2:] if m else None


def plural_after_vowel(context, word, codes):
    """The -s of a plural or verb after a vowel is z ("bidets" "5bi:deiz", "duvets")."""
    if not word.endswith("s") or not codes.endswith("s"):
        return None
    base = context.head_codes(word[:-1])
    if not base or not base.endswith(forms.VOWEL_CODES) or codes != base + "s":
        return None
    return base + "z"


# The verbs in -se whose agent noun keeps their z ("erase", "diffuse", "breathalyse"), not the
# adjectives ("close", "sparse", "tense").
AGENT_HEADS = ("ase", "use", "yse", "ise", "ize", "yze")


def family_consonant(context, word, codes):
    """An agent noun keeps its head's last z ("eraser" "i5reizE" as "erase" "i5reiz"): CMU's
    American s is no reason for another sound in one British family."""
    for ending in ("rs", "ers", "r", "er"):
        if not word.endswith(ending):
            continue
        head_word = word[: -len(ending)]
        base = context.head_codes(head_word)
        if not base or not base.endswith("z") or not head_word.endswith(AGENT_HEADS):
            continue
        bare = codes.replace("5", "").replace(",", "")
        head = base.replace("5", "").replace(",", "")
        other = head[:-1] + "s"
        if bare.startswith(other) and not bare.startswith(head):
            at = codes.find(other[-2:], len(codes) - len(bare) + len(other) - 2 - 2)
            if at != -1:
                return codes[:at] + head[-2:] + codes[at + 2:]
    return None


def again_prefix(context, word, codes):
    """re- meaning "again" before a word of its own is ri: with a secondary stress, the stem
    keeping its own ("reheat" ",ri:5hi:t", "rebooting" ",ri:5bu:tiN"), where CMU or Wiktionary
    hear ri: too or lack the word."""
    stem = word[3:] if word.startswith("re-") else word[2:]
    if not word.startswith("re") or len(stem) < 3:
        return None
    stem_codes = context.head_codes(stem)
    if not stem_codes or codes.startswith(",ri:") or stem in context.not_again:
        return None
    bare = codes.replace("5", "").replace(",", "")
    stem_bare = stem_codes.replace("5", "").replace(",", "")
    # An unstressed ri- or rE- before the stem's first sound; a stressed re- is no "again"
    # ("remonstrance", "recommendable").
    if not codes.startswith(("ri", "rE")) or not re.match(r"r[iE]" + re.escape(
            stem_bare[:1]), bare):
        return None
    if not context.long_re(word):
        return None
    if "5" not in stem_codes:
        stem_codes = "5" + stem_codes.lstrip(",")
    return ",ri:" + stem_codes.replace(",", "")


FIRST_E = re.compile(r"^[^aeiouy]{0,2}e[^aeiouy]")
WEAK_FIRST = re.compile(r"^([^aeiouAEQRV/:5,]{0,2})[iE](?![:E])")


def full_e_before_stress(context, word, codes):
    """A first syllable spelt with e, two syllables or more before the primary stress, that
    CMU says with the vowel of "red" and a secondary stress (EH2) or, lacking the word, every
    reading of Wiktionary's with ɛ, is ,e, not a weak i: re- ("referential" ,refE5renFEl,
    "recitation" ,resi5teiFEn; not "regeneration", which CMU hears with ri), ex- ("expiation"
    ,ekspi5eiFEn), de- ("declaration")."""
    if not FIRST_E.match(word) or not WEAK_FIRST.match(codes):
        return None
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    primary = next((n for n, p in enumerate(vowels) if p.stress == 1), None)
    if primary is None or primary < 2 or vowels[0].stress:
        return None
    cmu = [[q for q in p if q[-1:] in ("0", "1", "2")]
           for p in context.cmu_phones.get(word) or ()]
    if cmu:
        if not all(v[0] == "EH2" for v in cmu):
            return None
    else:
        readings = [wiktionary_nuclei(t) for t in context.wiktionary_texts.get(word) or ()]
        if not readings or not all(r and r[0][0] in ("ɛ", "e") for r in readings):
            return None
    return "," + with_vowels(codes, {0: "e"})


# Endings that leave the stress of the word they follow, with their codes (None: the regular
# ending by forms.sounds).
NEUTRAL_ENDINGS = (("isms", "izEmz"), ("ism", "izEm"), ("ists", "ists"), ("ist", "ist"),
                   ("ised", "aizd"), ("ized", "aizd"), ("ises", "aiziz"), ("izes", "aiziz"),
                   ("ising", "aiziN"), ("izing", "aiziN"), ("isers", "aizEz"),
                   ("izers", "aizEz"), ("iser", "aizE"), ("izer", "aizE"), ("ise", "aiz"),
                   ("ize", "aiz"), ("nesses", "nisiz"), ("ness", "nis"), ("ments", "mEnts"),
                   ("ment", "mEnt"), ("ers", None), ("er", None), ("ed", None), ("ing", None),
                   ("s", None), ("es", None), ("ly", None), ("less", "lis"), ("ful", "ful"),
                   ("est", None), ("ish", "iF"))
# Heads whose last syllable an ending weakens, drawing the stress to the syllable before it
# ("telephonist" ti5lefEnist, not as "telephone" 5telifEun; "saxophonist" sAk5sRfEnist).
DRAWN_AFTER = {e: ("phone",) for e in ("ist", "ists", "ism", "isms")}
REGULAR = {"ers": "er", "er": "er", "ed": "ed", "ing": "ing", "s": "s", "es": "s", "ly": "ly",
           "est": "est"}


def family_stress(context, word, codes):
    """A word made of a head and an ending that leaves the stress is stressed as its head,
    the ending added to the head's reading ("colonialism" as "colonial", "memorialised" as
    "memorialise", "atomise" as "atom"); the -ed and -ing of a verb that has a noun stressed
    otherwise take the verb's ("contracted" kEn5trAktid)."""
    # The longest head first: "valises" is "valise" and -s, not "vale" and -ises.
    for ending, added in sorted(NEUTRAL_ENDINGS, key=lambda e: len(e[0])):
        if not word.endswith(ending) or len(word) - len(ending) < 3:
            continue
        for head in _heads(word[: -len(ending)], ending):
            if head in PARTICLE_HEADS:
                continue
            transcription = context.head_transcription(head)
            # A head of a few letters is mostly no word of its own ("fer" of "ferment"); an
            # -ate verb of two syllables is stressed as the accent has it ("mandated").
            if (not transcription or len(head) < 4 or head.endswith("ate")
                    or context.head_method(head) == "cmu"
                    or ending in DRAWN_AFTER and head.endswith(DRAWN_AFTER[ending])):
                continue
            head_forms = context.all_forms(transcription)
            # The -ed and -ing of a word that is a noun and a verb are the verb's, mostly the
            # later stressed ("contracted").
            if ending in ("ed", "ing") and len(head_forms) > 1:
                head_forms = sorted(head_forms, key=lambda f: -max(primary_of(f) or {0}))[:1]
            if any(primary_of(codes) == primary_of(f) and _syllables(f) <= _syllables(codes)
                   for f in head_forms):
                return None
            base = head_forms[0]
            if added is None:
                made = forms.sounds(head, REGULAR[ending], base)
                if ending == "ers":
                    made += "z"
            else:
                stem = base[:-1] if head.endswith("y") and base.endswith("i") else base
                if "5" not in stem and _syllables(stem) > 0:
                    stem = "5" + stem.lstrip(",")
                made = stem + added
            if (_syllables(made) != _syllables(codes) or _syllables(made) < 2
                    or primary_of(made) == primary_of(codes)):
                return None
            return made
    return None


def first(transcription):
    text = transcription.strip().strip("/").strip()
    return text.split(", ")[0]


def _heads(stem, ending):
    """The spellings of a head that a word with this ending may be made of."""
    out = [stem]
    if ending in ("ed", "ing", "er", "ers", "est", "ish", "ise", "ize", "ism", "ist", "ised", "ized",
                  "ises", "izes", "ising", "izing", "iser", "izer", "isers", "izers", "ist",
                  "ists", "isms", "or", "ors", "able", "ably", "y", "ery", "ry"):
        out.append(stem + "e")
    # "anatomy", "anatomise"; "botany", "botanist".
    if ending.startswith("is") or ending.startswith("iz"):
        out.append(stem + "y")
    if stem.endswith("i"):
        out.append(stem[:-1] + "y")
    if ending in ("ed", "ing", "er", "ers", "est", "ish") and len(stem) > 2 and stem[-1] == stem[-2]:
        out.append(stem[:-1])
    if ending == "ly" and stem.endswith(("b", "p", "t", "d", "k", "g")):
        out.append(stem + "le")
    return out


def _syllables(codes):
    return evidence.codes_profile(codes).syllables


STEM_PREFIXES = ("under", "inter", "over", "counter", "super", "hyper", "ultra", "intra",
                 "extra", "retro")


def onset_after_prefix(context, word, codes):
    """An s that begins the stem begins its syllable too ("understand" ",QndE5stAnd", not
    ",QndEs5tAnd"; "interstellar")."""
    for prefix in STEM_PREFIXES:
        if word.startswith(prefix) and word[len(prefix):len(prefix) + 1] == "s":
            fixed = re.sub(r"([E:aR]+)s([5,])([ptk])", r"\1\2s\3", codes, count=1)
            return fixed if fixed != codes else None
    return None


# The particles that begin the compounds British English stresses on the first part when they
# are nouns ("outpatient", "underdog", "upbringing") and on the stem when they are verbs.
NOUN_PARTICLES = ("out", "up", "under", "over", "down", "back")


def _is_verb(context, lemma):
    """Whether the word lists have an -ed or -ing form of a word."""
    made = [lemma + "ed", lemma + "d", lemma + "ing", lemma + lemma[-1:] + "ed",
            lemma + lemma[-1:] + "ing"]
    if lemma.endswith("e"):
        made.append(lemma[:-1] + "ing")
    return any(context.is_word(m) for m in made)


def _lemma(word):
    """The singular of a plural, else the word."""
    if word.endswith("ies"):
        return word[:-3] + "y"
    if word.endswith("ses") or word.endswith("xes") or word.endswith("ches"):
        return word[:-2]
    if word.endswith("s") and not word.endswith("ss"):
        return word[:-1]
    return word


def fore_stressed_noun(context, word, codes):
    """A noun of a particle and a word is stressed on the particle ("outpatient" "5autpeiFEnt",
    "underdog", "upbringing"), as CMU stresses it, where Wiktionary does not side with the
    stem: the stem's stress that the verbs take ("overheat") is no noun's."""
    particle = next((p for p in NOUN_PARTICLES
                     if word.startswith(p) and len(word) - len(p) >= 3), None)
    if not particle or codes.startswith("5") or "5" not in codes or word.endswith("ed"):
        return None
    phones = context.cmu_phones.get(word)
    if not phones or not all(_cmu_primaries(p) == [0] for p in phones):
        return None
    # Wiktionary's British readings stand by the stem where one of them stresses it.
    if any(not t.lstrip("/[").startswith("ˈ") for t in context.wiktionary_texts.get(word, ())):
        return None
    lemma = _lemma(word)
    plural = lemma != word or context.is_word(word + "s") or context.is_word(word + "es")
    if (not plural or _is_verb(context, lemma) or lemma.endswith(NOT_NOUN_ENDINGS)
            or word.endswith(NOT_NOUN_ENDINGS)):
        return None
    # A verb's -ing, its agent and its action are stressed as the verb ("overheating",
    # "underachiever", "overpayment"), where the tables have the verb.
    for ending in ("ing", "er", "r", "ment", "ion"):
        if not lemma.endswith(ending):
            continue
        heads = _heads(lemma[: -len(ending)], "ing")
        # An -ing is the verb's where the tables have the verb ("upbringing" has none).
        if any(context.head_transcription(h) if ending == "ing" else _is_verb(context, h)
               for h in heads):
            return None
    return restress(codes, 0, word)


# The endings of adjectives, which keep the stem's stress after a particle ("overambitious").
NOT_NOUN_ENDINGS = ("ous", "ive", "ic", "ical", "able", "ible", "ful", "less", "ish", "ly")


def _cmu_primaries(phones):
    vowels = [p for p in phones if p[-1:] in ("0", "1", "2")]
    return [i for i, p in enumerate(vowels) if p.endswith("1")]


# Endings of adjectives: a compound adjective is stressed on its second part ("southeastern"
# ",sauW5i:stEn", "postmodern"), where the nouns of two words take the first.
ADJECTIVE_ENDINGS = ("ern", "al", "ic", "ical", "ous", "ary", "an", "ist")


def stem_stressed_adjective(context, word, codes):
    """A compound adjective stressed on its first part that CMU stresses on the second, with a
    secondary stress on the first, is stressed so, where Wiktionary does not side with ours."""
    if not word.endswith(ADJECTIVE_ENDINGS) or not codes.startswith("5"):
        return None
    if not context.compound(word) and not word.startswith(("post", "pre", "psycho", "pseudo")):
        return None
    phones = context.cmu_phones.get(word)
    if not phones:
        return None
    targets = {tuple(_cmu_primaries(p)) for p in phones}
    if len(targets) != 1 or len(next(iter(targets))) != 1 or next(iter(targets))[0] == 0:
        return None
    if not all(p[[i for i, q in enumerate(p) if q[-1:] in "012"][0]].endswith("2")
               for p in phones):
        return None
    texts = context.wiktionary_texts.get(word)
    if texts and any(t.lstrip("/[").startswith("ˈ") for t in texts):
        return None
    return restress(codes, next(iter(targets))[0], word, {0})


# The endings -ary, -ory, -ery are weak after the stress in British English ("fragmentary"
# "5frAgmEntEri", "compensatory"), where an American reading gives them a full vowel.
WEAK_ENDING = re.compile(r",?([bdfghjklmnprstvwzFVTWN]*)(e|R:|/E|A)(riz?)$")


def weak_ary(context, word, codes):
    """The vowel of -ary, -ory or -ery after the stress is a schwa."""
    if not word.endswith(("ary", "ory", "ery", "aries", "ories", "eries")):
        return None
    m = WEAK_ENDING.search(codes)
    # A syllable of its own between the stress and the ending ("compensatory", not "gory").
    if not m or "5" not in codes[:m.start()] or not re.search(
            r"5[^5,]*[aeiouAEQR/]", codes[:m.start()]):
        return None
    return codes[:m.start()] + m.group(1) + "E" + m.group(3)


def noun_ate(context, word, codes):
    """A noun or adjective in -ate that CMU reads with a weak vowel in every reading ends in it
    ("pomegranate" "5pRmigrAnit", "delicate")."""
    if not word.endswith("ate") or not codes.endswith("eit") or codes.endswith("5eit"):
        return None
    phones = context.cmu_phones.get(word)
    if not phones or not all(p[-2:] in (["AH0", "T"], ["IH0", "T"]) for p in phones):
        return None
    # A verb keeps its full -ate, whatever CMU says ("invigorate", "illuminate").
    if _is_verb(context, word):
        return None
    return codes[:-3] + "it"


def weak_o(context, word, codes):
    """The o of an open syllable before the primary stress that a rule-made reading gives a full
    vowel is a schwa where CMU reads it weak (AH0, OW0) or, lacking the word, every reading of
    Wiktionary's does ("idiosyncratic" ",idiEsin5krAtik", "diaphoretic" ",daiEfE5retik")."""
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None or "o" not in word:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    primary = next((n for n, p in enumerate(vowels) if p.stress == 1), None)
    if not primary:
        return None
    cmu = [[q for q in p if q[-1:] in ("0", "1", "2")]
           for p in context.cmu_phones.get(word) or ()]
    cmu = [v for v in cmu if len(v) == len(vowels)]
    readings = [wiktionary_nuclei(t) for t in context.wiktionary_texts.get(word) or ()]
    readings = [r for r in readings if r and len(r) == len(vowels)]
    changes = {}
    for n, p in enumerate(vowels[:primary]):
        # A secondary stress of ours outweighs CMU's AH0 ("decomposition" keeps its o), not
        # its OW0; an ɔː is weak only where every one of Wiktionary's readings says so.
        if p.code == "R" and cmu:
            weak = all(v[n] == "OW0" or v[n] == "AH0" and not p.stress for v in cmu)
        elif p.code in ("R", "R:") and not cmu:
            weak = bool(readings) and all(r[n] == ("ə", False) for r in readings)
        else:
            weak = False
        if weak:
            changes[n] = "E"
    return with_vowels(codes, changes, set(changes)) if changes else None


def letter_groups(word):
    """The vowel letters of a spelling in groups, a last silent e left out ("thymine": y, i)."""
    word = word.lower()
    groups = re.findall(r"[aeiouy]+", word[1:] if word[:1] == "y" else word)
    if len(groups) > 1 and re.search(r"[^aeiouy]e$", word):
        groups.pop()
    return groups


def _letters_of_vowel(word, n, count):
    """The letters that write vowel n of a reading with count vowels, where the spelling has
    as many groups of vowel letters; else None."""
    groups = letter_groups(word)
    return groups[n] if len(groups) == count else None


def weak_after_stress(context, word, codes):
    """An unstressed full o or u after the primary stress that a rule-made reading keeps is a
    schwa where CMU reads it weak (AH0) and Wiktionary, where it has the word, does too in
    every reading ("lummox" 5lQmEks, "syrupy" 5sirEpi, "winsome"; not "hiccup", "hexagon",
    nor the u of "bedbug" that Wiktionary lacks); so is an ai that both read as a short i."""
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    primary = next((n for n, p in enumerate(vowels) if p.stress == 1), None)
    if primary is None:
        return None
    cmu = [[q for q in p if q[-1:] in ("0", "1", "2")]
           for p in context.cmu_phones.get(word) or ()]
    cmu = [v for v in cmu if len(v) == len(vowels)]
    texts = context.wiktionary_texts.get(word) or ()
    readings = [wiktionary_nuclei(t) for t in texts]
    readings = [r for r in readings if r and len(r) == len(vowels)]
    if texts and not readings or not cmu and not readings:
        return None
    changes = {}
    for n, p in enumerate(vowels[primary + 1:], primary + 1):
        # A spelling's y read as the i of "fly" ("dactyl" 5dAktil), where CMU and every reading
        # of Wiktionary's say the short i.
        if (p.code == "ai" and not p.stress and readings and all(v[n] == "IH0" for v in cmu)
                and all(r[n] == ("ɪ", False) for r in readings)):
            changes[n] = "i"
        if p.code not in ("R", "Q") or p.stress:
            continue
        # CMU reduces the u of the second word of a compound too ("bedbug", "chestnut"): a u
        # needs Wiktionary's word, but in -some ("winsome").
        if p.code == "Q" and not readings and "some" not in word:
            continue
        if (all(v[n] == "AH0" for v in cmu)
                and all(r[n] == ("ə", False) for r in readings)):
            changes[n] = "E"
    return with_vowels(codes, changes) if changes else None


# The particles and prefixes that are no head of a word made with an ending ("underly" is no
# "under" and -ly).
PARTICLE_HEADS = ("under", "over", "out", "up", "down", "back", "fore", "inter", "super",
                  "counter")


def fore_verb(context, word, codes):
    """A verb of fore- and a verb has one primary stress, on the verb ("foresee" fR:5si:, not
    5fR:5si:), where a compound of two equal words has two."""
    rest = word[4:]
    if (not word.startswith("fore") or codes.count("5") != 2 or not codes.startswith("5")
            or not context.head_transcription(rest) or not _is_verb(context, rest)):
        return None
    return codes[1:]


# --- vowels -------------------------------------------------------------------------------

# The British vowels a stressed CMU vowel may stand for, the accents' known differences among
# them: the lot vowel CMU writes AA or AO, the thought vowel it may write AA, the bath vowel
# AE, the r-coloured vowels of "near", "square", "cure" and the "hurry" CMU writes ER.
CMU_BRITISH = {"AA": {"a:", "R", "R:"}, "AE": {"A", "a:"}, "AH": {"Q", "R"}, "AO": {"R:", "R"},
               "AW": {"au"}, "AY": {"ai"}, "EH": {"e", "/E"}, "ER": {"E:", "Q"}, "EY": {"ei"},
               "IH": {"i", "iE"}, "IY": {"i:", "iE"}, "OW": {"Eu"}, "OY": {"Ri"},
               "UH": {"u", "uE"}, "UW": {"u:", "uE"}}
# Where the accents part by the spelling, the British vowel beside CMU's American one: the
# long e of ae, oe ("aesthete" 5i:sWi:t), the short a of -alog- ("mineralogy"), the lot vowel of
# French o before st ("riposte" ri5pRst).
SPELT_BRITISH = (("EH", "ae", "i:"), ("EH", "oe", "i:"), ("AA", "alog", "A"),
                 ("OW", "ost", "R"))
# The British vowels a stressed vowel of Wiktionary's may stand for, its length mark kept;
# an American ɑ or ɔ is the lot vowel or a long one.
WIKTIONARY_BRITISH = {
    "ɪ": {"i"}, "i": {"i:"}, "iː": {"i:"}, "e": {"e"}, "ɛ": {"e"}, "æ": {"A"}, "a": {"A"},
    "ʊ": {"u"}, "u": {"u:"}, "uː": {"u:"}, "ʌ": {"Q"}, "ɐ": {"Q"}, "ɒ": {"R"},
    "ɑ": {"a:", "R"}, "ɑː": {"a:"}, "ɔ": {"R", "R:"}, "ɔː": {"R:"}, "ɜː": {"E:"}, "ɜ": {"E:"},
    "ɝ": {"E:"}, "ɝː": {"E:"}, "eɪ": {"ei"}, "aɪ": {"ai"}, "ɑɪ": {"ai"}, "ɔɪ": {"Ri"},
    "oɪ": {"Ri"}, "aʊ": {"au"}, "əʊ": {"Eu"}, "oʊ": {"Eu"}, "o": {"Eu"}, "oː": {"Eu"},
    "ɪə": {"iE"}, "ɪɚ": {"iE"}, "ɛə": {"/E"}, "eə": {"/E"}, "ɛɚ": {"/E"}, "ɛː": {"/E"},
    "ʊə": {"uE"}, "ʊɚ": {"uE"}}


def wiktionary_nuclei(text, syllabic=False):
    """The vowels of one Wiktionary transcription, each (vowel with its length mark, stressed),
    or None where it is no single word; syllabic: a syllabic consonant counts as a weak vowel
    ("/ˈɹɑːskl̩/" has two syllables, as "5ra:skEl" has)."""
    text = unicodedata.normalize("NFD", text.strip().strip("/[]"))
    text = re.sub(r"\([^()]*\)", "", text)
    if " " in text or not text:
        return None
    out, mark, previous = [], False, None
    for c in text:
        if c in "ˈˌ":
            mark, previous = True, None
        elif c == "ː" and out and previous is not None:
            out[-1] = (out[-1][0] + c, out[-1][1])
        elif syllabic and c in SYLLABIC_MARKS:
            out.append(("ə", False))
            mark, previous = False, None
        elif c in WIKTIONARY_VOWELS:
            if previous is not None and previous + c in WIKTIONARY_DIPHTHONGS:
                out[-1] = (out[-1][0] + c, out[-1][1])
                previous = None
                continue
            out.append((c, mark))
            mark, previous = False, c
        elif not unicodedata.combining(c):
            previous = None
    return out


def with_vowels(codes, changes, unstressed=()):
    """The codes with the vowels numbered in changes (from 0) replaced, their marks kept but
    for those of the syllables numbered in unstressed."""
    out, n, pending = [], -1, []
    for token in evidence.tokens(_plain(codes)):
        if token in ("5", ","):
            pending.append((len(out), n + 1))
            out.append(token)
            continue
        if evidence.is_vowel(token):
            n += 1
            if n in unstressed:
                for at, _ in [p for p in pending if p[1] == n]:
                    out[at] = ""
            pending = []
            token = changes.get(n, token)
        out.append(token)
    return "".join(out)


def agreed_vowel(context, word, codes):
    """A stressed vowel that CMU's rules out, where CMU and every one of Wiktionary's readings
    agree on another: CMU's vowel as British English has it, and Wiktionary's
    ("magus" "5meigEs", not "5mAgEs"; "pulpit" "5pulpit"; "olivine" "5Rlivi:n")."""
    phones = context.cmu_phones.get(word)
    texts = context.wiktionary_texts.get(word)
    if not phones or not texts:
        return None
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    cmu = [[q for q in p if q[-1:] in ("0", "1", "2")] for p in phones]
    cmu = [v for v in cmu if len(v) == len(vowels)]
    readings = [wiktionary_nuclei(t) for t in texts]
    readings = [r for r in readings if r and len(r) == len(vowels)]
    if not cmu or not readings:
        return None
    changes = {}
    for n, p in enumerate(vowels):
        if p.code in WEAK or any(v[n][-1] == "0" for v in cmu) or not all(
                r[n][1] for r in readings):
            continue
        # Before an r the accents' vowels differ too much to tell ("arum", "paraplegic").
        if any(_before_r(phones_, n) for phones_ in phones if len(
                [q for q in phones_ if q[-1:] in ("0", "1", "2")]) == len(vowels)):
            continue
        allowed = set().union(*(CMU_BRITISH.get(v[n][:-1], set()) for v in cmu))
        allowed |= {vowel for base, spelt, vowel in SPELT_BRITISH
                    if any(v[n][:-1] == base for v in cmu) and spelt in word}
        theirs = [WIKTIONARY_BRITISH.get(r[n][0]) for r in readings]
        if p.code in allowed or not all(theirs):
            continue
        agreed = allowed.intersection(*theirs)
        if len(agreed) == 1:
            changes[n] = agreed.pop()
    return with_vowels(codes, changes) if changes else None


def _before_r(phones, n):
    """Whether CMU's vowel number n is followed by its r."""
    vowels = [i for i, q in enumerate(phones) if q[-1:] in ("0", "1", "2")]
    at = vowels[n] + 1
    return at < len(phones) and phones[at] == "R"


# A vowel a derived word has in place of its head's: the bath vowel read into "sarcastically",
# "samplers"; the r of "deterrents", "squirrelling" read into the vowel.
HEAD_VOWELS = {("A", "a:"), ("a:", "A"), ("e", "E:"), ("i", "E:")}


def head_vowels(context, word, codes):
    """A word made of a head and an ending that keeps the stress has the head's stressed vowels
    ("sarcastically" sa:5kAstikEli as "sarcastic"; "samplers" 5sa:mplEz as "sample"), where
    the two differ only as a rule-made reading slips (HEAD_VOWELS)."""
    for ending in ("ally",) + KEEPING_ENDINGS:
        if not word.endswith(ending) or len(word) - len(ending) < 3:
            continue
        stem = word[: -len(ending)]
        heads = [stem] if ending == "ally" else _heads(stem, ending)
        for head in heads:
            transcription = context.head_transcription(head)
            if not transcription or head == word:
                continue
            theirs = coderules.RULES.phonemes_of_codes(_plain(first(transcription)))
            ours = coderules.RULES.phonemes_of_codes(_plain(codes))
            if not theirs or not ours:
                return None
            head_profile = evidence.codes_profile(first(transcription), head)
            if evidence.codes_profile(codes, word).consonants[
                    :len(head_profile.consonants)] != head_profile.consonants:
                return None
            mine = [p for p in ours if p.kind == VOWEL]
            head = [p for p in theirs if p.kind == VOWEL]
            if [p.stress == 1 for p in head] != [p.stress == 1 for p in mine[:len(head)]]:
                return None
            changes = {n: h.code for n, (h, w) in enumerate(zip(head, mine))
                       if h.stress and w.stress and (h.code, w.code) in HEAD_VOWELS}
            return with_vowels(codes, changes) if changes else None
    return None


# Endings that draw the stress two syllables or more past a head's first one.
DRAWING_ENDINGS = ("istically", "istic", "ations", "ation", "ically", "ical", "ics", "ic",
                   "ian", "ians")


def head_vowel_before_stress(context, word, codes):
    """A head stressed on its first syllable keeps its full vowel there, with a secondary
    stress, where an ending draws the primary two syllables or more away ("atomistic"
    ,AtE5mistik as "atom" 5AtEm, not EtE5mistik)."""
    for ending in DRAWING_ENDINGS:
        if not word.endswith(ending) or len(word) - len(ending) < 3:
            continue
        for head in _heads(word[: -len(ending)], ending) + [word[: -len(ending)] + "y"]:
            transcription = context.head_transcription(head)
            if not transcription or head == word or context.head_method(head) not in TRUSTED:
                continue
            theirs = coderules.RULES.phonemes_of_codes(_plain(first(transcription)))
            ours = coderules.RULES.phonemes_of_codes(_plain(codes))
            if not theirs or not ours:
                return None
            head_vowels_ = [p for p in theirs if p.kind == VOWEL]
            mine = [p for p in ours if p.kind == VOWEL]
            primary = next((n for n, p in enumerate(mine) if p.stress == 1), 0)
            if (primary < 2 or head_vowels_[0].stress != 1 or head_vowels_[0].code in WEAK
                    or mine[0].code != "E" or mine[1].stress or "," in codes
                    or evidence.codes_profile(codes, word).consonants[:1]
                    != evidence.codes_profile(first(transcription), head).consonants[:1]):
                return None
            return "," + with_vowels(codes, {0: head_vowels_[0].code})
    return None


# The sounds after the vowel of the bath words ("staff", "pass", "path", "rather", "chance",
# "plant", "demand", "sample"); an a: before others is that of French and Spanish words
# ("cabana", "locale"), which CMU hears as the vowel of "cat" too.
BATH_CONTEXT = re.compile(r"^(f|s|W|T|n[stdF]|ntF|mpl)")


def _after_vowel(phonemes, vowel):
    """The codes of the consonants after a vowel, up to the next vowel."""
    at = next(i for i, p in enumerate(phonemes) if p is vowel)
    out = []
    for p in phonemes[at + 1:]:
        if p.kind == VOWEL:
            break
        out.append(p.code)
    return "".join(out)


def bath_vowels(context, word, codes):
    """The vowels (numbered from 0) of a reading where it has the a: of "bath" before the sounds
    of the bath words and CMU the vowel of "cat" (AE), and those of them where a reading of
    Wiktionary's has ɑː, which no American reading writes there: ([n], [n])."""
    if "a:" not in codes:
        return [], []
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return [], []
    vowels = [p for p in phonemes if p.kind == VOWEL]
    # CMU and Wiktionary count a syllabic l or n as a syllable ("sample", "rascal"): each of our
    # vowels has its place among the syllables.
    places, syllables = _syllable_places(codes)
    cmu = [[q for q in p if q[-1:] in ("0", "1", "2")]
           for p in context.cmu_phones.get(word) or ()]
    cmu = [v for v in cmu if len(v) in (len(vowels), syllables)]
    if not cmu or len(places) != len(vowels):
        return [], []
    readings = [wiktionary_nuclei(t, syllabic=True)
                for t in context.wiktionary_texts.get(word) or ()]
    readings = [r for r in readings if r and len(r) == syllables]
    found, heard = [], []
    for n, p in enumerate(vowels):
        at = lambda v: v[n] if len(v) == len(vowels) else v[places[n]]
        if (p.code != "a:" or not p.stress and len(vowels) > 1
                or not all(at(v)[:-1] == "AE" for v in cmu)
                or not BATH_CONTEXT.match(_after_vowel(phonemes, p))):
            continue
        found.append(n)
        if any(r[places[n]][0] == "ɑː" for r in readings):
            heard.append(n)
    return found, heard


def _syllable_places(codes):
    """The syllable (from 0) of each vowel of a form, a syllabic l or n counted as one, as
    evidence.codes_profile counts it; and the number of syllables."""
    places = []
    toks = evidence.tokens(_plain(codes))
    k = 0
    for i, t in enumerate(toks):
        if evidence.is_vowel(t):
            places.append(k)
            k += 1
        elif (t in ("l", "n") and i > 0 and not evidence.is_vowel(toks[i - 1])
              and toks[i - 1] not in ("5", ",")
              and not (i + 1 < len(toks) and evidence.is_vowel(toks[i + 1]))):
            k += 1
    return places, k


def bath_vowel(context, word, codes):
    """A stressed a: where CMU has the vowel of "cat" (AE) is A, but in a bath word: one a
    person's reading or Wiktionary's gives a:, or a word made of one ("castigate" 5kAstigeit,
    not 5ka:stigeit; "passable" keeps the a: of "pass", "chantry" Wiktionary's)."""
    found, heard = bath_vowels(context, word, codes)
    changes = {n: "A" for n in found if n not in heard}
    if not changes or context.bath_word(word):
        return None
    return with_vowels(codes, changes)


def _silent_e_heads(word):
    """The words in silent e that a longer word may be made of by an ending: "mope" of
    "mopy", "phagocyte" of "phagocytosis"."""
    endings = set(KEEPING_ENDINGS) | {e for e, _ in SHIFTING_ENDINGS}
    return [word[:k] + "e" for k in range(3, len(word))
            if word[k - 1] not in "aeiouy" and word[k:] in endings]


def _head_vowel(context, head, n):
    """Vowel n of a head word's first reading, or None."""
    transcription = context.head_transcription(head)
    if not transcription:
        return None
    phonemes = coderules.RULES.phonemes_of_codes(_plain(first(transcription)))
    vowels = [p.code for p in phonemes or () if p.kind == VOWEL]
    return vowels[n] if n < len(vowels) else None


def british_vowel(context, word, codes):
    """A stressed vowel of a word CMU lacks where Wiktionary's clearly British readings agree on
    another, stressed as ours and alike in every other stressed vowel ("saxophonist"
    sAk5sRfEnist, not sAk5sEufEnist): a reading with ɒ or əʊ is no rule's guess."""
    # A word with another spelling among the keys answers as that one does ("livre", "liver").
    if context.cmu_phones.get(word) or context.has_other_spelling(word):
        return None
    texts = [t for t in context.wiktionary_texts.get(word) or () if british_reading(t, word)]
    if not texts:
        return None
    phonemes = coderules.RULES.phonemes_of_codes(_plain(codes))
    if phonemes is None:
        return None
    vowels = [p for p in phonemes if p.kind == VOWEL]
    readings = [wiktionary_nuclei(t) for t in texts]
    if not all(r and len(r) == len(vowels) for r in readings):
        return None
    # Wiktionary's readings of the same syllables, of whatever accent.
    others = [wiktionary_nuclei(t) for t in context.wiktionary_texts.get(word) or ()]
    others = [r for r in others if r and len(r) == len(vowels)]
    changes = {}
    for n, p in enumerate(vowels):
        stressed = p.stress or len(vowels) == 1
        if not stressed or not all(r[n][1] or len(vowels) == 1 for r in readings):
            continue
        theirs = [WIKTIONARY_BRITISH.get(r[n][0]) for r in readings]
        if not all(theirs) or any(p.code in t for t in theirs):
            continue
        agreed = set.intersection(*theirs)
        if len(agreed) != 1:
            return None
        vowel = agreed.pop()
        # A long vowel or the bath vowel made short, or the lot vowel for the short a or the
        # o before l, is as often another accent's reading ("haunch", "answerphone", "smolt").
        if p.code in ("R:", "a:") or vowel == "R" and (p.code == "A" or _after_vowel(
                phonemes, p).startswith("l")):
            return None
        # The u of the North beside a reading with ʌ is another accent's ("discomfiture").
        if vowel == "u" and any(r[n][0] == "ʌ" for r in others):
            return None
        # The lot vowel is written o or a (after w), au, ow: not ou ("fount" faunt).
        if vowel == "R" and _letters_of_vowel(word, n, len(vowels)) not in (
                None, "o", "a", "au", "ow"):
            return None
        # A word made of a head in silent e keeps the head's vowel ("mopy" as "mope",
        # "phagocytosis" as "phagocyte").
        if any(_head_vowel(context, head, n) == p.code for head in _silent_e_heads(word)):
            return None
        changes[n] = vowel
    # One vowel apart: a reading further off is of another word or another accent.
    return with_vowels(codes, changes) if len(changes) == 1 else None


# Where a head's reading is a person's: the style reference's, Britfone's, the hand-made and
# the reviewed ones.
TRUSTED = ("style", "britfone", "corrected", "hand", "heteronym", "reviewed")


# The rules in the order they run, each with the methods whose readings it mends.
RULE_METHODS = ("ipa-dict", "espeak", "composed", "form", "american", "cmu")
RULES = (
    ("doubled consonant", doubled_consonant, RULE_METHODS),
    ("unstressed e", unstressed_e, RULE_METHODS),
    ("weak sub-", weak_sub, RULE_METHODS),
    ("re- meaning again", again_prefix, RULE_METHODS),
    ("full e before the stress", full_e_before_stress, RULE_METHODS),
    ("family stress", family_stress, RULE_METHODS),
    ("family consonant", family_consonant, RULE_METHODS + ("britfone",)),
    ("-s after a vowel", plural_after_vowel, RULE_METHODS),
    ("s after a prefix", onset_after_prefix, RULE_METHODS + ("britfone", "style")),
    ("-ate noun", noun_ate, RULE_METHODS),
    ("fore-stressed noun", fore_stressed_noun, RULE_METHODS),
    ("stem-stressed adjective", stem_stressed_adjective, RULE_METHODS),
    ("weak -ary", weak_ary, RULE_METHODS),
    ("CMU and Wiktionary's vowel", agreed_vowel, RULE_METHODS),
    ("bath vowel", bath_vowel, RULE_METHODS),
    ("Wiktionary's British vowel", british_vowel, RULE_METHODS),
    ("weak o before the stress", weak_o, RULE_METHODS),
    ("weak vowel after the stress", weak_after_stress, RULE_METHODS),
    ("one primary of a fore- verb", fore_verb, RULE_METHODS + ("britfone",)),
    ("head's vowels", head_vowels, RULE_METHODS),
    ("head's vowel before a shifted stress", head_vowel_before_stress, RULE_METHODS),
)


def wiktionary_texts(path):
    """Lower-case word -> Wiktionary's transcriptions as written, for the vowels of re-."""
    result = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            word, sep, ipa = line.rstrip("\r\n").partition("\t")
            if sep:
                result.setdefault(word.lower(), []).append(ipa)
    return result


# Endings that draw the stress to the syllable before them, with the syllables they add
# ("atom", "atomic" a5tRmik; "electric", "electricity" ilek5trisiti).
SHIFTING_ENDINGS = (("ologists", 2), ("ologist", 2), ("ologies", 2), ("ology", 2),
                    ("ographers", 2), ("ographer", 2), ("ography", 2), ("ometers", 2),
                    ("ometer", 2), ("otomies", 2), ("otomy", 2), ("ectomies", 2),
                    ("ectomy", 2), ("oscopy", 2), ("ifying", 3), ("ified", 2), ("ifies", 2),
                    ("ify", 2), ("icals", 2), ("ical", 2), ("itudes", 2), ("itude", 2),
                    ("icians", 1), ("ician", 1), ("itis", 1), ("osis", 1), ("ities", 2),
                    ("ity", 2), ("ics", 1), ("ic", 1), ("ions", 1), ("ion", 1))
SHIFTS = dict(SHIFTING_ENDINGS)


# More endings that keep the stress of the word before them: a word made with one is stressed
# as its head ("eliminator" as "eliminate", "releasable" as "release", "bloomy" as "bloom").
KEEPING_ENDINGS = tuple(sorted({e for e, _ in NEUTRAL_ENDINGS} | {
    "able", "ably", "or", "ors", "ship", "ships", "hood", "hoods", "y", "ies", "ry", "ery",
    "eries", "dom", "like", "wise", "ward", "wards", "ette", "ettes", "lessly", "fully",
    "nesses", "ishly", "ishness", "ful", "fuls", "ingly", "edly"}, key=len, reverse=True))


def same_stress(ours, theirs, grown=False):
    """Whether a word made of a head by an ending (ours) is stressed as the head (theirs): the
    same primary syllable, the word at least as long; grown: the other way round, theirs the
    longer word made of ours."""
    if grown:
        ours, theirs = theirs, ours
    if theirs.syllables > ours.syllables:
        return False
    mine = ours.primaries or ({0} if ours.syllables == 1 else frozenset())
    head = theirs.primaries or ({0} if theirs.syllables == 1 else frozenset())
    return bool(mine) and bool(head) and set(mine) <= set(head)


def agrees_with_head(codes, head_codes, ending):
    """Whether a word made of a head and an ending is stressed as morphology says: on the
    head's syllable for an ending that keeps it, on the syllable before a shifting ending."""
    ours = evidence.codes_profile(codes)
    stressed = ours.primaries or ({0} if ours.syllables == 1 else frozenset())
    if ending in SHIFTS:
        return stressed == {ours.syllables - SHIFTS[ending] - 1}
    head = evidence.codes_profile(head_codes)
    primaries = head.primaries or ({0} if head.syllables == 1 else frozenset())
    return bool(primaries) and stressed == primaries
