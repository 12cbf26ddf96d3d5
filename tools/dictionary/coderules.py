"""The reader of conversion_rules.txt, the one set of rules that writes a pronunciation in our
codes in the style of the syllabus, and the rules at work: `codes_of` for a list of phonemes,
`codes_from_espeak` for eSpeak NG's phoneme names.

The program compiles the same file into its suggestion (voxscribe/core/espeakcodes.cpp) and
reads it with the same steps; a change here is a change there, and the two are held equal by
the cases of conversion_cases.tsv, which both test.
"""

import os
import re

RULES_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "conversion_rules.txt")

VOWEL, CONSONANT, BOUNDARY = "V", "C", "."

# The stress of a phoneme: 0 none, 1 primary, 2 secondary; the marks that ask for them.
STRESS_MARKS = {"'": 1, ",": 2, "-": 0}


class Phoneme:
    __slots__ = ("code", "kind", "stress")

    def __init__(self, code, kind, stress=0):
        self.code, self.kind, self.stress = code, kind, stress

    def __repr__(self):
        return "Phoneme(%r, %r, %r)" % (self.code, self.kind, self.stress)


class Item:
    """One item of a pattern: a sound out of a set (or the start of the word), how often, and
    what its stress must be; or a look at the next sound, or any sounds."""
    __slots__ = ("codes", "excluded", "start", "stress", "repeat", "kind")

    def __init__(self, kind, codes=frozenset(), excluded=frozenset(), start=False, stress=None,
                 repeat=""):
        self.kind, self.codes, self.excluded = kind, codes, excluded
        self.start, self.stress, self.repeat = start, stress, repeat

    def accepts(self, phoneme):
        return (phoneme.kind != BOUNDARY and phoneme.code in self.codes
                and phoneme.code not in self.excluded
                and (self.stress is None or phoneme.stress == self.stress))


class Rule:
    __slots__ = ("conditions", "items", "replacement", "text", "required")


class Rules:
    """The parsed file."""

    def __init__(self, text):
        self.vowels, self.consonants = [], []
        self.aliases, self.sets, self.espeak = {}, {}, {}
        self.espeak_order = []
        self.onsets, self.stress, self.rules = set(), {}, []
        for number, line in enumerate(text.split("\n"), 1):
            # A comment begins with a field that begins with "#" (eSpeak's "a#" is a name).
            fields = []
            for field in line.split():
                if field.startswith("#"):
                    break
                fields.append(field)
            if not fields:
                continue
            try:
                self._line(fields)
            except (ValueError, KeyError, IndexError) as error:
                raise ValueError("conversion rules, line %d: %s (%s)" % (number, line, error))

    def _codes(self, names):
        """Codes and %sets, expanded."""
        out = set()
        for name in names:
            if name.startswith("%"):
                out |= self.sets[name[1:]]
            else:
                out.add(name)
        return out

    def _line(self, fields):
        keyword, rest = fields[0], fields[1:]
        if keyword == "vowels":
            self.vowels += rest
            self.sets["vowels"] = set(self.vowels)
        elif keyword == "consonants":
            self.consonants += rest
            self.sets["consonants"] = set(self.consonants)
        elif keyword == "alias":
            self.aliases[rest[0]] = rest[1]
        elif keyword == "set":
            self.sets[rest[0]] = self._codes(rest[1:])
        elif keyword == "espeak":
            self.espeak[rest[0]] = [Phoneme(c, self.kind(c)) for c in rest[1:]]
            self.espeak_order.append(rest[0])
        elif keyword == "onset":
            self.onsets.add(tuple(rest))
        elif keyword == "stress":
            self.stress[rest[0]] = rest[1:]
        elif keyword == "rule":
            self.rules.append(self._rule(" ".join(rest)))
        else:
            raise ValueError("unknown keyword")

    def kind(self, code):
        if code in self.vowels:
            return VOWEL
        if code in self.consonants:
            return CONSONANT
        raise ValueError("unknown code %r" % code)

    def _rule(self, text):
        conditions, _, rest = text.partition(":")
        pattern, arrow, replacement = rest.partition("->")
        if not arrow:
            raise ValueError("no ->")
        rule = Rule()
        rule.text = text.strip()
        rule.conditions = [_condition(c) for c in conditions.split()]
        rule.items = _flat([self._item(token) for token in pattern.split()])
        if sum(1 for i in rule.items if i.kind == "[") != 1 or sum(
                1 for i in rule.items if i.kind == "]") != 1:
            raise ValueError("one [ and one ] in a pattern")
        # The sounds without which the pattern cannot match, a quick test before matching.
        rule.required = [i.codes - i.excluded for i in rule.items
                         if i.kind == "sound" and not i.repeat and not i.start]
        rule.replacement = replacement.split()
        for token in rule.replacement:
            if token not in ("=", "."):
                self.kind(token.lstrip("',-") if token[:1] in STRESS_MARKS else token)
        return rule

    def _item(self, token):
        # Brackets around the replaced sounds become items of their own.
        if token == "[]":
            return [Item("["), Item("]")]
        if token.startswith("[") and len(token) > 1:
            return [Item("[")] + _flat(self._item(token[1:]))
        if token.endswith("]") and len(token) > 1:
            return _flat(self._item(token[:-1])) + [Item("]")]
        if token in ("[", "]", "^", "$", "..."):
            return Item(token)
        if token.startswith("!"):
            return Item("!", codes=frozenset(self._codes(token[1:].split("|"))))
        repeat = token[-1] if token[-1] in "?*" else ""
        token = token[: len(token) - len(repeat)]
        stress = STRESS_MARKS.get(token[0])
        if stress is not None:
            token = token[1:]
        wanted, _, excluded = token.partition("!")
        names = wanted.split("|")
        start = "^" in names
        codes = self._codes(n for n in names if n != "^")
        for code in codes:
            self.kind(code)
        return Item("sound", frozenset(codes), frozenset(self._codes(excluded.split("|"))
                                                         if excluded else ()),
                    start, stress, repeat)

    # --- the rules at work ----------------------------------------------------------------------

    def apply(self, rule, phonemes, spelling):
        """The phonemes with the rule applied wherever it matches, left to right."""
        if not all(condition(spelling) for condition in rule.conditions):
            return phonemes
        present = {p.code for p in phonemes}
        if any(not (codes & present) for codes in rule.required):
            return phonemes
        items = rule.items
        i = 0
        while i <= len(phonemes):
            found = _match(items, 0, phonemes, i, None, None)
            if found is None:
                i += 1
                continue
            start, end = found
            replaced = phonemes[start:end]
            new = self._replacement(rule.replacement, replaced)
            phonemes = phonemes[:start] + new + phonemes[end:]
            i = max(start + len(new), i + 1)
        return phonemes

    def _replacement(self, tokens, replaced):
        stress = next((p.stress for p in replaced if p.kind == VOWEL), 0)
        out = []
        for token in tokens:
            if token == "=":
                out += [Phoneme(p.code, p.kind, p.stress) for p in replaced]
            elif token == ".":
                out.append(Phoneme(".", BOUNDARY))
            else:
                own = STRESS_MARKS.get(token[0]) if len(token) > 1 else None
                code = token[1:] if own is not None else token
                kind = self.kind(code)
                out.append(Phoneme(code, kind, (stress if own is None else own)
                                   if kind == VOWEL else 0))
        return out

    def is_onset(self, codes):
        codes = tuple(self.aliases.get(c, c) for c in codes)
        if len(codes) == 1:
            return codes[0] != "N"
        return codes in self.onsets

    def codes_of(self, phonemes, spelling=None, syllables=None):
        """The codes of a pronunciation in the style of the syllabus; spelling is the word.
        syllables, where given, is the number of syllables before the rules took a schwa out."""
        spelling = (spelling or "").lower()
        if syllables is None:
            syllables = sum(1 for p in phonemes if p.kind == VOWEL)
        phonemes = [Phoneme(p.code, p.kind, p.stress) for p in phonemes]
        for rule in self.rules:
            phonemes = self.apply(rule, phonemes, spelling)
        # The boundaries become places: the onset of a syllable begins at the last one before it.
        boundaries = []
        sounds = []
        for p in phonemes:
            if p.kind == BOUNDARY:
                boundaries.append(len(sounds))
            else:
                sounds.append(p)
        vowels = [i for i, p in enumerate(sounds) if p.kind == VOWEL]
        self._stress(sounds, vowels, spelling)
        marks = self._marks(sounds, vowels, boundaries) if syllables > 1 else {}
        return "".join(marks.get(i, "") + p.code for i, p in enumerate(sounds))

    def _stress(self, sounds, vowels, spelling):
        s = self.stress
        no_secondary = not any(sounds[i].stress == 2 for i in vowels)
        primary_late = any(sounds[i].stress == 1 for i in vowels[2:])
        if (spelling.startswith(tuple(s["secondary-prefixes"])) and len(vowels) > 2
                and no_secondary and not sounds[vowels[0]].stress and primary_late):
            sounds[vowels[0]].stress = 2
            no_secondary = False
        if (len(vowels) > 2 and no_secondary and not sounds[vowels[0]].stress
                and not sounds[vowels[1]].stress
                and sounds[vowels[0]].code not in s["unmarked-vowels"] and primary_late):
            sounds[vowels[0]].stress = 2
        if self._double_stress(sounds, vowels, spelling):
            sounds[vowels[0]].stress = 1
        else:
            primaries = [i for i in vowels if sounds[i].stress == 1]
            for i in primaries[:-1]:
                sounds[i].stress = 2

    def _double_stress(self, sounds, vowels, spelling):
        s = self.stress
        if len(vowels) < 2 or not any(sounds[i].stress == 1 for i in vowels):
            return False
        if spelling.endswith(tuple(s["double-endings"])):
            for i in vowels:
                sounds[i].stress = 1 if i in (vowels[0], vowels[-1]) else 0
            return True
        first = sounds[vowels[0]]
        if (spelling.startswith(tuple(s["double-prefixes"]))
                and not spelling.startswith(tuple(s["double-prefix-exceptions"]))
                and first.stress == 2 and first.code not in s["double-prefix-unstressed"]):
            first.stress = 1
            return True
        sounds_un = s["double-un-sounds"]
        return (len(vowels) == 2 and sounds[vowels[1]].stress == 1
                and spelling.startswith(tuple(s["double-un-spelling"]))
                and spelling not in s["double-un-exceptions"]
                and [p.code for p in sounds[:len(sounds_un)]] == sounds_un)

    def _onset_start(self, sounds, vowel, boundaries):
        start = vowel
        while start > 0 and sounds[start - 1].kind == CONSONANT:
            start -= 1
        for boundary in boundaries:
            if boundary <= vowel:
                start = max(start, boundary)
        if start == 0:
            return 0  # the consonants a word begins with begin its first syllable
        stops = self.stress["s-split-stops"]
        keeps = self._codes(self.stress["s-split-after"])
        for cut in range(start, vowel):
            onset = [p.code for p in sounds[cut:vowel]]
            # An s before a stop stays with the sound before it: "dis5kraib", "iks5pekt".
            if (cut > 0 and onset[0] == "s" and len(onset) > 1 and onset[1] in stops
                    and sounds[cut - 1].code in keeps):
                continue
            if self.is_onset(onset):
                return cut
        return vowel

    def _marks(self, sounds, vowels, boundaries):
        order = {v: n for n, v in enumerate(vowels)}
        primary = next((i for i in vowels if sounds[i].stress == 1), None)
        marks = {}
        for i in vowels:
            stress = sounds[i].stress
            if stress == 1:
                marks[self._onset_start(sounds, i, boundaries)] = "5"
            elif stress == 2 and primary is not None and i < primary:
                if order[primary] - order[i] > 1:
                    marks[self._onset_start(sounds, i, boundaries)] = ","
                elif primary == vowels[-1]:
                    marks[self._onset_start(sounds, i, boundaries)] = "5"
        return marks

    def phonemes_of_codes(self, codes):
        """The phonemes of one form written in our codes, its marks as stress ("5kwRliti"); None
        when it holds anything else (several words, optional sounds)."""
        units = sorted(self.vowels + self.consonants, key=len, reverse=True)
        phonemes = []
        pending = 0
        i = 0
        while i < len(codes):
            if codes[i] in "5,":
                pending = 1 if codes[i] == "5" else 2
                i += 1
                continue
            unit = next((u for u in units if codes.startswith(u, i)), None)
            if unit is None:
                return None
            kind = self.kind(unit)
            phonemes.append(Phoneme(unit, kind, pending if kind == VOWEL else 0))
            if kind == VOWEL:
                pending = 0
            i += len(unit)
        return phonemes

    # --- eSpeak NG --------------------------------------------------------------------------

    def espeak_word(self, names):
        """The phonemes of one word of eSpeak's phoneme names ("k_w_'0_l_I2_t_i"); None when a
        name is unknown."""
        phonemes = []
        pending = 0
        for piece in names.split("_"):
            marks = 0
            while marks < len(piece) and piece[marks] in "',":
                pending = 1 if piece[marks] == "'" else 2
                marks += 1
            name = piece[marks:]
            if not name:
                continue  # a stress mark alone, or the pause "_" split away
            if name not in self.espeak:
                return None
            for sound in self.espeak[name]:
                stress = pending if sound.kind == VOWEL else 0
                phonemes.append(Phoneme(sound.code, sound.kind, stress))
                if sound.kind == VOWEL:
                    pending = 0
        return phonemes

    def codes_from_espeak(self, names, spelling):
        """Our codes for eSpeak's phoneme names: "_" between the phonemes of a word, a blank
        between words; spelling is the words as typed. Empty when a name is unknown."""
        words = names.split()
        spelt = spelling.lower().split()
        written = []
        for n, word in enumerate(words):
            phonemes = self.espeak_word(word)
            if phonemes is None:
                return ""
            if not phonemes:
                continue
            # The spelling rules need the word that was said; when eSpeak split or joined the
            # words differently, they are left out.
            written.append(self.codes_of(phonemes, spelt[n] if len(spelt) == len(words) else ""))
        return " ".join(written)


def _flat(items):
    out = []
    for item in items if isinstance(items, list) else [items]:
        out += _flat(item) if isinstance(item, list) else [item]
    return out


def _condition(condition):
    """A condition on the spelling, as a test of the spelling."""
    if condition.startswith("len<="):
        most = int(condition[5:])
        return lambda spelling: len(spelling) <= most
    if condition.startswith("len>"):
        least = int(condition[4:])
        return lambda spelling: len(spelling) > least
    negated = condition.startswith("!")
    alternatives = (condition[1:] if negated else condition).split("|")
    pattern = re.compile("|".join(
        "".join(".*" if c == "*" else "." if c == "?" else re.escape(c) for c in a)
        for a in alternatives))
    return lambda spelling: (pattern.fullmatch(spelling) is None) == negated


def _match(items, k, phonemes, i, start, end):
    """Matches items[k:] at phonemes[i:]; (start, end) of the replaced sounds, or None."""
    if k == len(items):
        return (start, end)
    item = items[k]
    if item.kind == "[":
        return _match(items, k + 1, phonemes, i, i, end)
    if item.kind == "]":
        return _match(items, k + 1, phonemes, i, start, i)
    if item.kind == "^":
        return _match(items, k + 1, phonemes, i, start, end) if i == 0 else None
    if item.kind == "$":
        return _match(items, k + 1, phonemes, i, start, end) if i == len(phonemes) else None
    if item.kind == "!":
        if i < len(phonemes) and phonemes[i].code in item.codes:
            return None
        return _match(items, k + 1, phonemes, i, start, end)
    if item.kind == "...":
        for j in range(i, len(phonemes) + 1):
            found = _match(items, k + 1, phonemes, j, start, end)
            if found is not None:
                return found
        return None
    # A sound: as many as may be, the most first.
    most = len(phonemes) - i if item.repeat == "*" else 1
    count = 0
    while count < most and i + count < len(phonemes) and item.accepts(phonemes[i + count]):
        count += 1
    least = 0 if item.repeat in ("?", "*") else 1
    for n in range(count, least - 1, -1):
        found = _match(items, k + 1, phonemes, i + n, start, end)
        if found is not None:
            return found
    if item.start and i == 0 and least == 1:
        return _match(items, k + 1, phonemes, i, start, end)
    return None


def load(path=RULES_FILE):
    with open(path, encoding="utf-8") as f:
        return Rules(f.read())


RULES = load()
codes_of = RULES.codes_of
codes_from_espeak = RULES.codes_from_espeak
phonemes_of_codes = RULES.phonemes_of_codes
espeak_word = RULES.espeak_word
