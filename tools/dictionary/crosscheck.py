"""The cross-check of a transcription that comes from neither Britfone nor the style reference:
ipa-dict's, a composed word's, a composed form's.

CMU is the judge of what British and American English share (the syllable with the primary
stress, the consonants); eSpeak NG's British voice gives a second British reading. ipa-dict
agrees with eSpeak on nearly every word (it is machine-made much as eSpeak reads), so eSpeak's
agreement alone confirms a word only where CMU lacks it. The verdicts:

  confirmed  eSpeak reads the word alike, and CMU agrees or lacks it; or CMU agrees and eSpeak's
             reading does not; also where the two accents really differ: a prefixed word, a
             compound or an -ate verb that British English stresses otherwise ("overheat"
             ",EuvE5hi:t", "saltwater" "5sR:ltwR:tE", "donate" "dEu5neit") where CMU stresses
             the same syllable too, and a French word stressed on the first syllable where CMU
             stresses the last ("barrage" "5bAra:V")
  repaired   eSpeak's reading is taken where it agrees with CMU (or CMU lacks the word and it
             differs in the vowels alone): eSpeak writes the style's vowels more often than
             ipa-dict (on the words of the style reference where the two differ and both
             agree with CMU, 43 times to 1); or a consonant CMU hears otherwise is corrected
             (n before k or g is N, s and z as CMU has them), CMU being reliable on consonants
  dropped    the evidence is too weak to keep a likely error (CMU disagrees and eSpeak does
             not agree with CMU either, or CMU lacks the word and eSpeak reads its stress or
             consonants otherwise): the word gets no entry, and the user who looks it up gets
             a suggestion instead
"""

import coderules
import evidence

CONFIRMED, REPAIRED, DROPPED = "confirmed", "repaired", "dropped"

# Prefixes of words that British English stresses on the stem where American English stresses
# the prefix ("overheat", "outdid", "understudy" aside).
STEM_STRESS_PREFIXES = ("over", "under", "out", "up", "down", "mis", "super", "counter", "inter",
                        "fore", "self", "cross", "off")
# Two-syllable -ate verbs and their forms, stressed on -ate in British English ("donate",
# "mandated", "castrating").
ATE_ENDINGS = ("ate", "ates", "ated", "ating")
# Prefixes before a two-syllable -ate verb that keep its stress ("relocate", "dehydrate").
ATE_PREFIXES = ("re", "de", "pre")
FRENCH_ENDINGS = ("age", "ages", "eau", "eaux", "et", "ets")
# Consonants a repair may put in place of ipa-dict's, as pairs (ours, CMU's): n before k or g is
# N, s and z where CMU hears the other, the voicing of th.
CORRECTIONS = {("n", "N"), ("s", "z"), ("z", "s"), ("W", "T"), ("T", "W"), ("N", "n")}
# British spellings and the American ones CMU knows a word by.
AMERICAN_SPELLINGS = (("is", "iz"), ("ys", "yz"), ("our", "or"), ("tre", "ter"), ("ll", "l"),
                      ("ogue", "og"), ("ae", "e"), ("oe", "e"), ("ence", "ense"))


class Checker:
    def __init__(self, cmu, espeak_names, common=frozenset(), wiktionary=None):
        self.cmu = cmu
        self.names = espeak_names
        self.common = common
        # Word -> Wiktionary's profiles: the third opinion, for the words CMU lacks and for the
        # stress the accents are said to differ on.
        self.wiktionary = wiktionary or {}

    def wiktionary_agrees(self, word, profile):
        """True where one of Wiktionary's readings has this stress and these consonants, False
        where it has the word and none does, None where it lacks the word."""
        readings = self.wiktionary.get(word)
        if not readings:
            return None
        # Readings of as many syllables as ours judge the stress; only where there are none
        # do the consonants alone decide.
        readings = [r for r in readings if r.syllables == profile.syllables] or readings
        return any(evidence.stress_agrees(profile, r) is not False
                   and evidence.same_consonants(profile, r, assimilated=True) for r in readings)

    def british_agrees(self, word, profile):
        """Whether one of Wiktionary's clearly British readings has this stress and these
        consonants."""
        return any(r.british and r.syllables == profile.syllables
                   and evidence.stress_agrees(profile, r) is True
                   and evidence.same_consonants(profile, r, assimilated=True)
                   for r in self.wiktionary.get(word) or ())

    def cmu_variants(self, word):
        """CMU's variants of a word, or of its American spelling ("monopolise", "colour")."""
        if word in self.cmu:
            return self.cmu[word]
        for british, us in AMERICAN_SPELLINGS:
            if british in word:
                found = self.cmu.get(word.replace(british, us))
                if found:
                    return found
        return None

    def espeak_codes(self, word):
        names = self.names.get(word.lower())
        return coderules.codes_from_espeak(names, word) if names else ""

    def verdict(self, word, codes, vowels=True, british=True):
        """(codes to keep or None, verdict) for one form of a word. vowels: whether eSpeak's
        reading of the vowels is taken where it differs (not for a word composed of checked
        parts, which keeps their vowels); british: whether the stress of a prefixed word may
        differ from CMU's (not for a regular form: "outfields", "interchanges" are mostly nouns,
        which British English stresses on the prefix too)."""
        key = word.lower()
        ours = evidence.codes_profile(codes, key)
        variants = self.cmu_variants(key)
        espeak = self.espeak_codes(key) if vowels or variants else ""
        if " " in espeak or " " in codes:
            espeak = ""
        if not variants:
            # Wiktionary, where it has the word, is the independent opinion: a reading it
            # confirms stays, else eSpeak's where Wiktionary confirms that.
            opinion = self.wiktionary_agrees(key, ours)
            if opinion:
                return codes, CONFIRMED
            if opinion is False:
                if espeak and self.wiktionary_agrees(key, evidence.codes_profile(espeak)):
                    return espeak, REPAIRED
                return None, DROPPED
            if not espeak or espeak == codes:
                return codes, CONFIRMED
            theirs = evidence.codes_profile(espeak)
            if (evidence.stress_agrees(ours, theirs) is not False
                    and ours.syllables == theirs.syllables
                    and evidence.same_consonants(ours, theirs, assimilated=True)):
                return espeak, REPAIRED
            return None, DROPPED
        stress = evidence.stress_against(ours, variants)
        consonants = evidence.consonants_against(ours, variants)
        # One of CMU's readings must have both our stress and our consonants: its spelling
        # pronunciation is no support ("archipelago" with ch and the stress on -la-).
        if stress and consonants and not any(
                evidence.stress_agrees(ours, v) is not False
                and evidence.consonants_against(ours, [v]) for v in variants):
            stress = False
        agrees = stress is not False and consonants
        # Where the accents stress a word differently, a clearly British reading of
        # Wiktionary's that stresses ours outweighs CMU's American one ("prospector").
        if (consonants and stress is False and not self.long_ate(key, ours)
                and self.british_agrees(key, ours)):
            return codes, CONFIRMED
        # Where CMU hears s for our z or the other way and Wiktionary, which has both accents,
        # has ours, the accents differ ("blouse" with its British z).
        if (not consonants and stress is not False and self.wiktionary_agrees(key, ours)
                and self.voicing_only(key, codes, ours, variants)):
            return codes, CONFIRMED
        if espeak and espeak != codes:
            theirs = evidence.codes_profile(espeak)
            their_stress = evidence.stress_against(theirs, variants)
            if (evidence.consonants_against(theirs, variants) and their_stress is not False
                    and (vowels or not agrees)):
                return espeak, REPAIRED
        if agrees:
            return codes, CONFIRMED
        # The accents' difference holds unless Wiktionary, which has British readings, has
        # none stressed so ("outpatient", "interrupts").
        if (british and consonants and stress is False
                and self.british_stress(key, ours, variants)
                and self.wiktionary_agrees(key, ours) is not False):
            return codes, CONFIRMED
        if not vowels:
            # A word composed of checked parts keeps their reading or goes.
            return None, DROPPED
        if not consonants and stress is not False:
            fixed = self.corrected_consonants(key, codes, ours, variants)
            return (fixed, REPAIRED) if fixed else (None, DROPPED)
        return None, DROPPED

    def british_stress(self, word, ours, variants):
        """Whether CMU stresses our primary syllable too, as a secondary one, in a word whose
        stress really differs between the accents; for an -ate verb, where CMU has the full
        vowel of -ate in it ("relocate" rilEu5keit, R IY2 L OW1 K EY0 T)."""
        same = [v for v in variants if v.syllables == ours.syllables]
        if word.endswith(ATE_ENDINGS):
            if self.long_ate(word, ours):
                return False
            return any(ours.primaries <= v.stressed
                       or any(v.vowels[i] == "EY" for i in ours.primaries) for v in same)
        if word.startswith(STEM_STRESS_PREFIXES) or self.compound(word):
            return any(ours.primaries <= v.stressed for v in same)
        # "barrage", "tableau", "fillet": French words that British English stresses on the
        # first syllable and American English on the last.
        if word.endswith(FRENCH_ENDINGS):
            return ours.primaries == {0} and any(v.primaries == {v.syllables - 1} for v in same)
        return False

    @staticmethod
    def long_ate(word, ours):
        """Whether a reading stresses the -ate of a verb of three syllables or more, which
        British English stresses as CMU does ("dislocate" 5dislEkeit), unless a prefix stands
        before a two-syllable one ("relocate", "overstate")."""
        if not word.endswith(ATE_ENDINGS):
            return False
        ate = ours.syllables - (2 if word.endswith(("ated", "ating")) else 1)
        return (ate >= 2 and ours.primaries == {ate}
                and not word.startswith(STEM_STRESS_PREFIXES + ATE_PREFIXES))

    def voicing_only(self, word, codes, ours, variants):
        """Whether CMU's consonants differ from ours only in s and z."""
        fixed = self.corrected_consonants(word, codes, ours, variants)
        return bool(fixed) and len(fixed) == len(codes) and all(
            a == b or {a, b} == {"s", "z"} for a, b in zip(fixed, codes))

    def compound(self, word):
        """Whether the word is two common words run together ("saltwater", "aftershave"),
        which British English stresses on the first where American English may not."""
        return any(word[:cut] in self.common and word[cut:] in self.common
                   for cut in range(4, len(word) - 3))

    @staticmethod
    def corrected_consonants(word, codes, ours, variants):
        """The codes with the consonants CMU hears otherwise, where each difference is one of
        CORRECTIONS and the number of consonants is the same; None otherwise. A plural or
        verb ending after a vowel keeps its z ("coyotes")."""
        phonemes = coderules.phonemes_of_codes(codes)
        if phonemes is None:
            return None
        counted = [p for p in phonemes
                   if p.kind == coderules.CONSONANT and p.code not in evidence.ASIDE]
        for variant in variants:
            if len(variant.consonants) != len(counted):
                continue
            pairs = [(p.code, c) for p, c, o in zip(counted, variant.consonants, ours.consonants)
                     if c not in o.split("|")]
            if not pairs or any(pair not in CORRECTIONS for pair in pairs):
                continue
            # The s or z of an ending follows the sound before it ("excretes", "coyotes").
            if word.endswith("s") and variant.consonants[-1] not in ours.consonants[-1].split("|"):
                continue
            for p, c, o in zip(counted, variant.consonants, ours.consonants):
                if c not in o.split("|"):
                    p.code = c
            return coderules.codes_of(phonemes, word, max(2, ours.syllables)
                                      if "5" in codes else None)
        return None

