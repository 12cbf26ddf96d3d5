"""American English transcriptions in our codes, as learner's dictionaries print them:
ɑː ɔː oʊ ɜːr ər ɪ ʊ i u æ e ʌ aɪ aʊ ɔɪ eɪ, an r after a vowel written, the stress marks before
the syllable's onset, the flap not written, a syllabic l or n without a vowel.

Codes (the dictionary column of sonabet/notation.tsv): "B:" ɑː, "R:" ɔː, "oJ" oʊ, "\\:r" ɜːr,
"Er" ər, "I" ɪ, "J" ʊ, "i" the unstressed i of "happy", "u" the unstressed u of "situation",
"aI" aɪ, "aJ" aʊ, "RI" ɔɪ, "eI" eɪ, the rest as in the British tables.

Two ways to a transcription:
  - from_cmu: the CMU Pronouncing Dictionary's phones, with its stress, vowels and r;
  - from_british: a British entry rewritten by the rules of BRITISH_RULES (the lot vowel to ɑː,
    əu to oʊ, the bath words to æ, r restored where the spelling has it after the vowel, the j
    of "new" dropped), to be checked against eSpeak NG's American voice (espeak_profile).
"""

import re

import coderules
import evidence

# CMU's vowels by stress: (stressed, unstressed).
CMU_VOWELS = {
    "AA": ("B:", "B:"), "AE": ("A", "A"), "AH": ("Q", "E"), "AO": ("R:", "R:"),
    "AW": ("aJ", "aJ"), "AY": ("aI", "aI"), "EH": ("e", "e"), "ER": ("\\:r", "Er"),
    "EY": ("eI", "eI"), "IH": ("I", "I"), "IY": ("i:", "i"), "OW": ("oJ", "oJ"),
    "OY": ("RI", "RI"), "UH": ("J", "J"), "UW": ("u:", "u"),
}
CMU_CONSONANTS = {
    "P": "p", "B": "b", "T": "t", "D": "d", "K": "k", "G": "g", "F": "f", "V": "v", "TH": "W",
    "DH": "T", "S": "s", "Z": "z", "SH": "F", "ZH": "V", "CH": "tF", "JH": "dV", "HH": "h",
    "M": "m", "N": "n", "NG": "N", "L": "l", "R": "r", "W": "w", "Y": "j",
}
# A syllabic l follows any consonant but these; a syllabic n only these, and f, v, θ, ð at the
# end of a word or before an ending ("seven" /ˈsevn/, "often" /ˈɔːfn/; "infant" keeps its ə).
NOT_BEFORE_SYLLABIC_L = {"R", "L", "Y", "W", "NG"}
BEFORE_SYLLABIC_N = {"T", "D", "S", "Z", "SH", "ZH"}
BEFORE_FINAL_SYLLABIC_N = {"F", "V", "TH", "DH"}
AFTER_FINAL_SYLLABIC_N = {None, "Z", "D", "TH"}

# American vowel codes, longest first, for reading a transcription back.
US_VOWELS = ("\\:", "B:", "R:", "i:", "u:", "oJ", "aI", "aJ", "RI", "eI",
             "A", "Q", "E", "I", "J", "e", "i", "u")
# British vowel codes, longest first.
UK_VOWELS = ("i:", "E:", "a:", "R:", "u:", "ai", "ei", "Ri", "Eu", "ou", "au", "iE", "/E", "uE",
             "B:", "i", "e", "A", "E", "Q", "R", "u", "o")
TWO_LETTER_CONSONANTS = ("tF", "dV", "dz", "ts")


def _tokens(codes, vowels):
    """Sounds and marks of one form: (token, is_vowel); optional sounds in brackets left out."""
    text = re.sub(r"\([^()]*\)", "", codes)
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c in "5,":
            out.append((c, False))
            i += 1
            continue
        vowel = next((v for v in vowels if text.startswith(v, i)), None)
        if vowels is UK_VOWELS and text.startswith(("iEu", "uEu"), i):
            vowel = text[i]  # "5EuliEu" is i and əu: "olio" /ˈoʊlioʊ/
        if vowel:
            out.append((vowel, True))
            i += len(vowel)
        elif text.startswith(TWO_LETTER_CONSONANTS, i):
            out.append((text[i:i + 2], False))
            i += 2
        elif c.isalpha():
            out.append((c, False))
            i += 1
        else:
            i += 1
    return out


def _marked(sounds, onsets=None):
    """sounds: (code, kind, stress) with kind "v" (a vowel), "s" (a syllabic consonant) or "c";
    stress 1, 2 or 0. The codes with the primary stress mark "5" before its syllable's onset
    and "," before each secondary stress ahead of it; none in a word of one syllable. The onset
    is the longest that English allows, unless onsets (the length of each vowel's onset by its
    place among the vowels) says otherwise: the British form's prefixes ("dis5mAntl",
    "Qn5eWikl"), but not an s split from a p, t or k after it."""
    vowel_places = {i: n for n, i in enumerate(i for i, s in enumerate(sounds) if s[1] == "v")}
    syllabic = [i for i, s in enumerate(sounds) if s[1] in "vs"]
    primaries = [i for i in syllabic if sounds[i][2] == 1]
    marks = {}
    if len(syllabic) > 1 and primaries:
        primary = primaries[0]
        for i in syllabic:
            if i > primary or sounds[i][2] == 0 or sounds[i][1] == "s":
                continue
            # CMU's secondary stresses on prefixes ("important") are not printed: one ahead of
            # the primary is marked only where the British form marks that syllable too.
            # But where the British form marks none ahead of the primary, CMU's on a later
            # syllable than the first is printed: "electronics" /ɪˌlekˈtrɑːnɪks/.
            # The first syllable's is printed too where weak syllables alone lie between it
            # and the primary: "necessarily" /ˌnesəˈserəli/, "illegality" /ˌɪliˈɡæləti/.
            between = [s[2] for s in sounds[i + 1:primary] if s[1] == "v"]
            if (i != primary and onsets is not None and vowel_places.get(i) not in onsets
                    and ((vowel_places.get(i) == 0 and (not between or any(between)))
                         or len(onsets) > 1)):
                continue
            start = i
            while start > 0 and sounds[start - 1][1] == "c":
                onset = tuple(s[0] for s in sounds[start - 1:i])
                inside = any(s[1] != "c" for s in sounds[:start - 1])
                if inside and not coderules.RULES.is_onset(onset):
                    break
                start -= 1
            hint = (onsets or {}).get(vowel_places.get(i))
            inside = any(s[1] != "c" for s in sounds[:start])
            if hint is not None and inside and start < i - hint:
                # An s stays with the p, t or k after it ("explain" /ɪkˈspleɪn/ beside
                # "iks5plein"), as learner's dictionaries print it.
                s_stop = (sounds[i - hint - 1][0] == "s" and sounds[i - hint][0] in "ptk"
                          and start <= i - hint - 1)
                start = i - hint - s_stop
            marks[start] = "5" if i == primary else ","
    return "".join(marks.get(i, "") + s[0] for i, s in enumerate(sounds))


def british_onsets(form):
    """The length of each stressed vowel's onset in a British form, by the vowel's place, and
    the place of the vowel with the primary stress."""
    onsets = {}
    place = 0
    onset = None
    primary = None
    for t, is_vowel in _tokens(form, UK_VOWELS):
        if t in "5,":
            onset = 0
            if t == "5":
                primary = place
        elif is_vowel:
            if onset is not None:
                onsets[place] = onset
            onset = None
            place += 1
        elif onset is not None:
            onset += 1
    return onsets, primary


# Endings whose weak vowel learner's dictionaries print ə in American English whatever the
# British form writes ("private", "goodness", "bargain"), with the vowel's place from the end.
# Also -let ("toilet" /ˈtɔɪlət/; not -llet: "wallet" /ˈwɑːlɪt/), -ril ("nostril"), -eign
# ("foreign" /ˈfɔːrən/), -oet and -oem ("poet", "poem" /ˈpoʊəm/).
SCHWA_ENDINGS = re.compile(r"(?:ately|ateness|aces)$"
                           r"|(?:ate|ates|ness|less|ain|ains|ace|ess|some)$"
                           r"|(?:(?<!l)let|ril|eign|oet|oem)s?$")
# CMU's vowel and the British vowel beside it -> the vowel learner's dictionaries print: ɪ
# where CMU reduces it ("vitamin" /ˈvaɪtəmɪn/, "extremist"), ə where CMU hears ɪ or æ
# ("personal", "accepted"), a full ʌ or ɜːr that CMU reduces ("unarmed" /ʌnˈɑːrmd/, "expert"
# /ˈekspɜːrt/), the thought vowel CMU merges with the lot vowel ("astronaut" /ˈæstrənɔːt/),
# the marry vowel it merges with the merry vowel ("parody" /ˈpærədi/), the ɔːr it
# reduces ("matador" /ˈmætədɔːr/) and a weak æ ("baboon" /bæˈbuːn/).
FROM_BRITISH_WEAK = {("AH0", "i"): "I", ("EH0", "i"): "I", ("IH0", "E"): "E",
                     ("AE0", "E"): "E", ("AH0", "Q"): "Q", ("ER0", "E:"): "\\:r",
                     ("AA0", "R:"): "R:", ("AA1", "R:"): "R:", ("AA2", "R:"): "R:",
                     ("EH1", "A"): "A", ("EH2", "A"): "A", ("ER0", "R:"): "R:r",
                     ("AH0", "A"): "A", ("IY2", "i:"): "i:"}


# The full vowels FROM_BRITISH_WEAK restores.
FULL_VOWELS = {"Q", "A", "R:", "R:r", "\\:r", "i:"}

CMU_VOWELS_STRESSED = {v + d for v in CMU_VOWELS for d in "012"}


def _british_vowels(form):
    """The syllables of a British form by their vowels: an unstressed iə or uə of a longer word
    as two ("5AktFuEl"), a syllabic l or n as "@" ("5pE:sEnl")."""
    out = []
    marked = False
    longer = any(c in form for c in "5,")
    tokens = _tokens(form, UK_VOWELS)
    for k, (t, is_vowel) in enumerate(tokens):
        if t in "5,":
            marked = True
        elif is_vowel:
            out += [t[0], "E"] if t in ("iE", "uE") and longer and not marked else [t]
            marked = False
        elif (t in ("l", "n") and k > 0 and not tokens[k - 1][1]
              and tokens[k - 1][0] not in "5,rljwN" and out
              and not (k + 1 < len(tokens) and tokens[k + 1][1])):
            out.append("@")
    return out


# A word whose first, weak syllable is be-, de-, re- or pre- ("believe" "bi5li:v"), or a
# weak e- after a prefix ("inequality": "i5kwRliti").
WEAK_PREFIXED = re.compile(r"(b|d|r|pr)e")
WEAK_PREFIX_FORM = re.compile(r"/?(b|d|r|pr)i[5,]")
E_AFTER = re.compile(r"in|un|non|re|dis|mis")
WEAK_E_FORM = re.compile(r"/?i[5,]")


def _standing_prefixes(word, words):
    """The places among the spelling's vowel groups of the e of a be-, de-, re-, pre- that
    begins a word standing alone inside the word, with an ending or not ("misbehave",
    "unreservedly"), of a weak e- after in-, un-, non-, re-, dis-, mis- ("inequality"), and
    the first of each part after a hyphen ("re-emerge", "test-retest"): their ɪ stays before
    a stressed syllable ("representation" has ə)."""
    places = set()
    for j in range(1, len(word)):
        if word[j - 1] == "-":
            places.add(len(_vowel_groups(word[:j])))
            continue
        prefixed = WEAK_PREFIXED.match(word, j)
        e_stem = word[j] == "e" and E_AFTER.fullmatch(word[:j])
        if not (prefixed or e_stem):
            continue
        form = WEAK_PREFIX_FORM if prefixed else WEAK_E_FORM
        if any(form.match(words.get(word[j:end], "")) for end in range(len(word), j + 3, -1)):
            places.add(len(_vowel_groups(word[:j])))
    return places


def open_onset(consonants):
    """Whether consonants between two vowels all begin the second syllable, an s and another
    consonant aside (the s closes the first: "orchestra" /ˈɔːrkɪstrə/)."""
    return bool(consonants) and coderules.RULES.is_onset(tuple(consonants)) and not (
        len(consonants) > 1 and consonants[0] == "s")


def _open_weak_e(phones, vowels, theirs, spelling, words):
    """The places of CMU's ə beside a British weak ɪ spelled e in an open syllable between
    the first syllable and the primary stress: American speech reduces it fully there and
    dictionaries print ə ("expedition" /ˌekspəˈdɪʃn/, "necessarily", "delegation"), but keep
    ɪ in a closed syllable ("orchestra"), for a written i ("anticipation"), after the primary
    stress, where they differ from word to word ("elephant", "envelope"), and in the be-,
    de-, re-, pre- of a word that stands alone inside the word (words: lower-case key ->
    British transcription): "misbehave" /ˌmɪsbɪˈheɪv/."""
    slots = [t != "@" for t in theirs]
    primary = next((i for i in vowels if phones[i].endswith("1")), -1)
    hiatus = [i + 1 in vowels for i in vowels]
    groups = _matched_groups(slots, spelling, [h for h, s in zip(hiatus, slots) if s])
    letters = iter(groups)
    standing = _standing_prefixes(spelling.lower(), words)
    places = set()
    group = -1
    for n, (i, t) in enumerate(zip(vowels, theirs)):
        letter = next(letters)[1] if t != "@" else None
        group += t != "@"
        if (phones[i] != "AH0" or t != "i" or letter != "e" or i > primary
                or n == 0 or (group in standing and phones[vowels[n + 1]][-1] in "12")):
            continue
        if open_onset([CMU_CONSONANTS[p] for p in phones[i + 1:vowels[n + 1]]]):
            places.add(i)
    return places


def _weak_from_british(phones, british, spelling, words):
    """Place among the phones -> the vowel that replaces CMU's unstressed one by the British
    vowel beside it (FROM_BRITISH_WEAK). But ə, whatever CMU or the British form has, in the
    endings of SCHWA_ENDINGS, before a last syllable of one consonant and a weak i ("quality"
    /ˈkwɑːləti/, "family") and before -ary, -ory, -ery ("territory" /ˈterətɔːri/). Nothing
    where the vowels do not pair off."""
    vowels = [i for i, p in enumerate(phones) if p.rstrip("012") in CMU_VOWELS]
    theirs = _british_vowels(british)
    if len(theirs) != len(vowels):
        return {}
    kept = set()
    m = SCHWA_ENDINGS.search(spelling.lower())
    if m:
        kept.add(vowels[-2] if m.group(0) in ("ately", "ateness", "aces") else vowels[-1])
    if len(vowels) > 1 and phones[vowels[-1]] in ("IY0", "IY2") and vowels[-1] - vowels[-2] == 2:
        kept.add(vowels[-2])
    if (len(vowels) > 2 and phones[vowels[-1]] == "IY0" and phones[vowels[-2]] in ("AO2", "EH2")
            and phones[vowels[-2] + 1] == "R"):
        kept.add(vowels[-3])
    weak = {i: FROM_BRITISH_WEAK[phones[i], t] for i, t in zip(vowels, theirs)
            if (phones[i], t) in FROM_BRITISH_WEAK}
    # CMU's weak i before a consonant ahead of the primary stress, where the British form
    # writes ɪ: "precaution" /prɪˈkɔːʃn/; after it, the i ends a compound's first part
    # ("jellyfish" /ˈdʒelifɪʃ/).
    primary = next((i for i in vowels if phones[i].endswith("1")), len(phones))
    for i, t in zip(vowels, theirs):
        if (phones[i] == "IY0" and t == "i" and i + 1 < primary
                and phones[i + 1] not in CMU_VOWELS_STRESSED):
            weak[i] = "I"
        # A weak æ only ahead of the primary stress ("baboon"; "abacus" /ˈæbəkəs/).
        if (phones[i], t) == ("AH0", "A") and i > primary:
            del weak[i]
    kept |= _open_weak_e(phones, vowels, theirs, spelling, words)
    for i in kept:
        if phones[i] in ("AH0", "IH0"):
            weak[i] = "E"
    # -iful: ɪ before the f ("beautiful" /ˈbjuːtɪfl/, "plentiful").
    if re.search("iful(ly)?$", spelling.lower()) and "F" in phones:
        f = len(phones) - 1 - phones[::-1].index("F")
        place = max((i for i in vowels if i < f), default=None)
        if place is not None and phones[place] in ("AH0", "IH0"):
            weak[place] = "I"
    # CMU's ə beside a British weak u after j, dʒ, tʃ: u ("education" /ˌedʒuˈkeɪʃn/,
    # "document" /ˈdɑːkjumənt/, "deputy"), but ə before an l that eɪ does not follow ("regular"
    # /ˈreɡjələr/, "spatula"; "calculate" /ˈkælkjuleɪt/).
    for n, (i, t) in enumerate(zip(vowels, theirs)):
        if (t in ("u", "u:") and phones[i] in ("AH0", "UH0", "UH2") and i > 0
                and phones[i - 1] in ("Y", "JH", "CH")):
            later = phones[vowels[n + 1]] if n + 1 < len(vowels) else ""
            before_l = phones[i + 1:i + 2] == ["L"] and later and not later.startswith("EY")
            weak[i] = "E" if before_l else "u"
    return weak


def _olog(phones, last):
    """-ology, -ologies, -ologist as CMU writes most of them where it writes a few otherwise:
    the lot vowel ɑː, not ɔː or oʊ, a dʒ, not a g, and a weak i or ɪ after it: "mixology",
    "psychopathologies" /ˌsaɪkoʊpəˈθɑːlədʒiz/, "typology", "anthologist"."""
    text = " ".join(phones)
    text = re.sub(r"\b(?:AO|OW)([12]) L (?:AH0|AA0) (?:G|JH) (?:IY|IH)[02]\b",
                  lambda m: "AA%s L AH0 JH %s0" % (m.group(1), last), text)
    return text.split()


def from_cmu(phones, british=None, spelling="", words=None):
    """One CMU pronunciation ("K W AA1 L AH0 T IY0") in our American codes ("5kwB:lEti");
    british, the British form it stands beside, for the onsets of its stressed syllables and
    its weak vowels; spelling, the word, for the endings that keep ə; words, the British
    transcriptions by lower-case key, for the words that stand alone inside it."""
    phones = phones.split() if isinstance(phones, str) else list(phones)
    if british and re.search("u[Ei]", british):
        # "actual" /ˈæktʃuəl/, "genuine" /ˈdʒenjuɪn/: CMU's glide between two weak vowels is
        # the British u before a vowel.
        for i in range(1, len(phones) - 2):
            if (phones[i - 1] in ("CH", "JH", "SH", "ZH", "Y") and phones[i:i + 2] == ["AH0", "W"]
                    and phones[i + 2] in ("AH0", "IH0")):
                phones[i:i + 2] = ["UW0"]
                break
    if re.search("olog(y|ies|ist|ists)$", spelling.lower()):
        phones = _olog(phones, "IH" if spelling.lower().endswith(("ist", "ists")) else "IY")
    weak = _weak_from_british(phones, british, spelling, words or {}) if british else {}
    sounds = []
    for i, phone in enumerate(phones):
        base = phone.rstrip("012")
        stress = int(phone[-1]) if phone[-1:].isdigit() else 0
        if base not in CMU_VOWELS:
            sounds.append((CMU_CONSONANTS[base], "c", 0))
            continue
        before = phones[i - 1] if i > 0 else None
        after = phones[i + 1] if i + 1 < len(phones) else None
        after_after = phones[i + 2] if i + 2 < len(phones) else None
        ends = after_after is None or after_after.rstrip("012") not in CMU_VOWELS
        earlier_vowel = any(p.rstrip("012") in CMU_VOWELS for p in phones[:i])
        before_before = CMU_CONSONANTS.get(phones[i - 2]) if i > 1 else None
        vowel_before = next((p for p in reversed(phones[:i]) if p.rstrip("012") in CMU_VOWELS),
                            "0")
        n_fits = syllabic_n_fits(CMU_CONSONANTS.get(before), before_before,
                                 not vowel_before.endswith("0"), spelling)
        # Not where the British form writes ɪ ("dolphin" /ˈdɑːlfɪn/), but an n after t, d, s,
        # z, ʃ, ʒ all the same ("Latin" /ˈlætn/, "basin" /ˈbeɪsn/).
        # Nor where it writes a full vowel CMU reduces ("impulse" /ˈɪmpʌls/).
        if (base == "AH" and stress == 0 and before in CMU_CONSONANTS and ends and earlier_vowel
                and weak.get(i) not in FULL_VOWELS
                and (weak.get(i) != "I" or (after == "N" and before in BEFORE_SYLLABIC_N
                                            and after_after in AFTER_FINAL_SYLLABIC_N
                                            and i + 3 >= len(phones)))
                and ((after == "L" and before not in NOT_BEFORE_SYLLABIC_L
                      and not (i + 3 == len(phones) and after_after not in ("Z", "D", "S")))
                     or (after == "N" and before in BEFORE_SYLLABIC_N and n_fits)
                     or (after == "N" and before in BEFORE_FINAL_SYLLABIC_N
                         and after_after in AFTER_FINAL_SYLLABIC_N
                         and i + 3 >= len(phones)))):
            # "little" /ˈlɪtl/, "button" /ˈbʌtn/: the consonant is the syllable.
            sounds.append(None)
            continue
        code = CMU_VOWELS[base][0 if stress else 1]
        code = weak.get(i, code)
        # A secondary stress after the primary on an open i or u is none ("possibility"
        # /ˌpɑːsəˈbɪləti/, "spiritually"); a last u is long ("menu" /ˈmenjuː/).
        if base in ("IY", "UW") and stress == 2 and "1" in "".join(phones[:i]) and (
                after is None or after.rstrip("012") in CMU_VOWELS
                or (after in ("Z", "D") and after_after is None)):
            stress = 0
            code = CMU_VOWELS[base][1]
        if base == "UW" and stress == 0 and after is None and earlier_vowel:
            code = "u:"
        # A last -day is deɪ, as learner's dictionaries print it first: "Monday" /ˈmʌndeɪ/.
        if (phone == "IY0" and before == "D" and re.search("days?$", spelling.lower())
                and not any(p.rstrip("012") in CMU_VOWELS for p in phones[i + 1:])):
            code = "eI"
        # But CMU's secondary i after the primary stays long where the British form writes it
        # long: "manatee" /ˈmænətiː/, "analyses" /əˈnæləsiːz/.
        if phone == "IY2" and weak.get(i) == "i:":
            code = "i:"
        # Unstressed i and u are short ("happy", "situation", "reminded"), but long in a
        # closed last syllable ("increase" /ˈɪnkriːs/, "produce" /ˈproʊduːs/) other than the
        # -s or -d of an ending ("babies" /ˈbeɪbiz/).
        if base in ("IY", "UW") and stress == 0 and after is not None:
            closed_last = not any(p.rstrip("012") in CMU_VOWELS for p in phones[i + 1:])
            ending = base == "IY" and after in ("Z", "D") and after_after is None
            if closed_last and not ending:
                code = CMU_VOWELS[base][0]
        # The near and cure vowels before an r that ends the syllable or starts a weak one:
        # "here" /hɪr/, "hearing" /ˈhɪrɪŋ/, "poor" /pʊr/; not "rerun", "guru".
        if base in ("IY", "UW") and stress and after == "R":
            following = next((p for p in phones[i + 2:] if p.rstrip("012") in CMU_VOWELS), "0")
            if following.endswith("0"):
                code = "I" if base == "IY" else "J"
        if code.endswith("r"):
            sounds.append((code[:-1], "v", stress))
            sounds.append(("r", "c", 0))
        else:
            sounds.append((code, "v", stress))
    out = []
    for i, s in enumerate(sounds):
        if s is None:
            continue
        if i > 0 and sounds[i - 1] is None:
            s = (s[0], "s", 0)
        out.append(s)
    onsets = None
    primaries = [i for i, s in enumerate(out) if s[1] == "v" and s[2] == 1]
    if british and len(primaries) > 1:
        # Of CMU's two primary stresses the one the British form marks leads, the last where
        # it marks two: "engineer" /ˌendʒɪˈnɪr/, "nineteen" /ˌnaɪnˈtiːn/ beside "5nain5ti:n".
        place = british_onsets(british)[1]
        vowels = [i for i, s in enumerate(out) if s[1] == "v"]
        if place is not None and place < len(vowels) and vowels[place] in primaries:
            for i in primaries:
                if i != vowels[place]:
                    out[i] = (out[i][0], out[i][1], 2)
    if british:
        # The vowels up to the primary stress must pair off; weak syllables after it may
        # differ ("im5pR:tEnt" beside a syllabic n).
        onsets, primary = british_onsets(british)
        syllables = [i for i, s in enumerate(out) if s[1] in "vs"]
        ours = next((n for n, i in enumerate(syllables) if out[i][2] == 1), None)
        if primary is None or primary != ours or any(out[i][1] == "s" for i in syllables[:ours]):
            onsets = None
    if onsets is not None:
        # Ahead of the primary the British form decides the secondary stresses. A long i or u
        # whose secondary stress it neither marks nor writes long is weak: "replace"
        # /riˈpleɪs/ beside "ri5pleis", but "ri:prE5dju:s".
        places = [i for i, s in enumerate(out) if s[1] == "v"]
        primary = next((i for i in places if out[i][2] == 1), len(out))
        theirs = [t for t, is_vowel in _tokens(british, UK_VOWELS) if is_vowel]
        for n, i in enumerate(places):
            code, kind, stress = out[i]
            if i >= primary or n >= len(theirs):
                continue
            if stress == 2 and n not in onsets and code in ("i:", "u:") and theirs[n] in "iu":
                out[i] = (code[0], kind, 0)
            elif stress == 0 and n in onsets and code != "E":
                # The British secondary stress on a vowel CMU leaves unstressed but full:
                # "disagreement" /ˌdɪsəˈɡriːmənt/, "violation", "impersonation"
                # /ɪmˌpɜːrsəˈneɪʃn/.
                long = {"i": "i:", "u": "u:"}.get(code) if theirs[n] in ("i:", "u:") else None
                out[i] = (long or code, kind, 2)
    # CMU marks a compound's second element with a primary stress too: the first one leads.
    return _marked(out, onsets)


# The names of the letters, for an abbreviation read letter by letter.
LETTER_NAMES = {"A": "eI", "B": "bi:", "C": "si:", "D": "di:", "E": "i:", "F": "ef", "G": "dVi:",
                "H": "eItF", "I": "aI", "J": "dVeI", "K": "keI", "L": "el", "M": "em", "N": "en",
                "O": "oJ", "P": "pi:", "Q": "kju:", "R": "B:r", "S": "es", "T": "ti:",
                "U": "ju:", "V": "vi:", "W": "dQblju:", "X": "eks", "Y": "waI", "Z": "zi:"}


def letters(abbreviation):
    """An abbreviation read letter by letter, as the British entry is: the names of its
    letters, a secondary stress on the first, the primary on the last ("UN" /ˌjuːˈen/, not
    CMU's "un")."""
    names = [LETTER_NAMES[c] for c in abbreviation.upper() if c in LETTER_NAMES]
    if len(names) < 2:
        return None
    return "," + names[0] + "".join(names[1:-1]) + "5" + names[-1]


# The rules that rewrite a British vowel, by its code: (without an r, with the spelling's r).
BRITISH_RULES = {
    "R": ("B:", "B:r"),       # lot: "quality" /ˈkwɑːləti/
    "R:": ("R:", "R:r"),      # thought and north: "law" /lɔː/, "short" /ʃɔːrt/
    "a:": ("B:", "B:r"),      # palm and start; the bath words below
    "Eu": ("oJ", "oJ"), "ou": ("oJ", "oJ"), "o": ("oJ", "oJ"),
    "E:": ("\\:r", "\\:r"),   # nurse: "bird" /bɜːrd/
    "iE": ("i:E", "Ir"),      # near: "beard" /bɪrd/, "idea" /aɪˈdiːə/
    "/E": ("er", "er"),       # square: "care" /ker/
    "uE": ("u:E", "Jr"),      # cure: "tour" /tʊr/
    "E": ("E", "Er"),         # letter: "better" /ˈbetər/
    "ai": ("aI", "aI"), "ei": ("eI", "eI"), "Ri": ("RI", "RI"), "au": ("aJ", "aJ"),
    "u": ("J", "J"), "i": ("I", "I"),
    "i:": ("i:", "i:"), "u:": ("u:", "u:"), "e": ("e", "e"), "A": ("A", "A"),
    "Q": ("Q", "Q"), "B:": ("B:", "B:r"),
}
# The bath words: ɑː before these in British English is æ in American ("ask", "dance").
BATH_BEFORE = {("f",), ("s",), ("W",), ("n", "t"), ("n", "s"), ("n", "d"), ("n", "tF"),
               ("m", "p"), ("s", "k"), ("s", "t"), ("s", "p"), ("f", "t"), ("s", "l")}
VOWEL_LETTERS = "aeiouy"


def _vowel_groups(spelling, silent_ending=True):
    """The spelling's vowel letter groups, each as (whether an r follows it that no vowel of its
    own follows, its letters): "car", "care", "cares", "careful"; the e of "care" left out, and
    a final e, and with silent_ending the e of a final -es or -ed, as silent."""
    word = spelling.lower()
    groups = []
    i = 0
    while i < len(word):
        if word[i] in VOWEL_LETTERS and not (word[i] == "y" and i == 0):
            j = i
            while j < len(word) and word[j] in VOWEL_LETTERS:
                j += 1
            rest = word[j:]
            # The e of "care", "cares", "careful" is silent; not that of "mackerel", nor that
            # of -ress, whose s is doubled: "sorceress", "actresses".
            silent_re = (rest[1:2] == "e" and not re.fullmatch("re[^aeiouysd]s?", rest)
                         and not rest.startswith("ress")
                         and (len(rest) == 2 or rest[2] not in VOWEL_LETTERS + "r"))
            r_after = rest.startswith("r") and (
                len(rest) == 1 or rest[1] not in VOWEL_LETTERS + "r" or silent_re)
            silent_e = word[i:j] == "e" and i > 1 and groups and (
                j == len(word) or (silent_ending and j == len(word) - 1 and word[j] in "sd")
                or re.fullmatch("(ly|ment|ments|less|lessly|ful|fully|ness|nesses)", word[j:]))
            if not silent_e:
                groups.append((r_after, word[i:j]))
            if r_after and rest[1:2] == "e":
                j += 2  # the e of "care", "fires": silent
            i = j
        else:
            i += 1
    return groups


def _matched_groups(slots, spelling, hiatus):
    """The spelling's vowel groups matched to a form's vowels. slots: for each vowel and
    syllabic consonant in order, whether it is a vowel; hiatus: for each vowel, whether another
    vowel follows it with no consonant between. Groups as many as the vowels match them
    in order, else as many as the vowels and syllabic consonants ("harden", "orbital"), else
    the last groups the last vowels (the r of "-ier", "-er", "-or")."""
    vowels = slots.count(True)
    tries = [_vowel_groups(spelling), _vowel_groups(spelling, silent_ending=False)]
    for groups in tries:
        if len(groups) == vowels:
            return groups
    # Two vowels with no consonant between them are most often one group of letters
    # ("heartiest", "valuation", "archaeology"): split it where the form has them; a last
    # "-ism" has a vowel no letter writes.
    for groups in tries:
        groups = list(groups)
        if re.search("[^aeiouy]ms?$", spelling.lower()) and len(groups) < vowels:
            groups.append((False, ""))
        n = k = 0
        while len(groups) < vowels and k < len(groups) and n < vowels:
            r_after, letters = groups[k]
            if hiatus[n] and len(letters) > 1:
                groups[k:k + 1] = [(False, letters[:-1]), (r_after, letters[-1])]
                n += 1
                k += 1
            n += 1
            k += 1
        if len(groups) == vowels:
            return groups
    for groups in tries:
        if len(groups) == len(slots):
            return [g for g, is_vowel in zip(groups, slots) if is_vowel]
    # A silent e inside a compound: "horsefly" /ˈhɔːrsflaɪ/, "homework".
    groups = list(tries[0])
    for k in range(len(groups) - 1, 0, -1):
        if len(groups) > vowels and groups[k] == (False, "e"):
            del groups[k]
    if len(groups) == vowels:
        return groups
    groups = tries[0]
    shift = len(groups) - vowels
    return [groups[n + shift] if 0 <= n + shift < len(groups) else (False, "")
            for n in range(vowels)]


# Endings whose weak vowel is the "happy" i where the British form writes ɪ: "creepiness".
WEAK_I_ENDINGS = re.compile(r"iness(es)?$")
# -ary, -ery, -ory two or more syllables after the primary stress keep a full vowel in American
# English: "military" /ˈmɪləteri/, "territory" /ˈterətɔːri/; not "salary" /ˈsæləri/.
FULL_ARY = re.compile(r"(ar|er|or)(y|ies|ily)$")
# A syllabic n follows these; f, v, θ, ð only at the end or before an ending.
SYLLABIC_N_AFTER = {"t", "d", "s", "z", "F", "V"}
SYLLABIC_N_AFTER_AT_END = {"f", "v", "W", "T"}


def syllabic_n_fits(before, before_before, vowel_before_stressed, spelling):
    """Whether an unstressed ə between the consonant before and a final n (or one before an
    ending) is a syllabic n: after t, d, s, z, ʃ, ʒ ("button", "person", "nation"), but not
    after another consonant and a t or d ("sentence", "distant", "captain", "golden"; r aside:
    "certain"), unless spelled -ain after n ("mountain" /ˈmaʊntn/), nor after a t or d that
    follows a weak vowel ("accident" /ˈæksɪdənt/; "student" /ˈstuːdnt/)."""
    if before in ("t", "d"):
        if before_before is not None and before_before != "r":
            return bool(before_before == "n" and re.search("ains?$", spelling))
        return before_before == "r" or vowel_before_stressed
    return before in SYLLABIC_N_AFTER


def from_british(form, spelling, known=None):
    """One British form in our codes rewritten as American; the spelling tells where an r was.
    Each word of a key of several is rewritten apart; of a word's several primary stresses
    ("5Qn5treind") the last leads, as American dictionaries print it: /ˌʌnˈtreɪnd/. known,
    the British transcriptions by lower-case key, for the words that stand alone inside."""
    forms, words = form.split(" "), spelling.split(" ")
    if len(forms) != len(words):
        words = [spelling] * len(forms)
    out = []
    for f, w in zip(forms, words):
        text = _from_british_word(f, w, known or {})
        last = text.rfind("5")
        out.append(text[:last].replace("5", ",") + text[last:] if last > 0 else text)
    return " ".join(out)


def _primary_vowel(tokens):
    """The place among the vowels of the one with the primary stress (the last of several);
    None where none has it."""
    place = 0
    primary = None
    marked = None
    for t, is_vowel in tokens:
        if t in "5,":
            marked = t
        elif is_vowel:
            if marked == "5":
                primary = place
            marked = None
            place += 1
    return primary


def _from_british_word(form, spelling, words):
    toks = []
    stressed = []  # of each vowel: whether its syllable bears a stress mark
    marked = False
    tokens = _tokens(form, UK_VOWELS)
    slots = []  # vowels (True) and syllabic consonants (False) in order
    for k, (t, is_vowel) in enumerate(tokens):
        if t in "5,":
            marked = True
        if not is_vowel:
            toks.append((t, False))
            if (t in ("l", "n") and slots and k > 0 and not tokens[k - 1][1]
                    and tokens[k - 1][0] not in "5,rljwN"
                    and not (k + 1 < len(tokens) and tokens[k + 1][1])):
                slots.append(False)
        # An unstressed iə or uə of a longer word is two syllables: "happier" /ˈhæpiər/,
        # "actual" /ˈæktʃuəl/.
        elif t in ("iE", "uE") and not marked and any(c in form for c in "5,"):
            toks += [(t[0], True), ("E", True)]
            stressed += [False, False]
            slots += [True, True]
        else:
            toks.append((t, True))
            stressed.append(marked)
            slots.append(True)
        if is_vowel:
            marked = False
    vowels = [t for t, v in toks if v]
    sounds = [v for x, v in toks if x not in "5,"]
    hiatus = [v and k + 1 < len(sounds) and sounds[k + 1] for k, v in enumerate(sounds) if v]
    groups = _matched_groups(slots, spelling, hiatus)
    word = spelling.lower()
    primary_place = _primary_vowel(toks)
    out = []  # [code, is_vowel, British code, stressed]
    n = -1
    for k, (t, is_vowel) in enumerate(toks):
        if not is_vowel:
            out.append([t, False, t, False])
            continue
        n += 1
        following = [x for x, v in toks[k + 1:k + 3]]
        next_sound = next(((x, v) for x, v in toks[k + 1:] if x not in "5,"), ("", False))
        next_vowel = next_sound[1]
        r_written = groups[n][0] and following[:1] != ["r"]
        if t in ("E:", "/E"):
            r_written = following[:1] != ["r"]
        plain, rhotic = BRITISH_RULES[t]
        code = rhotic if r_written else plain
        if t == "a:" and not r_written:
            after = tuple(x for x, v in toks[k + 1:k + 3] if not v and x not in "5,")
            if after[:1] in BATH_BEFORE or after[:2] in BATH_BEFORE:
                code = "A"
        if t == "R" and not r_written:
            # The cloth words: ɔː in a stressed syllable closed by f, s, θ or ŋ ("cost",
            # "long"; not "ethos"), before a final g ("dog", "dialogs") and before a written ff
            # ("coffee"; not "profit"); but ɑː before ŋ and a g that a vowel follows, or an r
            # or l and a vowel ("Congo", "bongos", "congress"; not "longer").
            rest = [x for x, v in toks[k + 1:k + 3]]
            closed = len(rest) < 2 or not toks[k + 2][1]
            final_g = (rest[:1] == ["g"] and not any(v for _, v in toks[k + 2:])
                       and [x for x, _ in toks[k + 2:]] in ([], ["z"], ["d"]))
            double_f = rest[:1] == ["f"] and "off" in word
            beyond = [v for x, v in toks[k + 3:k + 5] if x not in "rl"]
            ng_g = (rest == ["N", "g"] and beyond[:1] == [True]
                    and not re.search("ng(er|est)$", word))
            # A final g makes ɔː unstressed too: "catalog" /ˈkætəlɔːɡ/.
            if ((((rest[:1] and rest[0] in ("f", "s", "W", "N") and closed and not ng_g)
                  or double_f) and (stressed[n] or len(vowels) == 1)) or final_g):
                code = "R:"
            # Before an r: ɔːr ("foreign" /ˈfɔːrən/, "correspond"), but ɑːr in "sorry",
            # "borrow", "tomorrow".
            if following[:1] == ["r"] and not re.search("orr(y|ie|ow)", word):
                code = "R:"
        if following[:1] == ["r"]:
            # Before the r of the next syllable: "period" /ˈpɪriəd/, "vary" /ˈveri/, and the
            # strut vowel as ɜː: "hurry" /ˈhɜːri/, "current", "courage".
            code = {"iE": "I", "uE": "J", "/E": "e", "E:": "\\:", "Q": "\\:"}.get(t, code)
        if t == "i":
            if not stressed[n] and (next_vowel or k + 1 == len(toks)):
                code = "i"
            elif (not stressed[n] and re.search("(ie|y|ey)[sd]$", spelling)
                  and [x for x, _ in toks[k + 1:]] in (["z"], ["d"])):
                code = "i"  # "medleys" /ˈmedliz/, "carried" /ˈkærid/
            elif not stressed[n] and (
                    (groups[n][1] == "i" and WEAK_I_ENDINGS.search(word) and n == len(vowels) - 2)
                    or (groups[n][1] == "y" and 0 < n < len(vowels) - 1
                        and not stressed[n + 1] and vowels[n + 1] not in ("E", "i"))):
                # "creepiness" /ˈkriːpinəs/; a compound's first part: "bodyguard"
                # /ˈbɑːdiɡɑːrd/, "copyright".
                code = "i"
        if t == "u" and next_vowel:
            code = "u"
        elif (t == "u:" and not stressed[n] and primary_place is not None
              and n < primary_place):
            # Ahead of the primary stress: "museum" /mjuˈziːəm/, "roulette", and after a
            # secondary one: "subjugation" /ˌsʌbdʒuˈɡeɪʃn/.
            code = "u"
        elif t == "u" and not stressed[n]:
            # Weak u: ə after j before l and a weak vowel ("regular" /ˈreɡjələr/, but
            # "calculate" /ˈkælkjuleɪt/, "muscularity" /ˌmʌskjuˈlærəti/), u in an open
            # syllable ("document" /ˈdɑːkjumənt/), ʊ in a closed one ("childhood").
            rest = [(x, v) for x, v in toks[k + 1:] if x not in "5,"]
            later = next((x for x, v in rest if v), None)
            after_j = k > 0 and toks[k - 1][0] in ("j", "dV", "tF")
            later_stressed = n + 1 < len(stressed) and stressed[n + 1]
            if ((after_j and rest[:1] == [("l", False)] and later and later != "ei"
                 and not later_stressed)
                    or word.endswith("fully")):
                code = "E"  # and "carefully" /ˈkerfəli/
            elif len(rest) > 1 and not rest[0][1] and rest[1][1]:
                code = "u"
        out.append([code, True, t, stressed[n]])
    places = [i for i, o in enumerate(out) if o[1]]
    # A last -re after a consonant, British spelling, is ər: "meagre" /ˈmiːɡər/, "litres",
    # "massacred"; not "genre" /ˈʒɑːnrə/.
    if (re.search("[^aeiouyr]re[sd]?$", word) and places and out[places[-1]][0] == "E"
            and out[places[-1]][2] == "E" and places[-1] > 0 and out[places[-1] - 1][0] != "r"
            and all(not o[1] and o[0] in "zd" for o in out[places[-1] + 1:])):
        out[places[-1]][0] = "Er"

    def weak(place):
        return not out[place][3] and out[place][0] in ("I", "E", "J")

    # -ary, -ery, -ory after two syllables or more from the primary: e, ɔː, and ə before it.
    primary = next((n for n, i in enumerate(places)
                    if any(o[0] == "5" for o in out[places[n - 1] + 1 if n else 0:i])), None)
    full_ary = FULL_ARY.search(word)
    if (full_ary and len(places) >= 3 and primary is not None
            and len(places) - 2 - primary >= 2 and out[places[-2]][0] == "E"
            and out[places[-2] + 1][0] == "r" and out[places[-1]][0] == "i"):
        out[places[-2]][0] = "R:" if full_ary.group(1) == "or" else "e"
        if weak(places[-3]):
            out[places[-3]][0] = "E"
    # -iful: ɪ before the f ("beautiful" /ˈbjuːtɪfl/).
    if re.search("iful(ly)?$", word) and len(places) > 2:
        place = places[-2] if word.endswith("ful") else places[-3]
        if weak(place):
            out[place][0] = "I"
    # A compound's -berry: "blackberry" /ˈblækberi/.
    if re.search("berr(y|ies)$", word) and len(places) > 2 and out[places[-2]][0] == "E":
        out[places[-2]][0] = "e"
    # ə in the endings that keep it ("climate", "goodness"), and before a last syllable of
    # one consonant and a weak i ("family", "quality", "authorities"), as from CMU.
    kept = set()
    m = SCHWA_ENDINGS.search(word)
    if m and places:
        kept.add(places[-2] if m.group(0) in ("ately", "ateness", "aces") and len(places) > 1
                 else places[-1])
    if (len(places) > 1 and out[places[-1]][0] == "i" and places[-1] - places[-2] == 2
            and not out[places[-1] - 1][1]):
        kept.add(places[-2])
    # And for a weak ɪ spelled e in an open syllable ahead of the primary stress
    # ("expedition"), as from CMU.
    standing = _standing_prefixes(word, words)
    for n, i in enumerate(places[1:primary or 0], 1):
        onset = [o[0] for o in out[i + 1:places[n + 1]] if o[0] not in "5,"]
        if (out[i][0] == "I" and out[i][2] == "i" and not out[i][3] and groups[n][1] == "e"
                and not (n in standing and out[places[n + 1]][3]) and open_onset(onset)):
            kept.add(i)
    for i in kept:
        if weak(i) and out[i][0] != "J":
            out[i][0] = "E"
    # A final -ful is a syllabic l: "frightful" /ˈfraɪtfl/.
    if word.endswith(("ful", "fuls")):
        tail = [o[0] for o in out[-3:]]
        if tail[-2:] == ["J", "l"] or tail == ["J", "l", "z"]:
            del out[-2 if tail[-1] == "l" else -3]
            places = [i for i, o in enumerate(out) if o[1]]
    # A weak ə before an n that no vowel follows is a syllabic n where it would be from CMU:
    # "vacation" /veɪˈkeɪʃn/, "student", "potency" /ˈpoʊtnsi/, "seven".
    codes = [o[0] for o in out]
    for i in places:
        if (codes[i] != "E" or out[i][3] or i + 1 >= len(out) or codes[i + 1] != "n"
                or i == places[0] or i < 1 or out[i - 1][1]):
            continue
        tail = codes[i + 2:]
        # Nor before a syllabic l: "proportional" /prəˈpɔːrʃənl/.
        if tail and (out[i + 2][1] or tail[0] in "5,l"):
            continue
        before = codes[i - 1]
        before_before = None if out[i - 2][1] or codes[i - 2] in "5," else codes[i - 2]
        vowel_before = max(p for p in places if p < i)
        vowel_stressed = out[vowel_before][3]
        if before in SYLLABIC_N_AFTER_AT_END:
            fits = not tail or tail == ["z"] or tail == ["d"]
        else:
            fits = syllabic_n_fits(before, before_before, vowel_stressed, word)
        if fits:
            out[i][0] = ""
    # A weak ə before an l that no vowel follows is a syllabic l after a consonant, as from
    # CMU ("appraisal" /əˈpreɪzl/, "novelty"), but not before a last consonant other than an
    # ending's ("difficult" /ˈdɪfɪkəlt/); and so is that of -ically ("logically" /ˈlɑːdʒɪkli/).
    for i in places:
        tail = codes[i + 2:]
        if (codes[i] == "E" and not out[i][3] and i + 1 < len(out) and codes[i + 1] == "l"
                and i != places[0] and i > 0 and not out[i - 1][1]
                and codes[i - 1] not in ("r", "l", "j", "w", "N", "5", ",")
                and (not tail or (not out[i + 2][1] and tail[0] not in "5,"
                                  and (len(tail) > 1 or tail[0] in ("z", "s", "d")))
                     or (word.endswith("ically") and tail == ["i"]))):
            out[i][0] = ""
    # -ization with ə, as American dictionaries print it: "organization" /ˌɔːrɡənəˈzeɪʃn/.
    if re.search("i[sz]ation", word):
        for n, i in enumerate(places[:-1]):
            if (out[i][0] == "aI" and not out[i][3] and "z" in codes[i + 1:i + 3]
                    and out[places[n + 1]][0] == "eI" and out[places[n + 1]][3]):
                out[i][0] = "E"
    text = "".join(o[0] for o in out)
    # A weak jə spelled with i or e before the vowel letter is iə after a consonant other
    # than l or n: "Libya" /ˈlɪbiə/, "Bosnian", "copious"; "million" keeps /ˈmɪljən/.
    if re.search("[^aeiouy][iey][aou]", word):
        text = re.sub(r"(?<=[pbtdkgfvWTszFVm])jE(?![r:])", "iE", text)
    # A weak u spelled between s and an l before a vowel is ə without the j, as CMU has
    # "insular", "consular" ("capsule" keeps its uː):
    # "capsular" /ˈkæpsələr/.
    if "sul" in word:
        text = re.sub(r"(?<=s)j[Eu](?=l.)", "E", text)
    # "-less", "-ness": ə.
    if re.search("(less|ness)(es|ly)?$", spelling):
        text = re.sub(r"([ln])Is(Iz|li)?$", r"\1Es\2", text)
    # "new", "student": no j after t, d, n, s, z, θ, l at a stressed syllable's start.
    text = re.sub(r"(^|[5,])(s?[tdnszWl])j(u:|Jr)", r"\1\2\3", text)
    if len(vowels) == 1:
        text = re.sub(r"^(s?[tdnszWl])j(u:|Jr)", r"\1\2", text)
    # Nor in -tude, -tute, stressed or not: "plenitude" /ˈplenɪtuːd/, "institutes".
    if re.search("tu(de|te)[sd]?$", word):
        text = re.sub(r"tju:([dt][sz]?)$", r"tu:\1", text)
    # The n of un- and in- before the k or g of a stressed syllable is n, as learner's
    # dictionaries print it ("uncrossed" /ʌnˈkrɔːst/, "ungraded"), where the British form
    # writes ŋ.
    if re.match("(un|in)[cgkq]", word):
        text = re.sub(r"^(,?[QI])N(?=[5,][kg])", r"\1n", text)
    # An s stays with the p, t or k after it, as from CMU: "explain" /ɪkˈspleɪn/; not with
    # the t of tʃ ("exchange" /ɪksˈtʃeɪndʒ/).
    text = re.sub(r"(?<=.)s([5,])([ptk])(?!F)", r"\1s\2", text)
    return text


# eSpeak NG's American voice, for the words the rules write.
ESPEAK_VOICE = "en-us"
ESPEAK_VOWEL_STARTS = "aAeEiIoOuUV@30"
ESPEAK_CONSONANTS = {"tS": "tF", "dZ": "dV", "S": "F", "Z": "V", "T": "W", "D": "T", "?": "t",
                     "N": "N"}
# American vowels of eSpeak that carry an r.
ESPEAK_RHOTIC = re.compile(r"3|A@|o@|O@|e@|U@")


def espeak(words):
    """Word -> eSpeak's American phoneme names, for words of letters, hyphens, apostrophes and
    blanks; other words are not asked."""
    wanted = sorted({w for w in words if w and w.isascii()
                     and all(c.isalpha() or c in "-' " for c in w)})
    return evidence.espeak_names(wanted, ESPEAK_VOICE)


def espeak_profile(names):
    """(syllables, primary syllables, consonants with r) of eSpeak's phoneme names."""
    syllables = 0
    primaries = set()
    consonants = []
    for word in names.split():
        parts = word.split("_")
        for k, name in enumerate(parts):
            primary = "'" in name
            name = name.replace("'", "").replace(",", "").replace("#", "").replace(";", "")
            name = name.replace("/", "")
            if not name:
                continue
            if name[0] in ESPEAK_VOWEL_STARTS:
                if primary:
                    primaries.add(syllables)
                # eSpeak's i@ is iːə, two syllables as we write them ("idea" /aɪˈdiːə/,
                # "fanciable"); i@3 is ɪr, one.
                syllables += 2 if name in ("aI3", "aU3", "aI@", "aU@", "i@") else 1
                r_next = k + 1 < len(parts) and parts[k + 1].lstrip("',").startswith("r")
                if ESPEAK_RHOTIC.search(name) and not r_next:
                    consonants.append("r")
                if name.endswith("L"):
                    consonants.append("l")
            elif name == "r-":
                consonants.append("r")
            elif name.endswith("-"):
                if primary:
                    primaries.add(syllables)
                syllables += 1
                consonants.append(name[0])
            else:
                base = name.rstrip("2")
                consonants.extend(ESPEAK_CONSONANTS.get(base, base[:1]))
    return syllables, primaries, consonants


def profile(codes):
    """(syllables, primary syllables, consonants with r) of one American form in our codes; a
    syllabic l or n counts as a syllable."""
    toks = _tokens(codes, US_VOWELS)
    syllables = 0
    primaries = set()
    consonants = []
    mark = None
    for i, (t, is_vowel) in enumerate(toks):
        if t in ("5", ","):
            mark = t
            continue
        if is_vowel:
            if mark == "5":
                primaries.add(syllables)
            mark = None
            syllables += 1
            continue
        before = toks[i - 1] if i > 0 else None
        after = toks[i + 1] if i + 1 < len(toks) else None
        if (t in ("l", "n") and before and not before[1] and before[0] not in "5,"
                and not (after and after[1])
                and (before[0] in "tdszFVfvWT" if t == "n" else before[0] not in "rljwN")):
            if mark == "5":
                primaries.add(syllables)
            syllables += 1
        consonants.extend(t)
    return syllables, primaries, consonants


def vowels_of(codes):
    """The vowels of one American form, in order."""
    return [t for t, is_vowel in _tokens(codes, US_VOWELS) if is_vowel]


def espeak_agrees(codes, names):
    """Whether eSpeak's American reading has the form's syllables, primary stress and
    consonants (r among them)."""
    ours = profile(codes)
    theirs = espeak_profile(names)
    # eSpeak reads the n of un-, in- before k or g as ŋ ("uncrossed").
    assimilated = ["N" if c == "n" and theirs[2][i:i + 1] == ["N"] and ours[2][i + 1:i + 2]
                   in (["k"], ["g"]) else c for i, c in enumerate(ours[2])]
    if ours[0] != theirs[0] or assimilated != theirs[2]:
        return False
    return ours[0] < 2 or bool(ours[1] & theirs[1])


def cmu_primary(phones):
    """The syllables of a CMU pronunciation with a primary stress, and its syllables."""
    syllables = 0
    primaries = set()
    for phone in phones.split():
        if phone.rstrip("012") in CMU_VOWELS:
            if phone.endswith("1"):
                primaries.add(syllables)
            syllables += 1
    return syllables, primaries
